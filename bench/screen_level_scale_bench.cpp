// The screen level blend modes and "Normal Scale" at 640 x 480 destination pixels, in pixels per
// second, beside memcpy of a 640 x 480 frame of the same pixel size: read each row as a ratio to
// the memcpy row of its destination's pixel size. The screen modes run in their grouped and plain
// forms on the portable and SSE2 paths; "Normal Scale" from 320 x 240 (2x) and at 1:1.
#include "BlitBenchSupport.h"
#include "blit/ColorPacking.h"
#include "blit/modes/BrightenBlitter555.h"
#include "blit/modes/BrightenBlitter565.h"
#include "blit/modes/ConvertBlitter555.h"
#include "blit/modes/DarkenBlitter555.h"
#include "blit/modes/DarkenBlitter565.h"
#include "blit/modes/NormalScaleBlitter.h"
#include "foundation/CpuInfo.h"
#include "graphics/Frame.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace blitbench;

constexpr int32_t kWidth = kScreenWidth, kHeight = kScreenHeight;

// One blit of the source (whole) onto the whole 640 x 480 destination per iteration.
void Blit(benchmark::State& state, CBlitter* blitter, uint32_t sourceDepth, uint32_t destinationDepth,
          int32_t sourceWidth, int32_t sourceHeight, SpanKernelPath path)
{
    if (!SetSpanKernelPath(path)) {
        state.SkipWithError("kernel path not available");
        return;
    }
    auto source = RandomFrame(sourceWidth, sourceHeight, sourceDepth);
    auto destination = RandomFrame(kWidth, kHeight, destinationDepth);
    const CIntRect from{0, 0, sourceWidth, sourceHeight}, to{0, 0, kWidth, kHeight};
    for (auto _ : state) {
        destination->BlitUnclipped(source.get(), from, to, blitter);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kWidth * kHeight);
    SetSpanKernelPath(GetFastestSpanKernelPath());
}

const char* PathName(SpanKernelPath path)
{
    return path == SpanKernelPath::Portable ? "Portable" : path == SpanKernelPath::Sse2 ? "Sse2" : "Avx2";
}

// The plain forms: instances made while CpuHasMmx answers false.
struct PlainInstances
{
    std::unique_ptr<CBlitter> convert555, brighten555, darken555, brighten565;
    PlainInstances()
    {
        OverrideCpuHasMmx(false);
        convert555 = std::make_unique<CConvertBlitter555>();
        brighten555 = std::make_unique<CBrightenBlitter555>();
        darken555 = std::make_unique<CDarkenBlitter555>();
        brighten565 = std::make_unique<CBrightenBlitter565>();
        OverrideCpuHasMmx(std::nullopt);
    }
};

void Register(const std::string& name, CBlitter* blitter, uint32_t sourceDepth, uint32_t destinationDepth,
              int32_t sourceWidth, int32_t sourceHeight, SpanKernelPath path)
{
    benchmark::RegisterBenchmark(name.c_str(), Blit, blitter, sourceDepth, destinationDepth, sourceWidth, sourceHeight,
                                 path);
}

const bool s_registered = [] {
    for (uint32_t bytes = 1; bytes <= 4; ++bytes)
        benchmark::RegisterBenchmark(("Memcpy/" + std::to_string(8 * bytes) + "bit/640x480").c_str(), MemcpyScreen, bytes);

    // A level with room to move every channel both ways.
    for (CScreenLevelBlitter* blitter : std::initializer_list<CScreenLevelBlitter*>{
             &g_brightenBlitter555, &g_darkenBlitter555, &g_brightenBlitter565, &g_darkenBlitter565})
        blitter->SetLevel(100);
    static PlainInstances plain;
    const struct
    {
        const char* name;
        CBlitter* grouped;
        CBlitter* plainForm;
    } screenModes[] = {{"Convert555", &g_convertBlitter555, plain.convert555.get()},
                       {"Brighten555", &g_brightenBlitter555, plain.brighten555.get()},
                       {"Darken555", &g_darkenBlitter555, plain.darken555.get()},
                       {"Brighten565", &g_brightenBlitter565, plain.brighten565.get()},
                       {"Darken565", &g_darkenBlitter565, nullptr}};
    const SpanKernelPath fastest = GetFastestSpanKernelPath();
    for (const auto& mode : screenModes) {
        const std::string base = std::string("Screen/") + mode.name + "/16To16/";
        for (SpanKernelPath path : {SpanKernelPath::Portable, SpanKernelPath::Sse2}) {
            if (mode.plainForm)
                Register(base + "Grouped/" + PathName(path), mode.grouped, 16, 16, kWidth, kHeight, path);
            Register(base + "Plain/" + PathName(path), mode.plainForm ? mode.plainForm : mode.grouped, 16, 16, kWidth,
                     kHeight, path);
        }
    }
    Register("Screen/Convert555/8To16", &g_convertBlitter555, 8, 16, kWidth, kHeight, fastest);
    Register("Screen/Convert555/24To16", &g_convertBlitter555, 24, 16, kWidth, kHeight, fastest);
    Register("Screen/Brighten565/8To16", &g_brightenBlitter565, 8, 16, kWidth, kHeight, fastest);
    Register("Screen/Brighten565/24To16", &g_brightenBlitter565, 24, 16, kWidth, kHeight, fastest);

    const struct
    {
        uint32_t sourceDepth, destinationDepth;
    } scalePairs[] = {{8, 8}, {8, 16}, {16, 16}, {24, 24}, {24, 32}};
    for (const auto& pair : scalePairs) {
        const std::string base = "NormalScale/" + std::to_string(pair.sourceDepth) + "To" +
                                 std::to_string(pair.destinationDepth);
        Register(base + "/2x", &g_normalScaleBlitter, pair.sourceDepth, pair.destinationDepth, kWidth / 2,
                 kHeight / 2, fastest);
        Register(base + "/1x", &g_normalScaleBlitter, pair.sourceDepth, pair.destinationDepth, kWidth, kHeight,
                 fastest);
    }
    return true;
}();

} // namespace
