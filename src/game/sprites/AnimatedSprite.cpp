#include "game/sprites/AnimatedSprite.h"

#include "app/ReplayStream.h"
#include "blit/modes/ShadowBlitter.h"
#include "game/sprites/AnimationSlot.h"
#include "game/sprites/SpriteAI.h"
#include "game/sprites/SpriteDrawRecord.h"
#include "game/sprites/WorldRecordFields.h"
#include "graphics/Frame.h"
#include "graphics/Sequence.h"

#include <algorithm>

namespace {

int32_t SaturatedSum(int32_t a, int32_t b)
{
    return static_cast<int32_t>(std::clamp<int64_t>(static_cast<int64_t>(a) + b, INT32_MIN, INT32_MAX));
}

} // namespace

CAnimatedSprite::CAnimatedSprite() = default;

CAnimatedSprite::~CAnimatedSprite()
{
    for (CAnimationSlot* slot : m_slots)
        delete slot;
}

CFrame* CAnimatedSprite::GetSlotFrame(const CAnimationSlot& slot)
{
    return slot.GetSequence() ? slot.GetSequence()->GetFrame(slot.GetFrameIndex()) : nullptr;
}

void CAnimatedSprite::Draw(CFrameInterface* target)
{
    if (!IsActive())
        return;
    CReplayStream* stream = (GetFlags() & kNotRecorded) ? nullptr : worldrecord::GetRecordingStream();
    for (const CAnimationSlot* slot : m_slots) {
        CFrame* frame = slot->IsVisible() ? GetSlotFrame(*slot) : nullptr;
        if (!frame)
            continue;
        const CIntPoint at = GetIntPositionMovedBy(slot->GetOffset());
        target->DrawFrameAt(frame, at.m_x, at.m_y, GetBlitter());
        if (stream)
            RecordSpriteDraw(*stream, slot->GetSequence(), slot->GetFrameIndex(), at.m_x, at.m_y);
    }
    if (CSpriteAI* behaviour = GetBehaviours())
        behaviour->DrawOverlay(this, target);
}

void CAnimatedSprite::DrawShadow(CFrameInterface* target)
{
    if (!IsActive())
        return;
    const CIntPoint shadow = GetShadowOffset();
    for (const CAnimationSlot* slot : m_slots) {
        CFrame* frame = slot->IsVisible() ? GetSlotFrame(*slot) : nullptr;
        if (!frame)
            continue;
        const CIntPoint offset = slot->GetOffset();
        const CIntPoint at =
            GetIntPositionMovedBy({SaturatedSum(offset.m_x, shadow.m_x), SaturatedSum(offset.m_y, shadow.m_y)});
        target->DrawFrameAt(frame, at.m_x, at.m_y, &g_shadowBlitter);
    }
    if (CSpriteAI* behaviour = GetBehaviours())
        behaviour->DrawShadowOverlay(this, target);
}

void CAnimatedSprite::Update()
{
    m_previousPosition = GetPosition();
    CSprite::Update();
}

void CAnimatedSprite::GetBoundingRect(CIntRect& out) const
{
    bool any = false;
    out = CIntRect{};
    for (const CAnimationSlot* slot : m_slots) {
        const CFrame* frame = slot->IsVisible() ? GetSlotFrame(*slot) : nullptr;
        if (!frame)
            continue;
        CIntRect bounds;
        frame->GetBounds(bounds);
        if (!any) {
            out = bounds;
            any = true;
            continue;
        }
        out.Set(std::min(out.m_left, bounds.m_left), std::min(out.m_top, bounds.m_top),
                std::max(out.m_right, bounds.m_right), std::max(out.m_bottom, bounds.m_bottom));
    }
}

CFloatPoint CAnimatedSprite::GetCollisionOrigin() const
{
    return m_previousPosition;
}

CFrame* CAnimatedSprite::GetPartFrame(uint32_t part) const
{
    const CAnimationSlot* slot = GetSlot(part);
    return slot ? GetSlotFrame(*slot) : nullptr;
}

CFrame* CAnimatedSprite::GetCurrentFrame() const
{
    return GetPartFrame(0);
}

uint32_t CAnimatedSprite::GetPartCount() const
{
    return GetSlotCount();
}

CIntPoint CAnimatedSprite::GetPartOffset(uint32_t part) const
{
    const CAnimationSlot* slot = GetSlot(part);
    return slot ? slot->GetOffset() : CIntPoint{};
}

bool CAnimatedSprite::IsPartFlagSet(uint32_t part, uint32_t mask) const
{
    const CAnimationSlot* slot = GetSlot(part);
    return slot && (slot->GetFlags() & mask) == mask;
}

CAnimationSlot* CAnimatedSprite::AddSlot(CSequence* sequence)
{
    m_slots.push_back(new CAnimationSlot(sequence));
    return m_slots.back();
}

CAnimationSlot* CAnimatedSprite::GetSlot(uint32_t i) const
{
    return i < m_slots.size() ? m_slots[i] : nullptr;
}
