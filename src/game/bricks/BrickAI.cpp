#include "game/bricks/BrickAI.h"

#include "game/sprites/Sprite.h"
#include "game/sprites/StateCheck.h"

IMPLEMENT_ABSTRACT_CLASS_RECORD(CBrickAI, CSpriteAI, 1.0f)

namespace {

const CPolygon2D& GetBrickPolygon()
{
    static const CPolygon2D s_polygon = [] {
        // Clockwise on screen, like every outline the swept test stops at.
        CPolygon2D polygon;
        polygon.InsertPoint(-16.0f, -9.0f, ~0u);
        polygon.InsertPoint(16.0f, -9.0f, ~0u);
        polygon.InsertPoint(16.0f, 9.0f, ~0u);
        polygon.InsertPoint(-16.0f, 9.0f, ~0u);
        polygon.Close();
        return polygon;
    }();
    return s_polygon;
}

} // namespace

void CBrickAI::AddProperties(CClassRecord*)
{
}

CBrickAI::CBrickAI(bool needed) : CSpriteAI(1, 1), m_needed(needed)
{
    InitOwnProperties();
}

CBrickAI::~CBrickAI()
{
    DestroyOwnProperties();
}

void CBrickAI::Update(CSprite* sprite, uint32_t arg)
{
    if (CSpriteAI* next = GetNext())
        next->Update(sprite, arg);
}

void CBrickAI::SyncState()
{
    CStateCheck::SyncWord(m_needed ? 1u : 0u);
    SyncNext();
}

const CPolygon2D* CBrickAI::GetCollisionPolygon(CSprite*)
{
    return &GetBrickPolygon();
}

bool CBrickAI::IsTypeNeeded(const CBrickInfo* type)
{
    return type != nullptr;
}

void CBrickAI::ReleaseTrappedBall(CSprite*)
{
}

bool CBrickAI::Hit(CSprite* brick, uint32_t, bool)
{
    brick->SetFlag(CSprite::kDead, true);
    return true;
}

void CBrickAI::Destroy(CSprite* brick, bool, float)
{
    brick->SetFlag(CSprite::kDead, true);
}
