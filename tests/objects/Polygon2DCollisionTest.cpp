// The collision polygon's queries: point and circle tests, swept bounds, the swept test with its
// contact time, offset and normal, the deflection of a sweep, the standing overlap and segment
// queries, and the line tests beneath them. Expected contacts are worked out by hand below.
#include "objects/CollisionGeometry.h"
#include "objects/CollisionSweep.h"
#include "objects/Polygon2D.h"
#include "objects/SweepResult.h"
#include "objects/Vector2D.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

using Outline = std::vector<CFloatPoint>;

CPolygon2D Make(const Outline& points, bool close = true)
{
    CPolygon2D polygon;
    for (const CFloatPoint& p : points)
        polygon.InsertPoint(p.m_x, p.m_y, UINT32_MAX);
    if (close)
        polygon.Close();
    return polygon;
}

// The default brick quad, wound clockwise on screen.
CPolygon2D BrickQuad()
{
    return Make({{-16, -9}, {15.5f, -9}, {15.5f, 8.5f}, {-16, 8.5f}});
}

// A regular polygon of radius r round (0, 0), clockwise on screen from (r, 0).
CPolygon2D Regular(int corners, float r)
{
    Outline points;
    for (int k = 0; k < corners; ++k) {
        const double angle = 2.0 * std::numbers::pi * k / corners;
        points.push_back({static_cast<float>(r * std::cos(angle)), static_cast<float>(r * std::sin(angle))});
    }
    return Make(points);
}

// Even-odd ray casting, independent of the winding count the polygon uses.
bool InsideByRays(const Outline& ring, float x, float y)
{
    bool inside = false;
    for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const CFloatPoint& a = ring[i];
        const CFloatPoint& b = ring[j];
        if ((a.m_y > y) != (b.m_y > y) && x < (b.m_x - a.m_x) * (y - a.m_y) / (b.m_y - a.m_y) + a.m_x)
            inside = !inside;
    }
    return inside;
}

struct Sweep
{
    CSweepResult result;
    bool hit;
};

Sweep SweepOnce(const CPolygon2D& mover, CFloatPoint from, CFloatPoint motion, const CPolygon2D& other,
                CFloatPoint otherAt = {})
{
    const CCollisionSweep sweep(from, CVector2D::Sum(from, motion), 0, 1);
    Sweep s;
    s.result.Reset();
    s.hit = mover.SweepAgainst(s.result, other, from, otherAt, sweep);
    return s;
}

void ExpectPoint(const CFloatPoint& actual, float x, float y, const char* what)
{
    EXPECT_NEAR(actual.m_x, x, 1e-5f) << what;
    EXPECT_NEAR(actual.m_y, y, 1e-5f) << what;
}

} // namespace

TEST(Polygon2DQueries, ContainsPointAgreesWithRayCasting)
{
    const std::vector<Outline> rings = {
        {{-16, -9}, {15.5f, -9}, {15.5f, 8.5f}, {-16, 8.5f}},              // brick quad
        {{0, 0}, {10, 0}, {10, 5}, {5, 5}, {5, 10}, {0, 10}},              // L: concave
        {{0, -10}, {10, 0}, {0, 10}, {-10, 0}},                            // diamond: diagonal jumps
        {{0, -12}, {3, -3}, {12, 0}, {3, 3}, {0, 12}, {-3, 3}, {-12, 0}, {-3, -3}}, // star
    };
    for (const Outline& ring : rings) {
        const CPolygon2D polygon = Make(ring);
        const CPolygon2D reversed = Make(Outline(ring.rbegin(), ring.rend()));
        for (float y = -14.0f; y <= 14.0f; y += 0.73f)
            for (float x = -18.0f; x <= 18.0f; x += 0.61f) {
                const bool expected = InsideByRays(ring, x, y);
                EXPECT_EQ(polygon.ContainsPoint(x, y), expected) << x << ", " << y;
                EXPECT_EQ(reversed.ContainsPoint(x, y), expected) << "reversed " << x << ", " << y;
            }
    }
    // The left and top sides count as inside, the right and bottom as outside; an outline that is
    // not closed has no closing side.
    const CPolygon2D quad = BrickQuad();
    EXPECT_TRUE(quad.ContainsPoint(-16, 0));
    EXPECT_TRUE(quad.ContainsPoint(0, -9));
    EXPECT_FALSE(quad.ContainsPoint(15.5f, 0));
    EXPECT_FALSE(quad.ContainsPoint(15.75f, 0)); // inside the bounds (right 16), outside the outline
    EXPECT_FALSE(Make({{-16, -9}, {15.5f, -9}, {15.5f, 8.5f}, {-16, 8.5f}}, false).ContainsPoint(0, 0));
}

TEST(Polygon2DQueries, CirclesAndNearestEdges)
{
    const CPolygon2D quad = BrickQuad();
    struct Case
    {
        CFloatPoint centre;
        float radius;
        int32_t edge; // -1: none
        float distance;
    };
    const Case cases[] = {
        {{0, -9.5f}, 1.0f, 0, 0.5f},    // over the top side
        {{20, 0}, 5.0f, 1, 4.5f},       // right of the right side
        {{17, -10.5f}, 2.0f, -1, 0},    // the corner is 2.12 away
        {{17, -10.5f}, 2.2f, 0, 2.1213203f}, // both sides reach the corner: the first wins
        {{0, 0}, 1.0f, -1, 0},          // inside, far from every side
        {{0, -12}, 3.0f, -1, 0},        // exactly the radius away does not touch
    };
    for (const Case& c : cases) {
        float distance = -1.0f;
        EXPECT_EQ(quad.FindNearestEdgeHit(c.centre, c.radius, &distance), c.edge)
            << c.centre.m_x << "," << c.centre.m_y;
        EXPECT_FLOAT_EQ(distance, c.edge >= 0 ? c.distance : -1.0f);
    }
    EXPECT_TRUE(quad.CircleTouches(0, 0, 1.0f)); // inside counts
    EXPECT_TRUE(quad.CircleTouches(20, 0, 5.0f));
    EXPECT_FALSE(quad.CircleTouches(17, -10.5f, 2.0f));
    EXPECT_FALSE(CPolygon2D().CircleTouches(0, 0, 5.0f));
}

TEST(Polygon2DQueries, SweptBoundsRoundTiesToEvenAndStretchAlongTheMotion)
{
    const CPolygon2D quad = BrickQuad(); // bounds (-16, -9, 16, 9)
    struct Case
    {
        CFloatPoint at;
        CFloatPoint motion;
        CPolygonBounds bounds;
    };
    const Case cases[] = {
        {{10.5f, -2.5f}, {-6, 0}, {10 - 16 - 7, -2 - 9 - 1, 10 + 16 + 1, -2 + 9 + 1}},
        {{11.5f, 2.5f}, {0, 4.5f}, {12 - 16 - 1, 2 - 9 - 1, 12 + 16 + 1, 2 + 9 + 6}},
        {{0, 0}, {3, 0}, {-17, -10, 16 + 4, 10}},
    };
    for (const Case& c : cases) {
        const CCollisionSweep sweep(CFloatPoint(), c.motion, 0, 1);
        EXPECT_EQ(quad.GetSweptBounds(c.at, sweep), c.bounds) << c.at.m_x << "," << c.at.m_y;
    }
}

TEST(Polygon2DSweep, ContactTimesOffsetsAndNormals)
{
    const CPolygon2D quad = BrickQuad();
    CPolygon2D point;
    point.InsertPoint(0, 0, 0);

    // A point falling onto the top side stops 1 pixel above it.
    Sweep s = SweepOnce(point, {0, -20}, {0, 20}, quad);
    ASSERT_TRUE(s.hit);
    EXPECT_FLOAT_EQ(s.result.m_time, 0.5f);
    ExpectPoint(s.result.m_offset, 0, 10, "offset");
    ExpectPoint(s.result.m_normal, 0, -1, "normal");
    ExpectPoint(s.result.m_position, 0, -10, "position");

    // Falling 0.5 past the right side: it glances off the unit circle round the corner.
    s = SweepOnce(point, {16, -20}, {0, 20}, quad);
    ASSERT_TRUE(s.hit);
    const float rise = std::sqrt(0.75f);
    EXPECT_NEAR(s.result.m_time, (11.0f - rise) / 20.0f, 1e-6f);
    ExpectPoint(s.result.m_normal, 0.5f, -rise, "corner normal");

    // A contact later than the one already held changes nothing; a far polygon is not tested.
    CSweepResult held;
    held.m_time = 0.3f;
    const CCollisionSweep down(CFloatPoint{0, -20}, CFloatPoint{0, 0}, 0, 1);
    EXPECT_FALSE(point.SweepAgainst(held, quad, CFloatPoint{0, -20}, CFloatPoint(), down));
    EXPECT_FLOAT_EQ(held.m_time, 0.3f);
    EXPECT_FALSE(SweepOnce(point, {100, -20}, {0, 20}, quad).hit);
    // From inside, a point leaves freely: the sides it crosses face away from it.
    EXPECT_FALSE(SweepOnce(point, {0, -5}, {0, -10}, quad).hit);

    // A box rising onto a diamond's lower corner: the box's own corners would meet the diamond's
    // sides only later (t 0.83); the diamond's corner against the box's top side finds the contact,
    // and the answer comes back in the box's terms.
    const CPolygon2D box = Make({{-8, -5}, {8, -5}, {8, 5}, {-8, 5}});
    const CPolygon2D diamond = Make({{0, -10}, {10, 0}, {0, 10}, {-10, 0}});
    s = SweepOnce(box, {0, 25}, {0, -20}, diamond);
    ASSERT_TRUE(s.hit);
    EXPECT_FLOAT_EQ(s.result.m_time, 0.45f);
    ExpectPoint(s.result.m_offset, 0, -9, "reversed offset");
    ExpectPoint(s.result.m_normal, 0, 1, "reversed normal");
    ExpectPoint(s.result.m_position, 0, 11, "reversed position");
}

TEST(Polygon2DSweep, RestingContactsStopWithoutMovingAndLetGo)
{
    const CPolygon2D quad = BrickQuad();
    const CPolygon2D ball = Regular(12, 9);
    // Resting 0.5 above the top side (its lowest corner at y -9.5).
    const CFloatPoint resting{0, -18.5f};
    Sweep s = SweepOnce(ball, resting, {0, 3}, quad);
    ASSERT_TRUE(s.hit);
    EXPECT_LE(s.result.m_time, 0.0f);
    EXPECT_FLOAT_EQ(s.result.m_time, -0.5f);
    EXPECT_EQ(s.result.m_offset, CFloatPoint());
    ExpectPoint(s.result.m_normal, 0, -1, "resting normal");
    // Moving away, or along the side, it is free.
    EXPECT_FALSE(SweepOnce(ball, resting, {0, -3}, quad).hit);
    EXPECT_FALSE(SweepOnce(ball, resting, {3, 0}, quad).hit);
    // A triangle stuck in the brick's bottom side, rising: its trailing tip below the side does not
    // stop it, as both of the tip's sides face away from the motion.
    const CPolygon2D wedge = Make({{-5, -5}, {5, -5}, {0, 5}});
    EXPECT_FALSE(SweepOnce(wedge, {0, 12}, {0, -8}, quad).hit);
}

TEST(Polygon2DSweep, TwelveGonAt45DegreesBouncesOffAQuadAtFullSpeed)
{
    const CPolygon2D quad = BrickQuad();
    const CPolygon2D ball = Regular(12, 9);
    // Its lowest corner starts at y -21 and meets the side pushed out to y -10 after 11 of 12.
    const Sweep s = SweepOnce(ball, {-10, -30}, {12, 12}, quad);
    ASSERT_TRUE(s.hit);
    EXPECT_NEAR(s.result.m_time, 11.0f / 12.0f, 1e-6f);
    ExpectPoint(s.result.m_offset, 11, 11, "offset");
    ExpectPoint(s.result.m_normal, 0, -1, "normal");

    CCollisionSweep sweep;
    sweep.SetResponse(CFloatPoint{4, 4}, 1.0f, 0.1f, 0.0f, 0.1f);
    const CFloatPoint velocity = sweep.Deflect(sweep.GetVelocity(), s.result.m_normal);
    ExpectPoint(velocity, 4, -4, "velocity");
    EXPECT_FLOAT_EQ(CVector2D::Length(velocity), CVector2D::Length(CFloatPoint{4, 4}));
    const CFloatPoint rest = sweep.Deflect(CVector2D::Difference(CFloatPoint{12, 12}, s.result.m_offset),
                                           s.result.m_normal);
    ExpectPoint(rest, 1, -1, "remaining motion");
}

TEST(CollisionSweep, MotionAndDeflection)
{
    CCollisionSweep sweep(CFloatPoint{1, 1}, CFloatPoint{4, 5}, 7, 1);
    EXPECT_FLOAT_EQ(sweep.GetLength(), 5.0f);
    ExpectPoint(sweep.GetDirection(), 0.6f, 0.8f, "direction");
    EXPECT_FALSE(sweep.SetMotion(CFloatPoint{2, 2}, CFloatPoint{2, 2}));
    ExpectPoint(sweep.GetDirection(), 0.6f, 0.8f, "a zero motion keeps the direction");

    struct Case
    {
        float bounce, normalRest, friction, tangentialRest;
        CFloatPoint v, expected;
    };
    const CFloatPoint up{0, -1};
    const Case cases[] = {
        {1.0f, 0.1f, 0.0f, 0.1f, {3, -2}, {3, -2}},       // moving away: unchanged
        {1.0f, 0.1f, 0.5f, 0.1f, {4, 2}, {2, -2}},        // friction halves the tangential part
        {0.5f, 0.1f, 0.0f, 0.1f, {4, 2}, {4, -1}},        // half the bounce
        {1.0f, 2.0f, 0.0f, 0.1f, {4, 2}, {4, 0}},         // a bounce not longer than the rest is dropped
        {1.0f, 0.1f, 0.0f, 0.5f, {0.25f, 2}, {0, -2}},    // so is a short tangential part
    };
    for (const Case& c : cases) {
        sweep.SetResponse(CFloatPoint(), c.bounce, c.normalRest, c.friction, c.tangentialRest);
        ExpectPoint(sweep.Deflect(c.v, up), c.expected.m_x, c.expected.m_y, "deflected");
    }
}

TEST(Polygon2DQueries, StandingOverlapAndSegmentCrossing)
{
    const CPolygon2D quad = BrickQuad();
    const CPolygon2D bar = Make({{-2, -30}, {2, -30}, {2, 30}, {-2, 30}}); // crosses without corners inside
    CPolygon2D point;
    point.InsertPoint(0, 0, 0);
    struct Case
    {
        const CPolygon2D* other;
        CFloatPoint at;
        bool overlap;
    };
    const Case cases[] = {
        {&bar, {0, 0}, true},          {&bar, {40, 0}, false},     {&point, {0, 0}, true},
        {&point, {0, -9.3f}, true},    // within 0.5 of the top side
        {&point, {0, -9.6f}, false},   {&quad, {31.5f, 17.5f}, true}, // corners meet
        {&quad, {32, 0}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(quad.PolygonsOverlap(CFloatPoint(), *c.other, c.at), c.overlap) << c.at.m_x << "," << c.at.m_y;
    EXPECT_FALSE(CPolygon2D().PolygonsOverlap(CFloatPoint(), quad, CFloatPoint()));

    float t = -1.0f;
    ASSERT_TRUE(quad.FindSegmentCrossing(CFloatPoint{10, 0}, CFloatPoint{-100, 0}, CFloatPoint{100, 0}, &t));
    EXPECT_FLOAT_EQ(t, 0.47f); // the near side at x -6
    t = -1.0f;
    EXPECT_FALSE(quad.FindSegmentCrossing(CFloatPoint(), CFloatPoint{-100, -20}, CFloatPoint{100, -20}, &t));
    EXPECT_EQ(t, -1.0f);
}

TEST(CollisionGeometry, LineTests)
{
    CFloatPoint normal;
    float distance = -1.0f;
    // Beside the middle, past an end, on the line itself.
    ASSERT_TRUE(CircleTouchesSegment({0, 0}, {1, 0}, 10, {5, 2}, 3, &normal, &distance));
    EXPECT_FLOAT_EQ(distance, 2.0f);
    ExpectPoint(normal, 0, 1, "middle");
    ASSERT_TRUE(CircleTouchesSegment({0, 0}, {1, 0}, 10, {13, 4}, 5.01f, &normal, &distance));
    EXPECT_FLOAT_EQ(distance, 5.0f);
    ExpectPoint(normal, 0.6f, 0.8f, "end");
    ASSERT_TRUE(CircleTouchesSegment({0, 0}, {1, 0}, 10, {5, 0}, 1, &normal, &distance));
    EXPECT_EQ(distance, 0.0f);
    ExpectPoint(normal, 0, -1, "on the line: the side's normal");

    float t = -1.0f;
    ASSERT_TRUE(CrossSegments({0, 0}, {10, 10}, {0, 10}, {10, 0}, &t));
    EXPECT_FLOAT_EQ(t, 0.5f);
    EXPECT_FALSE(CrossSegments({0, 0}, {10, 0}, {0, 0.00001f}, {10, 0.00001f}, &t)); // parallel
    EXPECT_FALSE(CrossSegments({0, 0}, {10, 10}, {0, 10}, {4, 6.1f}, &t));          // stops short

    float s = -1.0f;
    ASSERT_TRUE(RayHitsUnitCircle({10, 0}, {0, 0}, {1, 0}, &s));
    EXPECT_FLOAT_EQ(s, 9.0f);
    EXPECT_FALSE(RayHitsUnitCircle({10, 0}, {10.5f, 0}, {1, 0}, &s)); // from inside
    EXPECT_FALSE(RayHitsUnitCircle({-10, 0}, {0, 0}, {1, 0}, &s));    // behind

    EXPECT_EQ(CVector2D::NormalizeAngle(-1e-9f), 0.0f);
    EXPECT_NEAR(CVector2D::NormalizeAngle(-0.5f), 2.0f * std::numbers::pi - 0.5f, 1e-6f);
}
