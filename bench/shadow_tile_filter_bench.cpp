// "Blit As Shadow", the tile and wrap blend modes and the filtered scaling blend mode at 640 x 480
// destination pixels, in pixels per second, beside memcpy of a 640 x 480 frame of the same pixel
// size: read each row as a ratio to the memcpy row of its destination's pixel size.
//   Shadow     a run-length sprite (two thirds covered, runs of 1 to 24) with a translucent layer,
//              plain and grouped (on each kernel path), and "Transparent Mask" on the same sprite
//   Tile       a 32 x 32 frame repeated (plain, and run-length 16-bit)
//   Wrap*      a 64 x 64 texture; WrapIntoRle16 recolours a 640 x 480 run-length frame
//   Filter     from 320 x 240 (2x) and at 1:1; the 8-bit form includes the dithered conversion
#include "BlitBenchSupport.h"
#include "blit/Blitter.h"
#include "blit/ColorPacking.h"
#include "blit/modes/FilterScaleBlitter.h"
#include "blit/modes/ShadowBlitter.h"
#include "blit/modes/TileBlitter.h"
#include "blit/modes/TransparentMaskBlitter.h"
#include "blit/modes/WrapBlitter.h"
#include "blit/modes/WrapXBlitter.h"
#include "blit/modes/WrapYBlitter.h"
#include "foundation/CpuInfo.h"
#include "graphics/Frame.h"
#include "graphics/PaletteTable.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace blitbench;

constexpr int32_t kWidth = kScreenWidth, kHeight = kScreenHeight;

// Rows of runs: fill and literal runs of 1 to 24 pixels between skips of 1 to 12 (the alpha bytes
// in step into `alphas`).
std::vector<std::vector<uint8_t>> RunRows(int32_t width, int32_t height, std::mt19937& random,
                                          std::vector<std::vector<uint8_t>>& alphas)
{
    std::vector<std::vector<uint8_t>> rows(height);
    alphas.assign(height, {});
    for (int32_t r = 0; r < height; ++r)
        for (int32_t x = 0; x < width;) {
            const bool skip = random() % 3 == 0;
            const int32_t n = std::min<int32_t>(width - x, 1 + random() % (skip ? 12 : 24));
            if (skip) {
                rows[r].push_back(static_cast<uint8_t>(0x80 | n));
            } else {
                const bool literal = random() % 2 == 0;
                rows[r].push_back(static_cast<uint8_t>((literal ? 0x40 : 0) | n));
                for (int32_t k = 0; k < (literal ? n : 1); ++k) {
                    rows[r].push_back(static_cast<uint8_t>(random()));
                    rows[r].push_back(static_cast<uint8_t>(random()));
                    alphas[r].push_back(static_cast<uint8_t>(random()));
                }
            }
            x += n;
        }
    return rows;
}

std::unique_ptr<CFrame> RunLengthFrame(int32_t width, int32_t height, bool translucent)
{
    std::mt19937 random(static_cast<uint32_t>(width + height));
    auto frame = std::make_unique<CFrame>();
    frame->Create(width, height, 16);
    std::vector<std::vector<uint8_t>> alphas;
    AdoptRows(*frame, 0, RunRows(width, height, random, alphas));
    if (translucent) {
        AdoptRows(*frame, 4, RunRows(width, height, random, alphas));
        AdoptRows(*frame, 3, alphas);
    }
    frame->SetFormatFlags(frame->GetFormatFlags() | kFrameRunLengthAlpha);
    return frame;
}

// A palette of distinct colours for the 8-bit filter, with its 5-6-5 table.
void SetUpPalette()
{
    g_currentPalette.Create(1);
    for (uint32_t i = 0; i < 256; ++i)
        g_currentPalette.SetEntry(i, static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                                  static_cast<uint8_t>(i * 37));
    BuildPaletteToPixelTables(g_currentPalette);
}

// Draws the source onto the whole 640 x 480 destination per iteration through the routine, with
// the source rectangle given (its left and top are the offsets of the tile and wrap modes).
void Draw(benchmark::State& state, CBlitter* blitter, std::shared_ptr<CFrame> source,
          std::shared_ptr<CFrame> destination, CIntRect from, SpanKernelPath path)
{
    if (!SetSpanKernelPath(path)) {
        state.SkipWithError("kernel path not available");
        return;
    }
    SetUpPalette(); // here, not while globals of other files may still be unmade
    const CIntRect to{0, 0, kWidth, kHeight};
    for (auto _ : state) {
        destination->BlitUnclipped(source.get(), from, to, blitter);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kWidth * kHeight);
    SetSpanKernelPath(GetFastestSpanKernelPath());
}

void Register(const std::string& name, CBlitter* blitter, std::shared_ptr<CFrame> source,
              std::shared_ptr<CFrame> destination, CIntRect from,
              SpanKernelPath path = GetFastestSpanKernelPath())
{
    benchmark::RegisterBenchmark(name.c_str(), Draw, blitter, source, destination, from, path);
}

const char* PathName(SpanKernelPath path)
{
    return path == SpanKernelPath::Portable ? "Portable" : path == SpanKernelPath::Sse2 ? "Sse2" : "Avx2";
}

const bool s_registered = [] {
    BuildAlphaScaleTables();
    BuildBlendStepTable();
    for (uint32_t bytes = 1; bytes <= 3; ++bytes)
        benchmark::RegisterBenchmark(("Memcpy/" + std::to_string(8 * bytes) + "bit/640x480").c_str(), MemcpyScreen, bytes);

    static std::unique_ptr<CShadowBlitter> plainShadow = [] {
        OverrideCpuHasMmx(false);
        auto blitter = std::make_unique<CShadowBlitter>();
        OverrideCpuHasMmx(std::nullopt);
        return blitter;
    }();
    std::shared_ptr<CFrame> sprite = RunLengthFrame(kWidth, kHeight, true);
    const CIntRect whole{0, 0, kWidth, kHeight};
    Register("Shadow/Rle16To16/Plain", plainShadow.get(), sprite, RandomFrame(kWidth, kHeight, 16), whole);
    // The same sprite drawn as itself, for scale: the run walk is shared, only the spans differ.
    Register("TransparentMask/Rle16To16", &g_transparentMaskBlitter, sprite, RandomFrame(kWidth, kHeight, 16), whole);
    if (CpuHasMmx())
        for (SpanKernelPath path : {SpanKernelPath::Portable, SpanKernelPath::Sse2, SpanKernelPath::Avx2})
            Register(std::string("Shadow/Rle16To16/Grouped/") + PathName(path), &g_shadowBlitter, sprite,
                     RandomFrame(kWidth, kHeight, 16), whole, path);

    const CIntRect offset{5, 7, 6, 8};
    for (uint32_t depth : {8u, 16u, 24u}) {
        const std::string bits = std::to_string(depth);
        Register("Tile/" + bits + "To" + bits, &g_tileBlitter, RandomFrame(32, 32, depth),
                 RandomFrame(kWidth, kHeight, depth), offset);
        Register("Wrap/" + bits + "To" + bits, &g_wrapBlitter, RandomFrame(64, 64, depth),
                 RandomFrame(kWidth, kHeight, depth), offset);
    }
    Register("Tile/Rle16To16", &g_tileBlitter, RunLengthFrame(32, 32, false), RandomFrame(kWidth, kHeight, 16),
             offset);
    Register("WrapX/16To16", &g_wrapXBlitter, RandomFrame(64, kHeight, 16), RandomFrame(kWidth, kHeight, 16),
             CIntRect{5, 0, 6, 1});
    Register("WrapY/16To16", &g_wrapYBlitter, RandomFrame(kWidth, 64, 16), RandomFrame(kWidth, kHeight, 16),
             offset);
    Register("WrapIntoRle16/16To16", &g_wrapBlitter, RandomFrame(64, 64, 16), RunLengthFrame(kWidth, kHeight, true),
             offset);

    for (uint32_t depth : {8u, 16u}) {
        const std::string base = "Filter/" + std::to_string(depth) + "To" + std::to_string(depth);
        Register(base + "/2x", &g_filterScaleBlitter, RandomFrame(kWidth / 2, kHeight / 2, depth),
                 RandomFrame(kWidth, kHeight, depth), CIntRect{0, 0, kWidth / 2, kHeight / 2});
        Register(base + "/1x", &g_filterScaleBlitter, RandomFrame(kWidth, kHeight, depth),
                 RandomFrame(kWidth, kHeight, depth), whole);
    }
    return true;
}();

} // namespace
