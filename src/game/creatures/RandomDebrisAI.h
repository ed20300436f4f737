#pragma once
// Debris of a round's background: it drifts at a speed and in a direction drawn from its ranges
// and, when it has left the field by a margin, re-enters from the opposite side at a random place
// with a new speed and direction. It takes no part in collisions.
//
// The rule a caller must know: angles are stored in radians (shown in degrees), y pointing down:
// 90 degrees falls straight down.
#include "game/sprites/SpriteAI.h"

class CRandomDebrisAI : public CSpriteAI
{
    DECLARE_CLASS_RECORD(CRandomDebrisAI)

    CRandomDebrisAI();
    ~CRandomDebrisAI() override;

    // Damping 1; a new velocity; a random integer place in [0, 501] x [0, 480]; slot 0 loops the
    // sequence from a random phase.
    void OnAttach(CSprite* sprite) override;
    // Slot 0 loops, then the wraps in order: past x 601 to x -100, below x -100 to x 601 (each at a
    // random y in [0, 480]), past y 580 to y -100, below y -100 to y 580 (each at a random x in
    // [0, 501]); every wrap draws a new velocity.
    void Update(CSprite* sprite, uint32_t arg) override;
    void SyncState() override;

    uint32_t m_sequenceIndex; // "Sequence"
    float m_minSpeed;         // "Min Speed", pixels per second
    float m_maxSpeed;         // "Max Speed", pixels per second
    float m_minAngle;         // "Min Angle", radians
    float m_maxAngle;         // "Max Angle", radians

private:
    // A speed in [min, max) per second turned by an angle in [min angle, max angle).
    void NewVelocity(CSprite* sprite) const;
};
