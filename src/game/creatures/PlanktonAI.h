#pragma once
// Plankton of a round's background: it drifts at a constant velocity drawn once and wraps round
// the field (past x 501 back to 0, past y 480 back to 0, each time at a new random place along the
// edge it re-enters by). It takes no part in collisions.
//
// The rule a caller must know: the speeds keep their signs, and only the right and bottom edges
// wrap, so plankton given negative speeds drifts away for good.
#include "game/sprites/SpriteAI.h"

class CSequence;

class CPlanktonAI : public CSpriteAI
{
    DECLARE_CLASS_RECORD(CPlanktonAI)

    CPlanktonAI();
    ~CPlanktonAI() override;

    // Damping 1; a velocity with each component in [min, max) per second (y drawn first); a random
    // integer place in [0, 501] x [0, 480]; slot 0 loops the sequence from a random phase.
    void OnAttach(CSprite* sprite) override;
    // Slot 0 loops, then the wraps.
    void Update(CSprite* sprite, uint32_t arg) override;
    void SyncState() override;

    uint32_t m_sequenceIndex; // "Sequence"
    float m_minSpeed;         // "Min Speed", pixels per second
    float m_maxSpeed;         // "Max Speed", pixels per second
};
