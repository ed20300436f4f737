#pragma once
// The behaviour of the ship's shots: whether a shot is a missile of the big guns or a laser of the
// small ones (the playfield's shot-against-brick contact reads it), and its end above the screen.
//
// The rule a caller must know: a shot above y -10 sets its own dead flag; its sprite's lifetime
// ends it otherwise.
#include "game/sprites/SpriteAI.h"

class CShotAI : public CSpriteAI
{
    DECLARE_CLASS_RECORD(CShotAI)

    CShotAI(CSprite* shot, bool bigGun);
    ~CShotAI() override;

    void Update(CSprite* sprite, uint32_t arg) override;
    void SyncState() override;

    bool IsBigGun() const { return m_bigGun; }

    // Above this height a shot has left the screen.
    static constexpr float kTopY = -10.0f;

private:
    bool m_bigGun;
};
