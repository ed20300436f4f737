// Anti-aliased lines: weights across the line, the three blends against formulas written here,
// clipping that never writes outside the frame, and the formats left alone.
#include "FrameTestSupport.h"
#include "graphics/AntialiasedLine.h"
#include "graphics/Color.h"
#include "graphics/ProxyFrame.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using frametest::Opaque;
using frametest::ReadPixel;

// The blends, from their definitions: 24-bit truncates (src - dst) * w / 256 toward zero; 5-6-5
// uses w >> 3 (shift 5) for red and blue and w >> 2 (shift 6) for green, shifting arithmetically.
uint8_t Blend24(int d, int s, int w)
{
    return static_cast<uint8_t>(d + (s - d) * w / 256);
}

uint16_t Blend565(uint16_t d, uint16_t s, int w)
{
    auto field = [&](int shift, int mask, int level, int bits) {
        const int dv = (d >> shift) & mask, sv = (s >> shift) & mask;
        return ((dv + (((sv - dv) * level) >> bits)) & mask) << shift;
    };
    return static_cast<uint16_t>(field(11, 31, w >> 3, 5) | field(5, 63, w >> 2, 6) | field(0, 31, w >> 3, 5));
}

TEST(AntialiasedLine, AWholeRowTakesFullWeightAndTheRowBelowNone)
{
    CFrame frame;
    frame.Create(20, 10, 24);
    frametest::FillPattern(frame);
    const auto before = frametest::Snapshot(frame);
    const CColor color = Opaque(200, 100, 50);
    frame.DrawAntialiasedLine(2.0f, 4.0f, 15.0f, 4.0f, color);
    for (uint32_t c = 0; c < 20; ++c) {
        const uint32_t old = before[4 * 20 + c];
        uint32_t expected = old;
        if (c >= 2 && c <= 15)
            expected = Blend24(old & 255, 50, 255) | Blend24((old >> 8) & 255, 100, 255) << 8 |
                       Blend24(old >> 16, 200, 255) << 16;
        EXPECT_EQ(ReadPixel(frame, c, 4), expected) << c;
        EXPECT_EQ(ReadPixel(frame, c, 5), before[5 * 20 + c]) << c;
    }
}

TEST(AntialiasedLine, AHalfPixelFractionSplitsTheWeight127To128)
{
    struct Case
    {
        uint32_t depth;
        float y;
        uint32_t upperWeight, lowerWeight;
    };
    for (const Case& c : {Case{24, 5.5f, 127, 128}, Case{16, 5.5f, 127, 128}, Case{16, 5.25f, 191, 64},
                          Case{24, 5.75f, 63, 192}}) {
        CFrame frame;
        frame.Create(16, 12, c.depth);
        frametest::FillPattern(frame);
        const auto before = frametest::Snapshot(frame);
        const CColor color = Opaque(255, 255, 255);
        frame.DrawAntialiasedLine(1.0f, c.y, 12.0f, c.y, color);
        for (uint32_t col = 1; col <= 12; ++col) {
            const uint32_t up = before[5 * 16 + col], down = before[6 * 16 + col];
            if (c.depth == 16) {
                EXPECT_EQ(ReadPixel(frame, col, 5), Blend565(up, 0xFFFF, c.upperWeight));
                EXPECT_EQ(ReadPixel(frame, col, 6), Blend565(down, 0xFFFF, c.lowerWeight));
            } else {
                auto blend = [](uint32_t d, uint32_t w) {
                    return Blend24(d & 255, 255, w) | Blend24((d >> 8) & 255, 255, w) << 8 |
                           Blend24(d >> 16, 255, w) << 16;
                };
                EXPECT_EQ(ReadPixel(frame, col, 5), blend(up, c.upperWeight));
                EXPECT_EQ(ReadPixel(frame, col, 6), blend(down, c.lowerWeight));
            }
        }
    }
}

TEST(AntialiasedLine, ASteepLineLightsTheColumnsAcrossIt)
{
    CFrame frame;
    frame.Create(10, 12, 24);
    frame.DrawAntialiasedLine(4.25f, 1.0f, 4.25f, 9.0f, Opaque(0, 0, 255));
    for (uint32_t r = 0; r < 12; ++r) {
        const bool on = r >= 1 && r <= 9;
        EXPECT_EQ(ReadPixel(frame, 4, r), on ? uint32_t{Blend24(0, 255, 191)} : 0u) << r;
        EXPECT_EQ(ReadPixel(frame, 5, r), on ? uint32_t{Blend24(0, 255, 64)} : 0u) << r;
    }
}

TEST(AntialiasedLine, EightBitLinesUseWholePixelsAndThePalettesNearestColour)
{
    // Entry 3 the line's colour, entry 7 the background; the others far from both.
    frametest::ScopedCurrentPalette palette([](uint32_t i, uint8_t& r, uint8_t& g, uint8_t& b) {
        r = static_cast<uint8_t>(i == 3 ? 200 : i == 7 ? 50 : 0);
        g = static_cast<uint8_t>(i == 3 ? 100 : i == 7 ? 50 : 255);
        b = static_cast<uint8_t>(i == 3 ? 50 : i == 7 ? 50 : i);
    });
    CFrame frame;
    frame.Create(16, 10, 8);
    frame.FillWithByte(7);
    CColor color;
    color.SetFromPaletteIndex(3);
    frame.DrawAntialiasedLine(0.6f, 5.7f, 10.2f, 5.7f, color);
    for (uint32_t c = 0; c < 16; ++c) {
        EXPECT_EQ(ReadPixel(frame, c, 5), c <= 10 ? 3u : 7u) << c;
        EXPECT_EQ(ReadPixel(frame, c, 6), 7u) << c;
    }
}

// A frame that is a window into a larger canvas, so that writes outside the frame show up in the
// canvas around it.
class CWindowFrame : public CProxyFrame
{
public:
    CWindowFrame(CFrame& canvas, uint32_t depth, int16_t left, int16_t top) : m_left(left), m_top(top)
    {
        canvas.Create(kCanvas, kCanvas, depth);
        m_bytes = canvas.GetBytesPerPixel();
        m_pixels = canvas.GetPixels() + (kMargin * kCanvas + kMargin) * m_bytes;
        for (uint32_t r = 0; r < kSide; ++r)
            m_rows[r] = r * kCanvas;
        m_flags = canvas.GetFormatFlags();
    }
    static constexpr uint32_t kCanvas = 64, kMargin = 16, kSide = 32;
    uint8_t* GetPixels() const override { return m_pixels; }
    uint32_t* GetRowOffsets() const override { return const_cast<uint32_t*>(m_rows); }
    uint16_t GetWidth() const override { return kSide; }
    uint16_t GetHeight() const override { return kSide; }
    int16_t GetLeft() const override { return m_left; }
    int16_t GetTop() const override { return m_top; }
    uint32_t GetFormatFlags() const override { return m_flags; }

private:
    uint8_t* m_pixels;
    uint32_t m_rows[kSide];
    uint32_t m_bytes;
    uint32_t m_flags;
    int16_t m_left, m_top;
};

TEST(AntialiasedLine, LinesLeavingTheFrameNeverWriteOutsideIt)
{
    frametest::ScopedCurrentPalette palette(frametest::RampEntry);
    std::mt19937 random(22);
    std::uniform_real_distribution<float> coordinate(-70.0f, 70.0f);
    for (uint32_t depth : {8u, 16u, 24u}) {
        CFrame canvas;
        CWindowFrame window(canvas, depth, -5, -7);
        frametest::FillPattern(canvas);
        auto outside = [&] {
            std::vector<uint32_t> values;
            for (uint32_t r = 0; r < CWindowFrame::kCanvas; ++r)
                for (uint32_t c = 0; c < CWindowFrame::kCanvas; ++c) {
                    const bool inside = r >= CWindowFrame::kMargin && r < CWindowFrame::kMargin + CWindowFrame::kSide &&
                                        c >= CWindowFrame::kMargin && c < CWindowFrame::kMargin + CWindowFrame::kSide;
                    if (!inside)
                        values.push_back(ReadPixel(canvas, c, r));
                }
            return values;
        };
        const auto guard = outside();
        const auto insideBefore = frametest::Snapshot(canvas);
        for (int i = 0; i < 400; ++i)
            DrawAntialiasedLineOnFrame(window, coordinate(random), coordinate(random), coordinate(random),
                                       coordinate(random), Opaque(255, 255, 255));
        // Lines ending on the far edges and along them.
        DrawAntialiasedLineOnFrame(window, -5.0f, 24.99f, 26.99f, 24.99f, Opaque(255, 255, 255));
        DrawAntialiasedLineOnFrame(window, 26.99f, -7.0f, 26.99f, 24.99f, Opaque(255, 255, 255));
        EXPECT_EQ(outside(), guard) << depth;
        EXPECT_NE(frametest::Snapshot(canvas), insideBefore) << depth;
    }
}

TEST(AntialiasedLine, ThirtyTwoBitsDrawAsTwentyFourAndOtherFormatsAreLeftAlone)
{
    // 32-bit pixels take the 24-bit line in their colour bytes and keep their alpha.
    CFrame frame32, frame24;
    frame32.Create(8, 8, 32);
    frame24.Create(8, 8, 24);
    frame32.DrawAntialiasedLine(0.0f, 1.0f, 7.0f, 5.0f, Opaque(255, 255, 255));
    frame24.DrawAntialiasedLine(0.0f, 1.0f, 7.0f, 5.0f, Opaque(255, 255, 255));
    EXPECT_EQ(frametest::Snapshot(frame32), frametest::Snapshot(frame24));

    CFrame runLength;
    frametest::MakeRunLengthFrame(runLength, 4, 16, kFrameRunLengthAlpha, {{0x84}, {0x84}});
    const std::vector<uint8_t> block(runLength.GetPixels(), runLength.GetPixels() + 6);
    runLength.DrawAntialiasedLine(0.0f, 0.0f, 3.0f, 1.0f, Opaque(255, 255, 255));
    EXPECT_EQ(std::vector<uint8_t>(runLength.GetPixels(), runLength.GetPixels() + 6), block);

    for (uint32_t depth : {16u, 24u}) {
        CFrame frame;
        frame.Create(8, 8, depth);
        frame.DrawAntialiasedLine(3.5f, 3.5f, 3.5f, 3.5f, Opaque(255, 255, 255));
        frame.DrawAntialiasedLine(1e30f, 2.0f, -1e30f, 2.0f, Opaque(255, 255, 255));
        EXPECT_EQ(frametest::Snapshot(frame)[3 * 8 + 3], 0u);
    }
}

} // namespace
