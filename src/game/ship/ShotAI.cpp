#include "game/ship/ShotAI.h"

#include "game/sprites/Sprite.h"
#include "game/sprites/StateCheck.h"

IMPLEMENT_ABSTRACT_CLASS_RECORD(CShotAI, CSpriteAI, 1.0f)

void CShotAI::AddProperties(CClassRecord*)
{
}

CShotAI::CShotAI(CSprite*, bool bigGun) : CSpriteAI(1, 1), m_bigGun(bigGun)
{
    InitOwnProperties();
}

CShotAI::~CShotAI()
{
    DestroyOwnProperties();
}

void CShotAI::Update(CSprite* sprite, uint32_t arg)
{
    if (sprite->GetPosition().m_y < kTopY)
        sprite->SetFlag(CSprite::kDead, true);
    if (CSpriteAI* next = GetNext())
        next->Update(sprite, arg);
}

void CShotAI::SyncState()
{
    CStateCheck::SyncWord(m_bigGun ? 1u : 0u);
    SyncNext();
}
