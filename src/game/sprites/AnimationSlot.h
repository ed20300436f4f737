#pragma once
// One part of an animated sprite (the ship's hull, shield, thrusters and guns, a ball, a power-up):
// its own sequence, the frame it shows, where it is in its animation, whether it is visible and
// collidable, and its offset from the sprite's position. Behaviours drive the slots: set a
// sequence, advance the phase once or in a loop, or show a fixed frame.
//
// The rule a caller must know: the frame follows the phase. A phase runs from 0 to 1 over the
// sequence's frames (frame count - 1 from 1 on, otherwise phase x frame count truncated); a phase
// of -1 means a fixed frame that only SetFixedFrame chooses.
#include "objects/Point.h"

#include <cstddef>
#include <cstdint>

class CSequence;

class CAnimationSlot
{
public:
    // Flags.
    static constexpr uint32_t kVisible = 0x1;
    static constexpr uint32_t kCollidable = 0x2;
    static constexpr uint32_t kInitialFlags = kVisible | kCollidable;
    static constexpr float kFixedFramePhase = -1.0f;

    // Frame 0, phase 0, visible and collidable, no offsets; the sequence is not owned.
    explicit CAnimationSlot(CSequence* sequence);

    // Slots are small and many: they live in the small-block allocator.
    static void* operator new(size_t size);
    static void operator delete(void* block, size_t size);

    // Stores the sequence; a fixed-frame slot starts again at phase 0. The frame then follows the
    // phase.
    void SetSequence(CSequence* sequence);
    // Stores the phase; the frame follows it.
    void SetPhase(float phase);
    // Phase -1 and the given frame.
    void SetFixedFrame(uint32_t frame);
    // One step of 1/60 s at the sequence's frame rate: phase += rate / (frame count x 60). From 1
    // on the phase stays 1, the last frame shows and the answer is true (finished); otherwise the
    // frame follows the phase and the answer is false. A slot without frames has nothing to play:
    // it answers true and changes nothing.
    bool AdvanceOnce();
    // The same step, wrapping: while the phase is above 1, 1 is taken off (exactly 1 stays and
    // shows the last frame). Nothing for a slot without frames.
    void AdvanceLooping();

    CSequence* GetSequence() const { return m_sequence; }
    uint32_t GetFrameIndex() const { return m_frameIndex; }
    float GetPhase() const { return m_phase; }
    uint32_t GetFlags() const { return m_flags; }
    void SetFlags(uint32_t flags) { m_flags = flags; }
    void SetFlag(uint32_t mask, bool on) { m_flags = on ? (m_flags | mask) : (m_flags & ~mask); }
    bool IsVisible() const { return (m_flags & kVisible) != 0; }
    // Kept for behaviours; the sprite itself draws at the integer offset only.
    const CFloatPoint& GetFloatOffset() const { return m_floatOffset; }
    void SetFloatOffset(const CFloatPoint& offset) { m_floatOffset = offset; }
    const CIntPoint& GetOffset() const { return m_offset; }
    void SetOffset(const CIntPoint& offset) { m_offset = offset; }

private:
    uint32_t GetFrameCount() const;
    // The phase's share of a step: rate / (frame count x 60); 0 without frames.
    float GetPhaseStep() const;
    void FollowPhase();

    CSequence* m_sequence;
    uint32_t m_frameIndex = 0;
    float m_phase = 0.0f;
    uint32_t m_flags = kInitialFlags;
    CFloatPoint m_floatOffset;
    CIntPoint m_offset;
};
