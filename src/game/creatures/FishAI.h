#pragma once
// A fish of a round's background: it swims across the field at its own speed, left or right, and
// when it has left the field (past x 740 or -100) comes back at a random height from one side or
// the other. It takes no part in collisions.
//
// The rule a caller must know: respawns draw from the general random generator, everything else
// from the game's, so the decorations never change the course of a recorded game.
#include "game/sprites/SpriteAI.h"

class CSequence;

class CFishAI : public CSpriteAI
{
    DECLARE_CLASS_RECORD(CFishAI)

    CFishAI();
    ~CFishAI() override;

    // Damping 1, both sequences resolved, slot 0 shows the right-swimming one at a random phase,
    // then a first respawn anywhere across [-100, 740).
    void OnAttach(CSprite* sprite) override;
    // Slot 0 loops; past x 740 or below x -100 the fish respawns at a side.
    void Update(CSprite* sprite, uint32_t arg) override;
    void SyncState() override;
    // A new height in [40, 480) and direction (left half the time); initial places it anywhere in
    // [-100, 740), otherwise just off the side it swims in from; a speed in [minimum, maximum).
    void Respawn(CSprite* sprite, bool initial);

    uint32_t m_leftSequenceIndex;  // "Left Sequence"
    uint32_t m_rightSequenceIndex; // "Right Sequence"
    float m_minimumSpeed;          // "Minimum Speed", pixels per second
    float m_maximumSpeed;          // "Maximum Speed", pixels per second

private:
    CSequence* m_leftSequence = nullptr;
    CSequence* m_rightSequence = nullptr;
};
