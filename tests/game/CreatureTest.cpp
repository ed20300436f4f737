// The ambient creatures: debris that falls and wraps at its margins, plankton that drifts and
// wraps, fish that swim at their speed and come back from a side, each from its own generator.
#include "WorldTestSupport.h"

#include "foundation/R250Random.h"
#include "game/creatures/FishAI.h"
#include "game/creatures/PlanktonAI.h"
#include "game/creatures/RandomDebrisAI.h"
#include "game/sprites/AnimatedSprite.h"
#include "game/sprites/AnimationSlot.h"
#include "objects/Vector2D.h"

#include <cmath>
#include <numbers>

using namespace worldtest;

namespace {

constexpr float kQuarterTurn = std::numbers::pi_v<float> / 2;

class Creatures : public WorldFixture
{
protected:
    void SetUp() override
    {
        WorldFixture::SetUp();
        g_gameRandom.Seed(1234);
        g_generalRandom.Seed(5678);
    }

    // A sprite that took the behaviour (its OnAttach ran).
    template <class AI>
    CAnimatedSprite& Attach(AI* behaviour)
    {
        m_sprites.push_back(std::make_unique<CAnimatedSprite>());
        m_sprites.back()->AddAI(behaviour);
        return *m_sprites.back();
    }

    uint32_t SequenceIndex(const char* name)
    {
        return static_cast<uint32_t>(CSequenceCollection::GetInstance().FindIndexByName(name, -1));
    }

    std::vector<std::unique_ptr<CAnimatedSprite>> m_sprites;
};

bool IsWhole(float v)
{
    return v == std::floor(v);
}

TEST_F(Creatures, DebrisAtNinetyDegreesFallsStraightDownAndReentersAtTheTop)
{
    auto* debris = new CRandomDebrisAI;
    debris->m_minSpeed = debris->m_maxSpeed = 120.0f; // 2 pixels a step
    debris->m_minAngle = debris->m_maxAngle = kQuarterTurn;
    debris->m_sequenceIndex = SequenceIndex("Spark");
    CAnimatedSprite& sprite = Attach(debris);
    const CIntPoint start = sprite.GetIntPosition();
    ASSERT_GE(start.m_x, 0);
    ASSERT_LE(start.m_x, 501);
    ASSERT_LE(start.m_y, 480);
    EXPECT_NEAR(sprite.GetVelocity().m_x, 0.0f, 2e-3f);
    EXPECT_NEAR(sprite.GetVelocity().m_y, 2.0f, 1e-5f);
    ASSERT_NE(sprite.GetSlot(0), nullptr);
    EXPECT_EQ(sprite.GetSlot(0)->GetSequence(), Sequence("Spark"));

    bool wrapped = false;
    for (int step = 0; step < 400 && !wrapped; ++step) {
        const float before = sprite.GetPosition().m_y;
        sprite.Update();
        if (sprite.GetPosition().m_y < before) {
            wrapped = true;
            // It left below 580 and came back at -100, then moved one step.
            EXPECT_GT(before, 578.0f);
            EXPECT_NEAR(sprite.GetPosition().m_y, -100.0f + 2.0f, 1e-4f);
            EXPECT_GE(sprite.GetPosition().m_x, 0.0f);
            EXPECT_LE(sprite.GetPosition().m_x, 501.0f + 1e-3f);
        } else {
            EXPECT_EQ(sprite.GetIntPosition().m_x, start.m_x) << "step " << step;
        }
    }
    EXPECT_TRUE(wrapped);
}

TEST_F(Creatures, DebrisWrapsOnlyPastItsMarginsAndTakesANewVelocity)
{
    struct Case
    {
        CFloatPoint at;
        bool wrapsX;
        float x; // when it wraps in x
        bool wrapsY;
        float y; // when it wraps in y
    };
    const Case cases[] = {
        {{601.0f, 50.0f}, false, 0, false, 0},  {{601.5f, 50.0f}, true, -100.0f, false, 0},
        {{-100.0f, 50.0f}, false, 0, false, 0}, {{-100.5f, 50.0f}, true, 601.0f, false, 0},
        {{50.0f, 580.0f}, false, 0, false, 0},  {{50.0f, 580.5f}, false, 0, true, -100.0f},
        {{50.0f, -100.0f}, false, 0, false, 0}, {{50.0f, -100.5f}, false, 0, true, 580.0f},
        // Past both: the wrap across comes first and draws a y inside the field, so no second wrap.
        {{700.0f, 600.0f}, true, -100.0f, false, 0},
    };
    auto* debris = new CRandomDebrisAI;
    debris->m_minSpeed = 30.0f;
    debris->m_maxSpeed = 90.0f;
    CAnimatedSprite& sprite = Attach(debris);
    for (const Case& c : cases) {
        sprite.SetPosition(c.at);
        const CFloatPoint velocity{-7.0f, -7.0f};
        sprite.SetVelocity(velocity);
        debris->Update(&sprite, 0);
        const CFloatPoint& p = sprite.GetPosition();
        const bool any = c.wrapsX || c.wrapsY;
        SCOPED_TRACE(testing::Message() << c.at.m_x << "," << c.at.m_y);
        if (!any) {
            EXPECT_EQ(p.m_x, c.at.m_x);
            EXPECT_EQ(p.m_y, c.at.m_y);
            EXPECT_EQ(sprite.GetVelocity().m_x, velocity.m_x);
            continue;
        }
        if (c.wrapsY) {
            EXPECT_EQ(p.m_y, c.y);
            EXPECT_TRUE(IsWhole(p.m_x) && p.m_x >= 0 && p.m_x <= 501) << p.m_x;
        }
        if (c.wrapsX && !c.wrapsY) {
            EXPECT_EQ(p.m_x, c.x);
            EXPECT_TRUE(IsWhole(p.m_y) && p.m_y >= 0 && p.m_y <= 480) << p.m_y;
        }
        // Every angle of the full default range is allowed; the speed is within its range.
        const float speed = CVector2D::Length(sprite.GetVelocity());
        EXPECT_GE(speed, 0.5f - 1e-3f);
        EXPECT_LT(speed, 1.5f + 1e-3f);
    }
}

TEST_F(Creatures, PlanktonWithoutSpeedStaysWhereItWasPlaced)
{
    auto* plankton = new CPlanktonAI;
    plankton->m_minSpeed = plankton->m_maxSpeed = 0.0f;
    plankton->m_sequenceIndex = SequenceIndex("Flash");
    CAnimatedSprite& sprite = Attach(plankton);
    const CFloatPoint start = sprite.GetPosition();
    EXPECT_TRUE(IsWhole(start.m_x) && start.m_x >= 0 && start.m_x <= 501);
    EXPECT_TRUE(IsWhole(start.m_y) && start.m_y >= 0 && start.m_y <= 480);
    EXPECT_EQ(sprite.GetDamping(), 1.0f);
    std::vector<uint32_t> frames;
    for (int step = 0; step < 600; ++step) {
        sprite.Update();
        frames.push_back(sprite.GetSlot(0)->GetFrameIndex());
    }
    EXPECT_EQ(sprite.GetPosition().m_x, start.m_x);
    EXPECT_EQ(sprite.GetPosition().m_y, start.m_y);
    // It still animates, looping through the four frames.
    EXPECT_EQ(*std::max_element(frames.begin(), frames.end()), 3u);
    EXPECT_EQ(*std::min_element(frames.begin(), frames.end()), 0u);
}

TEST_F(Creatures, PlanktonWrapsPastTheRightAndBottomEdgesOnly)
{
    struct Case
    {
        CFloatPoint at;
        bool toLeft;
        bool toTop;
    };
    const Case cases[] = {
        {{501.0f, 70.0f}, false, false}, {{501.25f, 70.0f}, true, false}, {{70.0f, 480.0f}, false, false},
        {{70.0f, 480.25f}, false, true}, {{-40.0f, -40.0f}, false, false},
    };
    auto* plankton = new CPlanktonAI;
    CAnimatedSprite& sprite = Attach(plankton);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.at.m_x << "," << c.at.m_y);
        sprite.SetPosition(c.at);
        plankton->Update(&sprite, 0);
        const CFloatPoint& p = sprite.GetPosition();
        if (c.toLeft) {
            EXPECT_EQ(p.m_x, 0.0f);
            EXPECT_TRUE(IsWhole(p.m_y) && p.m_y >= 0 && p.m_y <= 480);
        } else if (c.toTop) {
            EXPECT_EQ(p.m_y, 0.0f);
            EXPECT_TRUE(IsWhole(p.m_x) && p.m_x >= 0 && p.m_x <= 501);
        } else {
            EXPECT_EQ(p.m_x, c.at.m_x);
            EXPECT_EQ(p.m_y, c.at.m_y);
        }
    }
}

TEST_F(Creatures, AFishWithEqualSpeedsSwimsAtThatSpeedAndRespawnsAtASide)
{
    auto* fish = new CFishAI;
    fish->m_minimumSpeed = fish->m_maximumSpeed = 90.0f;
    fish->m_leftSequenceIndex = SequenceIndex("Ball");
    fish->m_rightSequenceIndex = SequenceIndex("Hull");
    CAnimatedSprite& sprite = Attach(fish);
    EXPECT_GE(sprite.GetPosition().m_x, -100.0f);
    EXPECT_LT(sprite.GetPosition().m_x, 740.0f);
    int respawns = 0;
    int lefts = 0;
    for (int i = 0; i < 200; ++i) {
        const uint32_t gameDraws = g_gameRandom.GetDrawCount();
        fish->Respawn(&sprite, false);
        // The respawn leaves the game's generator alone.
        EXPECT_EQ(g_gameRandom.GetDrawCount(), gameDraws);
        const CFloatPoint& p = sprite.GetPosition();
        const float vx = sprite.GetVelocity().m_x;
        EXPECT_FLOAT_EQ(std::fabs(vx), 1.5f);
        EXPECT_EQ(sprite.GetVelocity().m_y, 0.0f);
        EXPECT_GE(p.m_y, 40.0f);
        EXPECT_LT(p.m_y, 480.0f);
        if (vx < 0) {
            ++lefts;
            EXPECT_GT(p.m_x, 510.0f);
            EXPECT_LE(p.m_x, 640.0f);
            EXPECT_EQ(sprite.GetSlot(0)->GetSequence(), Sequence("Ball"));
        } else {
            EXPECT_GE(p.m_x, -160.0f);
            EXPECT_LT(p.m_x, -30.0f);
            EXPECT_EQ(sprite.GetSlot(0)->GetSequence(), Sequence("Hull"));
        }
        ++respawns;
    }
    EXPECT_GT(lefts, 50);
    EXPECT_LT(lefts, 150);

    // Swimming: past 740 (or below -100) it comes back at a side within the step.
    sprite.SetPosition({739.0f, 100.0f});
    sprite.SetVelocity({1.5f, 0.0f});
    sprite.Update();
    EXPECT_FLOAT_EQ(sprite.GetPosition().m_x, 740.5f);
    sprite.Update();
    EXPECT_LT(sprite.GetPosition().m_x, 642.0f);
    EXPECT_FLOAT_EQ(std::fabs(sprite.GetVelocity().m_x), 1.5f);
}

TEST(VectorRotation, TurnsClockwiseOnTheScreenWithinTheTablePrecision)
{
    InitMathTables();
    const float angles[] = {0.0f, 0.3f, kQuarterTurn, 2.0f, std::numbers::pi_v<float>, 4.5f, -1.0f, 7.0f};
    for (float a : angles) {
        CFloatPoint v{3.0f, -2.0f};
        CVector2D::Rotate(v, a);
        const double x = 3.0 * std::cos(a) + 2.0 * std::sin(a);
        const double y = 3.0 * std::sin(a) - 2.0 * std::cos(a);
        EXPECT_NEAR(v.m_x, x, 0.01) << a;
        EXPECT_NEAR(v.m_y, y, 0.01) << a;
    }
}

} // namespace
