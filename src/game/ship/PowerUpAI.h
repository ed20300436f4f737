#pragma once
// A power-up's behaviour as the playfield needs it until the power-ups arrive: its kind, its fall
// out of the field, and what happens when the ship collects it (it goes) or a ball hits it
// (nothing).
//
// The rule a caller must know: a power-up below the field sets its own dead flag.
#include "game/sprites/SpriteAI.h"

class CPowerUpAI : public CSpriteAI
{
    DECLARE_CLASS_RECORD(CPowerUpAI)

    explicit CPowerUpAI(uint32_t kind);
    ~CPowerUpAI() override;

    void Update(CSprite* sprite, uint32_t arg) override;
    void SyncState() override;

    void OnCollect(CSprite* powerUp, CSprite* ship);
    void OnHitByBall(CSprite* powerUp, CSprite* ball);

    uint32_t GetKind() const { return m_kind; }

    // The speed of the fall, pixels per step.
    static constexpr float kFallSpeed = 1.5f;

private:
    uint32_t m_kind;
};
