// A brick's step: nudges, pushes, its animation, its path, the explosion and change countdowns.
#include "game/Playfield.h"
#include "game/bricks/BrickAI.h"
#include "game/bricks/BrickInfo.h"
#include "game/bricks/FloatingBrick.h"
#include "game/ship/ParticleGeneratorCollection.h"
#include "game/sprites/AnimatedSprite.h"
#include "game/sprites/AnimationSlot.h"
#include "game/sprites/RecordedSound.h"
#include "objects/DataNames.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kNudgeStep = 5.0f;
constexpr float kCycleStep = 0.0075f;
constexpr float kPathArrival = 0.2f;

float Dot(const CFloatPoint& a, const CFloatPoint& b)
{
    return a.m_x * b.m_x + a.m_y * b.m_y;
}

// Whether the two bricks' polygons overlap where they stand.
bool Overlap(CSprite* a, CBrickAI* brickA, CSprite* b, CBrickAI* brickB)
{
    const CPolygon2D* polygonA = brickA->GetCollisionPolygon(a);
    const CPolygon2D* polygonB = brickB->GetCollisionPolygon(b);
    return polygonA && polygonB && polygonA->PolygonsOverlap(a->GetPosition(), *polygonB, b->GetPosition());
}

} // namespace

bool IsInBrickMovableArea(const CFloatPoint& position)
{
    const float x = position.m_x - 16.0f;
    const float y = position.m_y - 9.0f;
    return x >= 0.0f && x <= 474.0f && y >= 0.0f && y <= 452.0f;
}

void CBrickAI::BuildPath()
{
    m_path.Clear();
    m_pathIndex = 0;
    if (!m_floating || !m_floating->HasPath())
        return;
    CFloatPoint first, second;
    m_floating->GetPathEnds(first, second);
    m_path.Append(first);
    m_path.Append(second);
}

void CBrickAI::MoveWithPath(CSprite* brick, const CFloatPoint& step)
{
    const CFloatPoint& p = brick->GetPosition();
    brick->SetPosition({p.m_x + step.m_x, p.m_y + step.m_y});
    for (uint32_t i = 0; i < m_path.GetCount(); ++i) {
        m_path[i].m_x += step.m_x;
        m_path[i].m_y += step.m_y;
    }
}

void CBrickAI::Update(CSprite* sprite, uint32_t arg)
{
    StepNudge(sprite);
    StepPush(sprite);
    if (auto* animated = dynamic_cast<CAnimatedSprite*>(sprite))
        if (CAnimationSlot* slot = animated->GetSlot(0))
            slot->AdvanceLooping();
    StepPath(sprite);
    m_cyclePhase += kCycleStep;
    if (m_cyclePhase > 1.0f)
        m_cyclePhase -= 1.0f;
    if (m_explodeCountdown > 0 && --m_explodeCountdown == 0)
        Destroy(sprite, false, kBlastReach);
    StepChange(sprite);
    if (CSpriteAI* next = GetNext())
        next->Update(sprite, arg);
}

void CBrickAI::StepNudge(CSprite* brick)
{
    if (!IsBeingNudged() || brick->IsDead())
        return;
    const CFloatPoint step = {std::clamp(m_nudge.m_x, -kNudgeStep, kNudgeStep),
                              std::clamp(m_nudge.m_y, -kNudgeStep, kNudgeStep)};
    MoveWithPath(brick, step);
    if (!IsInBrickMovableArea(brick->GetPosition())) {
        m_nudge = {0.0f, 0.0f};
        Destroy(brick, false, kBlastReach);
        return;
    }
    const bool horizontal = std::fabs(step.m_x) >= std::fabs(step.m_y);
    CPlayfield* playfield = GetPlayfield();
    for (CSprite* other = playfield ? playfield->GetBricks().GetHead() : nullptr; other; other = other->GetNext()) {
        CBrickAI* otherBrick = Of(other);
        if (other == brick || other->IsDead() || !otherBrick)
            continue;
        const float offset = horizontal ? other->GetPosition().m_x - brick->GetPosition().m_x
                                        : other->GetPosition().m_y - brick->GetPosition().m_y;
        const float along = horizontal ? step.m_x : step.m_y;
        if ((offset > 0.0f) != (along > 0.0f) || offset == 0.0f || !Overlap(brick, this, other, otherBrick))
            continue;
        const uint32_t type = otherBrick->GetBrickType();
        if (type == kBrickObstacle || type == kBrickShredder) {
            m_nudge = {0.0f, 0.0f};
            Destroy(brick, false, kBlastReach);
            return;
        }
        if (!otherBrick->IsBeingNudged()) {
            // The brick met hands its whole remaining nudge on and this one stops.
            otherBrick->m_nudge = m_nudge;
            m_nudge = {0.0f, 0.0f};
            return;
        }
    }
    m_nudge.m_x -= step.m_x;
    m_nudge.m_y -= step.m_y;
    if (std::fabs(m_nudge.m_x) < 0.1f)
        m_nudge.m_x = 0.0f;
    if (std::fabs(m_nudge.m_y) < 0.1f)
        m_nudge.m_y = 0.0f;
}

void CBrickAI::StepPush(CSprite* brick)
{
    if (m_pushDelay < 0 || brick->IsDead())
        return;
    if (m_pushDelay > 0) {
        --m_pushDelay;
        return;
    }
    m_pushVelocity.m_x *= 0.7f;
    m_pushVelocity.m_y *= 0.7f;
    if (std::fabs(m_pushVelocity.m_x) < 0.01f && std::fabs(m_pushVelocity.m_y) < 0.01f) {
        m_pushVelocity = {0.0f, 0.0f};
        m_pushDelay = -1;
        return;
    }
    const CFloatPoint old = brick->GetPosition();
    brick->SetPosition({old.m_x + m_pushVelocity.m_x, old.m_y + m_pushVelocity.m_y});
    bool putBack = !IsInBrickMovableArea(brick->GetPosition());
    CPlayfield* playfield = GetPlayfield();
    for (CSprite* other = playfield ? playfield->GetBricks().GetHead() : nullptr; other && !putBack;
         other = other->GetNext()) {
        CBrickAI* otherBrick = Of(other);
        if (other == brick || other->IsDead() || !otherBrick)
            continue;
        const CFloatPoint toOther = {other->GetPosition().m_x - old.m_x, other->GetPosition().m_y - old.m_y};
        if (Dot(toOther, m_pushVelocity) < 0.0f || !Overlap(brick, this, other, otherBrick))
            continue;
        const uint32_t type = otherBrick->GetBrickType();
        if (type == kBrickShredder) {
            brick->SetPosition(old);
            Destroy(brick, false, kBlastReach);
            return;
        }
        if (type == kBrickObstacle || otherBrick->m_pushDelay >= 0) {
            putBack = true;
            break;
        }
        // An idle brick takes on part of the push; this one goes on more slowly.
        m_pushVelocity.m_x *= 0.6f;
        m_pushVelocity.m_y *= 0.6f;
        brick->SetPosition({old.m_x + m_pushVelocity.m_x, old.m_y + m_pushVelocity.m_y});
        otherBrick->m_pushVelocity = m_pushVelocity;
        otherBrick->m_pushDelay = 0;
        break;
    }
    if (putBack) {
        brick->SetPosition(old);
        return;
    }
    const CFloatPoint moved = brick->GetPosition();
    brick->SetPosition(old);
    MoveWithPath(brick, {moved.m_x - old.m_x, moved.m_y - old.m_y});
}

void CBrickAI::StepPath(CSprite* brick)
{
    CPlayfield* playfield = GetPlayfield();
    if (m_path.GetCount() == 0 || !brick->IsActive() || brick->IsDead() || (playfield && playfield->IsLayingBricks()))
        return;
    const CFloatPoint old = brick->GetPosition();
    CFloatPoint target = m_path[m_pathIndex];
    float dx = target.m_x - old.m_x;
    float dy = target.m_y - old.m_y;
    if (dx * dx + dy * dy <= kPathArrival * kPathArrival) {
        if (m_path.GetCount() == 2 && m_path[0] == m_path[1]) {
            m_path.Clear();
            return;
        }
        m_pathIndex = (m_pathIndex + 1) % m_path.GetCount();
        target = m_path[m_pathIndex];
        dx = target.m_x - old.m_x;
        dy = target.m_y - old.m_y;
    }
    const float distance = std::sqrt(dx * dx + dy * dy);
    const float most = m_floating ? m_floating->m_speed / 60.0f : 0.0f;
    if (distance > most && distance > 0.0f) {
        dx *= most / distance;
        dy *= most / distance;
    }
    brick->SetPosition({old.m_x + dx, old.m_y + dy});
    if (!m_floating || m_floating->m_canMoveThroughOtherBricks || !playfield)
        return;
    for (CSprite* other = playfield->GetBricks().GetHead(); other; other = other->GetNext()) {
        CBrickAI* otherBrick = Of(other);
        if (other == brick || other->IsDead() || !other->IsActive() || !otherBrick || !brick->CollidesWith(other))
            continue;
        const uint32_t type = otherBrick->GetBrickType();
        if (type == kBrickExploding) {
            otherBrick->Destroy(other, false, kBlastReach);
        } else if (type == kBrickShredder) {
            Destroy(brick, false, kBlastReach);
        } else {
            brick->SetPosition(old);
            m_pathIndex = (m_pathIndex + 1) % m_path.GetCount();
        }
        return;
    }
}

void CBrickAI::StepChange(CSprite* brick)
{
    if (m_changeCountdown == 0 || --m_changeCountdown > 0 || brick->IsDead())
        return;
    CBrickInfo* target = m_changeTarget;
    SpreadChange(brick, m_info, target);
    m_info = target;
    if (target)
        ShowLook(brick, target->m_primarySequence);
    if (CPlayfield* playfield = GetPlayfield())
        playfield->SpawnSparksOverBrick(brick,
                                        CParticleGeneratorCollection::GetInstance().FindGenerator(
                                            dataname::generator::kBrickChangeType),
                                        nullptr);
    PlaySoundRecorded(dataname::sound::kBrickChange);
    m_changeTarget = nullptr;
}
