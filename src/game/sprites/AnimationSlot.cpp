#include "game/sprites/AnimationSlot.h"

#include "foundation/SmallBlockAllocator.h"
#include "graphics/Sequence.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kStepsPerSecond = 60.0f;

} // namespace

CAnimationSlot::CAnimationSlot(CSequence* sequence) : m_sequence(sequence)
{
}

void* CAnimationSlot::operator new(size_t size)
{
    return AllocSmallBlock(size);
}

void CAnimationSlot::operator delete(void* block, size_t size)
{
    FreeSmallBlock(block, size);
}

void CAnimationSlot::SetSequence(CSequence* sequence)
{
    m_sequence = sequence;
    if (m_phase == kFixedFramePhase)
        m_phase = 0.0f;
    FollowPhase();
}

void CAnimationSlot::SetPhase(float phase)
{
    m_phase = phase;
    FollowPhase();
}

void CAnimationSlot::SetFixedFrame(uint32_t frame)
{
    m_phase = kFixedFramePhase;
    m_frameIndex = frame;
}

bool CAnimationSlot::AdvanceOnce()
{
    if (GetFrameCount() == 0)
        return true;
    m_phase += GetPhaseStep();
    if (m_phase >= 1.0f) {
        m_phase = 1.0f;
        FollowPhase();
        return true;
    }
    FollowPhase();
    return false;
}

void CAnimationSlot::AdvanceLooping()
{
    if (GetFrameCount() == 0)
        return;
    m_phase += GetPhaseStep();
    // Taking the whole turns off at once is what the repeated subtraction of 1 gives, without
    // looping for ever on a phase too large to lose a 1 (or an infinite one from a wild rate).
    if (!std::isfinite(m_phase))
        m_phase = 0.0f;
    else if (m_phase > 1.0f)
        m_phase -= std::ceil(m_phase - 1.0f);
    FollowPhase();
}

uint32_t CAnimationSlot::GetFrameCount() const
{
    return m_sequence ? m_sequence->GetFrameCount() : 0;
}

float CAnimationSlot::GetPhaseStep() const
{
    const uint32_t count = GetFrameCount();
    return count ? m_sequence->GetFramesPerSecond() / (static_cast<float>(count) * kStepsPerSecond) : 0.0f;
}

void CAnimationSlot::FollowPhase()
{
    const uint32_t count = GetFrameCount();
    if (count == 0) {
        m_frameIndex = 0;
        return;
    }
    if (m_phase >= 1.0f) {
        m_frameIndex = count - 1;
        return;
    }
    // Below 0 (a fixed-frame slot set going, a backward step) and NaN show the first frame.
    const float position = m_phase * static_cast<float>(count);
    m_frameIndex = position > 0.0f ? std::min(static_cast<uint32_t>(position), count - 1) : 0;
}
