#include "game/sprites/SpriteAI.h"

IMPLEMENT_ABSTRACT_CLASS_RECORD(CSpriteAI, CObject, 1.0f)

void CSpriteAI::AddProperties(CClassRecord*)
{
}

CSpriteAI::CSpriteAI(uint32_t first, uint32_t second) : m_first(first), m_second(second)
{
    InitOwnProperties();
}

CSpriteAI::~CSpriteAI()
{
    delete m_next;
    DestroyOwnProperties();
}

void CSpriteAI::OnAttach(CSprite*)
{
}

bool CSpriteAI::PassesThrough(CSprite* sprite, CSprite* other, CSweepResult* hit)
{
    return m_next ? m_next->PassesThrough(sprite, other, hit) : false;
}

void CSpriteAI::DrawOverlay(CSprite*, CFrameInterface*)
{
}

void CSpriteAI::DrawShadowOverlay(CSprite*, CFrameInterface*)
{
}

void CSpriteAI::DrawDebug(CSprite*, CFrameInterface*)
{
}

const CPolygon2D* CSpriteAI::GetCollisionPolygon(CSprite* sprite)
{
    return m_next ? m_next->GetCollisionPolygon(sprite) : nullptr;
}

void CSpriteAI::SyncNext()
{
    if (m_next)
        m_next->SyncState();
}
