// The ship's parts: thrust and tilt as it follows the input, the shield's lag and spring, the
// gun recoils, reversed controls, the ambient force-feedback request and the electric arcs.
#include "PlayfieldTestSupport.h"

#include "app/Mouse.h"
#include "app/PlayerControls.h"
#include "game/ship/ShipAI.h"
#include "game/sprites/AnimatedSprite.h"
#include "game/sprites/AnimationSlot.h"
#include "game/sprites/FindSpriteAI.h"

#include <cmath>

namespace {

using namespace playfieldtest;

class ShipTest : public PlayfieldTest
{
protected:
    void SetUp() override
    {
        PlayfieldTest::SetUp();
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
        PlayfieldTest::TearDown();
    }
    void MoveMouse(int x)
    {
        g_mouse.SetPositionFromInput(x, 100);
        Step();
    }
    CAnimationSlot& Slot(uint32_t i) { return *m_ship->GetSlot(i); }

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

TEST_F(ShipTest, AmbienceRequestFollowsPlayAndTheCatcher)
{
    StartLaidGame();
    CSprite* ship = m_field->GetShip().GetHead();
    CShipAI* ai = FindSpriteAI<CShipAI>(ship);
    Step();
    const uint32_t request = CShipAI::GetAmbienceRequest() & ~CShipAI::kAmbiencePlayfield;
    EXPECT_EQ(request, CShipAI::kAmbienceRunning);
    ai->EnableCatch();
    Step();
    // It holds the served ball.
    EXPECT_EQ(CShipAI::GetAmbienceRequest() & ~CShipAI::kAmbiencePlayfield,
              CShipAI::kAmbienceRunning | CShipAI::kAmbienceHolding);
    // An inactive ship is not updated by its list; its behaviour still answers for it.
    ship->SetActive(false);
    ai->Update(ship, 0);
    EXPECT_EQ(CShipAI::GetAmbienceRequest() & ~CShipAI::kAmbiencePlayfield, 0u);
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
