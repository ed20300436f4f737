// The palette-table builders against worked values and nearest colours found by brute force.
#include "graphics/PaletteTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>

namespace {

using Palette = std::array<std::array<int, 3>, 256>;

Palette RandomPalette(CPaletteTable& table, uint32_t seed)
{
    std::mt19937 random(seed);
    Palette palette;
    table.Create(1);
    for (uint32_t i = 0; i < 256; ++i) {
        for (int& c : palette[i])
            c = static_cast<int>(random() & 255);
        table.SetEntry(i, static_cast<uint8_t>(palette[i][0]), static_cast<uint8_t>(palette[i][1]),
                       static_cast<uint8_t>(palette[i][2]));
    }
    return palette;
}

int Nearest(const Palette& palette, int r, int g, int b, int start, int end)
{
    int best = start;
    long bestDistance = -1;
    for (int i = start; i < end; ++i) {
        const auto& c = palette[i];
        const long d = 30L * (r - c[0]) * (r - c[0]) + 59L * (g - c[1]) * (g - c[1]) + 11L * (b - c[2]) * (b - c[2]);
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

} // namespace

TEST(PaletteBuilders, ColorAdjustScalesLightness)
{
    CPaletteTable palette, table;
    Palette colours = RandomPalette(palette, 7);
    table.BuildColorAdjustTable(palette, 128, 3, 9, 1, 255, 1, 255, nullptr);
    ASSERT_EQ(table.GetKind(), 2);
    for (uint32_t i = 0; i < 256; ++i)
        ASSERT_EQ(table.GetData()[i], i);
    // Level 0 makes every colour black; level 256 doubles a grey's lightness (0.2 to 0.4) and
    // makes a pure hue of lightness 0.5 white. Entries outside first .. end - 1 stay.
    colours[1] = {0, 0, 0};
    colours[2] = {51, 51, 51};
    colours[3] = {102, 102, 102};
    colours[4] = {0, 0, 255};
    colours[5] = {255, 255, 255};
    for (uint32_t i = 1; i < 6; ++i)
        palette.SetEntry(i, static_cast<uint8_t>(colours[i][0]), static_cast<uint8_t>(colours[i][1]),
                         static_cast<uint8_t>(colours[i][2]));
    table.BuildColorAdjustTable(palette, 0, 0, 0, 10, 250, 1, 255, nullptr);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(table.GetData()[i], i < 10 || i >= 250 ? i : Nearest(colours, 0, 0, 0, 1, 255)) << i;
    table.BuildColorAdjustTable(palette, 256, 0, 0, 2, 5, 1, 255, nullptr);
    EXPECT_EQ(table.GetData()[2], 3);
    EXPECT_EQ(table.GetData()[4], 5);
}

TEST(PaletteBuilders, BlendAndLightTables)
{
    CPaletteTable palette, table;
    Palette colours = RandomPalette(palette, 11);
    // Worked values: a row channel 0 over a column channel 5 mixes to 3 in the 20 % table, as
    // single-precision 0.2 lies just above 0.2; row 0, white over the column, gives 54, not 55.
    const std::array<int, 3> fixed[] = {{0, 0, 0}, {5, 5, 5}, {3, 3, 3}, {4, 4, 4}, {55, 55, 55}, {54, 54, 54}};
    for (int i = 0; i < 6; ++i) {
        colours[200 + i] = fixed[i];
        const auto grey = static_cast<uint8_t>(fixed[i][0]);
        palette.SetEntry(200 + i, grey, grey, grey);
    }
    table.BuildBlendTable(palette, 0.2f);
    EXPECT_EQ(table.GetData()[200 * 256 + 201], 202);
    EXPECT_EQ(table.GetData()[0 * 256 + 201], 205);
    for (int s = 1; s < 256; s += 3)
        for (int d = 0; d < 256; ++d) {
            auto mix = [&](int c) { return static_cast<int>(colours[d][c] * (1.0 - 0.2f) + colours[s][c] * 0.2f); };
            ASSERT_EQ(table.GetData()[s * 256 + d], Nearest(colours, mix(0), mix(1), mix(2), 1, 255)) << s << " " << d;
        }
    // The light table: a black source leaves the destination as it is.
    table.BuildBlendTable(palette, 0.0f);
    for (int d = 0; d < 256; ++d)
        ASSERT_EQ(table.GetData()[200 * 256 + d], Nearest(colours, colours[d][0], colours[d][1], colours[d][2], 1, 255));

    // Whatever the palette, no blend answers 0 or 255 and no inverse table 0.
    palette.SetEntry(0, 0, 0, 0);
    palette.SetEntry(255, 255, 255, 255);
    for (int which = 0; which < 7; ++which) {
        switch (which) {
        case 0: table.BuildBlendTable(palette, 0.4f); break;
        case 1: table.BuildBlendTable(palette, 0.0f); break;
        case 2: table.BuildAmplifyLightTable(palette); break;
        case 3: table.BuildTestLightTable(palette); break;
        case 4: table.BuildBlendTable(palette, 0.2f); break;
        default: table.BuildInverseColorTable(palette, which == 5 ? 5 : 7, 1, 256); break;
        }
        const uint8_t* data = table.GetData();
        EXPECT_EQ(std::count(data, data + table.GetSize(), 0), 0) << which;
        if (which < 5) {
            EXPECT_EQ(std::count(data, data + table.GetSize(), 255), 0) << which;
        }
    }
}

TEST(PaletteBuilders, TestLightOfGreysAddsAThirdOfTheLightness)
{
    // Greys have no hue or saturation: a grey s over a grey d gives grey d + s / 3.
    CPaletteTable palette, table;
    palette.Create(1);
    for (uint32_t i = 0; i < 256; ++i)
        palette.SetEntry(i, static_cast<uint8_t>(i), static_cast<uint8_t>(i), static_cast<uint8_t>(i));
    table.BuildTestLightTable(palette);
    for (int s = 1; s < 256; s += 3)
        for (int d = 0; d < 256; ++d)
            ASSERT_EQ(table.GetData()[s * 256 + d], std::clamp(d + s / 3, 1, 254)) << s << " " << d;
}

TEST(PaletteBuilders, InverseTablesHoldTheNearestEntry)
{
    CPaletteTable palette, table;
    const Palette colours = RandomPalette(palette, 44);
    table.BuildInverseColorTable(palette, 5, 1, 256);
    for (int p = 0; p < 32768; p += 5)
        ASSERT_EQ(table.GetData()[p], Nearest(colours, (p >> 10) * 8, (p >> 5 & 31) * 8, (p & 31) * 8, 1, 256));
    table.BuildInverseColorTable(palette, 7, 10, 20);
    for (int p = 0; p < 65536; p += 7)
        ASSERT_EQ(table.GetData()[p], Nearest(colours, (p >> 11) * 8, (p >> 5 & 63) * 4, (p & 31) * 8, 10, 20));
    // The lazy kind starts empty and fills one entry on use, from entries 1 to 254.
    table.BuildInverseColorTable(palette, 6, 1, 256);
    EXPECT_EQ(std::count(table.GetData(), table.GetData() + 32768, 0), 32768);
    EXPECT_EQ(table.FindNearest(96, 160, 40, 0, 0), Nearest(colours, 96, 160, 40, 1, 255));
    EXPECT_EQ(std::count(table.GetData(), table.GetData() + 32768, 0), 32767);
}
