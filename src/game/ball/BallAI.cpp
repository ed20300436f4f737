#include "game/ball/BallAI.h"

#include "game/sprites/StateCheck.h"

IMPLEMENT_CLASS_RECORD_WITH(CBallAI, CSpriteAI, 1.0f, false, nullptr, nullptr, nullptr)
void CBallAI::AddProperties(CClassRecord*) {}

CBallAI::CBallAI(bool small) : m_small(small)
{
    InitOwnProperties();
}

CBallAI::~CBallAI()
{
    DestroyOwnProperties();
}

void CBallAI::Update(CSprite* sprite, uint32_t arg)
{
    if (CSpriteAI* next = GetNext())
        next->Update(sprite, arg);
}

void CBallAI::SyncState()
{
    CStateCheck::SyncWord(m_small | (m_loose << 1));
    SyncNext();
}
