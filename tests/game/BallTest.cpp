// The ball's behaviour: speeds, the bounces off the walls, the ship and the bricks, the flat-path
// fix on the world clock, splitting, the loose ball and the rolling look.
#include "PlayfieldTestSupport.h"
#include "WorldTestSupport.h"

#include "app/Mouse.h"
#include "app/PlayerControls.h"
#include "foundation/R250Random.h"
#include "game/bricks/BallAI.h"
#include "game/bricks/BrickAI.h"
#include "game/bricks/BrickInfoCollection.h"
#include "game/ship/ShipAI.h"
#include "game/ship/ShotAI.h"
#include "game/sprites/AnimatedSprite.h"
#include "game/sprites/FindSpriteAI.h"
#include "objects/Vector2D.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <numbers>

namespace {

using namespace playfieldtest;

constexpr float kPi = std::numbers::pi_v<float>;

class BallTest : public PlayfieldTest
{
protected:
    CSprite* AddBall(float x, float y, float vx, float vy, uint32_t difficulty = 1)
    {
        // A needed brick out of the way keeps the round from completing, which stops balls.
        if (!m_field->GetBricks().GetHead()) {
            auto* brick = new CSprite;
            brick->SetPosition(CFloatPoint{400.0f, 30.0f});
            brick->AddAI(NewNeededBrickAI());
            m_field->GetBricks().Append(brick);
        }
        m_host.m_difficulty = difficulty;
        auto* ball = new CAnimatedSprite;
        ball->SetPosition(CFloatPoint{x, y});
        ball->SetVelocity(CFloatPoint{vx, vy});
        ball->AddAI(new CBallAI(ball));
        m_field->GetBalls().Append(ball);
        return ball;
    }
    static CBallAI& AI(CSprite* ball) { return *FindSpriteAI<CBallAI>(ball); }
    // A ship at (320, 440) with the controls (none by default); its behaviour.
    CShipAI* AddShip(CSprite*& ship, CPlayerControls* controls = nullptr)
    {
        ship = new CAnimatedSprite;
        ship->SetPosition(CFloatPoint{320.0f, 440.0f});
        auto* shipAI = new CShipAI(ship, controls);
        ship->AddAI(shipAI);
        m_field->GetShip().Append(ship);
        return shipAI;
    }
    static float Angle(const CFloatPoint& v) { return std::atan2(v.m_y, v.m_x); }
};

TEST_F(BallTest, StartsAtItsDifficultysSpeedAndGainsItsSpeedUpAtEveryBounce)
{
    struct Case
    {
        uint32_t difficulty;
        float speed;
        float speedUp;
    };
    for (const Case& c : {Case{0, 200.0f / 60, 0.01f}, Case{1, 325.0f / 60, 0.0125f}, Case{2, 410.0f / 60, 0.85f / 60},
                          Case{3, 520.0f / 60, 0.015f}}) {
        SCOPED_TRACE(c.difficulty);
        m_field->GetBalls().DeleteAll();
        CSprite* ball = AddBall(15.0f, 200.0f, -c.speed, 0.5f, c.difficulty);
        EXPECT_FLOAT_EQ(AI(ball).GetSpeed(), c.speed);
        const float before = CVector2D::Length(ball->GetVelocity());
        Step();
        // The left wall sends it right, a little faster.
        EXPECT_GT(ball->GetVelocity().m_x, 0.0f);
        EXPECT_NEAR(CVector2D::Length(ball->GetVelocity()), before + c.speedUp, 1e-4f);
        EXPECT_TRUE(AI(ball).HasBounced());
    }
}

TEST_F(BallTest, ShipTopTurnsTheBallByItsDistanceFromTheCentreAndTheSideGlancesAt45Degrees)
{
    auto* ship = new CAnimatedSprite;
    ship->SetPosition(CFloatPoint{320.0f, 440.0f});
    m_field->GetShip().Append(ship);
    struct Case
    {
        float x;
        float y;
        float angle; // of the new velocity, screen radians (y down)
    };
    for (const Case& c : {Case{320.0f, 434.0f, -kPi / 2}, Case{370.0f, 434.0f, -kPi / 4}, Case{270.0f, 434.0f, -3 * kPi / 4},
                          Case{330.0f, 434.01f, kPi / 4}, Case{310.0f, 434.01f, 3 * kPi / 4}}) {
        SCOPED_TRACE(c.x + c.y);
        CSprite* ball = AddBall(c.x, c.y, 0.0f, 5.0f);
        AI(ball).OnHitShip(ball, ship);
        EXPECT_NEAR(Angle(ball->GetVelocity()), c.angle, 1e-4f);
        // Moving up already, nothing happens.
        const CFloatPoint up{1.0f, -3.0f};
        ball->SetVelocity(up);
        AI(ball).OnHitShip(ball, ship);
        EXPECT_EQ(ball->GetVelocity(), up);
    }
}

TEST_F(BallTest, SplittingAddsBallsRoundTheCircle)
{
    CSprite* ball = AddBall(200.0f, 200.0f, 0.0f, 0.0f);
    AI(ball).SplitBall(ball, 1);
    EXPECT_EQ(m_field->GetBalls().Count(), 1u);
    // A resting ball splits as if flying straight up: the others a quarter turn apart, leftwards
    // first.
    AI(ball).MakeFireBall(ball);
    AI(ball).SplitBall(ball, 4);
    ASSERT_EQ(m_field->GetBalls().Count(), 4u);
    const float speed = 325.0f / 60;
    const CFloatPoint expected[] = {{-speed, 0.0f}, {0.0f, speed}, {speed, 0.0f}};
    int i = 0;
    for (CSprite* split = ball->GetNext(); split; split = split->GetNext(), ++i) {
        EXPECT_NEAR(split->GetVelocity().m_x, expected[i].m_x, 1e-4f) << i;
        EXPECT_NEAR(split->GetVelocity().m_y, expected[i].m_y, 1e-4f) << i;
        EXPECT_TRUE(AI(split).IsFire());
    }
}

TEST_F(BallTest, LooseBallIsSilentLeavesBricksAloneAndDoesNotSpeedUp)
{
    worldtest::CLoggedSounds sounds({"Bounce"});
    const int bounce = worldtest::CLoggedSounds::Index("Bounce.wav");
    auto* brick = new CSprite;
    brick->SetPosition(CFloatPoint{100.0f, 100.0f});
    brick->AddAI(NewNeededBrickAI());
    m_field->GetBricks().Append(brick);
    CSprite* ball = AddBall(15.0f, 200.0f, -3.0f, 0.0f);
    AI(ball).SetLoose(true);
    AI(ball).OnHitBrick(ball, brick, false);
    EXPECT_FALSE(brick->IsDead());
    // The left wall turns it without a sound and without speeding it up.
    Step();
    EXPECT_GT(ball->GetVelocity().m_x, 0.0f);
    EXPECT_NEAR(CVector2D::Length(ball->GetVelocity()), 3.0f, 1e-5f);
    std::vector<int> plays = sounds.Take();
    EXPECT_EQ(std::count(plays.begin(), plays.end(), bounce), 0);
    // In play, the same contact hits the brick, and the wall sounds.
    AI(ball).SetLoose(false);
    AI(ball).OnHitBrick(ball, brick, false);
    EXPECT_TRUE(brick->IsDead());
    ball->SetPosition(CFloatPoint{15.0f, 200.0f});
    ball->SetVelocity(CFloatPoint{-3.0f, 0.0f});
    sounds.Take();
    Step();
    plays = sounds.Take();
    EXPECT_EQ(std::count(plays.begin(), plays.end(), bounce), 1);
}

TEST_F(BallTest, FlatPathTurnsAfterTwoSecondsOnTheWorldClockOrAtOnceWhenLow)
{
    // Seeds whose first bounce makes no random turn (the roll draw, then the 1-in-10 draw).
    auto quietSeed = [](uint32_t from) {
        for (uint32_t seed = from;; ++seed) {
            CR250Random probe(seed);
            probe.NextFloat(-0.025f, 0.025f);
            if (probe.NextBelow(10) != 0)
                return seed;
        }
    };
    struct Case
    {
        float y;
        int stepsBefore;
        bool turns;
    };
    for (const Case& c : {Case{100.0f, 0, false}, Case{100.0f, 121, true}, Case{400.0f, 0, true}}) {
        SCOPED_TRACE(c.y + c.stepsBefore);
        m_field = std::make_unique<CPlayfield>();
        m_field->SetHost(&m_host);
        SetPlayfield(m_field.get());
        // A ball flying flat, first seen flat at the start, meets the right wall after the wait.
        CSprite* ball = AddBall(200.0f, c.y, 0.0f, 0.0f);
        g_gameRandom.Seed(quietSeed(1));
        AI(ball).OnHitBrick(ball, ball, true); // a pass-through contact changes nothing
        Step(c.stepsBefore);
        ball->SetPosition(CFloatPoint{495.0f, c.y});
        ball->SetVelocity(CFloatPoint{5.0f, 0.01f});
        g_gameRandom.Seed(quietSeed(1));
        // The first flat bounce starts the flat-path clock; only low balls turn at once.
        Step();
        const float first = Angle(ball->GetVelocity());
        if (c.stepsBefore == 0 && !c.turns) {
            EXPECT_NEAR(std::fabs(first), kPi, 0.01f);
            continue;
        }
        if (c.y > 354.0f) {
            // Low: upward at once, 8 degrees.
            EXPECT_NEAR(first, -kPi + 8 * kPi / 180, 0.01f);
            continue;
        }
        EXPECT_NEAR(std::fabs(first), kPi, 0.01f);
        // Two seconds later on the world clock (the ball resting meanwhile) the next flat bounce
        // turns.
        ball->SetVelocity(CFloatPoint{0.0f, 0.0f});
        Step(121);
        ball->SetPosition(CFloatPoint{15.0f, c.y});
        ball->SetVelocity(CFloatPoint{-5.0f, 0.01f});
        g_gameRandom.Seed(quietSeed(1));
        Step();
        EXPECT_NEAR(std::fabs(Angle(ball->GetVelocity())), 8 * kPi / 180, 0.01f);
    }
}

TEST(BallRoll, GridsAreSquareAndTheIndexStaysInside)
{
    struct Case
    {
        uint32_t frames;
        uint32_t side;
    };
    for (const Case& c : {Case{144, 12}, Case{400, 20}, Case{169, 13}, Case{150, 12}}) {
        SCOPED_TRACE(c.frames);
        EXPECT_EQ(CBallAI::GetRollFrame(c.frames, 0.0f, 0.999f), 0u);
        EXPECT_EQ(CBallAI::GetRollFrame(c.frames, 0.999f, 0.0f), c.side * c.side - 1);
        EXPECT_LT(CBallAI::GetRollFrame(c.frames, 0.999f, -0.5f), c.frames);
    }
}

TEST_F(BallTest, CompletedRoundRollsTheBallsToAStop)
{
    CSprite* ball = AddBall(200.0f, 200.0f, 4.0f, 3.0f);
    m_field->GetBricks().DeleteAll();
    Step(); // no needed brick: the round completes
    ASSERT_TRUE(m_field->IsRoundComplete());
    const float before = CVector2D::Length(ball->GetVelocity());
    Step();
    EXPECT_NEAR(CVector2D::Length(ball->GetVelocity()), before * 0.8f, 1e-4f);
}

TEST_F(BallTest, ShipFollowsTheMouseFromThirtyTo482)
{
    CPlayerControls controls(false, 0, -1, 2);
    m_host.m_controls = &controls;
    CSprite* ship = nullptr;
    AddShip(ship, &controls);
    const CIntPoint saved = g_mouse.GetPositionPoint();
    for (auto [mouse, x] : {std::pair{0, 30.0f}, std::pair{640, 482.0f}, std::pair{320, 256.0f}}) {
        g_mouse.SetPositionFromInput(mouse, 100);
        Step();
        EXPECT_EQ(ship->GetPosition(), (CFloatPoint{x, 440.0f})) << mouse;
    }
    m_host.m_controls = nullptr;
    g_mouse.SetPositionFromInput(saved.m_x, saved.m_y);
}

TEST_F(BallTest, GunsFireFromAlternateSidesAndShotsLeaveTheScreen)
{
    CSprite* ship = nullptr;
    CShipAI* shipAI = AddShip(ship);
    EXPECT_FALSE(shipAI->Fire(ship));
    shipAI->SetGunType(1, false);
    shipAI->SetGunType(1, false);
    EXPECT_EQ(shipAI->GetGunLevel(), 2u);
    ASSERT_TRUE(shipAI->Fire(ship));
    ASSERT_TRUE(shipAI->Fire(ship));
    CSprite* right = m_field->GetShots().GetHead();
    ASSERT_EQ(m_field->GetShots().Count(), 2u);
    EXPECT_EQ(right->GetPosition(), (CFloatPoint{353.0f, 432.0f}));
    EXPECT_EQ(right->GetNext()->GetPosition(), (CFloatPoint{287.0f, 432.0f}));
    EXPECT_FALSE(FindSpriteAI<CShotAI>(right)->IsBigGun());
    // The other gun starts over at level 1 and fires missiles.
    shipAI->SetGunType(2, false);
    EXPECT_EQ(shipAI->GetGunLevel(), 1u);
    m_field->GetShots().DeleteAll();
    ASSERT_TRUE(shipAI->Fire(ship));
    CSprite* missile = m_field->GetShots().GetHead();
    EXPECT_TRUE(FindSpriteAI<CShotAI>(missile)->IsBigGun());
    // From y 432 at 500 pixels a second: above -10 after 53 moves, below after 54, gone at the next.
    Step(53);
    EXPECT_GT(missile->GetPosition().m_y, -10.0f);
    Step();
    EXPECT_LT(missile->GetPosition().m_y, -10.0f);
    EXPECT_EQ(m_field->GetShots().Count(), 1u);
    Step();
    EXPECT_EQ(m_field->GetShots().Count(), 0u);
    // A new round takes the guns away.
    shipAI->ResetForRound(ship);
    EXPECT_FALSE(shipAI->HasGuns());
}

TEST_F(BallTest, ShipCatchesOnlyBouncedBallsInPlayWithTheCatcherAndServesAtItsOffset)
{
    CSprite* ship = nullptr;
    CShipAI* shipAI = AddShip(ship);
    struct Case
    {
        const char* name;
        bool canCatch;
        bool bounced;
        bool loose;
        bool caught;
    };
    for (const Case& c : {Case{"catcher", true, true, false, true}, Case{"no catcher", false, true, false, false},
                          Case{"not bounced", true, false, false, false}, Case{"loose", true, true, true, false}}) {
        SCOPED_TRACE(c.name);
        shipAI->ResetForRound(ship);
        if (c.canCatch)
            shipAI->EnableCatch();
        CSprite* ball = AddBall(300.0f, 430.0f, 1.0f, 4.0f);
        AI(ball).SetHasBounced(c.bounced);
        AI(ball).SetLoose(c.loose);
        EXPECT_EQ(shipAI->TryCatchBall(ship, ball), c.caught);
        EXPECT_EQ(shipAI->HoldsBall(ball), c.caught);
        if (c.caught) {
            EXPECT_EQ(ball->GetVelocity(), (CFloatPoint{0.0f, 0.0f}));
            EXPECT_EQ(ball->GetPosition(), (CFloatPoint{300.0f, 430.0f}));
            // Holding one, the catcher takes no other.
            CSprite* other = AddBall(330.0f, 430.0f, 0.0f, 4.0f);
            AI(other).SetHasBounced(true);
            EXPECT_FALSE(shipAI->TryCatchBall(ship, other));
        }
        m_field->GetBalls().DeleteAll();
    }
    // Serving puts the ball at (20, -23) from the shield, and the ship carries it.
    CSprite* ball = AddBall(0.0f, 0.0f, 0.0f, 0.0f);
    shipAI->ResetForRound(ship);
    shipAI->CatchBall(ship, ball);
    EXPECT_EQ(ball->GetPosition(), (CFloatPoint{340.0f, 417.0f}));
    // With controls the ship follows the mouse and carries it (no lag on the first step).
    CPlayerControls controls(false, 0, -1, 2);
    m_field->GetShip().DeleteAll();
    shipAI = AddShip(ship, &controls);
    shipAI->CatchBall(ship, ball);
    const CIntPoint saved = g_mouse.GetPositionPoint();
    g_mouse.SetPositionFromInput(0, 100);
    Step();
    g_mouse.SetPositionFromInput(saved.m_x, saved.m_y);
    EXPECT_EQ(ball->GetPosition(), (CFloatPoint{50.0f, 417.0f}));
}

TEST_F(BallTest, ShieldGrowsAndShrinksWithinItsFiveSizes)
{
    CShipAI ship(nullptr, nullptr);
    EXPECT_EQ(ship.GetShieldSize(), 2u);
    for (int i = 0; i < 4; ++i)
        ship.GrowShield();
    EXPECT_EQ(ship.GetShieldSize(), 4u);
    for (int i = 0; i < 6; ++i)
        ship.ShrinkShield();
    EXPECT_EQ(ship.GetShieldSize(), 0u);
    ship.ResetForRound(nullptr);
    EXPECT_EQ(ship.GetShieldSize(), 2u);
}

TEST_F(BallTest, RailBallPassesEveryBrickButAnObstacle)
{
    CBrickInfoCollection& bricks = CBrickInfoCollection::GetInstance();
    CSprite* ball = AddBall(200.0f, 300.0f, 0.0f, -5.0f);
    for (const char* type : {"Needed", "Wall"}) {
        SCOPED_TRACE(type);
        auto brick = std::make_unique<CSprite>();
        brick->AddAI(new CBrickAI(nullptr, bricks.GetBrickInfo(static_cast<uint32_t>(bricks.FindIndexByName(type, -1))),
                                  nullptr, -1, -1));
        AI(ball).MakeNormalBall(ball);
        EXPECT_FALSE(AI(ball).PassesThrough(ball, brick.get(), nullptr));
        AI(ball).MakeRailBall(ball);
        EXPECT_EQ(AI(ball).PassesThrough(ball, brick.get(), nullptr), std::string(type) != "Wall");
    }
}

TEST_F(BallTest, AimingHelpTurnsTowardANeededBrickOnlyAfterTenSecondsWithoutOne)
{
    CBrickInfoCollection& bricks = CBrickInfoCollection::GetInstance();
    auto addBrick = [&](const char* type, float x, float y) {
        auto* brick = new CSprite;
        brick->SetPosition(CFloatPoint{x, y});
        brick->AddAI(new CBrickAI(nullptr, bricks.GetBrickInfo(static_cast<uint32_t>(bricks.FindIndexByName(type, -1))),
                                  nullptr, -1, -1));
        m_field->GetBricks().Append(brick);
    };
    CSprite* ball = AddBall(200.0f, 300.0f, 0.0f, -5.0f);
    // Straight ahead an obstacle does not count; a needed brick off to the right is met by a turn.
    addBrick("Wall", 200.0f, 150.0f);
    addBrick("Needed", 250.0f, 100.0f);
    EXPECT_FALSE(AI(ball).AimsAtBrick(ball, 0.0f));
    EXPECT_FALSE(AI(ball).AimsAtBrick(ball, 5.0f * kPi / 180));
    EXPECT_EQ(ball->GetVelocity(), (CFloatPoint{0.0f, -5.0f}));
    ASSERT_TRUE(AI(ball).AimsAtBrick(ball, -14.0f * kPi / 180));
    EXPECT_GT(ball->GetVelocity().m_x, 1.0f);
    EXPECT_NEAR(CVector2D::Length(ball->GetVelocity()), 5.0f, 1e-5f);
    EXPECT_TRUE(AI(ball).AimsAtBrick(ball, 0.0f));
    m_field->GetBalls().DeleteAll();

    // Off the left wall heading up and right, with a needed brick 19 degrees further right.
    m_field->GetBricks().DeleteAll();
    addBrick("Needed", 190.0f, 100.0f);
    addBrick("Needed", 480.0f, 460.0f);
    for (float seconds : {5.0f, 26.0f}) {
        SCOPED_TRACE(seconds);
        m_field->GetBalls().DeleteAll();
        CSprite* bouncer = AddBall(20.0f, 300.0f, -2.0f, -5.0f);
        AI(bouncer).SetTimeSinceBrick(seconds);
        Step();
        ASSERT_GT(bouncer->GetVelocity().m_x, 0.0f);
        const bool helped = seconds > 10.0f;
        EXPECT_EQ(AI(bouncer).GetTimeSinceBrick() < 1.0f, helped);
        EXPECT_EQ(AI(bouncer).AimsAtBrick(bouncer, 0.0f), helped);
    }
}

} // namespace
