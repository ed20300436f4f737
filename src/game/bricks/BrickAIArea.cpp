// What one brick sets off among the others: blasts, push waves, spreading changes and the toggle
// bricks going together. Every walk reads the next brick before acting on one, since acting may
// destroy further bricks (never unlink them: dead bricks stay in the list until its pass ends).
#include "game/Playfield.h"
#include "game/bricks/BrickAI.h"
#include "game/bricks/BrickInfo.h"
#include "game/sprites/Sprite.h"

#include <cmath>

namespace {

CSpriteList* GetBricks()
{
    CPlayfield* playfield = GetPlayfield();
    return playfield ? &playfield->GetBricks() : nullptr;
}

// Calls action(sprite, behaviour) for every live brick of the playfield.
template <class Action>
void ForEachLiveBrick(Action action)
{
    CSpriteList* bricks = GetBricks();
    for (CSprite* sprite = bricks ? bricks->GetHead() : nullptr; sprite;) {
        CSprite* next = sprite->GetNext();
        if (!sprite->IsDead())
            if (CBrickAI* brick = CBrickAI::Of(sprite))
                action(sprite, brick);
        sprite = next;
    }
}

float ScaledDistanceSquared(const CFloatPoint& centre, const CFloatPoint& other)
{
    const float dx = centre.m_x - other.m_x;
    const float dy = (centre.m_y - other.m_y) * CBrickAI::kVerticalScale;
    return dx * dx + dy * dy;
}

} // namespace

void CBrickAI::Explode(const CFloatPoint& centre, float reach, bool immediate)
{
    ForEachLiveBrick([&](CSprite* sprite, CBrickAI* brick) {
        if (ScaledDistanceSquared(centre, sprite->GetPosition()) > reach * reach)
            return;
        if (immediate)
            brick->Destroy(sprite, false, kBlastReach);
        else
            brick->m_explodeCountdown = kChainDelay;
    });
}

void CBrickAI::PushAway(const CFloatPoint& centre, float reach)
{
    ForEachLiveBrick([&](CSprite* sprite, CBrickAI* brick) {
        const float dx = sprite->GetPosition().m_x - centre.m_x;
        const float dy = sprite->GetPosition().m_y - centre.m_y;
        const float d = std::sqrt(dx * dx + dy * dy);
        if (d > reach)
            return;
        brick->m_pushDelay = static_cast<int32_t>(std::lround(d * 0.0025f * 60.0f));
        // A brick on the very centre has no way away from it.
        const float scale = d > 0.0f ? (reach - d) / 3.0f / d : 0.0f;
        brick->m_pushVelocity = {dx * scale, dy * scale};
    });
}

void CBrickAI::SpreadChange(const CSprite* brick, const CBrickInfo* from, CBrickInfo* to)
{
    const CFloatPoint centre = brick->GetPosition();
    ForEachLiveBrick([&](CSprite* sprite, CBrickAI* other) {
        if (ScaledDistanceSquared(centre, sprite->GetPosition()) > kBlastReach * kBlastReach)
            return;
        if ((from && other->m_info != from) || other->IsChanging() || other->m_changeTarget)
            return;
        other->m_changeCountdown = kChangeDelay;
        other->m_changeTarget = to;
    });
}

void CBrickAI::DestroyTogglesWhenAllOn()
{
    bool anyOff = false;
    ForEachLiveBrick([&](CSprite*, CBrickAI* brick) {
        anyOff = anyOff || (IsToggleBrickType(brick->GetBrickType()) && !brick->IsOn());
    });
    if (!anyOff)
        DestroyTogglesThatAreOn();
}

void CBrickAI::DestroyTogglesThatAreOn()
{
    ForEachLiveBrick([&](CSprite* sprite, CBrickAI* brick) {
        if (IsToggleBrickType(brick->GetBrickType()) && brick->IsOn())
            brick->Destroy(sprite, false, kBlastReach);
    });
}
