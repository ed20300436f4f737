// The depth conversion and palette stages: plain pixels and run-length payloads rewritten in
// place for 8-, 16-, 24- and 32-bit displays, checked against conversions worked out here.
#include "LoadTestSupport.h"
#include "graphics/FrameLoadStage.h"
#include "graphics/stages/BuildPaletteStage.h"
#include "graphics/stages/DepthConvertStage.h"
#include "graphics/stages/RunLengthEncodeStage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace frametest;
using namespace loadtest;

namespace {

bool Convert(CFrame& frame, int32_t target, bool dither = false)
{
    CFrameLoadStage list;
    list.InsertStage(new CDepthConvertStage(dither, target));
    return list.ApplyAll(&frame);
}

// The nearest of entries 1..254 by the weighted squares, worked out here.
uint8_t Nearest(const CPaletteTable& palette, int r, int g, int b)
{
    uint8_t best = 1;
    long bestDistance = -1;
    for (int i = 1; i < 255; ++i) {
        uint8_t pr, pg, pb;
        palette.GetEntry(i, pr, pg, pb);
        const long d = 30L * (r - pr) * (r - pr) + 59L * (g - pg) * (g - pg) + 11L * (b - pb) * (b - pb);
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = static_cast<uint8_t>(i);
        }
    }
    return best;
}

uint32_t BlockSize(const uint8_t* block)
{
    uint32_t size;
    std::memcpy(&size, block, 4);
    return size;
}

} // namespace

TEST(DepthConvert, PlainPixelsToEightBits)
{
    ScopedCurrentPalette palette(RampEntry);
    // An all-black image never becomes the transparent index 0.
    CFrame black;
    black.Create(3, 2, 24);
    EXPECT_TRUE(Convert(black, 8));
    EXPECT_EQ(black.GetBitsPerPixel(), 8u);
    for (uint32_t v : Snapshot(black))
        EXPECT_EQ(v, Nearest(g_currentPalette, 0, 0, 0));
    EXPECT_NE(Nearest(g_currentPalette, 0, 0, 0), 0);

    // 16-bit 0xFFFF stands for (248, 252, 248); 32-bit alpha is ignored.
    CFrame sixteen;
    sixteen.Create(1, 1, 16);
    WritePixel(sixteen, 0, 0, 0xFFFF);
    EXPECT_TRUE(Convert(sixteen, 8));
    EXPECT_EQ(ReadPixel(sixteen, 0, 0), Nearest(g_currentPalette, 248, 252, 248));
    CFrame wide;
    Fill32(wide, 2, 1, [](uint32_t x, uint32_t) { return Bgra(200, 100, static_cast<uint8_t>(x * 90), 7); });
    EXPECT_TRUE(Convert(wide, 8));
    EXPECT_EQ(ReadPixel(wide, 1, 0), Nearest(g_currentPalette, 90, 100, 200));
}

TEST(DepthConvert, PlainPixelsToSixteenAndTwentyFourBits)
{
    CFrame frame;
    Fill32(frame, 2, 1, [](uint32_t x, uint32_t) { return Bgra(3, 130, static_cast<uint8_t>(250 + x), 255); });
    EXPECT_TRUE(Convert(frame, 16));
    EXPECT_EQ(frame.GetBitsPerPixel(), 16u);
    EXPECT_EQ(ReadPixel(frame, 0, 0), PackRgbToPixel16(250, 130, 3));
    EXPECT_EQ(ReadPixel(frame, 1, 0), PackRgbToPixel16(251, 130, 3));

    // 24 bits only when no pixel is translucent; a 32-bit display takes the 24-bit display's frames.
    for (int32_t target : {24, 32}) {
        CFrame opaque, translucent;
        Fill32(opaque, 2, 2, [](uint32_t x, uint32_t y) { return Bgra(1, 2, static_cast<uint8_t>(x + y), 250); });
        Fill32(translucent, 2, 2, [](uint32_t x, uint32_t) { return Bgra(1, 2, 3, x ? 255 : 100); });
        EXPECT_TRUE(Convert(opaque, target));
        EXPECT_EQ(opaque.GetBitsPerPixel(), 24u) << target;
        EXPECT_EQ(ReadPixel(opaque, 1, 1), 0x020201u) << target;
        EXPECT_TRUE(Convert(translucent, target));
        EXPECT_EQ(translucent.GetBitsPerPixel(), 32u) << target;
    }

    // Combinations the encoder never makes stay as they are, depth bits included.
    CFrame indices;
    indices.Create(1, 1, 8);
    WritePixel(indices, 0, 0, 9);
    EXPECT_TRUE(Convert(indices, 16));
    EXPECT_EQ(indices.GetBitsPerPixel(), 8u);
    EXPECT_EQ(ReadPixel(indices, 0, 0), 9u);
    // A frame without pixels only takes the target's depth bits.
    CFrame empty;
    EXPECT_TRUE(Convert(empty, 16));
    EXPECT_EQ(empty.GetBitsPerPixel(), 16u);
}

TEST(DepthConvert, DitheredSixteenBitsStayOnTheGrid)
{
    CFrame frame;
    Fill32(frame, 64, 4, [](uint32_t x, uint32_t y) { return Bgra(static_cast<uint8_t>(x * 4), 77, static_cast<uint8_t>(y * 60), 255); });
    EXPECT_TRUE(Convert(frame, 16, true));
    // Every channel goes through 31 steps: green too, so its lowest bit is always the rounding of
    // a 31-step value.
    for (uint32_t v : Snapshot(frame)) {
        const uint32_t green = (v >> 5) & 63;
        bool onGrid = false;
        for (int k = 0; k <= 31; ++k)
            onGrid = onGrid || green == static_cast<uint32_t>((std::lround(k * 255.0 / 31) + 2) >> 2);
        EXPECT_TRUE(onGrid) << std::hex << v;
    }
}

TEST(DepthConvert, TwoBandRowsForASixteenBitDisplay)
{
    // One row: 4 opaque literal pixels, 3 translucent literal pixels, 12 translucent equal pixels.
    CFrame frame;
    Fill32(frame, 19, 1, [](uint32_t x, uint32_t) {
        if (x < 4)
            return Bgra(static_cast<uint8_t>(x * 50), 9, 9, 255);
        if (x < 7)
            return Bgra(static_cast<uint8_t>(x * 30), 1, 1, static_cast<uint8_t>(100 + x));
        return Bgra(0, 200, 0, 64);
    });
    ASSERT_TRUE(EncodeFor(frame, CRunLengthEncodeStage::kTwoBands, 16));
    ASSERT_EQ(frame.GetFormatFlags() & (kFrameRunLengthMask | kFrameDepthMask), kFrameRunLengthAlpha | kFrameDepth16);
    // Main: size, skip... 4 + (1 + 4 x 2) + skip 15 = 14 bytes; layer 4: skip, literal 3, fill 12.
    EXPECT_EQ(BlockSize(frame.GetPixels()), 4u + 1 + 8 + 1);
    EXPECT_EQ(BlockSize(frame.GetLayer4Pixels()), 4u + 1 + 1 + 6 + 1 + 2);
    // Layer 3: one alpha byte per literal pixel and one for the fill run, no headers.
    ASSERT_EQ(BlockSize(frame.GetLayer3Pixels()), 4u + 3 + 1);
    const uint8_t* alphas = frame.GetLayer3Pixels() + frame.GetLayer3RowOffsets()[0];
    EXPECT_EQ(std::vector<uint8_t>(alphas, alphas + 4), (std::vector<uint8_t>{104, 105, 106, 64}));
    const std::vector<RunPixel> main = DecodeRow(frame.GetPixels(), frame.GetRowOffsets(), 0, 19, 2);
    EXPECT_EQ(main[3].m_value, PackRgbToPixel16(9, 9, 150));
    const std::vector<RunPixel> colors = DecodeRow(frame.GetLayer4Pixels(), frame.GetLayer4RowOffsets(), 0, 19, 2);
    EXPECT_EQ(colors[5].m_value, PackRgbToPixel16(1, 1, 150));
    EXPECT_EQ(colors[18].m_value, PackRgbToPixel16(0, 200, 0));

    // For a 24-bit display, and a 32-bit one, the payloads keep B, G, R.
    for (int32_t target : {24, 32}) {
        CFrame same;
        Fill32(same, 19, 1, [](uint32_t x, uint32_t) { return x < 7 ? Bgra(5, 6, 7, x < 4 ? 255 : 100) : 0u; });
        ASSERT_TRUE(EncodeFor(same, CRunLengthEncodeStage::kTwoBands, target));
        EXPECT_EQ(same.GetFormatFlags() & (kFrameRunLengthMask | kFrameDepthMask), kFrameRunLengthAlpha | kFrameDepth24);
        EXPECT_EQ(DecodeRow(same.GetPixels(), same.GetRowOffsets(), 0, 19, 3)[0].m_value, 0x070605u);
        EXPECT_EQ(DecodeRow(same.GetLayer4Pixels(), same.GetLayer4RowOffsets(), 0, 19, 3)[4].m_value, 0x070605u);
    }
}

TEST(DepthConvert, LayeredRowsBecomePaletteIndices)
{
    ScopedCurrentPalette palette(RampEntry);
    CFrame frame;
    Fill32(frame, 5, 1, [](uint32_t x, uint32_t) { return Bgra(static_cast<uint8_t>(x * 40), 30, 200, x < 3 ? 255 : 150); });
    ASSERT_TRUE(EncodeFor(frame, CRunLengthEncodeStage::kFiveBands, 8));
    EXPECT_EQ(frame.GetBitsPerPixel(), 8u);
    const std::vector<RunPixel> main = DecodeRow(frame.GetPixels(), frame.GetRowOffsets(), 0, 5, 1);
    const std::vector<RunPixel> layer3 = DecodeRow(frame.GetLayer3Pixels(), frame.GetLayer3RowOffsets(), 0, 5, 1);
    EXPECT_EQ(main[2].m_value, Nearest(g_currentPalette, 200, 30, 80));
    EXPECT_EQ(layer3[4].m_value, Nearest(g_currentPalette, 200, 30, 160));
}

TEST(DepthConvert, SixteenBitImagesConvertToDitheredPaletteIndices)
{
    // The filtered scaling blitter's 8-bit path: a 16-bit intermediate through a dithered
    // conversion to 8 bits.
    ScopedCurrentPalette palette([](uint32_t i, uint8_t& r, uint8_t& g, uint8_t& b) { r = g = b = static_cast<uint8_t>(i); });
    CFrame frame;
    frame.Create(32, 8, 16);
    for (uint32_t y = 0; y < 8; ++y)
        for (uint32_t x = 0; x < 32; ++x)
            WritePixel(frame, x, y, PackRgbToPixel16(x * 8, x * 8, x * 8));
    EXPECT_TRUE(Convert(frame, 8, true));
    ASSERT_EQ(frame.GetBitsPerPixel(), 8u);
    // Dithering keeps each column's mean brightness near its grey.
    for (uint32_t x = 0; x < 32; ++x) {
        double sum = 0;
        for (uint32_t y = 0; y < 8; ++y) {
            const uint32_t index = ReadPixel(frame, x, y);
            EXPECT_NE(index, 0u);
            sum += index;
        }
        EXPECT_NEAR(sum / 8, x * 8.0, 6.0) << x;
    }
}

TEST(BuildPalette, TwentyFourBitImagesGetTheirOwnPalette)
{
    CFrame frame;
    frame.Create(4, 1, 24);
    WritePixel(frame, 0, 0, 0x0000FF);
    WritePixel(frame, 1, 0, 0x00FF00);
    CFrameLoadStage list;
    list.AddStage(10);
    EXPECT_TRUE(list.ApplyAll(&frame));
    ASSERT_TRUE(frame.HasPalette());
    uint8_t r, g, b;
    frame.GetPalette()->GetEntry(255, r, g, b);
    EXPECT_EQ(r + g + b, 255 * 3);
    frame.GetPalette()->GetEntry(0, r, g, b);
    EXPECT_EQ(r + g + b, 0);
    bool blue = false, green = false;
    for (int i = 1; i < 255; ++i) {
        frame.GetPalette()->GetEntry(i, r, g, b);
        blue = blue || (b > 240 && r < 16 && g < 16);
        green = green || (g > 240 && r < 16 && b < 16);
    }
    EXPECT_TRUE(blue && green);

    CFrame other;
    Fill32(other, 2, 2, [](uint32_t, uint32_t) { return 0xFFFFFFFFu; });
    EXPECT_FALSE(list.ApplyAll(&other)) << "only 24-bit images are counted";
    EXPECT_FALSE(other.HasPalette());
}
