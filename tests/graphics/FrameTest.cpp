// Frames of plain rows: allocation and sizes, pixel access, clears and fills (the 16-bit alpha fill
// against the per-field formula), lines, remap tables and visibility.
#include "../blit/SpanKernelTestSupport.h"
#include "FrameTestSupport.h"
#include "blit/modes/CopyBlitter.h"
#include "graphics/Color.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>

using namespace frametest;

namespace {

CColor Rgba(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255)
{
    CColor color;
    color.ConstructRgba(r, g, b, a);
    return color;
}

// The 16-bit alpha fill worked out per field with exact floor division.
uint16_t ReferenceBlend565(uint16_t d, uint16_t c, uint32_t alpha)
{
    auto field = [](int dv, int cv, int level, int steps) {
        return dv + static_cast<int>(std::floor((cv - dv) * level / static_cast<double>(steps)));
    };
    int level5 = static_cast<int>(alpha >> 3), level6 = static_cast<int>(alpha >> 2);
    int r = field(d >> 11, c >> 11, level5, 32);
    int g = field((d >> 5) & 63, (c >> 5) & 63, level6, 64);
    int b = field(d & 31, c & 31, level5, 32);
    return static_cast<uint16_t>((r << 11) | (g << 5) | b);
}

} // namespace

TEST(Frame, AnEmptyFrameDrawsNothing)
{
    CFrame frame;
    CFrame source;
    source.Create(4, 4, 16);
    EXPECT_FALSE(frame.DrawFrameAt(&source, 0, 0, nullptr));
    frame.FillRect(CIntRect{0, 0, 10, 10}, g_colorWhite);
    frame.DrawLine(0, 0, 5, 5, g_colorWhite);
    CColor out;
    EXPECT_FALSE(frame.GetPixelColor(0, 0, out));
}

TEST(Frame, CreateSetsDepthBitsSizesAndRowTable)
{
    const std::pair<uint32_t, uint32_t> depths[] = {{8, 0x20}, {16, 0x40}, {24, 0x80}, {32, 0x100}};
    for (auto [depth, flag] : depths) {
        CFrame frame;
        frame.Create(7, 5, depth);
        EXPECT_EQ(frame.GetFormatFlags(), flag);
        EXPECT_EQ(frame.GetBitsPerPixel(), depth);
        EXPECT_EQ(frame.GetBytesPerPixel(), depth / 8);
        EXPECT_EQ(frame.GetPitch(), 7u);
        for (uint32_t r = 0; r < 5; ++r)
            EXPECT_EQ(frame.GetRowOffsets()[r], r * 7);
        EXPECT_EQ(frame.GetObjectSize(), CFrame::GetStaticClassRecord()->GetObjectSize() + 7 * 5 * depth / 8);
        // Zeroed.
        for (uint32_t v : Snapshot(frame))
            EXPECT_EQ(v, 0u);
    }
}

TEST(Frame, HeightOneStillHasTwoRowOffsets)
{
    CFrame frame;
    frame.Create(9, 1, 8);
    EXPECT_EQ(frame.GetPitch(), 9u);
    EXPECT_EQ(frame.GetRowOffsets()[0], 0u);
    EXPECT_EQ(frame.GetRowOffsets()[1], 9u);
}

TEST(Frame, LogTwoFieldsAreFloorsAndZeroForZeroAndOne)
{
    const std::pair<uint32_t, uint32_t> cases[] = {{0, 0}, {1, 0},   {2, 1},   {3, 1},
                                                   {4, 2}, {255, 7}, {256, 8}, {65535, 15}};
    for (auto [size, log2] : cases) {
        CFrame frame;
        frame.Create(size, size == 65535 ? 1 : size, 8);
        EXPECT_EQ(frame.GetWidthLog2(), log2) << size;
        if (size != 65535) {
            EXPECT_EQ(frame.GetHeightLog2(), log2) << size;
        }
    }
}

TEST(Frame, AllocatePixelsRefusesOtherDepthsAndOversizedFrames)
{
    CFrame frame;
    frame.Create(4, 4, 16);
    EXPECT_EQ(frame.AllocatePixels(4, 4, 12), 0u);
    EXPECT_EQ(frame.GetPixels(), nullptr);
    EXPECT_EQ(frame.GetFormatFlags() & 0x1E0, 0u);

    for (uint32_t depth : {0u, 1u, 7u, 33u, 64u})
        EXPECT_EQ(frame.AllocatePixels(4, 4, depth), 0u) << depth;
    // 65535 x 65535 x 4 bytes does not fit in 32 bits; a width beyond 16 bits cannot be held.
    EXPECT_EQ(frame.AllocatePixels(65535, 65535, 32), 0u);
    EXPECT_EQ(frame.GetPixels(), nullptr);
    EXPECT_EQ(frame.AllocatePixels(70000, 1, 8), 0u);
    EXPECT_EQ(frame.GetWidth(), 0);
}

TEST(Frame, AllocatePixelsKeepsMemoryWhenNothingChanges)
{
    CFrame frame;
    frame.Create(10, 3, 24);
    uint8_t* pixels = frame.GetPixels();
    WritePixel(frame, 2, 2, 0x123456);
    EXPECT_EQ(frame.AllocatePixels(10, 3, 24), 10u);
    EXPECT_EQ(frame.GetPixels(), pixels);
    EXPECT_EQ(ReadPixel(frame, 2, 2), 0x123456u);
    // A change of depth gives fresh zeroed memory.
    EXPECT_EQ(frame.AllocatePixels(10, 3, 8), 10u);
    EXPECT_EQ(frame.GetBitsPerPixel(), 8u);
}

TEST(Frame, FreePixelsReturnsToTheEmptyStateButKeepsOtherFlags)
{
    CFrame frame;
    frame.Create(3, 3, 8);
    frame.CreatePalette();
    frame.SetFormatFlags(frame.GetFormatFlags() | kFrameEncodedByStage);
    frame.FreePixels();
    EXPECT_EQ(frame.GetPixels(), nullptr);
    EXPECT_EQ(frame.GetRowOffsets(), nullptr);
    EXPECT_EQ(frame.GetWidth(), 0);
    EXPECT_EQ(frame.GetFormatFlags(), kFrameEncodedByStage | kFrameHasPalette);
}

TEST(Frame, SetPixelHonoursTheHotSpotAndIgnoresOutsideCoordinates)
{
    CFrame frame;
    frame.Create(4, 3, 16);
    frame.SetOrigin(-2, -1); // hot spot (2, 1)
    CIntRect bounds;
    frame.GetBounds(bounds);
    EXPECT_EQ(bounds, (CIntRect{-2, -1, 2, 2}));

    frame.SetPixel(-3, -1, g_colorWhite);
    frame.SetPixel(-2, -2, g_colorWhite);
    frame.SetPixel(2, 0, g_colorWhite);
    frame.SetPixel(0, 2, g_colorWhite);
    for (uint32_t v : Snapshot(frame))
        EXPECT_EQ(v, 0u);
    frame.SetPixel(-2, -1, g_colorWhite);
    EXPECT_EQ(ReadPixel(frame, 0, 0), 0xFFFFu);
    frame.SetPixel(1, 1, Rgba(255, 0, 0));
    EXPECT_EQ(ReadPixel(frame, 3, 2), 0xF800u);

    CFrame deep;
    deep.Create(2, 2, 32);
    deep.SetPixel(1, 0, Rgba(1, 2, 3, 4));
    EXPECT_EQ(ReadPixel(deep, 1, 0), 0x04010203u);
    CFrame rgb;
    rgb.Create(2, 2, 24);
    rgb.SetPixel(0, 1, Rgba(1, 2, 3));
    EXPECT_EQ(ReadPixel(rgb, 0, 1), 0x010203u);
}

TEST(Frame, GetPixelColorAndRawPixelOfEachDepth)
{
    CFrame frame16;
    frame16.Create(2, 1, 16);
    WritePixel(frame16, 1, 0, 0xFFFF);
    CColor out;
    ASSERT_TRUE(frame16.GetPixelColor(1, 0, out));
    EXPECT_EQ(out.GetRed(), 248);
    EXPECT_EQ(out.GetGreen(), 252);
    EXPECT_EQ(out.GetBlue(), 248);
    EXPECT_EQ(out.GetAlpha(), 255);
    EXPECT_EQ(frame16.GetRawPixel(1, 0), 0xFFFFu);

    CFrame frame24;
    frame24.Create(2, 1, 24);
    WritePixel(frame24, 0, 0, 0x302010); // bytes B=0x10, G=0x20, R=0x30
    EXPECT_EQ(frame24.GetRawPixel(0, 0), 0x10u + 0x20u * 256 + 0x30u * 65536);
    ASSERT_TRUE(frame24.GetPixelColor(0, 0, out));
    EXPECT_EQ(out.GetRed(), 0x30);
    EXPECT_EQ(out.GetBlue(), 0x10);
    EXPECT_TRUE(frame24.IsPixelOpaque(0, 0));
    EXPECT_FALSE(frame24.IsPixelOpaque(1, 0));

    CFrame frame32;
    frame32.Create(1, 1, 32);
    WritePixel(frame32, 0, 0, 0x80112233);
    ASSERT_TRUE(frame32.GetPixelColor(0, 0, out));
    EXPECT_EQ(out.GetAlpha(), 0x80);
    EXPECT_EQ(out.GetRed(), 0x11);
    EXPECT_EQ(frame32.GetRawPixel(0, 0), 0x80112233u);

    ScopedCurrentPalette palette(RampEntry);
    CFrame frame8;
    frame8.Create(1, 1, 8);
    WritePixel(frame8, 0, 0, 200);
    ASSERT_TRUE(frame8.GetPixelColor(0, 0, out));
    EXPECT_EQ(out.GetRed(), 200);
    EXPECT_EQ(out.GetGreen(), 55);
    EXPECT_EQ(out.GetPaletteIndex(), 200);

    // Outside: false and transparent black.
    out.ConstructRgba(9, 9, 9, 9);
    EXPECT_FALSE(frame8.GetPixelColor(1, 0, out));
    EXPECT_EQ(out.GetPixel32(), 0u);
    EXPECT_EQ(frame8.GetRawPixel(-1, 0), 0u);
}

TEST(Frame, ClearsAndByteFills)
{
    for (uint32_t depth : {8u, 16u, 24u, 32u}) {
        CFrame frame;
        frame.Create(6, 4, depth);
        FillPattern(frame);
        frame.SetOrigin(-1, -1);
        auto before = Snapshot(frame);
        frame.ClearRect(CIntRect{0, 0, 2, 10}); // pixel columns 1-2, rows 1-3
        auto after = Snapshot(frame);
        for (uint32_t r = 0; r < 4; ++r)
            for (uint32_t c = 0; c < 6; ++c) {
                bool cleared = c >= 1 && c <= 2 && r >= 1;
                EXPECT_EQ(after[r * 6 + c], cleared ? 0u : before[r * 6 + c]) << depth << " " << c << "," << r;
            }
        frame.FillWithByte(0xAB);
        for (uint32_t v : Snapshot(frame))
            EXPECT_EQ(v, depth == 32 ? 0xABABABABu : (0xABABABABu >> (32 - depth)));
        frame.Clear();
        for (uint32_t v : Snapshot(frame))
            EXPECT_EQ(v, 0u);
    }
}

TEST(Frame, FillWithColorWritesEachDepthsForm)
{
    CColor color = Rgba(0x11, 0x22, 0x33);
    CFrame frame16, frame24, frame32;
    frame16.Create(3, 2, 16);
    frame24.Create(3, 2, 24);
    frame32.Create(3, 2, 32);
    frame16.FillWithColor(color);
    frame24.FillWithColor(color);
    frame32.FillWithColor(color);
    for (uint32_t v : Snapshot(frame16))
        EXPECT_EQ(v, PackRgbToPixel16(0x11, 0x22, 0x33));
    for (uint32_t v : Snapshot(frame24))
        EXPECT_EQ(v, 0x112233u);
    for (uint32_t v : Snapshot(frame32))
        EXPECT_EQ(v, 0xFF112233u);

    CFrame frame8;
    frame8.Create(5, 3, 8);
    CColor indexed;
    indexed.ResetToBlackIndexOne();
    frame8.FillWithColor(indexed);
    for (uint32_t v : Snapshot(frame8))
        EXPECT_EQ(v, 1u);
}

TEST(Frame, FillRectClipsOnEveryEdge)
{
    ScopedCurrentPalette palette(RampEntry);
    CColor color;
    color.SetFromPaletteIndex(77); // (77, 178, 33)
    for (uint32_t depth : {8u, 16u, 24u}) {
        CFrame frame;
        frame.Create(10, 8, depth);
        frame.SetOrigin(-3, -2);
        const CIntRect rects[] = {{-10, -10, 0, 0}, {5, 4, 50, 50}, {-3, 3, 7, 4}, {2, -20, 3, 20}, {100, 0, 200, 5}};
        uint32_t expected = depth == 8 ? 77u : depth == 16 ? PackRgbToPixel16(77, 178, 33) : 0x4DB221u;
        for (const CIntRect& rect : rects) {
            frame.Clear();
            frame.FillRect(rect, color);
            for (uint32_t r = 0; r < 8; ++r)
                for (uint32_t c = 0; c < 10; ++c) {
                    int32_t x = static_cast<int32_t>(c) - 3, y = static_cast<int32_t>(r) - 2;
                    bool in = x >= rect.m_left && x < rect.m_right && y >= rect.m_top && y < rect.m_bottom;
                    EXPECT_EQ(ReadPixel(frame, c, r), in ? expected : 0u) << depth << " " << x << "," << y;
                }
        }
    }
}

TEST(Frame, InvertedRectanglesDrawNothing)
{
    CFrame frame, source;
    frame.Create(10, 10, 16);
    source.Create(10, 10, 16);
    FillPattern(frame);
    FillPattern(source, 9);
    auto before = Snapshot(frame);
    const CIntRect inverted[] = {{6, 2, 3, 8}, {2, 6, 8, 3}, {5, 5, 5, 5}};
    for (const CIntRect& rect : inverted) {
        frame.FillRect(rect, g_colorWhite);
        frame.ClearRect(rect);
        frame.ApplyRemapTableToRect(rect, CPaletteTable());
        EXPECT_FALSE(frame.Blit(&source, CIntRect{0, 0, 3, 3}, rect, &g_copyBlitter));
        EXPECT_FALSE(frame.Blit(&source, rect, CIntRect{0, 0, 3, 3}, &g_copyBlitter));
    }
    EXPECT_EQ(Snapshot(frame), before);
}

TEST(Frame, SixteenBitAlphaFillFollowsThePerFieldFormula)
{
    CFrame frame;
    frame.Create(64, 64, 16);
    for (uint32_t i = 0; i < 64 * 64; ++i)
        WritePixel(frame, i % 64, i / 64, (i * 40503u) & 0xFFFF);
    auto before = Snapshot(frame);
    const uint16_t colours[] = {0x0000, 0xFFFF, 0xF800, 0x07E0, 0x001F, 0x8410, 0x1234};
    for (uint32_t alpha : {0u, 1u, 7u, 8u, 100u, 128u, 200u, 254u, 255u}) {
        for (uint16_t c : colours) {
            CColor color;
            color.SetFromPixel565(c);
            color.Set(color.GetRed(), color.GetGreen(), color.GetBlue(), static_cast<int>(alpha));
            ASSERT_EQ(color.GetPixel16(), c);
            frame.FillRect(CIntRect{0, 0, 64, 64}, color);
            auto after = Snapshot(frame);
            for (size_t i = 0; i < after.size(); ++i) {
                uint16_t expected = alpha == 255 ? c : ReferenceBlend565(static_cast<uint16_t>(before[i]), c, alpha);
                ASSERT_EQ(after[i], expected) << "alpha " << alpha << " colour " << c << " pixel " << i;
            }
            for (size_t i = 0; i < before.size(); ++i)
                WritePixel(frame, i % 64, i / 64, before[i]);
        }
    }
}

TEST(Frame, LinesDrawBothEndsAndMatchBresenham)
{
    CFrame frame;
    frame.Create(40, 30, 8);
    frame.SetOrigin(-20, -15);
    CColor color;
    color.ResetToBlackIndexOne();
    const int32_t lines[][4] = {{-20, -15, 19, 14}, {5, 5, 5, 5}, {10, -10, -10, 3}, {-5, 12, 8, 12}, {0, -15, 0, 14}};
    for (const auto& l : lines) {
        frame.Clear();
        frame.DrawLine(l[0], l[1], l[2], l[3], color);
        // Independent reference: the classic error-accumulating walk.
        std::set<std::pair<int, int>> expected;
        int x0 = l[0], y0 = l[1], x1 = l[2], y1 = l[3];
        int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0), sx = x1 >= x0 ? 1 : -1, sy = y1 >= y0 ? 1 : -1;
        if (dx < dy) {
            for (int i = 0, x = x0, e = dy / 2; i <= dy; ++i) {
                expected.insert({x, y0 + i * sy});
                e += dx;
                if (e >= dy) {
                    e -= dy;
                    x += sx;
                }
            }
        } else {
            for (int i = 0, y = y0, e = dx / 2; i <= dx; ++i) {
                expected.insert({x0 + i * sx, y});
                e += dy;
                if (e >= dx) {
                    e -= dx;
                    y += sy;
                }
            }
        }
        for (int r = 0; r < 30; ++r)
            for (int c = 0; c < 40; ++c)
                EXPECT_EQ(ReadPixel(frame, c, r), expected.count({c - 20, r - 15}) ? 1u : 0u)
                    << l[0] << "," << l[1] << " " << c - 20 << "," << r - 15;
    }
}

TEST(Frame, LinesLeavingTheFrameDrawOnlyNearTheIdealLine)
{
    CFrame frame;
    frame.Create(30, 20, 16);
    frame.SetOrigin(-7, -4);
    const int32_t lines[][4] = {{-100, -50, 100, 60}, {50, -30, -40, 40}, {-7, 30, 22, -30}, {0, -1000, 3, 1000}};
    for (const auto& l : lines) {
        frame.Clear();
        frame.DrawLine(l[0], l[1], l[2], l[3], g_colorWhite);
        int drawn = 0;
        double length = std::hypot(double(l[2] - l[0]), double(l[3] - l[1]));
        for (int r = 0; r < 20; ++r)
            for (int c = 0; c < 30; ++c) {
                if (ReadPixel(frame, c, r) == 0)
                    continue;
                ++drawn;
                double x = c - 7, y = r - 4;
                double distance =
                    std::abs(double(l[2] - l[0]) * (l[1] - y) - (l[0] - x) * double(l[3] - l[1])) / length;
                EXPECT_LE(distance, 1.5);
            }
        EXPECT_GT(drawn, 10);
    }
}

TEST(Frame, OutlinesAndBevels)
{
    CFrame frame;
    frame.Create(8, 8, 16);
    frame.DrawRectOutline(CIntRect{0, 0, 1, 1}, g_colorWhite);
    int set = 0;
    for (uint32_t v : Snapshot(frame))
        set += v != 0;
    EXPECT_EQ(set, 1);
    EXPECT_EQ(ReadPixel(frame, 0, 0), 0xFFFFu);

    frame.Clear();
    CColor dark = Rgba(255, 0, 0);
    frame.DrawBevelRect(CIntRect{1, 1, 7, 6}, g_colorWhite, dark);
    EXPECT_EQ(ReadPixel(frame, 1, 1), 0xFFFFu);  // top-left corner: light
    EXPECT_EQ(ReadPixel(frame, 6, 5), 0xF800u);  // bottom-right corner: dark
    EXPECT_EQ(ReadPixel(frame, 6, 1), 0xF800u);  // the right edge is drawn last
    EXPECT_EQ(ReadPixel(frame, 1, 5), 0xFFFFu);  // the left edge is drawn after the bottom
    EXPECT_EQ(ReadPixel(frame, 3, 3), 0u);
    frame.FillRectCoords(2, 2, 4, 3, g_colorWhite);
    EXPECT_EQ(ReadPixel(frame, 3, 2), 0xFFFFu);
    EXPECT_EQ(ReadPixel(frame, 4, 2), 0u);
}

TEST(Frame, RemapTables)
{
    ScopedCurrentPalette palette(
        [](uint32_t i, uint8_t& r, uint8_t& g, uint8_t& b) { r = g = b = static_cast<uint8_t>(i); });
    CPaletteTable identity;
    identity.Create(2);

    CFrame frame8;
    frame8.Create(4, 4, 8);
    FillPattern(frame8);
    auto before8 = Snapshot(frame8);
    frame8.ApplyRemapTableToRect(CIntRect{-5, -5, 50, 50}, identity);
    EXPECT_EQ(Snapshot(frame8), before8);
    CPaletteTable invert;
    invert.Create(2);
    for (uint32_t i = 0; i < 256; ++i)
        invert.GetData()[i] = static_cast<uint8_t>(255 - i);
    frame8.ApplyRemapTableToCoords(1, 1, 3, 2, invert);
    EXPECT_EQ(ReadPixel(frame8, 1, 1), 255 - before8[5]);
    EXPECT_EQ(ReadPixel(frame8, 0, 1), before8[4]);
    frame8.ApplyRemapTableToCoords(3, 0, 1, 4, invert); // inverted: nothing
    EXPECT_EQ(ReadPixel(frame8, 2, 0), before8[2]);

    for (uint32_t depth : {16u, 24u}) {
        CFrame frame;
        frame.Create(4, 4, depth);
        FillPattern(frame);
        auto before = Snapshot(frame);
        frame.ApplyRemapTableToRect(CIntRect{0, 0, 4, 4}, identity);
        EXPECT_EQ(Snapshot(frame), before) << depth;
    }

    // Halving the grey: 24-bit bytes scale by 64/128; 16-bit pixels get black of alpha 127.
    CPaletteTable darker;
    darker.Create(2);
    darker.GetData()[128] = 64;
    CFrame frame24;
    frame24.Create(2, 1, 24);
    WritePixel(frame24, 0, 0, 0xFF8001);
    frame24.ApplyRemapTableToRect(CIntRect{0, 0, 1, 1}, darker);
    // Each byte is rounded to nearest, halves away from zero: 255 -> 128, 128 -> 64, 1 -> 1.
    EXPECT_EQ(ReadPixel(frame24, 0, 0), 0x804001u);
    EXPECT_EQ(ReadPixel(frame24, 1, 0), 0u);
    CFrame frame16;
    frame16.Create(1, 1, 16);
    WritePixel(frame16, 0, 0, 0xFFFF);
    frame16.ApplyRemapTableToRect(CIntRect{0, 0, 1, 1}, darker);
    EXPECT_EQ(ReadPixel(frame16, 0, 0), ReferenceBlend565(0xFFFF, 0, 127));
}

TEST(Frame, HasVisiblePixels)
{
    CFrame empty;
    EXPECT_FALSE(empty.HasVisiblePixels());
    CFrame frame8;
    frame8.Create(3, 3, 8);
    EXPECT_FALSE(frame8.HasVisiblePixels());
    WritePixel(frame8, 2, 2, 1);
    EXPECT_TRUE(frame8.HasVisiblePixels());
    CFrame frame32;
    frame32.Create(3, 3, 32);
    WritePixel(frame32, 1, 1, 0x00FFFFFF);
    EXPECT_FALSE(frame32.HasVisiblePixels());
    WritePixel(frame32, 2, 2, 0x01000000);
    EXPECT_TRUE(frame32.HasVisiblePixels());
    CFrame frame24;
    frame24.Create(3, 3, 24);
    WritePixel(frame24, 2, 2, 0x010000);
    EXPECT_TRUE(frame24.HasVisiblePixels());
    CFrame frame16;
    frame16.Create(3, 3, 16);
    WritePixel(frame16, 0, 0, 0xFFFF);
    EXPECT_FALSE(frame16.HasVisiblePixels());
}

TEST(Frame, ThirtyTwoBitFramesTakeFillsLinesAndRectClearsOpaque)
{
    CFrame frame;
    frame.Create(4, 4, 32);
    FillPattern(frame);
    frame.FillRect(CIntRect{1, 1, 3, 3}, Rgba(1, 2, 3));
    EXPECT_EQ(ReadPixel(frame, 1, 1), 0xFF010203u);
    frame.DrawLine(0, 3, 3, 3, g_colorWhite);
    EXPECT_EQ(ReadPixel(frame, 2, 3), 0xFFFFFFFFu);
    frame.ClearRect(CIntRect{0, 0, 1, 4});
    EXPECT_EQ(ReadPixel(frame, 0, 2), 0u);
    EXPECT_NE(ReadPixel(frame, 3, 0), 0u);
    frame.FillWithColor(g_colorTransparentBlack);
    EXPECT_EQ(Snapshot(frame), std::vector<uint32_t>(16, 0u));
}

// A colour of alpha below 255 lies over the pixels at every depth: 24 and 32 bits per byte by
// alpha / 256 (a 32-bit pixel's alpha covered too), 8 bits by the alpha's nearest fifth through the
// blend tables, index 0 (no colour) taking the colour only from three fifths on.
TEST(Frame, TranslucentFillsMixAtEveryDepth)
{
    const CColor half = Rgba(200, 100, 0, 128);
    CFrame frame24, frame32;
    frame24.Create(2, 1, 24);
    frame32.Create(2, 1, 32);
    WritePixel(frame24, 0, 0, 0x000064);
    WritePixel(frame32, 0, 0, 0x40000064);
    frame24.FillRect(CIntRect{0, 0, 2, 1}, half);
    frame32.FillRect(CIntRect{0, 0, 2, 1}, half);
    // Red 0 + 200 * 128 / 256, green 50, blue 100 - 50.
    EXPECT_EQ(ReadPixel(frame24, 0, 0), 0x643232u);
    EXPECT_EQ(ReadPixel(frame32, 0, 0), 0x9F643232u);
    frame24.FillRect(CIntRect{0, 0, 2, 1}, Rgba(9, 9, 9, 0));
    EXPECT_EQ(ReadPixel(frame24, 0, 0), 0x643232u);

    spantest::CScopedBlendTables tables;
    CFrame frame8;
    frame8.Create(6, 1, 8);
    for (uint32_t x = 1; x < 6; ++x)
        WritePixel(frame8, x, 0, 30);
    CColor colour;
    colour.SetFromPaletteIndex(200);
    const struct
    {
        uint8_t alpha;
        uint32_t x;
        uint32_t expected;
    } cases[] = {
        {20, 1, 30},                                    // under a tenth: nothing
        {60, 2, Alpha20_80.GetData()[200 * 256 + 30]},  // a fifth of the colour
        {110, 3, Alpha40_60.GetData()[200 * 256 + 30]}, // two fifths
        {160, 4, Alpha40_60.GetData()[30 * 256 + 200]}, // three fifths
        {240, 5, 200},                                  // whole
    };
    for (const auto& c : cases) {
        CColor translucent = colour;
        translucent.Set(colour.GetRed(), colour.GetGreen(), colour.GetBlue(), c.alpha);
        frame8.FillRect(CIntRect{static_cast<int32_t>(c.x), 0, static_cast<int32_t>(c.x) + 1, 1}, translucent);
        EXPECT_EQ(ReadPixel(frame8, c.x, 0), c.expected) << int{c.alpha};
    }
    CColor faint = colour;
    faint.Set(colour.GetRed(), colour.GetGreen(), colour.GetBlue(), 110);
    frame8.FillRect(CIntRect{0, 0, 1, 1}, faint);
    EXPECT_EQ(ReadPixel(frame8, 0, 0), 0u);
}
