#pragma once
// The ball's behaviour, as far as bricks need it until the ball is here: a ball that a "Trapped
// Ball" brick lets go is small and loose. It does nothing of its own yet.
#include "game/sprites/SpriteAI.h"

class CBallAI : public CSpriteAI
{
    DECLARE_CLASS_RECORD(CBallAI)

    explicit CBallAI(bool small = false);
    ~CBallAI() override;

    // Updates the next behaviour.
    void Update(CSprite* sprite, uint32_t arg) override;
    void SyncState() override;

    bool IsSmall() const { return m_small; }
    bool IsLoose() const { return m_loose; }
    void SetLoose(bool loose) { m_loose = loose; }

private:
    bool m_small;
    bool m_loose = false;
};
