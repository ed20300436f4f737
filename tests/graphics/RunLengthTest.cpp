// Pixel queries on run-length frames: the row format, the layer priority of the layered 8-bit
// format, the colour and alpha layers of the alpha format, and rows whose data ends early.
#include "FrameTestSupport.h"
#include "graphics/Color.h"
#include "graphics/RunLengthRows.h"

#include <gtest/gtest.h>

using namespace frametest;

TEST(RunLengthFrame, ExampleRowDecodes)
{
    ScopedCurrentPalette palette(RampEntry);
    const uint8_t a = 11, b = 22, c = 33;
    CFrame frame;
    MakeRunLengthFrame(frame, 10, 8, kFrameRunLength8, {{0x85, 0x42, a, b, 0x03, c}});
    const uint8_t expected[10] = {0, 0, 0, 0, 0, a, b, c, c, c};
    for (int32_t x = 0; x < 10; ++x) {
        CColor color;
        ASSERT_TRUE(frame.GetPixelColor(x, 0, color));
        EXPECT_EQ(color.GetPaletteIndex(), expected[x]) << x;
        EXPECT_EQ(frame.IsPixelOpaque(x, 0), x >= 5) << x;
        EXPECT_EQ(frame.GetRawPixel(x, 0), x >= 5 ? 0xFFFFFFFFu : 0u) << x;
    }
    CColor color;
    EXPECT_FALSE(frame.GetPixelColor(10, 0, color));
    EXPECT_EQ(frame.GetRawPixel(10, 0), 0u);
}

TEST(RunLengthFrame, LayeredValuesTakeTheFirstNonZeroInPriorityOrder)
{
    ScopedCurrentPalette palette(RampEntry);
    // Six pixels; main covers 0 (value 1) and 5 (value 0); layer 4 covers 0-2; layer 3 covers 1-3;
    // layer 2 covers 2-4; layer 1 covers 0-5.
    CFrame frame;
    MakeRunLengthFrame(frame, 6, 8, kFrameRunLength8, {{0x01, 1, 0x84, 0x01, 0}});
    AddLayer(frame, 4, {{0x43, 40, 41, 42, 0x83}});
    AddLayer(frame, 3, {{0x81, 0x03, 30, 0x82}});
    AddLayer(frame, 2, {{0x82, 0x43, 20, 21, 22, 0x81}});
    AddLayer(frame, 1, {{0x06, 10}});
    const uint8_t expected[6] = {1, 41, 42, 30, 22, 10};
    for (int32_t x = 0; x < 6; ++x) {
        CColor color;
        ASSERT_TRUE(frame.GetPixelColor(x, 0, color));
        EXPECT_EQ(color.GetPaletteIndex(), expected[x]) << x;
        EXPECT_TRUE(frame.IsPixelOpaque(x, 0));
    }
    // A drawn run of value 0 still covers the pixel.
    CFrame zero;
    MakeRunLengthFrame(zero, 2, 8, kFrameRunLength8, {{0x01, 0, 0x81}});
    EXPECT_EQ(zero.GetRawPixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(zero.GetRawPixel(1, 0), 0u);
}

TEST(RunLengthFrame, AlphaFormatReadsOpaqueThenTranslucentWithTheirAlpha)
{
    // 16-bit, width 8: main draws 0-1 opaque; layer 4 draws a literal of 2 (2-3), skips 4, a fill
    // of 3 (5-7). Layer 3 holds one alpha byte per literal pixel and one per fill run.
    CFrame frame;
    MakeRunLengthFrame(frame, 8, 16, kFrameRunLengthAlpha, {{0x02, 0x00, 0xF8, 0x86}});
    AddLayer(frame, 4, {{0x82, 0x42, 0x1F, 0x00, 0xE0, 0x07, 0x81, 0x03, 0xFF, 0xFF}});
    AddLayer(frame, 3, {{10, 20, 30}});
    struct Expected
    {
        uint8_t r, g, b, a;
    } expected[8] = {{248, 0, 0, 255}, {248, 0, 0, 255}, {0, 0, 248, 10}, {0, 252, 0, 20}, {0, 0, 0, 0},
                     {248, 252, 248, 30}, {248, 252, 248, 30}, {248, 252, 248, 30}};
    for (int32_t x = 0; x < 8; ++x) {
        CColor color;
        ASSERT_TRUE(frame.GetPixelColor(x, 0, color));
        EXPECT_EQ(color.GetRed(), expected[x].r) << x;
        EXPECT_EQ(color.GetGreen(), expected[x].g) << x;
        EXPECT_EQ(color.GetBlue(), expected[x].b) << x;
        EXPECT_EQ(color.GetAlpha(), expected[x].a) << x;
        EXPECT_EQ(frame.IsPixelOpaque(x, 0), x != 4) << x;
    }
}

TEST(RunLengthFrame, RowsThatEndEarlyOrPointOutsideTheBlockCoverNothingMore)
{
    // The block claims a fill run whose value lies past its end, and a second row whose offset is
    // beyond the block.
    RunLengthBlock block = MakeBlock({{0x42, 5}, {}});
    block.m_rows[1] = 1000;
    EXPECT_FALSE(FindRunLengthPixel(block.m_block, block.m_rows, 0, 10, 0, 1).m_covered);
    EXPECT_FALSE(FindRunLengthPixel(block.m_block, block.m_rows, 1, 10, 0, 1).m_covered);
    std::free(block.m_block);
    std::free(block.m_rows);

    // Runs of length 0 make no progress but cannot loop forever: the data runs out.
    RunLengthBlock zeros = MakeBlock({{0x80, 0x80, 0x40, 0x00, 1}});
    EXPECT_FALSE(FindRunLengthPixel(zeros.m_block, zeros.m_rows, 0, 4, 1, 1).m_covered);
    std::free(zeros.m_block);
    std::free(zeros.m_rows);

    // Alpha bytes that run out leave the alpha unknown.
    RunLengthBlock colours = MakeBlock({{0x42, 1, 1, 2, 2}});
    RunLengthBlock alphas = MakeBlock({{7}});
    uint8_t alpha = 99;
    EXPECT_TRUE(FindRunLengthAlpha(colours.m_block, colours.m_rows, alphas.m_block, alphas.m_rows, 0, 2, 0, 2, alpha));
    EXPECT_EQ(alpha, 7);
    EXPECT_FALSE(FindRunLengthAlpha(colours.m_block, colours.m_rows, alphas.m_block, alphas.m_rows, 0, 2, 1, 2, alpha));
    for (void* p : {static_cast<void*>(colours.m_block), static_cast<void*>(colours.m_rows),
                    static_cast<void*>(alphas.m_block), static_cast<void*>(alphas.m_rows)})
        std::free(p);
}

TEST(RunLengthFrame, PlainPixelOperationsLeaveEncodedRowsAlone)
{
    CFrame frame;
    MakeRunLengthFrame(frame, 4, 16, kFrameRunLengthAlpha, {{0x04, 0x34, 0x12}, {0x84}});
    std::vector<uint8_t> before(frame.GetPixels(), frame.GetPixels() + GetRunLengthBlockSize(frame.GetPixels()));
    frame.Clear();
    frame.ClearRect(CIntRect{0, 0, 4, 2});
    frame.FillWithByte(0xFF);
    frame.FillWithColor(g_colorWhite);
    frame.FillRect(CIntRect{0, 0, 4, 2}, g_colorWhite);
    frame.DrawLine(0, 0, 3, 1, g_colorWhite);
    frame.SetPixel(1, 1, g_colorWhite);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), frame.GetPixels()));
    EXPECT_FALSE(frame.HasVisiblePixels());
    EXPECT_EQ(frame.GetObjectSize(), CFrame::GetStaticClassRecord()->GetObjectSize() + before.size() + 2 * 4);
}
