// Colours: their pixel forms, the cached palette index and where it comes from.
#include "FrameTestSupport.h"
#include "graphics/Color.h"

#include <gtest/gtest.h>

using namespace frametest;

TEST(Color, FormsOfOneColour)
{
    CColor color;
    color.ConstructRgba(0x12, 0x34, 0x56, 0x78);
    EXPECT_EQ(color.GetPixel32(), 0x78123456u);
    EXPECT_EQ(color.GetPixel24()[0], 0x56);
    EXPECT_EQ(color.GetPixel24()[2], 0x12);
    EXPECT_EQ(color.GetPixel16(), PackRgbToPixel16(0x12, 0x34, 0x56));
    EXPECT_EQ(color.GetFlags(), CColor::kIndexFromTable);

    color.SetFromPixel565(0xFFFF);
    EXPECT_EQ(color.GetRed(), 248);
    EXPECT_EQ(color.GetGreen(), 252);
    EXPECT_EQ(color.GetBlue(), 248);
    EXPECT_EQ(color.GetAlpha(), 255);

    color.Set(1, 2, 3);
    EXPECT_EQ(color.GetAlpha(), 255);
    color.Set(1, 2, 3, 0);
    EXPECT_EQ(color.GetAlpha(), 0);

    EXPECT_EQ(g_colorBlack.GetPixel32(), 0xFF000000u);
    EXPECT_EQ(g_colorBlack.GetPixel16(), 0);
    EXPECT_EQ(g_colorWhite.GetPixel16(), 0xFFFF);
    EXPECT_EQ(g_colorTransparentBlack.GetPixel32(), 0u);
}

TEST(Color, BlackResets)
{
    CColor color;
    color.ConstructRgba(9, 9, 9, 9);
    color.SetBlack();
    EXPECT_EQ(color.GetPixel32(), 0xFF000000u);
    EXPECT_EQ(color.GetFlags(), CColor::kIndexFromTable);
    color.ResetToBlackIndexZero();
    EXPECT_EQ(color.GetFlags(), CColor::kIndexValid);
    EXPECT_EQ(color.GetPaletteIndex(), 0);
    color.ResetToBlackIndexOne();
    EXPECT_EQ(color.GetFlags(), CColor::kIndexValid);
    EXPECT_EQ(color.GetPaletteIndex(), 1);

    CFrame frame;
    frame.Create(2, 2, 8);
    frame.SetPixel(1, 1, color);
    EXPECT_EQ(ReadPixel(frame, 1, 1), 1u);
}

TEST(Color, IndexFromTheInverseTableIsZeroBeforeTheEightBitSetUp)
{
    ASSERT_TRUE(g_inverseColorTable15.IsEmpty());
    ScopedCurrentPalette palette(RampEntry);
    CColor color;
    color.ConstructRgba(200, 55, 200 * 37 & 255, 255);
    EXPECT_EQ(color.GetPaletteIndex(), 0);
    EXPECT_TRUE(color.HasPaletteIndex());

    // Avoiding index zero searches entries 1 to 255 of the current palette.
    CColor searched;
    searched.SetAvoidingIndexZero(200, 55, 200 * 37 & 255, 255);
    EXPECT_FALSE(searched.HasPaletteIndex());
    EXPECT_EQ(searched.GetPaletteIndex(), 200);
    // Entry 0's exact colour still finds a non-zero index.
    CColor zero;
    zero.SetAvoidingIndexZero(0, 255, 0, 255);
    EXPECT_NE(zero.GetPaletteIndex(), 0);
}

TEST(Color, IndexFromTheInverseTableOnceBuilt)
{
    g_inverseColorTable15.Create(5);
    for (uint32_t i = 0; i < 32768; ++i)
        g_inverseColorTable15.GetData()[i] = static_cast<uint8_t>(i % 251 + 1);
    CColor color;
    color.ConstructRgba(255, 0, 0, 255);
    EXPECT_EQ(color.GetPaletteIndex(), 0x7C00 % 251 + 1);
    g_inverseColorTable15.Free();
}

TEST(Color, AnIndexSetFromThePaletteIsUsedWithoutASearch)
{
    ScopedCurrentPalette palette(RampEntry);
    CColor color;
    color.SetFromPaletteIndex(7);
    EXPECT_EQ(color.GetRed(), 7);
    EXPECT_EQ(color.GetGreen(), 248);
    EXPECT_EQ(color.GetFlags(), CColor::kIndexValid | CColor::kIndexFromTable);
    // Entry 7 changes: a search would now find another entry, the cached index stays.
    g_currentPalette.SetEntry(7, 0, 0, 0);
    EXPECT_EQ(color.GetPaletteIndex(), 7);
    // Setting the same colour again keeps the index; another colour drops it.
    color.Set(7, 248, 7 * 37 & 255);
    EXPECT_TRUE(color.HasPaletteIndex());
    color.Set(8, 247, 8 * 37 & 255);
    EXPECT_FALSE(color.HasPaletteIndex());
    EXPECT_EQ(color.GetPaletteIndex(), 0); // from the inverse table, not built yet

    // The same colour asked to avoid index 0 searches again instead of keeping the 0.
    color.SetAvoidingIndexZero(8, 247, 8 * 37 & 255, 255);
    EXPECT_FALSE(color.HasPaletteIndex());
    EXPECT_EQ(color.GetPaletteIndex(), 8);
    color.SetFromPixel565(0xFFFF);
    EXPECT_FALSE(color.HasPaletteIndex());
}

TEST(Color, DisplayPaletteServesWhenTheCurrentOneIsEmpty)
{
    ASSERT_TRUE(g_currentPalette.IsEmpty());
    static CPaletteTable s_display;
    s_display.Create(1);
    for (uint32_t i = 0; i < 256; ++i)
        s_display.SetEntry(i, 0, 0, 0);
    s_display.SetEntry(42, 10, 20, 30);
    CColor::SetDisplayPaletteGetter([] { return &s_display; });
    CColor color;
    color.SetAvoidingIndexZero(10, 20, 30, 255);
    EXPECT_EQ(color.GetPaletteIndex(), 42);
    CColor::SetDisplayPaletteGetter(nullptr);
    CColor none;
    none.SetAvoidingIndexZero(10, 20, 30, 255);
    EXPECT_EQ(none.GetPaletteIndex(), 0);
}
