#pragma once
// A sprite made of parts: the ball, the ship (hull, shield, thrusters, guns), the power-ups and the
// ambient creatures. Each part is an animation slot with its own sequence, frame and offset from
// the sprite's integer position; the sprite draws, shadows, bounds and collides slot by slot. It
// also remembers where its last update began, so that the swept collision sees the step's motion.
//
// The rule a caller must know: the sprite owns its slots; a slot handed out by AddSlot or GetSlot
// lives as long as the sprite.
#include "game/sprites/Sprite.h"

#include <vector>

class CAnimationSlot;

class CAnimatedSprite : public CSprite
{
public:
    CAnimatedSprite();
    // Deletes the slots, then the sprite.
    ~CAnimatedSprite() override;

    // When active: each visible slot whose sequence has a frame at the slot's frame index draws it
    // at the integer position plus the slot's offset through the sprite's blitter, recorded (when
    // a demo is being recorded and the sprite is not kept out of it) as a sprite draw; then the
    // first behaviour's overlay.
    void Draw(CFrameInterface* target) override;
    // When active: the same frames at the integer position plus the slot's offset plus the shadow
    // offset through "Blit As Shadow", then the first behaviour's shadow overlay.
    void DrawShadow(CFrameInterface* target) override;
    // Remembers the position, then the plain sprite's step.
    void Update() override;
    // The union of the bounds of the visible slots' frames about the hot spot, offsets not added;
    // all 0 when no visible slot has a frame.
    void GetBoundingRect(CIntRect& out) const override;
    // Where the last update began.
    CFloatPoint GetCollisionOrigin() const override;
    // The parts are the slots, visible or not; null, (0, 0) and false past the last slot.
    CFrame* GetPartFrame(uint32_t part) const override;
    // The first slot's frame; null without slots.
    CFrame* GetCurrentFrame() const override;
    uint32_t GetPartCount() const override;
    CIntPoint GetPartOffset(uint32_t part) const override;
    bool IsPartFlagSet(uint32_t part, uint32_t mask) const override;

    // Appends a slot of the sequence (frame 0, phase 0, visible and collidable, no offset).
    CAnimationSlot* AddSlot(CSequence* sequence);
    // Null past the last slot.
    CAnimationSlot* GetSlot(uint32_t i) const;
    uint32_t GetSlotCount() const { return static_cast<uint32_t>(m_slots.size()); }
    const CFloatPoint& GetPreviousPosition() const { return m_previousPosition; }

private:
    // The slot's frame at its frame index; null without one.
    static CFrame* GetSlotFrame(const CAnimationSlot& slot);

    std::vector<CAnimationSlot*> m_slots;
    CFloatPoint m_previousPosition;
};
