#include "game/bricks/BallAI.h"

#include "game/bricks/BrickAI.h"
#include "game/sprites/FindSpriteAI.h"
#include "game/sprites/Sprite.h"
#include "game/sprites/StandInLook.h"
#include "game/sprites/StateCheck.h"

#include <cmath>
#include <numbers>

IMPLEMENT_ABSTRACT_CLASS_RECORD(CBallAI, CSpriteAI, 1.0f)

CSequence* CBallAI::s_look = nullptr;

void CBallAI::AddProperties(CClassRecord*)
{
}

CBallAI::CBallAI(bool fire, bool rail, bool small) : CSpriteAI(1, 1), m_fire(fire), m_rail(rail), m_small(small)
{
    InitOwnProperties();
    BuildPolygon();
}

CBallAI::~CBallAI()
{
    DestroyOwnProperties();
}

void CBallAI::BuildPolygon()
{
    // Clockwise on screen (y down): the swept test stops only at edges whose outward normal faces
    // the motion.
    const float radius = m_small ? 4.0f : 7.0f;
    m_polygon.Clear();
    for (int k = 0; k < 8; ++k) {
        const float angle = static_cast<float>(k) * static_cast<float>(std::numbers::pi / 4.0);
        m_polygon.InsertPoint(radius * std::cos(angle), radius * std::sin(angle), ~0u);
    }
    m_polygon.Close();
}

void CBallAI::SetSmall(bool small)
{
    m_small = small;
    BuildPolygon();
}

void CBallAI::OnAttach(CSprite* sprite)
{
    sprite->SetDamping(1.0f);
    GiveStandInLook(sprite, s_look);
    CSpriteAI::OnAttach(sprite);
}

void CBallAI::Update(CSprite* sprite, uint32_t arg)
{
    const CFloatPoint& position = sprite->GetPosition();
    CFloatPoint velocity = sprite->GetVelocity();
    if ((position.m_x < kFieldLeft && velocity.m_x < 0.0f) || (position.m_x > kFieldRight && velocity.m_x > 0.0f))
        velocity.m_x = -velocity.m_x;
    if (position.m_y < kFieldTop && velocity.m_y < 0.0f)
        velocity.m_y = -velocity.m_y;
    sprite->SetVelocity(velocity);
    if (position.m_y > kLostBelow)
        sprite->SetFlag(CSprite::kDead, true);
    if (CSpriteAI* next = GetNext())
        next->Update(sprite, arg);
}

void CBallAI::SyncState()
{
    CStateCheck::SyncWord(m_endOfRound ? 1u : 0u);
    SyncNext();
}

const CPolygon2D* CBallAI::GetCollisionPolygon(CSprite*)
{
    return &m_polygon;
}

void CBallAI::OnHitBrick(CSprite*, CSprite* brick, uint32_t)
{
    if (CBrickAI* brickAI = FindSpriteAI<CBrickAI>(brick))
        brickAI->Hit(brick, CBrickAI::kFromBelow, m_small);
}

void CBallAI::OnHitShip(CSprite* ball, CSprite*)
{
    CFloatPoint velocity = ball->GetVelocity();
    velocity.m_y = -std::fabs(velocity.m_y);
    ball->SetVelocity(velocity);
}
