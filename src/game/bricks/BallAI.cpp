#include "game/bricks/BallAI.h"

#include "game/bricks/BrickAI.h"
#include "game/sprites/FindSpriteAI.h"
#include "game/sprites/Sprite.h"
#include "game/sprites/StandInLook.h"
#include "game/sprites/StateCheck.h"

#include <cmath>
#include <numbers>

IMPLEMENT_ABSTRACT_CLASS_RECORD(CBallAI, CSpriteAI, 1.0f)

namespace {

// The side a brick is hit from when the ball came from below.
constexpr uint32_t kSideBelow = 1;

// A regular polygon of the radius from (radius, 0), its corners at growing angles: clockwise on
// screen, where y points down. (Corners at falling angles would wind it the other way, and the
// swept test would let the ball sink into what it meets.)
CPolygon2D MakeRegularPolygon(float radius, int corners)
{
    CPolygon2D polygon;
    for (int k = 0; k < corners; ++k) {
        const double angle = 2.0 * std::numbers::pi * k / corners;
        polygon.InsertPoint(radius * static_cast<float>(std::cos(angle)), radius * static_cast<float>(std::sin(angle)),
                            ~0u);
    }
    polygon.Close();
    return polygon;
}

} // namespace

CSequence* CBallAI::s_look = nullptr;

void CBallAI::AddProperties(CClassRecord*)
{
}

CBallAI::CBallAI(bool fire, bool rail, bool small) : CSpriteAI(1, 1), m_fire(fire), m_rail(rail), m_small(small)
{
    InitOwnProperties();
}

CBallAI::~CBallAI()
{
    DestroyOwnProperties();
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
    return m_small ? &GetSmallBallPolygon() : &GetBallPolygon();
}

const CPolygon2D& CBallAI::GetBallPolygon()
{
    static const CPolygon2D s_polygon = MakeRegularPolygon(9.0f, 12);
    return s_polygon;
}

const CPolygon2D& CBallAI::GetSmallBallPolygon()
{
    static const CPolygon2D s_polygon = MakeRegularPolygon(3.0f, 8);
    return s_polygon;
}

void CBallAI::OnHitBrick(CSprite*, CSprite* brick, uint32_t)
{
    if (CBrickAI* brickAI = FindSpriteAI<CBrickAI>(brick))
        brickAI->Hit(brick, kSideBelow, false);
}

void CBallAI::OnHitShip(CSprite* ball, CSprite*)
{
    CFloatPoint velocity = ball->GetVelocity();
    velocity.m_y = -std::fabs(velocity.m_y);
    ball->SetVelocity(velocity);
}
