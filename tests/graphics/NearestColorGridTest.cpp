// The grid search the ditherer asks through: the same answers as the palette table's linear
// search for palettes of every shape, every kind of range, and colours on the cells' edges and
// corners, where a wrong bound would drop the nearest entry first.
#include "graphics/NearestColorGrid.h"
#include "graphics/PaletteTable.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

enum class Shape
{
    Random,
    Duplicates, // a few colours over and over: every answer is a tie won by the lowest index
    Clustered,  // every entry inside one or two cells, so most cells lie far from all of them
    EdgeLevels  // every channel on a cell edge (15, 16, 31, 32, ...)
};

void Fill(CPaletteTable& palette, Shape shape, std::mt19937& random)
{
    palette.Create(1);
    for (uint32_t i = 0; i < 256; ++i) {
        auto level = [&]() -> uint8_t {
            switch (shape) {
            case Shape::Random: return random() & 0xFF;
            case Shape::Duplicates: return (random() % 3) * 120;
            case Shape::Clustered: return 100 + random() % 20;
            case Shape::EdgeLevels: return static_cast<uint8_t>((random() % 16) * 16 + (random() & 1 ? 15 : 0));
            }
            return 0;
        };
        const uint8_t r = level(), g = level(), b = level();
        palette.SetEntry(i, r, g, b);
    }
}

struct Range
{
    uint32_t start, end;
};
const Range kRanges[] = {{1, 256}, {0, 256}, {1, 255}, {5, 6}, {30, 40}, {250, 999}, {9, 9}, {40, 3}, {300, 301}};

// Colours on and beside the cells' edges in every channel, and random ones.
std::vector<uint32_t> Colours(std::mt19937& random)
{
    std::vector<uint32_t> colours;
    const uint8_t edges[] = {0, 1, 14, 15, 16, 17, 127, 128, 239, 240, 254, 255};
    for (uint8_t r : edges)
        for (uint8_t g : edges)
            for (uint8_t b : edges)
                colours.push_back(uint32_t{r} << 16 | uint32_t{g} << 8 | b);
    for (int k = 0; k < 4000; ++k)
        colours.push_back(random() & 0xFFFFFF);
    return colours;
}

} // namespace

TEST(NearestColorGrid, AnswersAsTheLinearSearchForEveryPaletteShapeRangeAndCellEdge)
{
    std::mt19937 random(60);
    const std::vector<uint32_t> colours = Colours(random);
    for (Shape shape : {Shape::Random, Shape::Duplicates, Shape::Clustered, Shape::EdgeLevels}) {
        CPaletteTable palette;
        Fill(palette, shape, random);
        for (const Range& range : kRanges) {
            CNearestColorGrid grid(palette.GetData(), range.start, range.end);
            // Asked twice: the second time every cell is already built.
            for (int pass = 0; pass < 2; ++pass)
                for (uint32_t c : colours) {
                    const uint8_t r = c >> 16, g = c >> 8 & 0xFF, b = c & 0xFF;
                    ASSERT_EQ(grid.Find(r, g, b), palette.FindNearest(r, g, b, range.start, range.end))
                        << "shape " << static_cast<int>(shape) << " range " << range.start << ".." << range.end
                        << " colour " << int(r) << "," << int(g) << "," << int(b);
                }
        }
    }
}

TEST(NearestColorGrid, EveryColourOfACornerCellOfARandomPalette)
{
    // Whole cells, every colour in them: the corner cells, whose nearest entries lie furthest.
    std::mt19937 random(11);
    CPaletteTable palette;
    Fill(palette, Shape::Random, random);
    CNearestColorGrid grid(palette.GetData(), 1, 255);
    for (int corner = 0; corner < 8; ++corner)
        for (int r = 0; r < 16; ++r)
            for (int g = 0; g < 16; ++g)
                for (int b = 0; b < 16; ++b) {
                    const uint8_t R = corner & 1 ? 255 - r : r, G = corner & 2 ? 255 - g : g, B = corner & 4 ? 255 - b : b;
                    ASSERT_EQ(grid.Find(R, G, B), palette.FindNearest(R, G, B, 1, 255));
                }
}

TEST(NearestColorGrid, KeepsAnEntryWhoseNearestPointTiesTheBound)
{
    // Entry 2 (black) lies furthest from the cell's top corner t = (s-1, s-1, s-1): exactly as
    // far as entry 1 at (2(s-1), ...), whose nearest point of the cell is that corner. At t the
    // two tie and the lower index, 1, is the answer, so entry 1 must stay a candidate.
    const uint8_t t = CNearestColorGrid::kCellSide - 1;
    CPaletteTable palette;
    palette.Create(1);
    palette.SetEntry(1, 2 * t, 2 * t, 2 * t);
    palette.SetEntry(2, 0, 0, 0);
    ASSERT_EQ(palette.FindNearest(t, t, t, 1, 3), 1);
    CNearestColorGrid grid(palette.GetData(), 1, 3);
    EXPECT_EQ(grid.Find(t, t, t), 1);
    EXPECT_EQ(grid.Find(0, 0, 0), 2);
}

TEST(NearestColorGrid, KeepsOnlyAFewEntriesACellAndEachRepeatedColourOnce)
{
    std::mt19937 random(5);
    CPaletteTable palette;
    Fill(palette, Shape::Random, random);
    CNearestColorGrid grid(palette.GetData(), 0, 256);
    uint32_t most = 0;
    for (int k = 0; k < 500; ++k)
        most = std::max(most, grid.CandidateCount(random() & 0xFF, random() & 0xFF, random() & 0xFF));
    EXPECT_LT(most, 64u);

    // Three colours repeated over the whole palette: no cell needs more than the three.
    CPaletteTable few;
    Fill(few, Shape::Duplicates, random);
    CNearestColorGrid fewGrid(few.GetData(), 0, 256);
    for (int k = 0; k < 200; ++k)
        EXPECT_LE(fewGrid.CandidateCount(random() & 0xFF, random() & 0xFF, random() & 0xFF), 27u);
}
