// What a present copies from a ring of pages: every present leaves the screen showing exactly the
// page, and it copies only the cells where the page differs from what the screen showed, however
// coarsely the drawing was reported.
#include "platform/PageRing.h"
#include "platform/headless/HeadlessBackend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

using namespace platform;

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 96;   // 5 x 3 cells
constexpr int kCells = 15;

class RingPresents : public testing::TestWithParam<int>
{
protected:
    void SetUp() override
    {
        GetHeadlessBackend().Reset();
        ASSERT_TRUE(display.Open());
        ASSERT_TRUE(display.SetFullScreen(true));
        ASSERT_TRUE(display.CreatePages({kWidth, kHeight, GetParam()}, 2, false));
    }
    void TearDown() override { GetHeadlessBackend().Reset(); }

    int Bytes() const { return BytesPerPixel(GetParam()); }
    // Draws a value into a pixel of each listed cell of the back page; reports the cells, or
    // nothing (the whole page counts as drawn).
    void Draw(const std::vector<int>& cells, uint8_t value, bool report)
    {
        uint8_t* pixels = nullptr;
        int pitch = 0;
        ASSERT_TRUE(display.Lock(pixels, pitch));
        for (int cell : cells) {
            const int x = cell % 5 * 32 + 7, y = cell / 5 * 32 + 11;
            pixels[static_cast<size_t>(y) * pitch + static_cast<size_t>(x) * Bytes()] = value;
            if (report)
                display.MarkChanged({x, y, x + 1, y + 1});
        }
        if (report)
            display.MarkChanged({});
        display.Unlock();
    }
    std::vector<uint8_t> BackPage()
    {
        const uint8_t* page = display.GetRing().GetPage(display.GetRing().GetBackIndex());
        return {page, page + display.GetRing().GetPageSize()};
    }
    // Cells the last present copied.
    int ShownCells() const
    {
        int cells = 0;
        for (const PageRect& r : display.GetLastShownRects())
            cells += ((r.right - r.left + 31) / 32) * ((r.bottom - r.top + 31) / 32);
        return cells;
    }

    MemoryDisplay& display = GetHeadlessBackend().GetMemoryDisplay();
};

// The same picture drawn into every page of the ring: once each page has been shown, presents
// whose drawing reported nothing (the whole page) copy nothing, and a page changed in one cell
// copies that cell only, then no more once every page holds it.
TEST_P(RingPresents, APictureTheScreenShowsAlreadyIsNotCopiedAgain)
{
    for (int i = 0; i < 3; ++i) {
        Draw({0, 6, 14}, 5, false);
        ASSERT_TRUE(display.Present());
    }
    for (int i = 0; i < 3; ++i) {
        Draw({0, 6, 14}, 5, false);
        ASSERT_TRUE(display.Present());
        EXPECT_EQ(ShownCells(), 0) << i;
    }
    Draw({8}, 9, false);
    ASSERT_TRUE(display.Present());
    EXPECT_EQ(display.GetLastShownRects(), (std::vector<PageRect>{{96, 32, 128, 64}}));
    // The next two pages draw the same: the screen shows it already.
    for (int i = 0; i < 2; ++i) {
        Draw({8}, 9, false);
        ASSERT_TRUE(display.Present());
        EXPECT_EQ(ShownCells(), 0) << "page that drew the same value";
    }
    Draw({}, 0, false);
    ASSERT_TRUE(display.Present());
    EXPECT_EQ(ShownCells(), 0);
}

// Pages whose drawing is reported as the whole page keep showing only what differs: a full-page
// change on one page does not make every page copy everything from then on.
TEST_P(RingPresents, AWholePageChangeOnOnePageDoesNotSpreadForEver)
{
    for (int i = 0; i < 3; ++i) {
        Draw({}, 0, false);
        ASSERT_TRUE(display.Present());
    }
    // Every cell changes on one page, reported as the whole page.
    std::vector<int> all;
    for (int c = 0; c < kCells; ++c)
        all.push_back(c);
    Draw(all, 1, false);
    ASSERT_TRUE(display.Present());
    EXPECT_EQ(ShownCells(), kCells);
    // Then a moving dot, each page reporting its one cell: after one trip round the ring, which
    // takes the full change onto the other two pages, each present copies the dot's old and new
    // cells at most.
    int worst = 0;
    for (int frame = 0; frame < 12; ++frame) {
        Draw(all, 1, true);   // the full picture again, each cell reported
        Draw({frame % kCells}, static_cast<uint8_t>(2 + frame), true);
        ASSERT_TRUE(display.Present());
        if (frame >= 2)
            worst = std::max(worst, ShownCells());
    }
    EXPECT_LE(worst, 2);
}

// Random drawing, reported exactly, coarsely or not at all, with pages lost now and then: after
// every present the screen shows exactly the page presented, and the present copied exactly the
// cells where the page differed from the screen (all of them after a loss).
TEST_P(RingPresents, APresentCopiesExactlyTheCellsThatDifferFromTheScreen)
{
    std::mt19937 random(GetParam());
    bool lost = true;
    for (int frame = 0; frame < 300; ++frame) {
        std::vector<int> cells;
        for (int n = static_cast<int>(random() % 4); n > 0; --n)
            cells.push_back(static_cast<int>(random() % kCells));
        const uint8_t value = static_cast<uint8_t>(random() % 3);
        Draw(cells, value, random() % 3 != 0);
        if (random() % 40 == 0) {
            display.LosePages();
            ASSERT_FALSE(display.Present());
            ASSERT_TRUE(display.Restore());
            lost = true;
            continue;
        }
        const std::vector<uint8_t> page = BackPage();
        const std::vector<uint8_t>& screen = display.GetShownPixels();
        int differing = 0;
        for (int cell = 0; cell < kCells; ++cell) {
            bool same = true;
            for (int y = cell / 5 * 32; y < cell / 5 * 32 + 32; ++y) {
                const size_t at = static_cast<size_t>(y) * display.GetPitch() + static_cast<size_t>(cell % 5 * 32 * Bytes());
                same = same && std::equal(page.begin() + at, page.begin() + at + 32 * Bytes(), screen.begin() + at);
            }
            differing += same ? 0 : 1;
        }
        ASSERT_TRUE(display.Present());
        ASSERT_EQ(display.GetShownPixels(), page) << "frame " << frame;
        if (!lost) {
            ASSERT_EQ(ShownCells(), differing) << "frame " << frame;
        }
        lost = false;
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, RingPresents, testing::Values(8, 16, 24, 32));

} // namespace
