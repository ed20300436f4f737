#pragma once
// The player's ship: an animated sprite of seven parts (body, shield, two exhausts, two gun
// recoils, gun body) at the bottom of the field. With a control set it follows the mouse or the
// joystick, tilts and fires its exhausts as it moves, lets its shield lag and spring back, holds
// and serves balls, fires its guns, catches balls with the catcher and draws the electric arcs
// between body and shield; without one it only sways. It keeps the ambient force-feedback request
// in step with the game.
//
// The rule a caller must know: the held ball is only a reference; the ship lets go of it when it
// leaves the balls list.
#include "game/sprites/SpriteAI.h"
#include "objects/Point.h"

class CAnimatedSprite;
class CAnimationSlot;
class CColor;
class CFrameInterface;
class CPlayerControls;
class CSequence;
class CSoundBuffer;

class CShipAI : public CSpriteAI
{
    DECLARE_CLASS_RECORD(CShipAI)

    // The controls are not owned and may be null. On an animated sprite without slots fills the
    // seven parts; the body is the sequence "TX Ship" + style (style clamped to 0..5), none when the
    // data lacks it. Creates the two looping electric sounds.
    CShipAI(CSprite* ship, CPlayerControls* controls, uint32_t style = 1);
    // Gives back the two sounds.
    ~CShipAI() override;

    // One tick: gun parts, the ambience request, input, thrust, held ball, fire, the parts.
    void Update(CSprite* sprite, uint32_t arg) override;
    void SyncState() override;
    // The catcher's arcs, then the two shield arcs.
    void DrawOverlay(CSprite* sprite, CFrameInterface* target) override;

    // Nothing held, no guns, no catch, the normal shield, no thrust, input position unknown.
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
    // A ball hit the shield: its vertical offset becomes dy (it springs back by itself).
    static void PushShield(CSprite* ship, float dy);
    // Launches the held ball off the ship; nothing without one.
    void ReleaseBall(CSprite* ship);
    bool HoldsBall(const CSprite* ball) const { return ball && ball == m_heldBall; }
    // The typed cheat mirrors the input.
    void ToggleReversedControls() { m_reversed = !m_reversed; }
    bool HasReversedControls() const { return m_reversed; }
    // 0..1, 0.5 at rest; below while moving left.
    float GetThrustBalance() const { return m_thrustBalance; }

    // Guns: 0 none, 1 small guns (lasers), 2 big guns (missiles). The same type again raises the
    // level; from level 2 each press fires from both sides. Another type starts at level 1.
    void SetGunType(uint32_t type, bool withSound);
    bool HasGuns() const { return m_gunType != 0; }
    uint32_t GetGunType() const { return m_gunType; }
    uint32_t GetGunLevel() const { return m_gunLevel; }
    // One shot from the next side, into the playfield's shots; whether one left.
    bool Fire(CSprite* ship);

    // The ambient force-feedback bits: the playfield, the ship running, the catcher idle, the
    // catcher holding a ball. The game object keeps the request word; the ship sets and clears its
    // three bits there on every update, and the playfield clears them first, so a ship that is not
    // updated (inactive, gone, the game over) asks for none.
    static constexpr uint32_t kAmbiencePlayfield = 1, kAmbienceRunning = 2, kAmbienceCatch = 4, kAmbienceHolding = 8;
    static constexpr uint32_t kShipAmbience = kAmbienceRunning | kAmbienceCatch | kAmbienceHolding;
    // Starts the effect of every bit set since the last call and stops that of every bit cleared;
    // the game object calls it every tick with its request word.
    static void SetForceFeedbackAmbience(uint32_t mask);

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
    static constexpr uint32_t kLastStyle = 5;
    // The input across its range moves the ship from x 30 to 482.
    static constexpr float kLeftmostX = 30.0f;
    static constexpr float kTravel = 452.0f;
    // The parts by slot.
    static constexpr uint32_t kBodySlot = 0, kShieldSlot = 1, kThrustLeftSlot = 2, kThrustRightSlot = 3,
                              kRecoilLeftSlot = 4, kRecoilRightSlot = 5, kGunSlot = 6, kSlotCount = 7;

private:
    static uint32_t s_lastAmbience;

    void FillSlots(CAnimatedSprite* ship, uint32_t style);
    // The held ball when it is still in the balls list; otherwise forgets it.
    CSprite* GetLiveHeldBall();
    // The held ball at the ship's position plus its offset plus the shield's.
    void PlaceHeldBall(CSprite* ship, CSprite* ball) const;
    static CFloatPoint GetShieldOffset(const CSprite* ship);
    // The input position 0..1 (joystick or mouse, mirrored when reversed).
    float ReadInput() const;
    void RequestAmbience(const CSprite* ship) const;
    void Thrust(CAnimatedSprite* ship, float x);
    void RemoveGuns(CAnimatedSprite* ship);
    // The parts' animation of each tick.
    void AnimateParts(CAnimatedSprite* ship);
    void UpdateGunParts(CAnimatedSprite* ship);
    void UpdateExhausts(CAnimatedSprite* ship);
    // The arcs and their sounds.
    void DrawCatcherArcs(const CSprite* ship, CFrameInterface* target);
    void StopSounds();

    CPlayerControls* m_controls;
    CSprite* m_heldBall = nullptr;
    float m_previousX = -1.0f;
    float m_thrustBalance = 0.5f;
    bool m_reversed = false;
    uint32_t m_gunType = 0;
    uint32_t m_gunLevel = 0;
    bool m_nextShotFromLeft = false;
    bool m_canCatch = false;
    // Whether fire fired in this update and in the one before (the catcher waits for both).
    bool m_firedThisTick = false;
    bool m_firedLastTick = false;
    CFloatPoint m_heldOffset;
    uint32_t m_shieldSize = kNormalShield;
    CSoundBuffer* m_catchSound = nullptr;
    CSoundBuffer* m_holdSound = nullptr;
    // The exhausts' last x (set on the first animation) and the sway of a ship without input; per
    // ship, so that seeded runs in one process repeat.
    float m_exhaustLastX = 0.0f;
    bool m_exhaustLastXKnown = false;
    float m_swayPhase = 0.0f;
};

// Draws one electric arc of bolts (1..5) from one point to another in the colour, recorded for demo
// playback as "CShipAI::DrawElecticityFromStream".
void DrawElectricArc(CFrameInterface* target, const CFloatPoint& from, const CFloatPoint& to, const CColor& colour,
                     uint32_t bolts);
