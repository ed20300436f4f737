// Scaling pages into a window by nearest pixels: rectangles scaled one by one, in any order and
// overlapping, give exactly the window the whole page gives, for window sizes that enlarge, shrink
// and letterbox; each window pixel takes the page pixel under its position; the window rectangle of
// a page rectangle holds exactly the window pixels that show it. One scaler serves every size in
// turn, as a window resized again and again does: its tables must follow.
#include "platform/PageScaler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

using namespace platform;

namespace {

struct Case
{
    int pageWidth, pageHeight, windowWidth, windowHeight;
    PagePlacement placement;
};

const Case kCases[] = {
    {640, 480, 1024, 768, {0, 0, 1024, 768}},    // enlarged, 1.6
    {640, 480, 1366, 768, {171, 0, 1024, 768}},  // letterboxed at the sides
    {640, 480, 1366, 768, {0, 0, 1366, 768}},    // the same window stretched: only the place moved
    {640, 480, 640, 480, {0, 0, 640, 480}},      // as it is
    {800, 600, 640, 480, {0, 0, 640, 480}},      // shrunk
    {37, 23, 101, 90, {3, 7, 97, 61}},            // odd sizes, bars on every side
    {640, 480, 900, 700, {0, 12, 900, 675}},      // 1.40625, bars above and below
    {640, 480, 1000, 750, {0, 0, 1000, 750}},     // 1.5625
    {800, 600, 700, 500, {16, -10, 666, 520}},    // shrunk, a place larger than the window
};

TEST(PageScaler, RectanglesScaledAloneGiveTheWholePagesWindow)
{
    std::mt19937 random(60);
    PageScaler scaler;
    std::vector<Case> cases(std::begin(kCases), std::end(kCases));
    cases.insert(cases.end(), std::rbegin(kCases), std::rend(kCases));
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pageWidth << "x" << c.pageHeight << " into " << c.windowWidth << "x"
                                        << c.windowHeight);
        std::vector<uint32_t> page(static_cast<size_t>(c.pageWidth) * c.pageHeight);
        for (uint32_t& p : page)
            p = static_cast<uint32_t>(random());
        const int pitch = c.windowWidth * 4 + 8;
        std::vector<uint8_t> whole(static_cast<size_t>(pitch) * c.windowHeight, 0), parts(whole);
        scaler.Prepare(c.pageWidth, c.pageHeight, c.placement, c.windowWidth, c.windowHeight);
        // A rectangle reaching past the page draws the page alone.
        scaler.Scale(page.data(), {-3, -5, c.pageWidth + 9, c.pageHeight + 2}, whole.data(), pitch);
        // Every window pixel of the page's place holds the page pixel under it; the bars stay.
        for (int y = 0; y < c.windowHeight; ++y)
            for (int x = 0; x < c.windowWidth; ++x) {
                uint32_t got;
                std::memcpy(&got, &whole[static_cast<size_t>(y) * pitch + static_cast<size_t>(x) * 4], 4);
                const bool inside = x >= c.placement.left && x < c.placement.left + c.placement.width &&
                                    y >= c.placement.top && y < c.placement.top + c.placement.height;
                const uint32_t want =
                    inside ? page[static_cast<size_t>((y - c.placement.top) * c.pageHeight / c.placement.height) *
                                      c.pageWidth +
                                  static_cast<size_t>((x - c.placement.left) * c.pageWidth / c.placement.width)]
                           : 0u;
                ASSERT_EQ(got, want) << x << "," << y;
            }
        // A tiling of the page by random rectangles, in random order, some twice.
        std::vector<PageRect> rects;
        for (int y = 0; y < c.pageHeight;) {
            const int h = 1 + static_cast<int>(random() % 40);
            for (int x = 0; x < c.pageWidth;) {
                const int w = 1 + static_cast<int>(random() % 50);
                rects.push_back({x, y, std::min(x + w, c.pageWidth), std::min(y + h, c.pageHeight)});
                x += w;
            }
            y += h;
        }
        std::shuffle(rects.begin(), rects.end(), random);
        rects.push_back(rects.front());
        for (const PageRect& r : rects) {
            scaler.Scale(page.data(), r, parts.data(), pitch);
            // The window rectangle is exactly where that page rectangle shows.
            const PixelRect to = WindowRectOf(c.placement, c.pageWidth, c.pageHeight, r);
            for (int x = to.left - 1; x <= to.right; ++x) {
                const int sx = (x - c.placement.left) * c.pageWidth / c.placement.width;
                const bool within = x >= c.placement.left && sx >= r.left && sx < r.right;
                ASSERT_EQ(within, x >= to.left && x < to.right) << "column " << x;
            }
        }
        ASSERT_EQ(parts, whole);
    }
    EXPECT_EQ(WindowRectOf({0, 0, 100, 100}, 10, 10, {5, 5, 5, 9}), PixelRect{});
}

} // namespace
