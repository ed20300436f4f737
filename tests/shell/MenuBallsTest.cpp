// The main menu's balls, seeded: the herding reward's growth, the bounce that keeps the speed,
// the damping while pushed, and that no push ever gets a ball out of its pen.
#include "foundation/R250Random.h"
#include "shell/MenuBalls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr float kStep = 1.0f / 60.0f;
constexpr float kRadius = 8.0f;
// Far from every wall: no push from the mouse.
const CFloatPoint kMouseAway{600.0f, 20.0f};

float Speed(const CFloatPoint& v)
{
    return std::hypot(v.m_x, v.m_y);
}

// Whether the point lies in the pen: inside the outer wall and outside the block. Written out from
// the wall's corners, not through the polygons under test.
bool InPen(const CFloatPoint& p)
{
    const auto inside = [&](const std::vector<CFloatPoint>& poly) {
        bool in = false;
        for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
            const CFloatPoint& a = poly[i];
            const CFloatPoint& b = poly[j];
            if ((a.m_y > p.m_y) != (b.m_y > p.m_y) &&
                p.m_x < (b.m_x - a.m_x) * (p.m_y - a.m_y) / (b.m_y - a.m_y) + a.m_x)
                in = !in;
        }
        return in;
    };
    static const std::vector<CFloatPoint> outer = {{49, 414},  {130, 414}, {130, 260}, {197, 260},
                                                   {197, 414}, {275, 414}, {275, 275}, {213, 232},
                                                   {275, 190}, {275, 100}, {214, 51},  {49, 51}};
    static const std::vector<CFloatPoint> block = {{130, 197}, {130, 107}, {196, 107}, {196, 197}};
    return inside(outer) && !inside(block);
}

class MenuBalls : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_random.Seed(44);
        m_balls.SetBallRadius(kRadius);
        m_balls.Reset(m_random);
    }
    void HerdAll(const CFloatPoint& at)
    {
        for (uint32_t i = 0; i < m_balls.GetCount(); ++i)
            m_balls.GetBall(i) = {at, {0.0f, 0.0f}, 0.0f};
    }

    CR250Random m_random;
    CMenuBalls m_balls;
};

} // namespace

TEST_F(MenuBalls, ResetScattersEightBallsInTheLeftLeg)
{
    EXPECT_EQ(m_balls.GetCount(), 8u);
    for (uint32_t i = 0; i < CMenuBalls::kMaxBalls; ++i) {
        const CMenuBalls::Ball& ball = m_balls.GetBall(i);
        EXPECT_GE(ball.m_position.m_x, 58.0f);
        EXPECT_LT(ball.m_position.m_x, 122.0f);
        EXPECT_GE(ball.m_position.m_y, 60.0f);
        EXPECT_LT(ball.m_position.m_y, 406.0f);
        EXPECT_GE(Speed(ball.m_velocity), 149.99f);
        EXPECT_LT(Speed(ball.m_velocity), 190.01f);
        EXPECT_GE(ball.m_phase, 0.0f);
        EXPECT_LT(ball.m_phase, 1.0f);
    }
}

TEST_F(MenuBalls, HerdingMultipliesTheBallsUntilThreeHundredWouldBePassed)
{
    const std::vector<uint32_t> expected = {12, 18, 27, 40, 60, 90, 135, 202, 202, 202};
    std::vector<uint32_t> counts;
    for (size_t round = 0; round < expected.size(); ++round) {
        HerdAll({236.0f, 340.0f});
        m_balls.Update(kStep, kMouseAway, 0.0f, m_random);
        counts.push_back(m_balls.GetCount());
        EXPECT_FLOAT_EQ(m_balls.GetRewardTime(), CMenuBalls::kRewardSeconds);
        // The reward runs out with the balls outside the rectangle: no second reward.
        HerdAll({90.0f, 300.0f});
        m_balls.Update(CMenuBalls::kRewardSeconds, kMouseAway, 0.0f, m_random);
        EXPECT_EQ(m_balls.GetRewardTime(), 0.0f);
    }
    EXPECT_EQ(counts, expected);
}

TEST_F(MenuBalls, HerdingRectangleEndsBeforeRightAndBottom)
{
    const struct
    {
        CFloatPoint at;
        bool herded;
    } cases[] = {
        {{198.0f, 266.0f}, true},  {{273.9f, 410.9f}, true}, {{197.9f, 300.0f}, false},
        {{274.0f, 300.0f}, false}, {{230.0f, 411.0f}, false}, {{230.0f, 265.9f}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CMenuBalls::IsHerded(c.at), c.herded) << c.at.m_x << "," << c.at.m_y;
}

TEST_F(MenuBalls, UnpushedBouncesKeepTheSpeed)
{
    std::vector<float> speeds;
    for (uint32_t i = 0; i < m_balls.GetCount(); ++i)
        speeds.push_back(Speed(m_balls.GetBall(i).m_velocity));
    for (int step = 0; step < 600; ++step)
        m_balls.Update(kStep, kMouseAway, 0.0f, m_random);
    EXPECT_FALSE(m_balls.IsPushing());
    for (uint32_t i = 0; i < m_balls.GetCount(); ++i)
        EXPECT_NEAR(Speed(m_balls.GetBall(i).m_velocity), speeds[i], 0.01f) << "ball " << i;
}

TEST_F(MenuBalls, PushedBallsLoseAtenthOfTheirSpeedAtEveryBounce)
{
    const struct
    {
        CFloatPoint mouse; // beside the left leg's bottom edge: pushing down; or away
        float speedAfter;
    } cases[] = {
        // Falling at 600 plus the push of 5, bounced back at 0.9 of it; the slow sideways drift
        // of 0.5 x 0.9 is below the rest threshold and gone.
        {{90.0f, 425.0f}, 0.9f * 605.0f},
        // Unpushed: the full speed.
        {kMouseAway, std::hypot(0.5f, 600.0f)},
    };
    for (const auto& c : cases) {
        m_balls.Reset(m_random);
        for (uint32_t i = 0; i < m_balls.GetCount(); ++i)
            m_balls.GetBall(i) = {{90.0f, 395.0f}, {0.5f, 600.0f}, 0.0f};
        m_balls.Update(kStep, c.mouse, 0.0f, m_random);
        for (uint32_t i = 0; i < m_balls.GetCount(); ++i) {
            const CMenuBalls::Ball& ball = m_balls.GetBall(i);
            EXPECT_NEAR(Speed(ball.m_velocity), c.speedAfter, 0.05f) << "ball " << i;
            EXPECT_LE(ball.m_position.m_y, 406.0f);
        }
    }
}

TEST_F(MenuBalls, RewardDriftsUpAndLeft)
{
    HerdAll({236.0f, 340.0f});
    m_balls.Update(kStep, kMouseAway, 0.0f, m_random);
    HerdAll({236.0f, 340.0f});
    m_balls.Update(kStep, kMouseAway, 0.0f, m_random);
    ASSERT_TRUE(m_balls.IsPushing());
    EXPECT_NEAR(m_balls.GetPush().m_x, -3.5355339f, 1e-4f);
    EXPECT_NEAR(m_balls.GetPush().m_y, -3.5355339f, 1e-4f);
    // One push on balls at rest, far from any wall.
    EXPECT_NEAR(m_balls.GetBall(0).m_velocity.m_x, -3.5355339f, 1e-4f);
    EXPECT_NEAR(m_balls.GetBall(0).m_velocity.m_y, -3.5355339f, 1e-4f);
}

TEST_F(MenuBalls, RewardDrivesTheBallsUpAndLeftWithinThePen)
{
    // Herded at their full speeds, spread over the rectangle.
    for (uint32_t i = 0; i < m_balls.GetCount(); ++i)
        m_balls.GetBall(i).m_position = {200.0f + 9.0f * static_cast<float>(i), 270.0f + 17.0f * static_cast<float>(i)};
    m_balls.Update(kStep, kMouseAway, 0.0f, m_random);
    ASSERT_FLOAT_EQ(m_balls.GetRewardTime(), CMenuBalls::kRewardSeconds);
    const auto mean = [this] {
        CFloatPoint sum;
        for (uint32_t i = 0; i < m_balls.GetCount(); ++i) {
            sum.m_x += m_balls.GetBall(i).m_position.m_x;
            sum.m_y += m_balls.GetBall(i).m_position.m_y;
        }
        const float n = static_cast<float>(m_balls.GetCount());
        return CFloatPoint{sum.m_x / n, sum.m_y / n};
    };
    const CFloatPoint before = mean();
    int steps = 0;
    while (m_balls.GetRewardTime() > 0.0f) {
        m_balls.Update(kStep, kMouseAway, 0.0f, m_random);
        ++steps;
        // Pushed hard the whole time, and faster for it, no ball gets through a wall.
        for (uint32_t i = 0; i < m_balls.GetCount(); ++i)
            ASSERT_TRUE(InPen(m_balls.GetBall(i).m_position)) << "ball " << i << ", step " << steps;
    }
    EXPECT_NEAR(steps, 300, 1);
    const CFloatPoint after = mean();
    EXPECT_LT(after.m_x, before.m_x - 40.0f);
    EXPECT_LT(after.m_y, before.m_y - 40.0f);
    // The reward over, the push stops.
    m_balls.Update(kStep, kMouseAway, 0.0f, m_random);
    EXPECT_FALSE(m_balls.IsPushing());
}

TEST_F(MenuBalls, MousePushesAwayFromTheTouchedEdge)
{
    // Beside the bottom edge of the left leg (outside the pen): the push points out through it.
    m_balls.Update(kStep, {90.0f, 425.0f}, 0.0f, m_random);
    ASSERT_TRUE(m_balls.IsPushing());
    EXPECT_NEAR(m_balls.GetPush().m_x, 0.0f, 1e-5f);
    EXPECT_NEAR(m_balls.GetPush().m_y, 5.0f, 1e-5f);
    // Touching nothing pushes nothing.
    m_balls.Update(kStep, {90.0f, 440.0f}, 0.0f, m_random);
    EXPECT_FALSE(m_balls.IsPushing());
}

TEST_F(MenuBalls, NoPushEverGetsABallOutOfThePen)
{
    const CPolygon2D& outer = m_balls.GetOuterWall();
    int escaped = 0;
    for (int step = 0; step < 10000; ++step) {
        // Each edge's midpoint for 40 steps in turn, then away for a while.
        const uint32_t edge = static_cast<uint32_t>(step / 40) % (outer.GetPointCount());
        CFloatPoint mouse = kMouseAway;
        if (edge + 1 < outer.GetPointCount()) {
            const CFloatPoint& a = outer.GetPoint(edge);
            const CFloatPoint& b = outer.GetPoint(edge + 1);
            mouse = {(a.m_x + b.m_x) / 2.0f, (a.m_y + b.m_y) / 2.0f};
        }
        m_balls.Update(kStep, mouse, 0.1f, m_random);
        for (uint32_t i = 0; i < m_balls.GetCount(); ++i)
            escaped += !InPen(m_balls.GetBall(i).m_position);
        ASSERT_EQ(escaped, 0) << "step " << step;
    }
}
