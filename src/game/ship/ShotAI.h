#pragma once
// A shot's behaviour as the playfield needs it until the shots arrive: whether it comes from the
// big gun, and its end above the field.
//
// The rule a caller must know: a shot above the field sets its own dead flag.
#include "game/sprites/SpriteAI.h"

class CShotAI : public CSpriteAI
{
    DECLARE_CLASS_RECORD(CShotAI)

    explicit CShotAI(bool bigGun);
    ~CShotAI() override;

    void Update(CSprite* sprite, uint32_t arg) override;
    void SyncState() override;

    bool IsBigGun() const { return m_bigGun; }

private:
    bool m_bigGun;
};
