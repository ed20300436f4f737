#pragma once
// The ship's behaviour as far as it is built: with a control set it follows the mouse across the
// field; it holds a ball at the serve position until the player fires (the first action of its
// control set), and lets the playfield ask whether it holds a ball, catch one or release it; with
// guns, fire shoots lasers or missiles. It never catches a ball in play yet.
//
// The rule a caller must know: the held ball is only a reference; the ship lets go of it when it
// leaves the balls list.
#include "game/sprites/SpriteAI.h"
#include "objects/Point.h"

class CPlayerControls;
class CSequence;

class CShipAI : public CSpriteAI
{
    DECLARE_CLASS_RECORD(CShipAI)

    // The controls are not owned and may be null.
    explicit CShipAI(CPlayerControls* controls);
    ~CShipAI() override;

    void OnAttach(CSprite* sprite) override;
    // Follows the mouse (with a control set), keeps the held ball at the serve position and
    // serves it when the player fires.
    void Update(CSprite* sprite, uint32_t arg) override;
    void SyncState() override;

    // Forgets any held ball, the guns and the catch ability; the normal shield.
    void ResetForRound(CSprite* ship);
    // Takes hold of the ball, still, at the serve offset (20, -23) from the shield when serving,
    // else where it is; pushed up a pixel at a time while it overlaps the ship.
    void CatchBall(CSprite* ship, CSprite* ball, bool serve = true);
    // A ball touching the ship is caught only with the catch ability, nothing held, no fire this
    // tick or the one before, and a ball that has bounced and is not loose; whether it was.
    bool TryCatchBall(CSprite* ship, CSprite* ball);
    void EnableCatch() { m_canCatch = true; }
    bool CanCatch() const { return m_canCatch; }
    // Shield sizes 0 to 4 (2 normal); the snap sounds play even at the ends.
    void GrowShield();
    void ShrinkShield();
    uint32_t GetShieldSize() const { return m_shieldSize; }
    // The ship's x plus the shield slot's offset.
    static float GetShieldX(const CSprite* ship);
    // Launches the held ball off the ship; nothing without one.
    void ReleaseBall(CSprite* ship);
    bool HoldsBall(const CSprite* ball) const { return ball && ball == m_heldBall; }

    // Guns: 0 none, 1 small guns (lasers), 2 big guns (missiles). The same type again raises the
    // level; from level 2 each press fires from both sides. Another type starts at level 1.
    void SetGunType(uint32_t type, bool withSound);
    bool HasGuns() const { return m_gunType != 0; }
    uint32_t GetGunType() const { return m_gunType; }
    uint32_t GetGunLevel() const { return m_gunLevel; }
    // One shot from the next side, into the playfield's shots; whether one left.
    bool Fire(CSprite* ship);

    // Shots leave 33 pixels either side of the ship and 8 above it, at 500 pixels a second, for at
    // most 120 ticks.
    static constexpr float kShotSideX = 33.0f;
    static constexpr float kShotAboveY = 8.0f;
    static constexpr float kShotSpeed = 500.0f / 60.0f;
    static constexpr uint32_t kShotLifetime = 120;

    // Where a served ball sits from the shield.
    static constexpr float kServeX = 20.0f;
    static constexpr float kServeY = -23.0f;
    static constexpr uint32_t kNormalShield = 2;
    static constexpr uint32_t kBiggestShield = 4;
    // The mouse across the 640-pixel screen moves the ship from x 30 to 482.
    static constexpr float kLeftmostX = 30.0f;
    static constexpr float kTravel = 452.0f;

    // The look given to the animated sprites it joins (not owned; none draws nothing).
    static void SetLook(CSequence* look) { s_look = look; }

private:
    static CSequence* s_look;
    // The held ball when it is still in the balls list; otherwise forgets it.
    CSprite* GetLiveHeldBall();
    // The held ball at the ship's position plus its offset plus the shield's.
    void PlaceHeldBall(CSprite* ship, CSprite* ball) const;
    static CFloatPoint GetShieldOffset(const CSprite* ship);

    CPlayerControls* m_controls;
    CSprite* m_heldBall = nullptr;
    uint32_t m_gunType = 0;
    uint32_t m_gunLevel = 1;
    bool m_nextShotFromLeft = false;
    bool m_canCatch = false;
    CFloatPoint m_heldOffset;
    uint32_t m_shieldSize = kNormalShield;
};
