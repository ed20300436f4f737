#include "game/sprites/Sprite.h"

#include "app/DemoRecorder.h"
#include "blit/modes/ShadowBlitter.h"
#include "blit/modes/TransparentMaskBlitter.h"
#include "foundation/MathTables.h"
#include "foundation/SmallBlockAllocator.h"
#include "game/sprites/SpriteAI.h"
#include "game/sprites/SpriteDrawRecord.h"
#include "game/sprites/SpriteList.h"
#include "game/sprites/StateCheck.h"
#include "graphics/Frame.h"
#include "graphics/Sequence.h"

#include <algorithm>
#include <numbers>

namespace {

CIntPoint s_shadowOffset{10, 10};

int32_t MovedSaturated(int32_t at, int32_t by)
{
    return static_cast<int32_t>(std::clamp<int64_t>(static_cast<int64_t>(at) + by, INT32_MIN, INT32_MAX));
}

} // namespace

CSprite::CSprite() : m_blitter(&g_transparentMaskBlitter)
{
}

CSprite::~CSprite()
{
    delete m_behaviours;
}

void* CSprite::operator new(size_t size)
{
    return AllocSmallBlock(size);
}

void CSprite::operator delete(void* block, size_t size)
{
    FreeSmallBlock(block, size);
}

void CSprite::Draw(CFrameInterface* target)
{
    if (!IsActive())
        return;
    if (CFrame* frame = GetCurrentFrame()) {
        CDemoRecorder* recorder = CDemoRecorder::GetInstance();
        if (recorder->IsRecording() && !(m_flags & kNotRecorded))
            RecordSpriteDraw(*recorder->GetStream(), m_sequence, m_frameIndex, m_intPosition.m_x, m_intPosition.m_y);
        target->DrawFrameAt(frame, m_intPosition.m_x, m_intPosition.m_y, m_blitter);
    }
    if (m_behaviours)
        m_behaviours->DrawOverlay(this, target);
}

void CSprite::DrawShadow(CFrameInterface* target)
{
    if (!IsActive())
        return;
    if (CFrame* frame = GetCurrentFrame()) {
        const CIntPoint at = GetIntPositionMovedBy(s_shadowOffset);
        target->DrawFrameAt(frame, at.m_x, at.m_y, &g_shadowBlitter);
    }
    if (m_behaviours)
        m_behaviours->DrawShadowOverlay(this, target);
}

void CSprite::DrawDebug(CFrameInterface* target)
{
    if (m_behaviours)
        m_behaviours->DrawDebug(this, target);
}

void CSprite::TouchCurrentFrame()
{
    (void)GetCurrentFrame();
}

void CSprite::Update()
{
    if (!IsActive())
        return;
    if (m_lifetime != 0 && ++m_age > m_lifetime) {
        m_flags |= kDead;
        return;
    }
    if (m_behaviours)
        m_behaviours->Update(this, 0);
    if (m_flags & kFrozen)
        return;
    // The order matters: acceleration before damping, and the damped velocity moves at once.
    m_velocity.m_x = (m_velocity.m_x + m_acceleration.m_x) * m_damping;
    m_velocity.m_y = (m_velocity.m_y + m_acceleration.m_y) * m_damping;
    SetPosition({m_position.m_x + m_velocity.m_x, m_position.m_y + m_velocity.m_y});
}

void CSprite::GetBoundingRect(CIntRect& out) const
{
    if (const CFrame* frame = GetCurrentFrame())
        frame->GetBounds(out);
    else
        out = CIntRect{};
}

CFloatPoint CSprite::GetCollisionOrigin() const
{
    return m_position;
}

void CSprite::SyncState()
{
    CStateCheck::SyncFloat(m_spareA);
    CStateCheck::SyncFloat(m_spareB);
    CStateCheck::SyncInt(m_spareC);
    for (float value : {m_velocity.m_x, m_velocity.m_y, m_acceleration.m_x, m_acceleration.m_y, m_position.m_x,
                        m_position.m_y})
        CStateCheck::SyncFloat(value);
    CStateCheck::SyncInt(m_intPosition.m_x);
    CStateCheck::SyncInt(m_intPosition.m_y);
    CStateCheck::SyncFloat(m_damping);
    CStateCheck::SyncFloat(m_angleStep);
    for (uint32_t word : {m_flags, m_lifetime, m_age})
        CStateCheck::SyncWord(word);
    if (m_behaviours)
        m_behaviours->SyncState();
}

const CPolygon2D* CSprite::GetCollisionPolygon()
{
    return m_behaviours ? m_behaviours->GetCollisionPolygon(this) : nullptr;
}

CFrame* CSprite::GetPartFrame(uint32_t part) const
{
    return part == 0 ? GetCurrentFrame() : nullptr;
}

CFrame* CSprite::GetCurrentFrame() const
{
    // GetFrame is null past the last frame.
    return m_sequence ? m_sequence->GetFrame(m_frameIndex) : nullptr;
}

uint32_t CSprite::GetPartCount() const
{
    return 1;
}

CIntPoint CSprite::GetPartOffset(uint32_t) const
{
    return {};
}

bool CSprite::IsPartFlagSet(uint32_t, uint32_t mask) const
{
    return (m_flags & mask) == mask;
}

void CSprite::SetActive(bool active)
{
    SetFlag(kActive, active);
}

void CSprite::SetSequence(CSequence* sequence)
{
    m_sequence = sequence;
    const uint32_t count = sequence ? sequence->GetFrameCount() : 0;
    m_angleStep = count ? 2.0f * std::numbers::pi_v<float> / static_cast<float>(count) : 0.0f;
}

void CSprite::SetAccelerationFromAngle(float angle, float magnitude)
{
    float sine = 0.0f, cosine = 0.0f;
    FastSinCos(angle, &sine, &cosine);
    m_acceleration = {cosine * magnitude, sine * magnitude};
}

void CSprite::SetLifetime(CSpriteList* list, uint32_t steps)
{
    m_lifetime = steps;
    if (list)
        list->Append(this);
}

void CSprite::AddAI(CSpriteAI* behaviour)
{
    if (!behaviour)
        return;
    if (!m_behaviours) {
        m_behaviours = behaviour;
    } else {
        CSpriteAI* last = m_behaviours;
        while (last->m_next)
            last = last->m_next;
        last->m_next = behaviour;
    }
    behaviour->OnAttach(this);
}

float CSprite::DistanceSquared(const CSprite& other) const
{
    const float dx = m_position.m_x - other.m_position.m_x;
    const float dy = m_position.m_y - other.m_position.m_y;
    return dx * dx + dy * dy;
}

void CSprite::SetPosition(const CFloatPoint& position)
{
    m_position = position;
    m_intPosition = {RoundToInt(position.m_x), RoundToInt(position.m_y)};
    if (m_list)
        m_list->NoteChange();
}

CIntPoint CSprite::GetIntPositionMovedBy(const CIntPoint& offset) const
{
    return {MovedSaturated(m_intPosition.m_x, offset.m_x), MovedSaturated(m_intPosition.m_y, offset.m_y)};
}

void CSprite::SetShadowOffset(const CIntPoint& offset)
{
    s_shadowOffset = offset;
}

CIntPoint CSprite::GetShadowOffset()
{
    return s_shadowOffset;
}
