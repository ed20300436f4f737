#pragma once
// The player of the developer's demo recordings and of the rounds' playing tests. It steers the
// ship with mouse moves, as a person would, towards the point where the ball it follows will come
// down (folded back at the side walls), and meets the ball at the spot of the ship that sends it
// on to a brick worth striking (CDemoBotAim), or off-centre by a random amount when no spot does,
// so that the ball does not settle into one path. With time to spare it catches the power-ups
// worth having and the balls set free from their bricks, and it steps aside from a falling bomb.
// Holding a ball, it carries it to where its launch strikes a brick worth striking and clicks; it
// clicks now and then besides to fire the guns (never while the bricks are being laid, which a
// click would cut short). Its pointer moves at a hand's pace, so the ship glides rather than jumps.
//
// The rule a caller must know: the bot reads the playfield and posts input events for the next
// update step; its only randomness is its own generator, so a seeded bot in a game seeded alike
// plays the same game every time.
#include "foundation/R250Random.h"
#include "objects/Point.h"

#include <cstdint>

class CPlayfield;
class CShipAI;
class CSprite;

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
    // Whether a falling power-up of the kind is worth the ship's while: not the bomb, nor one that
    // shrinks the shield, speeds the balls up or makes them small.
    static bool IsWorthCatching(uint32_t kind);

private:
    // The x to head for: a ball coming down, else the lowest ball, else a power-up or a freed ball
    // to catch.
    bool ChooseTarget(CPlayfield& playfield, const CSprite& ship, float& x);
    // The offset from the ball's landing point at which the ship best meets it: a spot that sends
    // it on to a brick worth striking and that the ship can reach in the steps left, else the
    // random one of this descent.
    float ChooseOffset(CPlayfield& playfield, const CSprite& ship, const CSprite& ball, float landing, float steps);
    // The score of the spot (ball x less shield x, within reach) whose bounce off a ship reaching
    // no further than travel from shipX, and not past its ends, sends the ball landing at x = landing
    // on to the brick most worth striking, that spot in bestSpot; 0 when none strikes one.
    static float BestStrike(CPlayfield& playfield, float landing, float lineY, bool small, float reach, float shipX,
                            float travel, float& bestSpot);
    // Holding a ball: the x of the ship whose launch strikes the brick most worth striking.
    float ChooseLaunchX(CPlayfield& playfield, const CSprite& ship, const CSprite& ball);
    // The x, moved clear of a bomb about to pass the ship's row, where the ship can still meet the
    // ball coming down at ballX in ballSteps after.
    float AvoidBombs(CPlayfield& playfield, const CSprite& ship, float x, float ballX, float ballSteps) const;
    // The steps until the ball comes down to the row: falling, from its height; rising, by way of
    // the brick its path meets (or the top).
    static float StepsToLanding(CPlayfield& playfield, const CSprite& ball, float lineY);
    void Click(bool down);

    CR250Random m_random;
    float m_targetX = 256.0f;
    float m_offset = 0.0f;
    float m_randomOffset = 0.0f;
    bool m_followedFalling = false;
    const CSprite* m_held = nullptr;
    uint32_t m_heldSteps = 0;
    int m_pointerX = 320;
    uint32_t m_steps = 0;
    uint32_t m_nextLookAhead = 0;
    uint32_t m_nextClick = 0;
    bool m_buttonDown = false;
};
