#pragma once
// The behaviour of every ball: it keeps the ball inside the field's walls, bounces it off the ship
// and the bricks, speeds it up a little at every bounce, keeps it from settling into flat paths,
// animates its rolling look, turns it into its fire, rail and small variants and splits it.
//
// The rule a caller must know: a ball below y 500 sets its own dead flag; the playfield counts a
// ball lost when the balls list is empty. Fire and rail exclude each other; small combines with
// either.
#include "game/sprites/SpriteAI.h"
#include "objects/Point.h"
#include "objects/Polygon2D.h"

#include <numbers>

class CAnimationSlot;
class CSequence;

class CBallAI : public CSpriteAI
{
    DECLARE_CLASS_RECORD(CBallAI)

    // The speed of the game's difficulty, the look's slot added to an animated ball (null for
    // another sprite), damping 1, then the variants fire, small and rail in that order.
    CBallAI(CSprite* ball, bool fire = false, bool rail = false, bool small = false);
    ~CBallAI() override;

    // One tick: speed statistics, the roll to a stop after the round, the rolling look, the walls,
    // the trail; then the next behaviour.
    void Update(CSprite* sprite, uint32_t arg) override;
    void SyncState() override;
    // A rail ball passes through every brick but an obstacle; otherwise the next behaviour decides.
    bool PassesThrough(CSprite* sprite, CSprite* other, CSweepResult* hit) override;
    // A regular 12-gon of radius 9, or for a small ball an octagon of radius 3, both starting at
    // (r, 0) and wound clockwise on screen like every outline the swept test stops at; shared by
    // all balls.
    const CPolygon2D* GetCollisionPolygon(CSprite* sprite) override;
    static const CPolygon2D& GetBallPolygon();
    static const CPolygon2D& GetSmallBallPolygon();

    // The playfield's ball-against-ship contact.
    void OnHitShip(CSprite* ball, CSprite* ship);
    // The ship lets go of a held ball: off the ship as from a bounce there; the angle.
    float LaunchFromShip(CSprite* ball, CSprite* ship);
    // The playfield's swept ball-against-brick contact; noBounce when the ball passed through.
    void OnHitBrick(CSprite* ball, CSprite* brick, bool noBounce);
    // count - 1 new balls round the circle from this one's heading (straight up when resting).
    void SplitBall(CSprite* ball, uint32_t count);
    void ResetRoll();
    void MakeFireBall(CSprite* ball);
    void MakeRailBall(CSprite* ball);
    void MakeSmallBall(CSprite* ball);
    void MakeNormalBall(CSprite* ball);
    // Whether the path ahead, turned by -angle (radians), meets within 640 pixels first a brick
    // that counts toward completion; then a non-zero turn is applied to the ball.
    bool AimsAtBrick(CSprite* ball, float angle);
    void SetTimeSinceBrick(float seconds) { m_timeSinceBrick = seconds; }
    // Velocity and speed times the factor.
    void ScaleSpeed(CSprite* ball, float factor);

    bool IsFire() const { return m_fire; }
    bool IsRail() const { return m_rail; }
    bool IsSmall() const { return m_small; }
    bool IsLoose() const { return m_loose; }
    void SetLoose(bool loose) { m_loose = loose; }
    bool HasBounced() const { return m_hasBounced; }
    void SetHasBounced(bool bounced) { m_hasBounced = bounced; }
    bool IsEndOfRound() const { return m_endOfRound; }
    void SetEndOfRound(bool end) { m_endOfRound = end; }
    float GetSpeed() const { return m_speed; }
    float GetTimeSinceBrick() const { return m_timeSinceBrick; }

    // The starting speed (pixels per tick) and the speed-up per bounce of a difficulty (0..3).
    static float GetStartSpeed(uint32_t difficulty);
    static float GetSpeedUp(uint32_t difficulty);
    // The frame of a rolling look of frameCount frames at the phases: a square grid of N x N
    // frames (N the whole square root) for more than 99 frames.
    static uint32_t GetRollFrame(uint32_t frameCount, float phaseX, float phaseY);

    // The field's walls, the bottom below which a ball dies, and the wall radius.
    static constexpr float kFieldLeft = 11.0f;
    static constexpr float kFieldTop = 10.0f;
    static constexpr float kFieldRight = 501.0f;
    static constexpr float kLostBelow = 500.0f;
    static constexpr float kWallRadius = 11.0f;
    static constexpr float kSmallWallRadius = 3.0f;
    static constexpr float GetWallRadius(bool small) { return small ? kSmallWallRadius : kWallRadius; }
    // The radius of the collision polygon the bricks and the ship meet (smaller than the wall's).
    static constexpr float kCollisionRadius = 9.0f;
    static constexpr float kSmallCollisionRadius = 3.0f;
    static constexpr float GetCollisionRadius(bool small) { return small ? kSmallCollisionRadius : kCollisionRadius; }
    // Below this a ball meets the ship's side, not its top.
    static constexpr float kShipTop = 434.0f;
    // The bounce off the ship's top, which the launch of a held ball shares: a ball meeting the
    // shield offCentre pixels right of its centre leaves at this angle from straight up (radians,
    // to the right when positive; no clamp), along the unit direction of that angle.
    static constexpr float kShipTurnPerPixel = std::numbers::pi_v<float> / 200.0f;
    static constexpr float GetShipBounceAngle(float offCentre) { return offCentre * kShipTurnPerPixel; }
    static CFloatPoint GetShipBounceDirection(float offCentre);

private:
    // The bounce's common end: flags, random turns and the flat-path fix, the speed-up.
    void AfterBounce(CSprite* ball, bool randomTurns);
    void ApplyFlatPathFix(CSprite* ball);
    // After 10 s without a brick: a turn of up to 2..30 degrees onto a brick that counts.
    void ApplyAimingHelp(CSprite* ball);
    // A wall contact: roll, back to the previous position, sound, sparks, AfterBounce.
    void BounceOffWall(CSprite* ball, float sparkAngle);
    // The ball's first slot shows the sequence of that name (none when the data lacks it).
    void SetLookOf(CSprite* ball, const char* name);
    float GetRadius() const { return GetWallRadius(m_small); }

    float m_rollPhaseX = 0.0f;
    float m_rollRateX = 0.01f;
    float m_rollPhaseY = 0.0f;
    float m_rollRateY = 0.005f;
    float m_speed;
    bool m_fire = false;
    bool m_rail = false;
    bool m_small = false;
    float m_timeSinceBrick = 0.0f;
    bool m_endOfRound = false;
    bool m_hasBounced = false;
    bool m_loose = false;
    uint32_t m_flatPathStart = 0;
};
