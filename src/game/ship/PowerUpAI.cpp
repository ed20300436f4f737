#include "game/ship/PowerUpAI.h"

#include "game/bricks/BallAI.h"
#include "game/sprites/Sprite.h"
#include "game/sprites/StateCheck.h"

IMPLEMENT_ABSTRACT_CLASS_RECORD(CPowerUpAI, CSpriteAI, 1.0f)

void CPowerUpAI::AddProperties(CClassRecord*)
{
}

CPowerUpAI::CPowerUpAI(uint32_t kind) : CSpriteAI(1, 1), m_kind(kind)
{
    InitOwnProperties();
}

CPowerUpAI::~CPowerUpAI()
{
    DestroyOwnProperties();
}

void CPowerUpAI::Update(CSprite* sprite, uint32_t arg)
{
    sprite->SetVelocity(CFloatPoint{0.0f, kFallSpeed});
    if (sprite->GetPosition().m_y > CBallAI::kLostBelow)
        sprite->SetFlag(CSprite::kDead, true);
    if (CSpriteAI* next = GetNext())
        next->Update(sprite, arg);
}

void CPowerUpAI::SyncState()
{
    CStateCheck::SyncWord(m_kind);
    SyncNext();
}

void CPowerUpAI::OnCollect(CSprite* powerUp, CSprite*)
{
    powerUp->SetFlag(CSprite::kDead, true);
}

void CPowerUpAI::OnHitByBall(CSprite*, CSprite*)
{
}
