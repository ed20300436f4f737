#pragma once
// The one-shot animation of an effect sprite (sparks, explosions). It counts the effect
// behaviours alive, so that the spark spawner can thin its bursts when the screen is busy
// without searching any list.
#include "game/sprites/AnimateOnceAI.h"

#include <cstdint>

class CEffectSpriteAI : public CAnimateOnceAI
{
    DECLARE_CLASS_RECORD(CEffectSpriteAI)

    explicit CEffectSpriteAI(float rate);
    ~CEffectSpriteAI() override;

    // The number of effect behaviours alive.
    static uint32_t GetLiveCount();
};
