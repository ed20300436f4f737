// Scaling pages into a window by nearest pixels: rectangles scaled one by one, in any order and
// overlapping, give exactly the window the whole page gives, for window sizes that enlarge, shrink
// and letterbox; each window pixel takes the page pixel under its position; the window rectangle of
// a page rectangle holds exactly the window pixels that show it.
#include "platform/PageScaling.h"

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
    {640, 480, 640, 480, {0, 0, 640, 480}},      // as it is
    {800, 600, 640, 480, {0, 0, 640, 480}},      // shrunk
    {37, 23, 101, 90, {3, 7, 97, 61}},            // odd sizes, bars on every side
};

TEST(PageScaling, RectanglesScaledAloneGiveTheWholePagesWindow)
{
    std::mt19937 random(60);
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.pageWidth << "x" << c.pageHeight << " into " << c.windowWidth << "x"
                                        << c.windowHeight);
        std::vector<uint32_t> page(static_cast<size_t>(c.pageWidth) * c.pageHeight);
        for (uint32_t& p : page)
            p = static_cast<uint32_t>(random());
        const int pitch = c.windowWidth * 4 + 8;
        std::vector<uint8_t> whole(static_cast<size_t>(pitch) * c.windowHeight, 0), parts(whole);
        ScalePageRect(page.data(), c.pageWidth, c.pageHeight, c.placement, {0, 0, c.pageWidth, c.pageHeight},
                      whole.data(), pitch, c.windowWidth, c.windowHeight);
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
            ScalePageRect(page.data(), c.pageWidth, c.pageHeight, c.placement, r, parts.data(), pitch, c.windowWidth,
                          c.windowHeight);
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
