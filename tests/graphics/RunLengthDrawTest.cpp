// End to end: a sprite with alpha, encoded by the run-length stage and converted for the display,
// drawn with "Transparent Mask" onto 16-, 24- and 32-bit frames, against a renderer written here
// from the blend formulas of the span kernels. Until the blend mode has a routine for a pair of
// formats the test for that pair is skipped.
#include "LoadTestSupport.h"
#include "blit/modes/TransparentMaskBlitter.h"
#include "foundation/CpuInfo.h"
#include "graphics/FrameLoadStage.h"
#include "graphics/stages/DepthConvertStage.h"
#include "graphics/stages/RunLengthEncodeStage.h"

#include <gtest/gtest.h>

#include <vector>

using namespace frametest;
using namespace loadtest;

namespace {

constexpr uint32_t kWidth = 90, kHeight = 6;
constexpr int32_t kAtX = 3, kAtY = 1;

// 5-6-5 blend of the kernels' integer step: each field moves by floor(difference x weight / 32
// or 64), weights alpha >> 3 and alpha >> 2.
uint16_t Blend565(uint16_t d, uint16_t s, uint32_t a)
{
    auto field = [](int dv, int sv, int w, int shift) { return dv + (((sv - dv) * w) >> shift); };
    const int r = field(d >> 11, s >> 11, a >> 3, 5);
    const int g = field((d >> 5) & 63, (s >> 5) & 63, a >> 2, 6);
    const int b = field(d & 31, s & 31, a >> 3, 5);
    return static_cast<uint16_t>((r << 11) | (g << 5) | b);
}

// The rounded step of the four-pixel groups: (s x w + d x (M - w)) / M, halves up.
uint16_t Blend565Rounded(uint16_t d, uint16_t s, uint32_t a)
{
    auto field = [](int dv, int sv, int w, int m) { return (2 * (sv * w + dv * (m - w)) + m) / (2 * m); };
    const int r = field(d >> 11, s >> 11, a >> 3, 31);
    const int g = field((d >> 5) & 63, (s >> 5) & 63, a >> 2, 63);
    const int b = field(d & 31, s & 31, a >> 3, 31);
    return static_cast<uint16_t>((r << 11) | (g << 5) | b);
}

// 24-bit channel blend: the difference times alpha over 256, rounded toward zero.
uint8_t Blend8(uint8_t d, uint8_t s, uint32_t a)
{
    const int p = (int(s) - int(d)) * int(a);
    return static_cast<uint8_t>(int(d) + (p >= 0 ? p >> 8 : (p + 255) >> 8));
}

uint16_t Pack(uint32_t bgra)
{
    return static_cast<uint16_t>(PackRgbToPixel16((bgra >> 16) & 255, (bgra >> 8) & 255, bgra & 255));
}

// The sprite encoded and converted for a display of the given depth.
void EncodedSprite(CFrame& sprite, std::vector<uint32_t>& source, int32_t depth)
{
    RandomSprite(sprite, kWidth, kHeight, 77);
    source = Snapshot(sprite);
    ASSERT_TRUE(EncodeFor(sprite, CRunLengthEncodeStage::kTwoBands, depth));
    ASSERT_EQ(sprite.GetFormatFlags() & kFrameRunLengthMask, kFrameRunLengthAlpha);
}

void Background(CFrame& frame, uint32_t depth)
{
    frame.Create(kWidth + 8, kHeight + 3, depth);
    FillPattern(frame, 5);
}

bool Draw(CFrame& destination, CFrame& sprite)
{
    g_transparentMaskBlitter.SetOpacity(1.0f);
    return destination.DrawFrameAt(&sprite, kAtX, kAtY, &g_transparentMaskBlitter);
}

} // namespace

TEST(RunLengthDraw, SpriteOntoSixteenBits)
{
    CFrame sprite, destination;
    std::vector<uint32_t> source;
    EncodedSprite(sprite, source, 16);
    Background(destination, 16);
    if (!g_transparentMaskBlitter.FindRoutine(&sprite, &destination))
        GTEST_SKIP() << "\"Transparent Mask\" has no routine for alpha-blended 16-bit rows onto 16 bits yet";
    std::vector<uint32_t> expected = Snapshot(destination);
    const bool groups = CpuHasMmx();
    for (uint32_t y = 0; y < kHeight; ++y) {
        // The translucent runs decide which pixels the four-pixel groups of the vector form blend.
        const std::vector<RunPixel> runs =
            DecodeRow(sprite.GetLayer4Pixels(), sprite.GetLayer4RowOffsets(), y, kWidth, 2);
        for (uint32_t x = 0; x < kWidth; ++x) {
            const uint32_t pixel = source[y * kWidth + x];
            const uint32_t alpha = pixel >> 24;
            uint32_t& d = expected[(y + kAtY) * destination.GetWidth() + x + kAtX];
            if (alpha > 250)
                d = Pack(pixel);
            else if (alpha > 5) {
                const bool grouped = groups && runs[x].m_inRun < runs[x].m_runLength / 4 * 4;
                d = grouped ? Blend565Rounded(static_cast<uint16_t>(d), Pack(pixel), alpha)
                            : Blend565(static_cast<uint16_t>(d), Pack(pixel), alpha);
            }
        }
    }
    ASSERT_TRUE(Draw(destination, sprite));
    EXPECT_EQ(Snapshot(destination), expected);
}

TEST(RunLengthDraw, SpriteOntoTwentyFourAndThirtyTwoBits)
{
    for (uint32_t depth : {24u, 32u}) {
        CFrame sprite, destination;
        std::vector<uint32_t> source;
        EncodedSprite(sprite, source, 24);
        Background(destination, depth);
        if (!g_transparentMaskBlitter.FindRoutine(&sprite, &destination)) {
            GTEST_SKIP() << "\"Transparent Mask\" has no routine for alpha-blended 24-bit rows onto " << depth
                         << " bits yet";
        }
        std::vector<uint32_t> expected = Snapshot(destination);
        for (uint32_t y = 0; y < kHeight; ++y)
            for (uint32_t x = 0; x < kWidth; ++x) {
                const uint32_t pixel = source[y * kWidth + x];
                const uint32_t alpha = pixel >> 24;
                uint32_t& d = expected[(y + kAtY) * destination.GetWidth() + x + kAtX];
                if (alpha <= 5)
                    continue;
                uint32_t blended = d & 0xFF000000u; // byte 3 of a 32-bit destination is kept
                for (int c = 0; c < 3; ++c) {
                    const uint8_t s = (pixel >> (8 * c)) & 255, was = (d >> (8 * c)) & 255;
                    blended |= uint32_t(alpha > 250 ? s : Blend8(was, s, alpha)) << (8 * c);
                }
                d = blended;
            }
        ASSERT_TRUE(Draw(destination, sprite));
        EXPECT_EQ(Snapshot(destination), expected) << depth;
    }
}
