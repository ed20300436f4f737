// The ship's parts: thrust and tilt as it follows the input, the shield's lag and spring, the
// gun recoils, reversed controls, fire with and without a held ball, the catcher's wait after a
// press, the push-up of a served ball, the ambient force-feedback request and the electric arcs.
#include "PlayfieldTestSupport.h"

#include "app/Keyboard.h"
#include "app/Mouse.h"
#include "app/PlayerControls.h"
#include "game/bricks/BallAI.h"
#include "game/ship/ShipAI.h"
#include "game/sprites/AnimatedSprite.h"
#include "game/sprites/AnimationSlot.h"
#include "game/sprites/FindSpriteAI.h"
#include "platform/Time.h"

#include "SpriteTestSupport.h"

#include <cmath>
#include <numbers>

namespace {

using namespace playfieldtest;

class ShipTest : public PlayfieldTest
{
protected:
    void SetUp() override
    {
        PlayfieldTest::SetUp();
        // The controls time their presses; the steps move the clock.
        platform::EnableVirtualClock();
        m_controls.DefineAction(0, "General", "Shoot", CPlayerControls::kOncePerPress, 0, 0, 0);
        m_controls.DefineAction(1, "General", "Timeout", CPlayerControls::kOncePerPress, 0, 0, 0);
        m_controls.SetBinding(0, kFireKey, 0, 0, 0);
        m_savedMouse = g_mouse.GetPositionPoint();
        m_ship = new CAnimatedSprite;
        m_ship->SetPosition(CFloatPoint{320.0f, 440.0f});
        m_ai = new CShipAI(m_ship, &m_controls);
        m_ship->AddAI(m_ai);
        m_field->GetShip().Append(m_ship);
    }
    void TearDown() override
    {
        g_mouse.SetPositionFromInput(m_savedMouse.m_x, m_savedMouse.m_y);
        g_keyboard.OnKeyUp(kFireKey);
        platform::DisableVirtualClock();
        PlayfieldTest::TearDown();
    }
    void MoveMouse(int x)
    {
        g_mouse.SetPositionFromInput(x, 100);
        Step();
    }
    CAnimationSlot& Slot(uint32_t i) { return *m_ship->GetSlot(i); }
    // Fire as the game sees it: the key goes down (or up), the controls are polled, a step runs.
    // A step of 1/60 s on the virtual clock, with the controls polled first as the game does.
    void Tick()
    {
        platform::AdvanceVirtualClock(16666667);
        m_controls.Poll(false, true);
        Step();
    }
    void PressFire()
    {
        g_keyboard.OnKeyDown(kFireKey);
        Tick();
    }
    void ReleaseFire(bool step = true)
    {
        g_keyboard.OnKeyUp(kFireKey);
        if (step)
            Tick();
    }
    // A ball in the balls list by the ship, bounced or not.
    CSprite* AddBall(bool bounced)
    {
        auto* ball = new CAnimatedSprite;
        ball->SetPosition(CFloatPoint{330.0f, 425.0f});
        auto* ai = new CBallAI(ball);
        ai->SetHasBounced(bounced);
        ball->AddAI(ai);
        m_field->GetBalls().Append(ball);
        return ball;
    }

    static constexpr int kFireKey = 57;

    CPlayerControls m_controls{false, 0, -1, 2};
    CIntPoint m_savedMouse;
    CAnimatedSprite* m_ship = nullptr;
    CShipAI* m_ai = nullptr;
};

TEST_F(ShipTest, HasItsSevenPartsWithTheExhaustsAndGunsHidden)
{
    ASSERT_EQ(m_ship->GetSlotCount(), CShipAI::kSlotCount);
    for (uint32_t i = 0; i < CShipAI::kSlotCount; ++i)
        EXPECT_EQ(Slot(i).IsVisible(), i <= CShipAI::kShieldSlot) << i;
    EXPECT_EQ(Slot(CShipAI::kThrustLeftSlot).GetOffset(), (CIntPoint{3, 12}));
    EXPECT_EQ(Slot(CShipAI::kThrustRightSlot).GetOffset(), (CIntPoint{-3, 12}));
}

TEST_F(ShipTest, FirstStepAfterAResetMakesNoThrustThenEachWayFiresItsExhaust)
{
    MoveMouse(0);
    EXPECT_FLOAT_EQ(m_ai->GetThrustBalance(), 0.5f);
    EXPECT_FALSE(Slot(CShipAI::kThrustLeftSlot).IsVisible());
    EXPECT_FALSE(Slot(CShipAI::kThrustRightSlot).IsVisible());
    EXPECT_FLOAT_EQ(Slot(CShipAI::kShieldSlot).GetFloatOffset().m_x, 0.0f);
    // Right by 226 pixels: the balance up by 7/120 and back 1/120, the shield left behind by 226
    // and sprung back to 0.6 of that. (The exhausts here have no frames, so they end at once.)
    MoveMouse(320);
    EXPECT_NEAR(m_ai->GetThrustBalance(), 0.5f + 6.0f / 120.0f, 1e-6f);
    EXPECT_NEAR(Slot(CShipAI::kShieldSlot).GetFloatOffset().m_x, -226.0f * 0.6f, 1e-3f);
    EXPECT_EQ(Slot(CShipAI::kShieldSlot).GetOffset().m_x, -136);
    EXPECT_NEAR(Slot(CShipAI::kBodySlot).GetPhase(), 1.0f - m_ai->GetThrustBalance(), 1e-6f);
    // Standing still the balance returns to rest and does not pass it.
    for (int i = 0; i < 10; ++i)
        MoveMouse(320);
    EXPECT_FLOAT_EQ(m_ai->GetThrustBalance(), 0.5f);
    MoveMouse(100);
    EXPECT_LT(m_ai->GetThrustBalance(), 0.5f);
    // A reset forgets the last position: no thrust on the next step however far the mouse went.
    m_ai->ResetForRound(m_ship);
    MoveMouse(640);
    EXPECT_FLOAT_EQ(m_ai->GetThrustBalance(), 0.5f);
}

TEST_F(ShipTest, ReversedControlsMirrorTheInput)
{
    m_ai->ToggleReversedControls();
    for (auto [mouse, x] : {std::pair{0, 482.0f}, std::pair{640, 30.0f}}) {
        MoveMouse(mouse);
        EXPECT_FLOAT_EQ(m_ship->GetPosition().m_x, x) << mouse;
    }
}

TEST_F(ShipTest, PushedShieldAndRecoilsSpringBackASixthOfAPixelAStep)
{
    MoveMouse(320);
    CShipAI::PushShield(m_ship, 3.0f);
    m_ai->SetGunType(1, false);
    for (uint32_t i = CShipAI::kRecoilLeftSlot; i <= CShipAI::kGunSlot; ++i)
        EXPECT_TRUE(Slot(i).IsVisible()) << i;
    ASSERT_TRUE(m_ai->Fire(m_ship));
    // The first shot leaves from the right.
    EXPECT_FLOAT_EQ(Slot(CShipAI::kRecoilRightSlot).GetFloatOffset().m_y, 3.5f);
    EXPECT_FLOAT_EQ(Slot(CShipAI::kRecoilLeftSlot).GetFloatOffset().m_y, 0.0f);
    MoveMouse(320);
    EXPECT_NEAR(Slot(CShipAI::kShieldSlot).GetFloatOffset().m_y, 3.0f - 1.0f / 6, 1e-5f);
    EXPECT_NEAR(Slot(CShipAI::kRecoilRightSlot).GetFloatOffset().m_y, 3.5f - 1.0f / 6, 1e-5f);
    for (int i = 0; i < 30; ++i)
        MoveMouse(320);
    EXPECT_FLOAT_EQ(Slot(CShipAI::kShieldSlot).GetFloatOffset().m_y, 0.0f);
    EXPECT_FLOAT_EQ(Slot(CShipAI::kRecoilRightSlot).GetFloatOffset().m_y, 0.0f);
    m_ai->ResetForRound(m_ship);
    for (uint32_t i = CShipAI::kRecoilLeftSlot; i <= CShipAI::kGunSlot; ++i)
        EXPECT_FALSE(Slot(i).IsVisible()) << i;
}

TEST_F(ShipTest, AmbienceRequestFollowsPlayAndTheCatcherAndEndsWhenTheShipIsNotUpdated)
{
    StartLaidGame();
    CSprite* ship = m_field->GetShip().GetHead();
    CShipAI* ai = FindSpriteAI<CShipAI>(ship);
    // The game object's own bit is left alone by the ship.
    m_host.m_forceBits = CShipAI::kAmbiencePlayfield;
    const uint32_t playfield = CShipAI::kAmbiencePlayfield, running = CShipAI::kAmbienceRunning;
    Step();
    EXPECT_EQ(m_host.m_forceBits, playfield | running);
    ai->EnableCatch();
    Step();
    // It holds the served ball, then lets it go and waits with the catcher.
    EXPECT_EQ(m_host.m_forceBits, playfield | running | CShipAI::kAmbienceHolding);
    ai->ReleaseBall(ship);
    Step();
    EXPECT_EQ(m_host.m_forceBits, playfield | running | CShipAI::kAmbienceCatch);
    // The bomb takes the ship: its list no longer updates it, and it asks for nothing.
    ship->SetActive(false);
    Step();
    EXPECT_EQ(m_host.m_forceBits, playfield);
    ship->SetActive(true);
    Step();
    EXPECT_EQ(m_host.m_forceBits, playfield | running | CShipAI::kAmbienceCatch);
    // Nor does an ended game update its ship.
    m_field->EndGame(1);
    Step();
    EXPECT_EQ(m_host.m_forceBits, playfield);
}

TEST_F(ShipTest, FireWhileHoldingLaunchesTheBallAndShootsNothingThenBothGunsFire)
{
    MoveMouse(320);
    m_ai->SetGunType(1, false);
    m_ai->SetGunType(1, false);
    CSprite* ball = AddBall(true);
    m_ai->CatchBall(m_ship, ball);
    m_host.m_forceEffects.clear();
    PressFire();
    EXPECT_FALSE(m_ai->HoldsBall(ball));
    EXPECT_EQ(m_field->GetShots().Count(), 0u);
    EXPECT_EQ(m_host.m_forceEffects, std::vector<std::string>{"Launch Ball"});
    // Launched from 20 pixels right of the shield: theta = 20 x pi/200, at the ball's speed.
    const float theta = 20.0f * std::numbers::pi_v<float> / 200.0f, speed = 325.0f / 60.0f;
    EXPECT_NEAR(ball->GetVelocity().m_x, speed * std::sin(theta), 1e-4f);
    EXPECT_NEAR(ball->GetVelocity().m_y, -speed * std::cos(theta), 1e-4f);
    EXPECT_FALSE(FindSpriteAI<CBallAI>(ball)->HasBounced());
    // Holding the key fires nothing more; the next press fires at level 2 from both sides at once.
    Tick();
    EXPECT_EQ(m_field->GetShots().Count(), 0u);
    ReleaseFire();
    PressFire();
    ASSERT_EQ(m_field->GetShots().Count(), 2u);
    EXPECT_EQ(m_host.m_forceEffects, (std::vector<std::string>{"Launch Ball", "Fire Right Laser", "Fire Left Laser"}));
    CSprite* first = m_field->GetShots().GetHead();
    CSprite* second = first->GetNext();
    // The ship stands at round(0.5 x 452) + 30 = 256; the shots 33 either side, right first.
    EXPECT_FLOAT_EQ(first->GetPosition().m_x, 256.0f + 33.0f);
    EXPECT_FLOAT_EQ(second->GetPosition().m_x, 256.0f - 33.0f);
    EXPECT_FLOAT_EQ(first->GetPosition().m_y, second->GetPosition().m_y);
}

TEST_F(ShipTest, CatcherTakesNoBallInTheFireStepOrTheNext)
{
    // Steps between the press and the catch, with the key let go or held.
    struct Case
    {
        int stepsAfter;
        bool held;
        bool caught;
    };
    for (const Case& c : {Case{0, false, false}, Case{1, false, false}, Case{2, false, true}, Case{1, true, false},
                          Case{2, true, true}}) {
        SCOPED_TRACE(testing::Message() << c.stepsAfter << (c.held ? " held" : " let go"));
        m_ai->ResetForRound(m_ship);
        m_ai->EnableCatch();
        PressFire();
        if (!c.held)
            ReleaseFire(false);
        for (int i = 0; i < c.stepsAfter; ++i)
            Tick();
        CSprite* ball = AddBall(true);
        EXPECT_EQ(m_ai->TryCatchBall(m_ship, ball), c.caught);
        m_field->GetBalls().DeleteAll();
        ReleaseFire();
    }
    // Without any press the catch is at once.
    m_ai->ResetForRound(m_ship);
    m_ai->EnableCatch();
    Tick();
    Tick();
    EXPECT_TRUE(m_ai->TryCatchBall(m_ship, AddBall(true)));
}

TEST_F(ShipTest, ServedBallIsPushedUpUntilItClearsTheShip)
{
    // A body 60 x 28 about (30, 20) and an 18-pixel ball about its centre: at (320, 440) the body
    // spans y 420..447; the ball served at y 440 - 23 = 417 spans 408..425 and must rise until its
    // bottom row y + 8 is above 420, at y 411.
    SaveBlockLooks({{"TX Ship", 60, 28, 30, 20}, {"TX Ship 1", 60, 28, 30, 20}, {"Ball", 18, 18, 9, 9}});
    auto* ship = new CAnimatedSprite;
    ship->SetPosition(CFloatPoint{320.0f, 440.0f});
    auto* shipAI = new CShipAI(ship, nullptr);
    ship->AddAI(shipAI);
    m_field->GetShip().Append(ship);
    CSprite* ball = AddBall(false);
    shipAI->CatchBall(ship, ball);
    EXPECT_EQ(ball->GetPosition(), (CFloatPoint{340.0f, 411.0f}));
    EXPECT_FALSE(ball->CollidesWith(ship));
    // A ball that never collides stays at the serve offset.
    shipAI->ResetForRound(ship);
    CSprite* other = AddBall(false);
    static_cast<CAnimatedSprite*>(other)->GetSlot(0)->SetSequence(nullptr);
    shipAI->CatchBall(ship, other);
    EXPECT_EQ(other->GetPosition(), (CFloatPoint{340.0f, 417.0f}));
}

TEST_F(ShipTest, ShieldArcsJoinTheBodyToTheShieldInTheArcColour)
{
    CFrame frame;
    frame.Create(640, 480, 16);
    std::memset(frame.GetPixels(), 0, static_cast<size_t>(frame.GetPitch()) * frame.GetHeight() * 2);
    m_ai->DrawOverlay(m_ship, &frame);
    // Two arcs: from (308, 430) and (332, 430) to the normal shield's anchors (304, 424) and
    // (336, 424); each lights pixels near both its ends and nothing far from the ship.
    auto litNear = [&](int cx, int cy) {
        for (int y = cy - 2; y <= cy + 2; ++y)
            for (int x = cx - 2; x <= cx + 2; ++x)
                if (frametest::ReadPixel(frame, x, y) != 0)
                    return true;
        return false;
    };
    for (auto [x, y] : {std::pair{308, 430}, std::pair{332, 430}, std::pair{304, 424}, std::pair{336, 424}})
        EXPECT_TRUE(litNear(x, y)) << x << "," << y;
    EXPECT_FALSE(litNear(320, 300));
    EXPECT_FALSE(litNear(100, 430));
}

} // namespace
