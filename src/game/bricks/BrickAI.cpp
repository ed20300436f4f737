#include "game/bricks/BrickAI.h"

#include "foundation/R250Random.h"
#include "game/Playfield.h"
#include "game/PlayfieldHost.h"
#include "game/bricks/BallAI.h"
#include "game/bricks/BrickInfo.h"
#include "game/bricks/FloatingBrick.h"
#include "game/sprites/AnimatedSprite.h"
#include "game/sprites/AnimationSlot.h"
#include "game/sprites/RecordedSound.h"
#include "game/sprites/StateCheck.h"
#include "graphics/ClippedProxyFrame.h"
#include "graphics/Frame.h"
#include "graphics/Sequence.h"
#include "objects/DataNames.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// A trapped ball leaves at 200 pixels per second, down and to the right.
constexpr float kReleasedBallSpeed = 3.3333333f;

} // namespace

IMPLEMENT_CLASS_RECORD_WITH(CBrickAI, CSpriteAI, 1.0f, false, nullptr, nullptr, nullptr)
void CBrickAI::AddProperties(CClassRecord*) {}

CBrickAI::CBrickAI(CAnimatedSprite* brick, CBrickInfo* info, CFloatingBrick* floating, int32_t column, int32_t row)
    : m_info(info), m_cyclePhase(g_gameRandom.NextFloat(0.0f, 1.0f)), m_floating(floating), m_column(column),
      m_row(row)
{
    InitOwnProperties();
    const CBrickInfo* look = floating && floating->GetLookLike() ? floating->GetLookLike() : info;
    if (brick) {
        CAnimationSlot* slot = brick->AddSlot(look ? look->GetPrimarySequence() : nullptr);
        slot->SetPhase(g_gameRandom.NextFloat(0.0f, 1.0f));
        brick->SetVelocity({0.0f, 0.0f});
    }
    BuildPath();
}

CBrickAI::~CBrickAI()
{
    DestroyOwnProperties();
}

CBrickAI* CBrickAI::Of(CSprite* sprite)
{
    return sprite ? dynamic_cast<CBrickAI*>(sprite->GetBehaviours()) : nullptr;
}

uint32_t CBrickAI::GetBrickType() const
{
    return m_info ? m_info->GetBrickType() : kBrickNormal;
}

bool CBrickAI::IsNeeded() const
{
    return IsNeededBrickType(GetBrickType());
}

uint32_t CBrickAI::GetChangeTargetType() const
{
    return m_changeTarget ? m_changeTarget->GetBrickType() : kBrickNormal;
}

bool CBrickAI::IsOn() const
{
    const uint32_t type = GetBrickType();
    return (type == kBrickOffOn && (m_hitCount & 1) != 0) || (type == kBrickOnOff && (m_hitCount & 1) == 0);
}

bool CBrickAI::Hit(CSprite* brick, uint32_t side, bool weak)
{
    // A rail ball passes on through what it has just destroyed.
    if (brick->IsDead())
        return true;
    switch (const uint32_t type = GetBrickType()) {
    case kBrickObstacle:
        PlayInfoSound(m_info->m_indestructibleSound);
        return false;
    case kBrickIndestructible:
    case kBrickShredder:
        HitUnbreakable(brick);
        return false;
    case kBrickIndestructibleTop:
    case kBrickIndestructibleBottom:
        if (side == (type == kBrickIndestructibleTop ? kFromBelow : kFromAbove)) {
            Destroy(brick, false, kBlastReach);
            return true;
        }
        HitUnbreakable(brick);
        return false;
    case kBrick3HitBottom:
    case kBrick3HitTop:
        if (side == (type == kBrick3HitBottom ? kFromBelow : kFromAbove))
            return Hit3Hit(brick, weak);
        HitUnbreakable(brick);
        return false;
    case kBrick3Hit:
        return Hit3Hit(brick, weak);
    case kBrickOffOn:
    case kBrickOnOff:
        HitToggle(brick);
        return true;
    case kBrickNudgeUp:
    case kBrickNudgeDown:
    case kBrickNudgeLeft:
    case kBrickNudgeRight: {
        if (!IsBeingNudged()) {
            const CFloatPoint nudges[] = {{0.0f, -18.0f}, {0.0f, 18.0f}, {-32.0f, 0.0f}, {32.0f, 0.0f}};
            m_nudge = nudges[type - kBrickNudgeUp];
        }
        PlayInfoSound(m_info->m_indestructibleSound);
        return true;
    }
    case kBrickTrappedBall:
        return false;
    default:
        Destroy(brick, false, kBlastReach);
        return true;
    }
}

void CBrickAI::HitUnbreakable(CSprite* brick)
{
    if (++m_unbreakableHits > kUnbreakableHitLimit)
        Destroy(brick, false, kBlastReach);
    else
        PlayInfoSound(m_info ? m_info->m_indestructibleSound : 0);
}

bool CBrickAI::Hit3Hit(CSprite* brick, bool weak)
{
    if (weak && m_weakHits < 2) {
        ++m_weakHits;
        PlayInfoSound(m_info->m_indestructibleSound);
        return true;
    }
    m_weakHits = 0;
    if (++m_hitCount >= 3) {
        Destroy(brick, false, kBlastReach);
        return true;
    }
    PlayInfoSound(m_info->m_damagedSound);
    ShowLook(brick, m_hitCount == 1 ? m_info->m_sequence2 : m_info->m_sequence3);
    return true;
}

void CBrickAI::HitToggle(CSprite* brick)
{
    ++m_hitCount;
    const bool on = IsOn();
    const bool startsOn = GetBrickType() == kBrickOnOff;
    if (on != startsOn && m_info->m_sequence2)
        ShowLook(brick, m_info->m_sequence2);
    else
        ShowLook(brick, m_info->m_primarySequence);
    PlaySoundRecorded(on ? dataname::sound::kBrickTurnedOn : dataname::sound::kBrickTurnedOff);
    DestroyTogglesWhenAllOn();
}

void CBrickAI::ShowLook(CSprite* brick, uint32_t sequence)
{
    auto* animated = dynamic_cast<CAnimatedSprite*>(brick);
    CAnimationSlot* slot = animated ? animated->GetSlot(0) : nullptr;
    if (slot && sequence)
        slot->SetSequence(CBrickInfo::GetSequence(sequence));
}

void CBrickAI::PlayInfoSound(uint32_t sound) const
{
    PlaySoundByIndexRecorded(static_cast<int>(sound));
}

void CBrickAI::Destroy(CSprite* brick, bool byFire, float reach)
{
    const uint32_t type = GetBrickType();
    if (brick->IsDead() || type == kBrickObstacle)
        return;
    brick->SetFlag(CSprite::kDead, true);
    CPlayfield* playfield = GetPlayfield();
    if (playfield) {
        playfield->AddPoints(m_info ? m_info->m_scoreValue : 0);
        playfield->GetHost().CountBrickDestroyed();
    }
    bool released = false;
    if (m_floating) {
        if (CBrickInfo* to = m_floating->GetChangeTo())
            SpreadChange(brick, m_floating->GetChangeFrom(), to);
        if (m_floating->m_forcePowerUp != 0 && playfield) {
            playfield->SpawnPowerUp(brick, m_floating->m_forcePowerUp);
            released = true;
        }
    }
    if (IsToggleBrickType(type))
        DestroyTogglesWhenAllOn();
    else if (type == kBrickDetonator)
        DestroyTogglesThatAreOn();
    else if (type == kBrickPushAway)
        PushAway(brick->GetPosition(), kPushReach);

    if (type == kBrickExploding || (IsToggleBrickType(type) && IsOn())) {
        Explode(brick->GetPosition(), kBlastReach, false);
        if (playfield)
            playfield->GetHost().StartForceFeedback(dataname::forceeffect::kBricksExplode, nullptr);
    } else if (byFire)
        Explode(brick->GetPosition(), reach, true);

    if (m_info) {
        PlayInfoSound(m_info->m_destroyedSound);
        if (playfield && m_info->m_destroyedSequence)
            playfield->SpawnEffectAtSprite(brick, CBrickInfo::GetSequence(m_info->m_destroyedSequence));
        if (playfield && m_info->m_breakParticleGenerator)
            playfield->SpawnSparksOverBrick(brick, m_info->GetBreakParticleGenerator(), m_info);
    }
    if (type == kBrickPowerUp && !released && playfield)
        playfield->SpawnPowerUp(brick, 0);
}

void CBrickAI::ReleaseTrappedBall(CSprite* brick)
{
    CPlayfield* playfield = GetPlayfield();
    if (GetBrickType() != kBrickTrappedBall || brick->IsDead() || !playfield)
        return;
    auto* ball = new CAnimatedSprite;
    ball->SetPosition(brick->GetPosition());
    auto* behaviour = new CBallAI(ball, false, false, true);
    behaviour->SetLoose(true);
    ball->AddAI(behaviour);
    const float component = kReleasedBallSpeed * std::numbers::sqrt2_v<float> / 2.0f;
    ball->SetVelocity({component, component});
    playfield->GetFreedBalls().Append(ball);
    brick->SetFlag(CSprite::kDead, true);
}

void CBrickAI::DrawOverlay(CSprite* sprite, CFrameInterface* target)
{
    const CBrickInfo* to = m_floating ? m_floating->GetChangeTo() : nullptr;
    CSequence* look = to ? to->GetPrimarySequence() : nullptr;
    auto* animated = dynamic_cast<CAnimatedSprite*>(sprite);
    const CAnimationSlot* slot = animated ? animated->GetSlot(0) : nullptr;
    if (!look || !slot || !target)
        return;
    const float phase = std::max(slot->GetPhase(), 0.0f);
    CFrame* frame = look->GetFrameAtFraction(phase);
    if (!frame)
        return;
    const CIntPoint at = sprite->GetIntPosition();
    CClippedProxyFrame clipped(target);
    CIntRect clip = clipped.GetClipRect();
    clip.m_left = std::max(clip.m_left, at.m_x + static_cast<int32_t>(std::lround(phase * 32.0f)) - 16);
    clipped.SetClipRect(clip);
    clipped.DrawFrameAt(frame, at.m_x, at.m_y, sprite->GetBlitter());
}

const CPolygon2D* CBrickAI::GetCollisionPolygon(CSprite*)
{
    return m_info ? &m_info->m_polygon : nullptr;
}

void CBrickAI::SyncState()
{
    CStateCheck::SyncWord(m_hitCount);
    CStateCheck::SyncWord(m_weakHits);
    CStateCheck::SyncWord(m_unbreakableHits);
    CStateCheck::SyncWord(m_explodeCountdown);
    CStateCheck::SyncWord(m_changeCountdown);
    CStateCheck::SyncFloat(m_cyclePhase);
    CStateCheck::SyncFloat(m_nudge.m_x);
    CStateCheck::SyncFloat(m_nudge.m_y);
    CStateCheck::SyncInt(m_pushDelay);
    SyncNext();
}
