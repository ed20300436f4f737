#pragma once
// The player of the developer's demo recordings. It steers the ship with mouse moves, as a person
// would, towards the point where the ball it follows will come down (folded back at the side
// walls), meets the ball off-centre by a random amount so that the ball does not settle into one
// path, and clicks now and then to launch a held ball or fire the guns (never while the bricks are
// being laid, which a click would cut short). Its pointer moves at a hand's pace, so the ship
// glides rather than jumps.
//
// The rule a caller must know: the bot reads the playfield and posts input events for the next
// update step; its only randomness is its own generator, so a seeded bot in a game seeded alike
// plays the same game every time.
#include "foundation/R250Random.h"
#include "objects/Point.h"

#include <cstdint>

class CPlayfield;

class CDemoBot
{
public:
    // Pixels the pointer moves in one update step, at most.
    static constexpr int kPointerStep = 14;
    // The pointer's row, the screen's middle: the first player's control set pulls the pointer
    // back to within 200 pixels of the centre, so on this row it reaches furthest to the sides.
    static constexpr int kPointerY = 240;

    explicit CDemoBot(uint32_t seed);

    // Posts the pointer's move (and a click, or its release) for the next step.
    void Step(CPlayfield& playfield);

    // The ship's x the bot heads for, in field pixels.
    float GetTargetX() const { return m_targetX; }
    int GetPointerX() const { return m_pointerX; }

    // The x at which a ball at position moving at velocity (down: y > 0) reaches the row lineY,
    // folded back at the side walls a ball of the given radius bounces off. A ball not moving down
    // answers its own x.
    static float PredictLanding(const CFloatPoint& position, const CFloatPoint& velocity, float lineY, float radius);
    // The pointer x that puts the ship's centre at x (the ship follows the pointer across the
    // window's width), clamped to where the control set lets the pointer go on the bot's row.
    static int PointerXForShip(float x);

private:
    // The x to head for: a ball coming down, else the lowest ball, else a power-up to catch (never
    // a bomb).
    bool ChooseTarget(CPlayfield& playfield, float shipY, float& x);

    CR250Random m_random;
    float m_targetX = 256.0f;
    float m_offset = 0.0f;
    bool m_followedFalling = false;
    int m_pointerX = 320;
    uint32_t m_steps = 0;
    uint32_t m_nextClick = 0;
    bool m_buttonDown = false;
};
