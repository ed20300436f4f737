// The short ways a blit takes: plain rows blended at the level all in one call, and frames read
// from their fields when they are CFrames. Each must give what the long way gives: the row
// kernel called row by row, and the same frames asked through their interface (a proxy in front
// of each), at every depth and format the routines draw.
#include "RunLengthTestSupport.h"
#include "SpanKernelTestSupport.h"
#include "blit/kernels/KeyedRows16.h"
#include "blit/kernels/LevelRows565.h"
#include "blit/modes/CopyBlitter.h"
#include "blit/modes/LevelBlitRoutines.h"
#include "blit/modes/TableBlendBlitter.h"
#include "blit/modes/TransparentMaskBlitter.h"
#include "graphics/ProxyFrame.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace rletest;
using namespace spantest;

namespace {

// Blends rows of a copy of `buffer` (destination rows from offset d, source rows from offset s,
// which may overlap) on every path, and expects what the grouped level row's loop gives called row
// by row on the plain path.
void ExpectRowByRow(const std::vector<uint8_t>& buffer, size_t d, size_t s, ptrdiff_t pitch, uint32_t width,
                    uint32_t height, const std::string& what)
{
    std::vector<uint8_t> expected = buffer;
    {
        CScopedPath plain(SpanKernelPath::Portable);
        const SpanSourceKernel row = g_spanKernels[kSpanBlend16SrcLevelMmx][kLongestSpan].source;
        for (uint32_t r = 0; r < height; ++r)
            row(&expected[d + r * pitch], &expected[s + r * pitch], width);
    }
    for (SpanKernelPath path : {SpanKernelPath::Portable, SpanKernelPath::Sse2, SpanKernelPath::Avx2}) {
        CScopedPath scoped(path);
        if (!scoped.IsAvailable())
            continue;
        std::vector<uint8_t> drawn = buffer;
        BlendLevelRows565(&drawn[d], pitch, &drawn[s], pitch, width, height);
        ASSERT_EQ(drawn, expected) << what << " width " << width << " height " << height << " path " << int(path);
    }
}

// Keyed rows drawn on every path from a copy of `buffer`, against the source read whole first and
// then each non-zero pixel written (rows may overlap).
void ExpectKeyed(const std::vector<uint8_t>& buffer, size_t d, size_t s, ptrdiff_t dPitch, ptrdiff_t sPitch,
                 uint32_t width, uint32_t height, const std::string& what)
{
    std::vector<uint8_t> expected = buffer;
    for (uint32_t r = 0; r < height; ++r)
        for (uint32_t x = 0; x < width; ++x) {
            const size_t from = s + r * sPitch + 2 * x, to = d + r * dPitch + 2 * x;
            if (buffer[from] != 0 || buffer[from + 1] != 0) {
                expected[to] = buffer[from];
                expected[to + 1] = buffer[from + 1];
            }
        }
    for (SpanKernelPath path : {SpanKernelPath::Portable, SpanKernelPath::Sse2, SpanKernelPath::Avx2}) {
        CScopedPath scoped(path);
        if (!scoped.IsAvailable())
            continue;
        std::vector<uint8_t> drawn = buffer;
        CopyKeyedRows16(&drawn[d], dPitch, &drawn[s], sPitch, width, height);
        ASSERT_EQ(drawn, expected) << what << " width " << width << " height " << height << " path " << int(path);
    }
}

} // namespace

TEST(LevelRows565, EveryRowAsTheGroupedLevelRowDrawsIt)
{
    // Widths 0 to 70 (every width & 3, and rows past a sixteen-pixel step), row starts at every
    // alignment, levels from 0 to 255, on every kernel path. The source rows lie after the
    // destination's.
    std::mt19937 random(565);
    std::vector<uint8_t> buffer(8192);
    for (uint8_t& b : buffer)
        b = static_cast<uint8_t>(random());
    CScopedLevel level(0);
    for (uint32_t width = 0; width <= 70; ++width)
        for (uint32_t trial = 0; trial < 6; ++trial) {
            level.Set(trial == 0 ? 0 : trial == 1 ? 255 : random() % 256);
            const uint32_t height = 1 + random() % 4;
            const ptrdiff_t pitch = 2 * width + random() % 9;
            const size_t offset = random() % 16, sourceOffset = 4096 + random() % 16;
            ExpectRowByRow(buffer, offset, sourceOffset, pitch, width, height, "apart");
        }
}

TEST(LevelRows565, RowsBlendedOntoTheirOwnNeighboursAsRowByRow)
{
    // A frame blended onto itself one row up, in place or one row down: each row is read only after
    // the rows above it are written, as drawing row by row would.
    std::mt19937 random(8);
    CScopedLevel level(0);
    for (uint32_t width : {4u, 8u, 12u})
        for (ptrdiff_t shift : {-1, 0, 1})
            for (uint32_t height = 1; height <= 5; ++height) {
                level.Set(1 + random() % 254);
                const ptrdiff_t pitch = 2 * width + random() % 5;
                std::vector<uint8_t> buffer(static_cast<size_t>(pitch) * 8);
                for (uint8_t& b : buffer)
                    b = static_cast<uint8_t>(random());
                const size_t destination = 2 * static_cast<size_t>(pitch);
                ExpectRowByRow(buffer, destination, static_cast<size_t>(static_cast<ptrdiff_t>(destination) + shift * pitch),
                               pitch, width, height, "shift " + std::to_string(shift));
            }
}

TEST(KeyedRows16, EveryPathLeavesOutZeroAsAPixelAtATime)
{
    // Widths 0 to 70 at every alignment, pictures from all zeros to none, rows apart and rows
    // drawn onto their own neighbours (a frame onto itself), in both directions.
    std::mt19937 random(16);
    for (uint32_t width = 0; width <= 70; ++width)
        for (uint32_t trial = 0; trial < 8; ++trial) {
            const uint32_t zeros = trial % 4; // none, a quarter, half, all but a few
            std::vector<uint8_t> buffer(8192);
            for (size_t i = 0; i + 1 < buffer.size(); i += 2) {
                const bool zero = zeros != 0 && random() % 8 < 2 * zeros;
                const uint32_t pixel = zero ? 0 : 1 + random() % 0xFFFF;
                buffer[i] = static_cast<uint8_t>(pixel);
                buffer[i + 1] = static_cast<uint8_t>(pixel >> 8);
            }
            const uint32_t height = 1 + random() % 4;
            const ptrdiff_t pitch = 2 * width + 2 * (random() % 5);
            const size_t d = 2048 + random() % 16;
            ExpectKeyed(buffer, d, 5000 + random() % 16, pitch, pitch + 2, width, height, "apart");
            const ptrdiff_t dx = static_cast<ptrdiff_t>(random() % 7) - 3, dy = static_cast<ptrdiff_t>(random() % 3) - 1;
            ExpectKeyed(buffer, d, static_cast<size_t>(static_cast<ptrdiff_t>(d) + dy * pitch + 2 * dx), pitch, pitch,
                        width, height, "onto itself by " + std::to_string(dx) + ", " + std::to_string(dy));
        }
}

namespace {

struct ProxyCase
{
    const char* name;
    CBlitter* blitter;
    float opacity;
    uint32_t sourceDepth, flags, destinationDepth;
    bool translucent;
};

const ProxyCase kProxyCases[] = {
    {"plain 16 copied", &g_copyBlitter, 1.0f, 16, 0, 16, false},
    {"plain 16 at a level", &g_blackBiasBlitter, 0.4f, 16, 0, 16, false},
    {"plain 16 keyed", &g_transparentMaskBlitter, 1.0f, 16, 0, 16, false},
    {"plain 8 onto 16", &g_transparentMaskBlitter, 1.0f, 8, 0, 16, false},
    {"run-length 16 copied", &g_transparentMaskBlitter, 1.0f, 16, kFrameRunLengthAlpha, 16, true},
    {"run-length 16 at a level", &g_transparentMaskBlitter, 0.4f, 16, kFrameRunLengthAlpha, 16, true},
    {"run-length 24 at a level", &g_transparentMaskBlitter, 0.6f, 24, kFrameRunLengthAlpha, 24, true},
    {"run-length 8 layered", &g_transparentMaskBlitter, 0.5f, 8, kFrameRunLength8, 8, false},
};

} // namespace

TEST(BlitFrameAccess, AFrameAskedThroughItsInterfaceDrawsAsTheFrameItself)
{
    // The routines read a CFrame from its fields; any other frame (here a proxy in front of the
    // same frame, as source and as destination of a routine called directly) through its
    // getters. Both must draw the same pixels, whole and clipped.
    std::mt19937 random(42);
    CScopedBlendTables tables;
    constexpr uint32_t kWidth = 40, kHeight = 6;
    for (const ProxyCase& c : kProxyCases) {
        SCOPED_TRACE(c.name);
        CFrame source;
        if (c.flags == 0) {
            MakePlainFrame(source, kWidth, kHeight, c.sourceDepth, 0);
            for (size_t i = 0; i < size_t{kWidth} * kHeight * c.sourceDepth / 8; ++i)
                source.GetPixels()[i] = random() % 3 == 0 ? 0 : static_cast<uint8_t>(random());
        } else {
            const uint32_t mask = c.sourceDepth == 8 ? 0xFF : c.sourceDepth == 16 ? 0xFFFF : 0xFFFFFF;
            const Picture main = RandomPicture(kWidth, kHeight, mask, random);
            const Picture layer = RandomPicture(kWidth, kHeight, mask, random);
            MakeFrame(source, c.sourceDepth, c.flags, main, random, c.translucent ? &layer : nullptr);
        }
        CScopedOpacity opacity(*c.blitter, c.opacity);
        CFrame destination;
        MakePlainFrame(destination, kWidth, kHeight, c.destinationDepth, 0);
        const size_t bytes = size_t{kWidth} * kHeight * c.destinationDepth / 8;
        std::vector<uint8_t> initial(bytes);
        for (uint8_t& b : initial)
            b = static_cast<uint8_t>(random());
        const BlitRoutine routine = c.blitter->FindRoutine(&source, &destination);
        ASSERT_NE(routine, nullptr);
        for (const CIntRect& rect : {CIntRect{0, 0, int32_t(kWidth), int32_t(kHeight)}, CIntRect{3, 1, 29, 5}}) {
            std::memcpy(destination.GetPixels(), initial.data(), bytes);
            routine(&source, &rect, &destination, &rect, c.blitter);
            const std::vector<uint8_t> expected(destination.GetPixels(), destination.GetPixels() + bytes);

            std::memcpy(destination.GetPixels(), initial.data(), bytes);
            CProxyFrame sourceProxy(&source), destinationProxy(&destination);
            ASSERT_EQ(sourceProxy.AsFrame(), nullptr);
            routine(&sourceProxy, &rect, &destinationProxy, &rect, c.blitter);
            EXPECT_EQ(std::vector<uint8_t>(destination.GetPixels(), destination.GetPixels() + bytes), expected)
                << "columns " << rect.m_left << " to " << rect.m_right;
        }
    }
}
