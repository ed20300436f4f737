#pragma once
// The ball's behaviour as the playfield needs it until the ball arrives: the fire, rail and small
// kinds, the end-of-round flag, the bounce off the field's sides and top, off a brick (which hits
// it) and off the ship, and the loss of a ball that leaves the field at the bottom.
//
// The rule a caller must know: a ball below the field sets its own dead flag; the playfield counts
// a ball lost when the balls list is empty.
#include "game/sprites/SpriteAI.h"
#include "objects/Polygon2D.h"

class CSequence;

class CBallAI : public CSpriteAI
{
    DECLARE_CLASS_RECORD(CBallAI)

    CBallAI(bool fire = false, bool rail = false, bool small = false);
    ~CBallAI() override;

    // A ball keeps its speed (no damping).
    void OnAttach(CSprite* sprite) override;
    // Below the bottom of the field the ball dies; then the next behaviour.
    void Update(CSprite* sprite, uint32_t arg) override;
    void SyncState() override;
    // A clockwise octagon round the centre (smaller for a small ball).
    const CPolygon2D* GetCollisionPolygon(CSprite* sprite) override;

    // The swept contact with a brick: the brick takes a hit.
    void OnHitBrick(CSprite* ball, CSprite* brick, uint32_t context);
    // The ship sends the ball up.
    void OnHitShip(CSprite* ball, CSprite* ship);

    bool IsFire() const { return m_fire; }
    bool IsRail() const { return m_rail; }
    bool IsSmall() const { return m_small; }
    void SetSmall(bool small);
    // A loose ball (one a trapped-ball brick let go) is not the player's to lose.
    bool IsLoose() const { return m_loose; }
    void SetLoose(bool loose) { m_loose = loose; }
    bool IsEndOfRound() const { return m_endOfRound; }
    void SetEndOfRound(bool end) { m_endOfRound = end; }

    // The field's walls, and its bottom, below which a ball is lost.
    static constexpr float kFieldLeft = 11.0f;
    static constexpr float kFieldRight = 501.0f;
    static constexpr float kFieldTop = 10.0f;
    static constexpr float kLostBelow = 480.0f;

    // The look given to the animated sprites it joins (not owned; none draws nothing).
    static void SetLook(CSequence* look) { s_look = look; }

private:
    static CSequence* s_look;
    void BuildPolygon();

    bool m_fire;
    bool m_rail;
    bool m_small;
    bool m_endOfRound = false;
    bool m_loose = false;
    CPolygon2D m_polygon;
};
