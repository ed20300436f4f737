#include "app/ForceFeedbackEffect.h"

#include "app/ForceFeedback.h"

CForceFeedbackEffect::~CForceFeedbackEffect()
{
    if (!m_released)
        m_owner->DestroyEntry(m_index);
}

bool CForceFeedbackEffect::Start(const CPlayerControls* controls, uint32_t mask)
{
    return !m_released && m_owner->StartEntry(m_index, controls, mask);
}

bool CForceFeedbackEffect::Stop(const CPlayerControls* controls, uint32_t mask)
{
    return !m_released && m_owner->StopEntry(m_index, controls, mask);
}

bool CForceFeedbackEffect::IsPlaying(const CPlayerControls* controls, uint32_t mask)
{
    return !m_released && m_owner->IsEntryPlaying(m_index, controls, mask);
}
