#pragma once
// A behaviour that plays the sprite's sequence once and then kills the sprite: the one-shot
// effects (explosions, sparks) use it. The rate is in frames per update step; a negative rate
// plays the sequence backwards and ends when the time drops below 0.
//
// The rule a caller must know: the sprite shows frame 0 in the step it dies, but its list removes
// it at the end of that pass, before anything is drawn.
#include "game/sprites/SpriteAI.h"

class CAnimateOnceAI : public CSpriteAI
{
    DECLARE_CLASS_RECORD(CAnimateOnceAI)

    explicit CAnimateOnceAI(float rate);
    ~CAnimateOnceAI() override;

    // Advances the frame (nothing for a sprite whose sequence has no frames), then updates the
    // next behaviour.
    void Update(CSprite* sprite, uint32_t arg) override;
    // The rate, then the next behaviour's state.
    void SyncState() override;

    float GetRate() const { return m_rate; }

private:
    float m_rate;
    bool m_wholeStep; // the rate is exactly 1: the frame index counts up by itself
};
