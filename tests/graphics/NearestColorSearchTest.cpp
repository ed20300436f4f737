// The palette search of the conversions: the same answers as the linear search of the palette
// table (and as a plain loop written here) for every lane width, palettes full of ties, every
// kind of range, and remembered answers.
#include "graphics/NearestColorSearch.h"
#include "graphics/PaletteTable.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using Lanes = CNearestColorSearch::Lanes;

// The rule written out once more: the smallest weighted distance, the lowest index on ties; an
// empty range answers its start.
uint8_t Reference(const CPaletteTable& palette, int r, int g, int b, uint32_t start, uint32_t end)
{
    end = std::min<uint32_t>(end, 256);
    uint32_t best = start, bestDistance = UINT32_MAX;
    for (uint32_t i = start; i < end; ++i) {
        const uint8_t* e = palette.GetData() + 3 * i;
        const uint32_t d = 30 * (r - e[2]) * (r - e[2]) + 59 * (g - e[1]) * (g - e[1]) + 11 * (b - e[0]) * (b - e[0]);
        if (d < bestDistance)
            bestDistance = d, best = i;
    }
    return static_cast<uint8_t>(best);
}

enum class Kind
{
    Random,
    FewColours, // six colours over and over: every answer is a tie
    Greys,
    Extremes // black and white only, and the corners of the cube
};

void Fill(CPaletteTable& palette, Kind kind, std::mt19937& random)
{
    palette.Create(1);
    const uint8_t few[6][3] = {{0, 0, 0}, {255, 255, 255}, {200, 10, 10}, {10, 200, 10}, {10, 10, 200}, {128, 128, 128}};
    for (uint32_t i = 0; i < 256; ++i) {
        switch (kind) {
        case Kind::Random:
            palette.SetEntry(i, random() & 0xFF, random() & 0xFF, random() & 0xFF);
            break;
        case Kind::FewColours: {
            const uint8_t* c = few[random() % 6];
            palette.SetEntry(i, c[0], c[1], c[2]);
            break;
        }
        case Kind::Greys:
            palette.SetEntry(i, static_cast<uint8_t>(i), static_cast<uint8_t>(i), static_cast<uint8_t>(i));
            break;
        case Kind::Extremes:
            palette.SetEntry(i, (i & 1) * 255, (i >> 1 & 1) * 255, (i >> 2 & 1) * 255);
            break;
        }
    }
}

struct Range
{
    uint32_t start, end;
};
const Range kRanges[] = {{1, 255}, {1, 256}, {0, 256}, {7, 8}, {3, 12}, {200, 300}, {10, 10}, {20, 5}, {300, 400}};

std::vector<Lanes> AvailableLanes()
{
    std::vector<Lanes> lanes;
    for (Lanes l : {Lanes::Portable, Lanes::Sse2, Lanes::Avx2})
        if (CNearestColorSearch::IsAvailable(l))
            lanes.push_back(l);
    return lanes;
}

} // namespace

TEST(NearestColorSearch, AnswersAsTheLinearSearchForEveryLaneWidthPaletteAndRange)
{
    std::mt19937 random(61);
    for (Kind kind : {Kind::Random, Kind::FewColours, Kind::Greys, Kind::Extremes}) {
        CPaletteTable palette;
        Fill(palette, kind, random);
        for (const Range& range : kRanges)
            for (Lanes lanes : AvailableLanes()) {
                CNearestColorSearch search(palette.GetData(), range.start, range.end);
                search.SetLanes(lanes);
                for (int q = 0; q < 3000; ++q) {
                    // Palette colours themselves (exact matches) as often as any others.
                    uint8_t r, g, b;
                    if (q % 2 == 0)
                        palette.GetEntry(random() & 0xFF, r, g, b);
                    else
                        r = random() & 0xFF, g = random() & 0xFF, b = random() & 0xFF;
                    const uint8_t expected = palette.FindNearest(r, g, b, range.start, range.end);
                    ASSERT_EQ(expected, Reference(palette, r, g, b, range.start, range.end));
                    ASSERT_EQ(search.Measure(r, g, b), expected)
                        << "kind " << static_cast<int>(kind) << " range " << range.start << ".." << range.end
                        << " lanes " << static_cast<int>(lanes) << " colour " << int(r) << "," << int(g) << "," << int(b);
                    ASSERT_EQ(search.Find(r, g, b), expected);
                }
            }
    }
}

TEST(NearestColorSearch, RemembersEveryColourOfTheCubeCorrectly)
{
    // Every colour of a coarse grid asked twice, so that slots are filled, shared and replaced:
    // an answer found in memory is always the one measured. Black comes first, the colour an
    // empty slot holds.
    std::mt19937 random(7);
    CPaletteTable palette;
    Fill(palette, Kind::Random, random);
    CNearestColorSearch search(palette.GetData(), 1, 255);
    for (int pass = 0; pass < 2; ++pass)
        for (int r = 0; r < 256; r += 5)
            for (int g = 0; g < 256; g += 3)
                for (int b = 0; b < 256; b += 17)
                    ASSERT_EQ(search.Find(r, g, b), palette.FindNearest(r, g, b, 1, 255));
    EXPECT_EQ(search.Find(0, 0, 1), palette.FindNearest(0, 0, 1, 1, 255));
}

TEST(NearestColorSearch, SharedSearchFollowsThePalettesEntries)
{
    CPaletteTable palette;
    palette.Create(1);
    for (uint32_t i = 0; i < 256; ++i)
        palette.SetEntry(i, 0, 0, 0);
    palette.SetEntry(5, 250, 0, 0);
    const auto first = NearestColorSearchFor(palette, 1, 255);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->Find(255, 0, 0), 5);
    EXPECT_EQ(NearestColorSearchFor(palette, 1, 255), first);
    EXPECT_NE(NearestColorSearchFor(palette, 1, 256), first);

    // A palette changed behind the table's back (its bytes written directly) gets a new search;
    // the one handed out before keeps answering for the entries it was made for.
    palette.GetData()[3 * 9 + 2] = 255;
    const auto second = NearestColorSearchFor(palette, 1, 255);
    ASSERT_TRUE(second);
    EXPECT_NE(second, first);
    EXPECT_EQ(second->Find(255, 0, 0), 9);
    EXPECT_EQ(first->Find(255, 0, 0), 5);

    CPaletteTable notAPalette, empty;
    notAPalette.Create(5);
    EXPECT_FALSE(NearestColorSearchFor(notAPalette, 1, 255));
    EXPECT_FALSE(NearestColorSearchFor(empty, 1, 255));
}
