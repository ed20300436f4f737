#include "game/ship/ShipAI.h"

#include "app/Mouse.h"
#include "app/PlayerControls.h"
#include "game/Playfield.h"
#include "game/bricks/BallAI.h"
#include "game/ship/ShotAI.h"
#include "game/sprites/AnimatedSprite.h"
#include "game/sprites/AnimationSlot.h"
#include "game/sprites/FindSpriteAI.h"
#include "game/sprites/RecordedSound.h"
#include "game/sprites/Sprite.h"
#include "game/sprites/StandInLook.h"
#include "game/sprites/StateCheck.h"
#include "graphics/SequenceCollection.h"
#include "sound/SoundList.h"

#include <cmath>

IMPLEMENT_ABSTRACT_CLASS_RECORD(CShipAI, CSpriteAI, 1.0f)

namespace {

// The action of the control set that fires (and serves).
constexpr int kFireAction = 0;
// The most pixels a caught ball is pushed up off the ship.
constexpr int kMaxPushUp = 64;

} // namespace

CSequence* CShipAI::s_look = nullptr;

void CShipAI::AddProperties(CClassRecord*)
{
}

CShipAI::CShipAI(CPlayerControls* controls) : CSpriteAI(1, 1), m_controls(controls)
{
    InitOwnProperties();
}

CShipAI::~CShipAI()
{
    DestroyOwnProperties();
}

CSprite* CShipAI::GetLiveHeldBall()
{
    CPlayfield* playfield = GetPlayfield();
    for (CSprite* ball = playfield ? playfield->GetBalls().GetHead() : nullptr; ball; ball = ball->GetNext())
        if (ball == m_heldBall && !ball->IsDead())
            return ball;
    m_heldBall = nullptr;
    return nullptr;
}

void CShipAI::OnAttach(CSprite* sprite)
{
    GiveStandInLook(sprite, s_look);
    CSpriteAI::OnAttach(sprite);
}

void CShipAI::Update(CSprite* sprite, uint32_t arg)
{
    // The ship moves only by position, following the mouse across the field.
    sprite->SetVelocity(CFloatPoint{0.0f, 0.0f});
    if (m_controls) {
        const float t = static_cast<float>(g_mouse.GetX()) * (1.0f / 640.0f);
        const float x = std::round(t * kTravel) + kLeftmostX;
        sprite->SetPosition(CFloatPoint{x, sprite->GetPosition().m_y});
    }
    const bool fire = m_controls && m_controls->IsFiring(kFireAction);
    if (CSprite* ball = GetLiveHeldBall()) {
        if (fire)
            ReleaseBall(sprite);
        else
            PlaceHeldBall(sprite, ball);
    } else if (fire && Fire(sprite) && m_gunLevel >= 2) {
        Fire(sprite);
    }
    if (CSpriteAI* next = GetNext())
        next->Update(sprite, arg);
}

void CShipAI::SyncState()
{
    CStateCheck::SyncWord(m_heldBall ? 1u : 0u);
    SyncNext();
}

void CShipAI::ResetForRound(CSprite*)
{
    m_heldBall = nullptr;
    m_gunType = 0;
    m_gunLevel = 1;
    m_canCatch = false;
    m_shieldSize = kNormalShield;
}

void CShipAI::SetGunType(uint32_t type, bool withSound)
{
    if (withSound && (type == 1 || type == 2))
        PlaySoundRecorded(type == 1 ? "Power Ups/Gun Deploy.wav" : "Power Ups/Big Gun.wav");
    if (type == m_gunType) {
        ++m_gunLevel;
        return;
    }
    m_gunType = type;
    m_gunLevel = 1;
    m_nextShotFromLeft = false;
}

bool CShipAI::Fire(CSprite* ship)
{
    CPlayfield* playfield = GetPlayfield();
    if (!HasGuns() || !playfield)
        return false;
    const bool big = m_gunType == 2;
    PlaySoundRecorded(big ? "Fire Big Gun.wav" : "Fire Gun.wav");
    auto* shot = new CSprite;
    const CFloatPoint& position = ship->GetPosition();
    shot->SetPosition(CFloatPoint{position.m_x + (m_nextShotFromLeft ? -kShotSideX : kShotSideX),
                                  position.m_y - kShotAboveY});
    shot->SetSequence(CSequenceCollection::GetInstance().FindSequence(big ? "Player Parts/Big Gun/Big Shot"
                                                                          : "Player Parts/Gun/Player Shot"));
    shot->SetVelocity(CFloatPoint{0.0f, -kShotSpeed});
    shot->SetDamping(1.0f);
    shot->AddAI(new CShotAI(shot, big));
    shot->SetLifetime(&playfield->GetShots(), kShotLifetime);
    m_nextShotFromLeft = !m_nextShotFromLeft;
    return true;
}

CFloatPoint CShipAI::GetShieldOffset(const CSprite* ship)
{
    const auto* animated = dynamic_cast<const CAnimatedSprite*>(ship);
    const CAnimationSlot* shield = animated ? animated->GetSlot(1) : nullptr;
    return shield ? shield->GetFloatOffset() : CFloatPoint{};
}

float CShipAI::GetShieldX(const CSprite* ship)
{
    return ship->GetPosition().m_x + GetShieldOffset(ship).m_x;
}

void CShipAI::PlaceHeldBall(CSprite* ship, CSprite* ball) const
{
    const CFloatPoint shield = GetShieldOffset(ship);
    ball->SetPosition(CFloatPoint{ship->GetPosition().m_x + shield.m_x + m_heldOffset.m_x,
                                  ship->GetPosition().m_y + shield.m_y + m_heldOffset.m_y});
}

void CShipAI::CatchBall(CSprite* ship, CSprite* ball, bool serve)
{
    m_heldBall = ball;
    ball->SetVelocity(CFloatPoint{0.0f, 0.0f});
    if (CBallAI* ballAI = FindSpriteAI<CBallAI>(ball))
        ballAI->ResetRoll();
    const CFloatPoint shield = GetShieldOffset(ship);
    m_heldOffset = serve ? CFloatPoint{kServeX, kServeY}
                         : CFloatPoint{ball->GetPosition().m_x - ship->GetPosition().m_x - shield.m_x,
                                       ball->GetPosition().m_y - ship->GetPosition().m_y - shield.m_y};
    PlaceHeldBall(ship, ball);
    // Up off the ship; a bounded climb, so a ball that collides everywhere cannot hang the game.
    for (int pixel = 0; pixel < kMaxPushUp && ball->CollidesWith(ship); ++pixel) {
        m_heldOffset.m_y -= 1.0f;
        PlaceHeldBall(ship, ball);
    }
}

bool CShipAI::TryCatchBall(CSprite* ship, CSprite* ball)
{
    const bool fired = m_controls && (m_controls->IsFiring(kFireAction) || m_controls->GetPreviousSet().Test(kFireAction));
    const CBallAI* ballAI = FindSpriteAI<CBallAI>(ball);
    if (!m_canCatch || m_heldBall || fired || !ballAI || !ballAI->HasBounced() || ballAI->IsLoose())
        return false;
    CatchBall(ship, ball, false);
    CSoundList::GetInstance().PlaySound("Electric/Catch.wav");
    return true;
}

void CShipAI::GrowShield()
{
    if (m_shieldSize < kBiggestShield)
        ++m_shieldSize;
    PlaySoundRecorded("Snap On Larger Shiled.wav");
}

void CShipAI::ShrinkShield()
{
    if (m_shieldSize > 0)
        --m_shieldSize;
    PlaySoundRecorded("Snap On Smaller Shiled.wav");
}

void CShipAI::ReleaseBall(CSprite* ship)
{
    if (CSprite* ball = GetLiveHeldBall())
        if (CBallAI* ballAI = FindSpriteAI<CBallAI>(ball)) {
            ballAI->LaunchFromShip(ball, ship);
            ballAI->SetHasBounced(false);
        }
    m_heldBall = nullptr;
}
