#include "game/ship/ShipAI.h"

#include "app/Mouse.h"
#include "app/PlayerControls.h"
#include "game/Playfield.h"
#include "game/bricks/BallAI.h"
#include "game/sprites/FindSpriteAI.h"
#include "game/sprites/Sprite.h"
#include "game/sprites/StandInLook.h"
#include "game/sprites/StateCheck.h"

#include <cmath>

IMPLEMENT_ABSTRACT_CLASS_RECORD(CShipAI, CSpriteAI, 1.0f)

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
    if (CSprite* ball = GetLiveHeldBall()) {
        if (m_controls && m_controls->IsFiring(0))
            ReleaseBall(sprite);
        else
            CatchBall(sprite, ball);
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
}

void CShipAI::CatchBall(CSprite* ship, CSprite* ball)
{
    if (m_heldBall != ball)
        if (CBallAI* ballAI = FindSpriteAI<CBallAI>(ball))
            ballAI->ResetRoll();
    m_heldBall = ball;
    ball->SetVelocity(CFloatPoint{0.0f, 0.0f});
    ball->SetPosition(CFloatPoint{ship->GetPosition().m_x, ship->GetPosition().m_y - kServeHeight});
}

bool CShipAI::TryCatchBall(CSprite*, CSprite*)
{
    return false;
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
