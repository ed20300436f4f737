// The free clippers of the drawing interface: blit rectangles edge by edge, rectangles, and integer
// and float lines against an independent double-precision clipper.
#include "graphics/FrameInterface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

const CIntRect kBounds{-10, -20, 30, 40}; // 40 x 60, hot spot inside

struct BlitCase
{
    CIntRect destination;
    CIntRect expectedDestination;
    CIntRect expectedSource;
};

// Parametric (Liang-Barsky) clipping in doubles against the closed box [left, right] x [top, bottom].
bool ReferenceClip(double left, double top, double right, double bottom, double& x0, double& y0, double& x1,
                   double& y1)
{
    double t0 = 0, t1 = 1, dx = x1 - x0, dy = y1 - y0;
    auto edge = [&](double p, double q) {
        if (p == 0)
            return q >= 0;
        double r = q / p;
        if (p < 0) {
            if (r > t1)
                return false;
            t0 = std::max(t0, r);
        } else {
            if (r < t0)
                return false;
            t1 = std::min(t1, r);
        }
        return true;
    };
    if (!edge(-dx, x0 - left) || !edge(dx, right - x0) || !edge(-dy, y0 - top) || !edge(dy, bottom - y0))
        return false;
    double nx0 = x0 + t0 * dx, ny0 = y0 + t0 * dy, nx1 = x0 + t1 * dx, ny1 = y0 + t1 * dy;
    x0 = nx0;
    y0 = ny0;
    x1 = nx1;
    y1 = ny1;
    return true;
}

bool Inside(const CIntRect& r, int32_t x, int32_t y)
{
    return x >= r.m_left && x < r.m_right && y >= r.m_top && y < r.m_bottom;
}

} // namespace

TEST(ClipBlitRects, EachEdgeCutsTheDestinationAndTheSameSideOfTheSource)
{
    const CIntRect source{100, 200, 120, 230}; // 20 x 30
    const BlitCase cases[] = {
        // Straddling the top: 5 rows cut off the top of both.
        {{0, -25, 20, 5}, {0, -20, 20, 5}, {100, 205, 120, 230}},
        // Straddling the bottom.
        {{0, 30, 20, 60}, {0, 30, 20, 40}, {100, 200, 120, 210}},
        // Straddling the left.
        {{-15, 0, 5, 30}, {-10, 0, 5, 30}, {105, 200, 120, 230}},
        // Straddling the right.
        {{25, 0, 45, 30}, {25, 0, 30, 30}, {100, 200, 105, 230}},
        // All four at once.
        {{-20, -30, 40, 50}, {-10, -20, 30, 40}, {110, 210, 110, 220}},
    };
    for (const BlitCase& c : cases) {
        CIntRect s = source, d = c.destination;
        ASSERT_TRUE(ClipBlitRects(kBounds, s, d));
        EXPECT_EQ(d, c.expectedDestination);
        EXPECT_EQ(s, c.expectedSource);
    }
}

TEST(ClipBlitRects, RectanglesWhollyOutsideAreRefused)
{
    const CIntRect outside[] = {{0, -40, 10, -20}, {0, 40, 10, 50}, {-30, 0, -10, 10}, {30, 0, 35, 10},
                                {-1000, -1000, -999, -999}};
    for (const CIntRect& r : outside) {
        CIntRect s{0, 0, r.GetWidth(), r.GetHeight()}, d = r;
        EXPECT_FALSE(ClipBlitRects(kBounds, s, d));
    }
    // Extreme coordinates saturate instead of overflowing.
    CIntRect s{0, 0, 10, 10}, d{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
    ASSERT_TRUE(ClipBlitRects(kBounds, s, d));
    EXPECT_EQ(d, kBounds);
}

TEST(ClipRectToBounds, CutsInPlaceAndRefusesWhatIsEmptied)
{
    CIntRect r{-50, 10, 5, 100};
    ASSERT_TRUE(ClipRectToBounds(kBounds, r));
    EXPECT_EQ(r, (CIntRect{-10, 10, 5, 40}));

    // A zero-width rectangle survives only when no left or right cut applies.
    CIntRect zero{0, 0, 0, 10};
    EXPECT_TRUE(ClipRectToBounds(kBounds, zero));
    CIntRect cutLeft{-15, 0, -10, 10};
    EXPECT_FALSE(ClipRectToBounds(kBounds, cutLeft));
    CIntRect cutRight{30, 0, 35, 10};
    EXPECT_FALSE(ClipRectToBounds(kBounds, cutRight));
}

TEST(ClipLine, VerticalAndHorizontalLinesAreClampedToTheEdges)
{
    int32_t x0 = 3, y0 = -100, x1 = 3, y1 = 100;
    ASSERT_TRUE(ClipLine(kBounds, x0, y0, x1, y1));
    EXPECT_EQ(y0, -20);
    EXPECT_EQ(y1, 39);
    EXPECT_EQ(x0, 3);

    x0 = 100, y0 = 7, x1 = -100, y1 = 7;
    ASSERT_TRUE(ClipLine(kBounds, x0, y0, x1, y1));
    EXPECT_EQ(x0, 29);
    EXPECT_EQ(x1, -10);

    // Inside lines are left alone.
    x0 = -10, y0 = -20, x1 = 29, y1 = 39;
    ASSERT_TRUE(ClipLine(kBounds, x0, y0, x1, y1));
    EXPECT_EQ(x0, -10);
    EXPECT_EQ(y1, 39);
}

TEST(ClipLine, LinesWhollyOnOneSideAreRefused)
{
    int32_t x0 = -50, y0 = -50, x1 = 50, y1 = -30; // both above
    EXPECT_FALSE(ClipLine(kBounds, x0, y0, x1, y1));
    x0 = 30, y0 = 0, x1 = 31, y1 = 100; // both right (right edge exclusive)
    EXPECT_FALSE(ClipLine(kBounds, x0, y0, x1, y1));
    // Different outcodes but missing the corner.
    x0 = -30, y0 = 0, x1 = 0, y1 = -50;
    EXPECT_FALSE(ClipLine(kBounds, x0, y0, x1, y1));
    // Empty bounds take nothing.
    x0 = 0, y0 = 0, x1 = 1, y1 = 1;
    EXPECT_FALSE(ClipLine(CIntRect{0, 0, 0, 10}, x0, y0, x1, y1));
}

TEST(ClipLine, DiagonalsCrossingEachEdgeAgreeWithAnExactClip)
{
    // Lines through the bounds from far outside, in every direction.
    const int32_t ends[][4] = {{-40, -60, 60, 90}, {60, -60, -40, 90}, {-100, 5, 100, 30},
                               {12, -90, 20, 100}, {-25, 35, 45, -35}, {29, 39, -200, -100}};
    for (const auto& e : ends) {
        int32_t x0 = e[0], y0 = e[1], x1 = e[2], y1 = e[3];
        double rx0 = x0, ry0 = y0, rx1 = x1, ry1 = y1;
        ASSERT_TRUE(ReferenceClip(kBounds.m_left, kBounds.m_top, kBounds.m_right - 1, kBounds.m_bottom - 1, rx0, ry0,
                                  rx1, ry1));
        ASSERT_TRUE(ClipLine(kBounds, x0, y0, x1, y1)) << e[0] << "," << e[1];
        EXPECT_NEAR(x0, rx0, 1.0);
        EXPECT_NEAR(y0, ry0, 1.0);
        EXPECT_NEAR(x1, rx1, 1.0);
        EXPECT_NEAR(y1, ry1, 1.0);

        float fx0 = e[0], fy0 = e[1], fx1 = e[2], fy1 = e[3];
        CFloatRect floatBounds{-10, -20, 30, 40};
        ASSERT_TRUE(ClipLineFloat(floatBounds, fx0, fy0, fx1, fy1));
        EXPECT_NEAR(fx0, rx0, 1e-3);
        EXPECT_NEAR(fy0, ry0, 1e-3);
        EXPECT_NEAR(fx1, rx1, 1e-3);
        EXPECT_NEAR(fy1, ry1, 1e-3);
    }
}

TEST(ClipLine, RandomLinesStayInsideAndFollowTheExactClip)
{
    std::mt19937 random(12345);
    std::uniform_int_distribution<int32_t> coordinate(-200, 200);
    int visible = 0;
    for (int i = 0; i < 20000; ++i) {
        int32_t x0 = coordinate(random), y0 = coordinate(random), x1 = coordinate(random), y1 = coordinate(random);
        int32_t cx0 = x0, cy0 = y0, cx1 = x1, cy1 = y1;
        bool drawn = ClipLine(kBounds, cx0, cy0, cx1, cy1);
        double rx0 = x0, ry0 = y0, rx1 = x1, ry1 = y1;
        // One pixel of slack for the truncation of the edge intersections.
        bool nearlyVisible = ReferenceClip(kBounds.m_left - 1, kBounds.m_top - 1, kBounds.m_right, kBounds.m_bottom,
                                           rx0, ry0, rx1, ry1);
        if (!nearlyVisible) {
            EXPECT_FALSE(drawn);
            continue;
        }
        rx0 = x0, ry0 = y0, rx1 = x1, ry1 = y1;
        bool clearlyVisible = ReferenceClip(kBounds.m_left + 1, kBounds.m_top + 1, kBounds.m_right - 2,
                                            kBounds.m_bottom - 2, rx0, ry0, rx1, ry1) &&
                              std::hypot(rx1 - rx0, ry1 - ry0) > 2.0;
        if (clearlyVisible) {
            EXPECT_TRUE(drawn) << x0 << "," << y0 << " " << x1 << "," << y1;
        }
        if (!drawn)
            continue;
        ++visible;
        EXPECT_TRUE(Inside(kBounds, cx0, cy0));
        EXPECT_TRUE(Inside(kBounds, cx1, cy1));
        // The clipped end points lie on the original line, up to the truncation.
        double length = std::hypot(double(x1) - x0, double(y1) - y0);
        for (auto [px, py] : {std::pair{cx0, cy0}, std::pair{cx1, cy1}}) {
            double distance = std::abs((double(x1) - x0) * (double(y0) - py) - (double(x0) - px) * (double(y1) - y0));
            EXPECT_LE(distance / length, 1.5) << x0 << "," << y0 << " " << x1 << "," << y1;
        }
    }
    EXPECT_GT(visible, 1000);
}

TEST(ClipLine, ExtremeCoordinatesNeitherOverflowNorEscape)
{
    const int32_t values[] = {INT32_MIN, -1000000, -11, 0, 29, 1000000, INT32_MAX};
    for (int32_t a : values)
        for (int32_t b : values)
            for (int32_t c : values) {
                int32_t x0 = a, y0 = b, x1 = c, y1 = 5;
                if (ClipLine(kBounds, x0, y0, x1, y1)) {
                    EXPECT_TRUE(Inside(kBounds, x0, y0));
                    EXPECT_TRUE(Inside(kBounds, x1, y1));
                }
            }
}
