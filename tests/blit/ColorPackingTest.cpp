// Colour packing on both paths, the palette-to-pixel tables and the byte fill.
#include "blit/ColorPacking.h"
#include "graphics/PaletteTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

// Fills the per-channel tables the way the 8-bit start-up does, and empties them again.
class ScopedPackingTables
{
public:
    ScopedPackingTables()
    {
        for (uint32_t c = 0; c < 256; ++c) {
            uint32_t c5 = static_cast<uint32_t>(std::floor(c * 31 / 255.0 + 0.5));
            uint32_t c6 = static_cast<uint32_t>(std::floor(c * 63 / 255.0 + 0.5));
            g_channelTo5[c] = c5;
            g_channelTo5Shl5[c] = c5 << 5;
            g_channelTo5Shl10[c] = c5 << 10;
            g_channelTo5Shl11[c] = c5 << 11;
            g_channelTo6Shl5[c] = c6 << 5;
        }
    }
    ~ScopedPackingTables()
    {
        for (uint32_t* table : {g_channelTo5, g_channelTo5Shl5, g_channelTo5Shl10, g_channelTo5Shl11, g_channelTo6Shl5})
            std::memset(table, 0, 256 * sizeof(uint32_t));
    }
};

} // namespace

TEST(ColorPacking, ArithmeticPathRoundsAndClamps)
{
    ASSERT_FALSE(ArePackingTablesBuilt());
    EXPECT_EQ(PackRgbToPixel16(255, 255, 255), 0xFFFFu);
    EXPECT_EQ(PackRgbToPixel16(4, 2, 4), 0x0821u);
    EXPECT_EQ(PackRgbToPixel16(3, 1, 3), 0u);
    EXPECT_EQ(PackRgbToPixel16(128, 128, 128), 0x8410u);
    EXPECT_EQ(PackRgbToPixel16(252, 254, 252), 0xFFFFu);
    EXPECT_EQ(PackRgbToPixel15(255, 0, 0), 0x7C00u);
    EXPECT_EQ(PackRgbToPixel15(0, 0, 4), 0x0001u);
    EXPECT_EQ(PackRgbToPixel15(255, 255, 255), 0x7FFFu);
    // Every value stays inside its field.
    for (uint32_t c = 0; c < 256; ++c) {
        EXPECT_EQ(PackRgbToPixel16(c, 0, 0) & 0x07FF, 0u);
        EXPECT_EQ(PackRgbToPixel16(0, c, 0) & 0xF81F, 0u);
        EXPECT_LT(PackRgbToPixel15(c, c, c), 0x8000u);
    }
}

TEST(ColorPacking, TablePathScalesToNearest)
{
    ScopedPackingTables tables;
    ASSERT_TRUE(ArePackingTablesBuilt());
    EXPECT_EQ(PackRgbToPixel16(255, 255, 255), 0xFFFFu);
    EXPECT_EQ(PackRgbToPixel16(4, 2, 4), 0u);
    EXPECT_EQ(PackRgbToPixel16(128, 128, 128), 0x8410u);
    EXPECT_EQ(PackRgbToPixel15(255, 0, 0), 0x7C00u);
    // Still the 5-6-5 layout.
    EXPECT_EQ(PackRgbToPixel16(255, 0, 0), 0xF800u);
    EXPECT_EQ(PackRgbToPixel16(0, 255, 0), 0x07E0u);
}

TEST(ColorPacking, PaletteToPixelTablesLiftPureBlack)
{
    CPaletteTable palette;
    palette.Create(1);
    for (uint32_t i = 0; i < 256; ++i)
        palette.SetEntry(i, 255, 255, 255);
    palette.SetEntry(7, 0, 0, 0);
    palette.SetEntry(8, 4, 0, 0); // red 4 packs normally
    palette.SetEntry(9, 255, 0, 0);
    for (bool withTables : {false, true}) {
        ScopedPackingTables* tables = withTables ? new ScopedPackingTables : nullptr;
        BuildPaletteToPixelTables(palette);
        EXPECT_EQ(g_paletteToPixel16[0], 0u);
        EXPECT_EQ(g_paletteToPixel15[0], 0u);
        EXPECT_EQ(g_paletteToPixel16[7], 0x0001u);
        EXPECT_EQ(g_paletteToPixel15[7], 0x0001u);
        EXPECT_EQ(g_paletteToPixel16[8], PackRgbToPixel16(4, 0, 0));
        EXPECT_EQ(g_paletteToPixel16[9], 0xF800u);
        EXPECT_EQ(g_paletteToPixel15[9], 0x7C00u);
        EXPECT_EQ(g_paletteToPixel16[200], 0xFFFFu);
        delete tables;
    }
    // A palette without data leaves the tables alone.
    CPaletteTable empty;
    BuildPaletteToPixelTables(empty);
    EXPECT_EQ(g_paletteToPixel16[9], 0xF800u);
    EXPECT_EQ(GetCurrentPaletteRef(), &g_currentPalette);
}

TEST(FillBytes, UnalignedHeadAndTailTakeTheLowByte)
{
    alignas(8) uint8_t buffer[24];
    std::memset(buffer, 0xEE, sizeof buffer);
    FillBytes(buffer + 1, 0x44332211u, 9);
    const uint8_t expected[] = {0xEE, 0x11, 0x11, 0x11, 0x11, 0x22, 0x33, 0x44, 0x11, 0x11, 0xEE};
    EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 11), std::vector<uint8_t>(expected, expected + 11));

    std::memset(buffer, 0xEE, sizeof buffer);
    FillBytes(buffer + 3, 0x44332211u, 0);
    for (uint8_t b : buffer)
        EXPECT_EQ(b, 0xEE);
    FillBytes(buffer, 0x0A0A0A0Au, 16);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(buffer[i], 0x0A);
    EXPECT_EQ(buffer[16], 0xEE);
}
