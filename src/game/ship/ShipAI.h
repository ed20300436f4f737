#pragma once
// The ship's behaviour as the playfield needs it until the ship arrives: it holds a ball at the
// serve position until the player fires (the first action of its control set), and lets the
// playfield ask whether it holds a ball, catch one or release it. It does not move and never
// catches a ball in play.
//
// The rule a caller must know: the held ball is only a reference; the ship lets go of it when it
// leaves the balls list.
#include "game/sprites/SpriteAI.h"

class CPlayerControls;
class CSequence;

class CShipAI : public CSpriteAI
{
    DECLARE_CLASS_RECORD(CShipAI)

    // The controls are not owned and may be null.
    explicit CShipAI(CPlayerControls* controls);
    ~CShipAI() override;

    void OnAttach(CSprite* sprite) override;
    // Keeps the held ball at the serve position and serves it when the player fires.
    void Update(CSprite* sprite, uint32_t arg) override;
    void SyncState() override;

    // Forgets any held ball.
    void ResetForRound(CSprite* ship);
    // Takes hold of the ball at the serve position, still.
    void CatchBall(CSprite* ship, CSprite* ball);
    // Whether the ship catches a ball in play: never.
    bool TryCatchBall(CSprite* ship, CSprite* ball);
    // Sends the held ball up; nothing without one.
    void ReleaseBall(CSprite* ship);
    bool HoldsBall(const CSprite* ball) const { return ball && ball == m_heldBall; }

    // Where a held ball sits, above the ship's position; the speed of a served ball.
    static constexpr float kServeHeight = 16.0f;
    static constexpr float kServeSpeedX = 2.0f;
    static constexpr float kServeSpeedY = -5.0f;

    // The look given to the animated sprites it joins (not owned; none draws nothing).
    static void SetLook(CSequence* look) { s_look = look; }

private:
    static CSequence* s_look;
    // The held ball when it is still in the balls list; otherwise forgets it.
    CSprite* GetLiveHeldBall();

    CPlayerControls* m_controls;
    CSprite* m_heldBall = nullptr;
};
