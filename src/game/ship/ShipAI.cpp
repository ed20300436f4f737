#include "game/ship/ShipAI.h"

#include "app/PlayerControls.h"
#include "game/Playfield.h"
#include "game/sprites/Sprite.h"
#include "game/sprites/StandInLook.h"
#include "game/sprites/StateCheck.h"

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
    m_heldBall = ball;
    ball->SetVelocity(CFloatPoint{0.0f, 0.0f});
    ball->SetPosition(CFloatPoint{ship->GetPosition().m_x, ship->GetPosition().m_y - kServeHeight});
}

bool CShipAI::TryCatchBall(CSprite*, CSprite*)
{
    return false;
}

void CShipAI::ReleaseBall(CSprite*)
{
    if (CSprite* ball = GetLiveHeldBall())
        ball->SetVelocity(CFloatPoint{kServeSpeedX, kServeSpeedY});
    m_heldBall = nullptr;
}
