// The ball's collision outlines: wound clockwise like the bricks', so that a ball stops at a brick
// instead of sinking into it.
#include "PlayfieldTestSupport.h"

#include "game/bricks/BallAI.h"
#include "game/bricks/BrickAI.h"
#include "game/bricks/BrickInfo.h"
#include "game/sprites/AnimatedSprite.h"

#include <cmath>

namespace {

using namespace playfieldtest;

// Twice the signed area by the shoelace sum; with y pointing down it is positive for an outline
// that runs clockwise on screen.
double TwiceSignedArea(const CPolygon2D& polygon)
{
    double sum = 0.0;
    for (uint32_t i = 0; i + 1 < polygon.GetPointCount(); ++i) {
        const CFloatPoint& a = polygon.GetPoint(i);
        const CFloatPoint& b = polygon.GetPoint(i + 1);
        sum += static_cast<double>(a.m_x) * b.m_y - static_cast<double>(b.m_x) * a.m_y;
    }
    return sum;
}

TEST(BallPolygon, BothOutlinesAreRegularClosedAndClockwiseFromTheirRightmostPoint)
{
    struct Case
    {
        const CPolygon2D* polygon;
        float radius;
        uint32_t corners;
    };
    for (const Case& c : {Case{&CBallAI::GetBallPolygon(), 9.0f, 12}, Case{&CBallAI::GetSmallBallPolygon(), 3.0f, 8}}) {
        SCOPED_TRACE(c.corners);
        ASSERT_EQ(c.polygon->GetPointCount(), c.corners + 1);
        EXPECT_TRUE(c.polygon->IsClosed());
        EXPECT_NEAR(c.polygon->GetPoint(0).m_x, c.radius, 1e-5f);
        EXPECT_NEAR(c.polygon->GetPoint(0).m_y, 0.0f, 1e-5f);
        // The second corner lies below the first on screen (y down): clockwise.
        EXPECT_GT(c.polygon->GetPoint(1).m_y, 0.0f);
        for (uint32_t i = 0; i < c.corners; ++i)
            EXPECT_NEAR(std::hypot(c.polygon->GetPoint(i).m_x, c.polygon->GetPoint(i).m_y), c.radius, 1e-4f) << i;
        const double area = c.corners * 0.5 * c.radius * c.radius * std::sin(2.0 * 3.14159265358979 / c.corners);
        EXPECT_NEAR(TwiceSignedArea(*c.polygon) / 2.0, area, 1e-3);
    }
    // The same sense as the brick's outline.
    EXPECT_GT(TwiceSignedArea(CBrickInfo::GetDefaultPolygon()), 0.0);
}

TEST_F(PlayfieldTest, FallingBallStopsOnTheBrickItMeetsInsteadOfSinkingIn)
{
    for (bool small : {false, true}) {
        SCOPED_TRACE(small);
        // A fresh field: the first ball's brick going completes the round, which stops balls.
        m_field = std::make_unique<CPlayfield>();
        m_field->SetHost(&m_host);
        SetPlayfield(m_field.get());
        const float radius = small ? 3.0f : 9.0f;
        auto* brick = new CSprite;
        brick->SetPosition(CFloatPoint{100.0f, 100.0f});
        brick->AddAI(NewNeededBrickAI());
        m_field->GetBricks().Append(brick);
        auto* ball = new CAnimatedSprite;
        ball->SetPosition(CFloatPoint{100.0f, 60.0f});
        ball->SetVelocity(CFloatPoint{0.0f, 4.0f});
        ball->AddAI(new CBallAI(ball, false, false, small));
        m_field->GetBalls().Append(ball);
        float lowest = 0.0f;
        for (int step = 0; step < 12; ++step) {
            Step();
            lowest = std::max(lowest, ball->GetPosition().m_y);
        }
        // The brick's top is at 91: the ball's bottom never passes it, it came within a step's
        // travel there and back (4 pixels each way) before turning, and it bounced back up.
        EXPECT_LE(lowest + radius, 91.0f + 0.01f);
        EXPECT_GT(lowest + radius, 91.0f - 2.0f * 4.0f);
        EXPECT_LT(ball->GetVelocity().m_y, 0.0f);
    }
}

} // namespace
