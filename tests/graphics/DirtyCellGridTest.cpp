// The dirty-cell grid: cell counts, parts, clamping, merging, and runs checked against a plain
// pixel map of what was marked.
#include "graphics/DirtyCellGrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <vector>

namespace {

std::vector<CIntRect> Runs(const CDirtyCellGrid& grid)
{
    std::vector<CIntRect> runs;
    grid.ForEachRun([&](const CIntRect& run) { runs.push_back(run); });
    return runs;
}

void ExpectCell(const CDirtyCellGrid& grid, int column, int row, int left, int top, int right, int bottom)
{
    const CDirtyCell* cell = grid.GetCell(column, row);
    ASSERT_NE(cell, nullptr);
    EXPECT_TRUE(cell->m_dirty);
    EXPECT_EQ(cell->m_left, left);
    EXPECT_EQ(cell->m_top, top);
    EXPECT_EQ(cell->m_right, right);
    EXPECT_EQ(cell->m_bottom, bottom);
}

TEST(DirtyCellGrid, CellsCoverTheSizeWithTheLastOnesPartlyOutside)
{
    CDirtyCellGrid grid;
    EXPECT_EQ(grid.GetColumns(), 0u);
    EXPECT_TRUE(Runs(grid).empty());
    grid.Resize(100, 64);
    EXPECT_EQ(grid.GetColumns(), 4u);
    EXPECT_EQ(grid.GetRows(), 2u);
    EXPECT_EQ(grid.GetCellWidth(), 32u);
    grid.AddRect({98, 0, 99, 1});
    ExpectCell(grid, 3, 0, 2, 0, 3, 1);
    grid.MarkAllDirty();
    EXPECT_EQ(Runs(grid), (std::vector<CIntRect>{{0, 0, 128, 32}, {0, 32, 128, 64}}));
    grid.ClearAll();
    EXPECT_FALSE(grid.IsCellDirty(3, 0));
    EXPECT_FALSE(grid.IsCellDirty(4, 0));
    EXPECT_FALSE(grid.IsCellDirty(-1, 0));
    EXPECT_EQ(grid.GetCell(0, 2), nullptr);
    grid.Resize(1, 1);
    EXPECT_EQ(grid.GetColumns(), 1u);
    grid.Resize(0, 5);
    EXPECT_EQ(grid.GetColumns(), 0u);
    grid.AddRect({0, 0, 10, 10});   // nothing to mark
}

TEST(DirtyCellGrid, ARectangleAcrossTwoCellsIsOneRun)
{
    CDirtyCellGrid grid;
    grid.Resize(640, 480);
    grid.AddRect({10, 10, 40, 20});
    ExpectCell(grid, 0, 0, 10, 10, 32, 20);
    ExpectCell(grid, 1, 0, 0, 10, 8, 20);
    EXPECT_EQ(Runs(grid), (std::vector<CIntRect>{{10, 10, 40, 20}}));

    // A second rectangle in a cell leaves the bounding box of both.
    grid.AddRect({20, 25, 22, 30});
    ExpectCell(grid, 0, 0, 10, 10, 32, 30);
    // Parts of different heights do not join.
    EXPECT_EQ(Runs(grid), (std::vector<CIntRect>{{10, 10, 32, 30}, {32, 10, 40, 20}}));
}

TEST(DirtyCellGrid, OutsideMarksNothingAndOverhangsAreClamped)
{
    CDirtyCellGrid grid;
    grid.Resize(64, 64);
    grid.AddRect({64, 0, 80, 10});
    grid.AddRect({-20, -20, 0, 64});
    grid.AddRect({5, 5, 5, 30});   // empty
    EXPECT_TRUE(Runs(grid).empty());
    grid.AddRect({-10, 50, 40, 100});
    ExpectCell(grid, 0, 1, 0, 18, 32, 32);
    ExpectCell(grid, 1, 1, 0, 18, 8, 32);
    EXPECT_FALSE(grid.IsCellDirty(0, 0));
    grid.ClearAll();
    grid.AddRect({INT_MIN, INT_MIN, INT_MAX, INT_MAX});
    EXPECT_EQ(Runs(grid), (std::vector<CIntRect>{{0, 0, 64, 32}, {0, 32, 64, 64}}));
    grid.ClearAll();
    grid.AddPoint(INT_MAX, 3);
    grid.AddPoint(63, 63);
    EXPECT_EQ(Runs(grid), (std::vector<CIntRect>{{63, 63, 64, 64}}));
}

TEST(DirtyCellGrid, MergeIsTheUnionAndCopyTakesTheOther)
{
    CDirtyCellGrid a, b;
    a.Resize(96, 32);
    b.Resize(96, 32);
    a.AddRect({2, 2, 4, 4});
    b.AddRect({10, 1, 12, 3});
    b.AddRect({40, 5, 41, 6});
    a.MergeFrom(b);
    ExpectCell(a, 0, 0, 2, 1, 12, 4);
    ExpectCell(a, 1, 0, 8, 5, 9, 6);
    EXPECT_FALSE(a.IsCellDirty(2, 0));
    a.CopyFrom(b);
    ExpectCell(a, 0, 0, 10, 1, 12, 3);

    CDirtyCellGrid other;
    other.Resize(10, 10);
    other.MarkAllDirty();
    a.MergeFrom(other);   // another size: ignored
    a.CopyFrom(other);
    EXPECT_FALSE(a.IsCellDirty(2, 0));
}

TEST(DirtyCellGrid, TheLastColumnOfARangeCanBeKeptOutOfRuns)
{
    CDirtyCellGrid grid;
    grid.Resize(128, 32);
    grid.AddRect({0, 0, 128, 32});
    std::vector<CIntRect> runs;
    grid.ForEachRunIn(1, 3, 0, 0, false, [&](const CIntRect& r) { runs.push_back(r); });
    EXPECT_EQ(runs, (std::vector<CIntRect>{{32, 0, 96, 32}, {96, 0, 128, 32}}));
    runs.clear();
    grid.ForEachRunIn(-2, 6, -1, 3, true, [&](const CIntRect& r) { runs.push_back(r); });
    EXPECT_EQ(runs, (std::vector<CIntRect>{{0, 0, 128, 32}}));
}

// Every marked pixel inside the cells lies in exactly one run, and runs cover nothing outside the
// bounding boxes of what was marked per cell.
TEST(DirtyCellGrid, RunsCoverWhatWasMarkedOnce)
{
    std::mt19937 random(11);
    for (int round = 0; round < 60; ++round) {
        const int width = 1 + static_cast<int>(random() % 200), height = 1 + static_cast<int>(random() % 150);
        CDirtyCellGrid grid;
        grid.Resize(width, height);
        const int gw = static_cast<int>(grid.GetColumns()) * 32, gh = static_cast<int>(grid.GetRows()) * 32;
        std::vector<int> marked(static_cast<size_t>(gw * gh), 0), boxed(marked.size(), 0), covered(marked.size(), 0);
        const int count = static_cast<int>(random() % 12);
        std::vector<CIntRect> rects;
        for (int i = 0; i < count; ++i) {
            const int l = static_cast<int>(random() % (gw + 40)) - 20, t = static_cast<int>(random() % (gh + 40)) - 20;
            rects.push_back({l, t, l + static_cast<int>(random() % 90), t + static_cast<int>(random() % 70)});
            grid.AddRect(rects.back());
            for (int y = std::max(t, 0); y < std::min(rects.back().m_bottom, gh); ++y)
                for (int x = std::max(l, 0); x < std::min(rects.back().m_right, gw); ++x)
                    marked[static_cast<size_t>(y * gw + x)] = 1;
        }
        // Per cell, the bounding box of the marked pixels.
        for (int cy = 0; cy < gh; cy += 32)
            for (int cx = 0; cx < gw; cx += 32) {
                int l = 32, t = 32, r = 0, b = 0;
                for (int y = 0; y < 32; ++y)
                    for (int x = 0; x < 32; ++x)
                        if (marked[static_cast<size_t>((cy + y) * gw + cx + x)])
                            l = std::min(l, x), t = std::min(t, y), r = std::max(r, x + 1), b = std::max(b, y + 1);
                for (int y = t; y < b; ++y)
                    for (int x = l; x < r; ++x)
                        boxed[static_cast<size_t>((cy + y) * gw + cx + x)] = 1;
            }
        for (const CIntRect& run : Runs(grid)) {
            ASSERT_FALSE(run.IsEmpty());
            for (int y = run.m_top; y < run.m_bottom; ++y)
                for (int x = run.m_left; x < run.m_right; ++x) {
                    ASSERT_TRUE(x >= 0 && y >= 0 && x < gw && y < gh);
                    ++covered[static_cast<size_t>(y * gw + x)];
                }
        }
        ASSERT_EQ(covered, boxed) << "round " << round;
    }
}

} // namespace
