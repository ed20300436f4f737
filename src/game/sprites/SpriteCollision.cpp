// The collision questions a sprite answers: its part of a swept test, the brick-sized box test
// and the pixel-exact test.
#include "game/sprites/FrameOverlap.h"
#include "game/sprites/Sprite.h"
#include "game/sprites/SpriteAI.h"
#include "objects/CollisionSweep.h"
#include "objects/SweepResult.h"

namespace {

// Half the size of a brick, and how far a sprite's point is grown for the box test.
constexpr float kBoxHalfWidth = 16.0f;
constexpr float kBoxHalfHeight = 9.0f;
constexpr float kPointGrowth = 8.0f;

// Sweeps of sprites bounce fully and slide without friction.
constexpr float kBounce = 1.0f;
constexpr float kRestThreshold = 0.1f;
constexpr float kFriction = 0.0f;

} // namespace

void CSprite::BeginSweep(CCollisionSweep& sweep)
{
    sweep.SetMotion(GetCollisionOrigin(), m_position);
    sweep.SetResponse(m_velocity, kBounce, kRestThreshold, kFriction, kRestThreshold);
}

void CSprite::ApplySweepVelocity(const CSweepResult& result)
{
    m_velocity = result.m_velocity;
}

bool CSprite::PassesThrough(CSprite* other, CSweepResult* hit)
{
    if (!(m_flags & kSolid))
        return true;
    return m_behaviours ? m_behaviours->PassesThrough(this, other, hit) : false;
}

bool CSprite::OverlapsBox(const CSprite* other) const
{
    if (!other || !IsAliveForCollisions() || !other->IsAliveForCollisions())
        return false;
    const CFloatPoint& a = m_position;
    const CFloatPoint& b = other->m_position;
    return b.m_x - kBoxHalfWidth <= a.m_x + kPointGrowth && a.m_x - kPointGrowth <= b.m_x + kBoxHalfWidth &&
           b.m_y - kBoxHalfHeight <= a.m_y + kPointGrowth && a.m_y - kPointGrowth <= b.m_y + kBoxHalfHeight;
}

bool CSprite::CollidesWith(const CSprite* other) const
{
    if (!other || !IsActive() || !IsAliveForCollisions() || !other->IsAliveForCollisions())
        return false;
    for (uint32_t theirs = 0; theirs < other->GetPartCount(); ++theirs) {
        CFrame* theirFrame = other->GetPartFrame(theirs);
        if (!theirFrame || !other->IsPartFlagSet(theirs, kPartCollidable))
            continue;
        const CIntPoint theirAt = other->GetIntPositionMovedBy(other->GetPartOffset(theirs));
        for (uint32_t mine = 0; mine < GetPartCount(); ++mine) {
            CFrame* myFrame = GetPartFrame(mine);
            if (myFrame && IsPartFlagSet(mine, kPartCollidable) &&
                CFrameOverlap::Test(theirFrame, theirAt, myFrame, GetIntPositionMovedBy(GetPartOffset(mine))))
                return true;
        }
    }
    return false;
}
