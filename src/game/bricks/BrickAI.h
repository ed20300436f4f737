#pragma once
// A brick's behaviour as the playfield needs it until the bricks arrive: whether the round needs
// the brick cleared, the change into another type, the trapped ball, and the hit and destruction
// (both of which clear the brick).
//
// The rule a caller must know: a brick dies by its dead flag; the end of the round looks only at
// bricks that are not dead.
#include "game/sprites/SpriteAI.h"
#include "objects/Polygon2D.h"

class CBrickInfo;

class CBrickAI : public CSpriteAI
{
    DECLARE_CLASS_RECORD(CBrickAI)

    explicit CBrickAI(bool needed = true);
    ~CBrickAI() override;

    void Update(CSprite* sprite, uint32_t arg) override;
    void SyncState() override;
    // The brick's 32 x 18 box about its position, clockwise.
    const CPolygon2D* GetCollisionPolygon(CSprite* sprite) override;

    bool IsNeeded() const { return m_needed; }
    // Whether the brick is turning into another type, and that type (null when none).
    bool IsChanging() const { return m_changeTarget != nullptr; }
    CBrickInfo* GetChangeTargetType() const { return m_changeTarget; }
    void SetChangeTargetType(CBrickInfo* type) { m_changeTarget = type; }
    // Whether bricks of the type must be cleared; false for none.
    static bool IsTypeNeeded(const CBrickInfo* type);

    // A brick holding a ball lets it go; the others do nothing.
    void ReleaseTrappedBall(CSprite* brick);
    // A ball's or shot's hit from the side (0 above, 1 below, 2 left, 3 right), weak for a small
    // plain ball; whether it counted. Here every hit clears the brick and counts.
    bool Hit(CSprite* brick, uint32_t side, bool weak);
    // Clears the brick (by fire or not, the reach of the blast ignored here).
    void Destroy(CSprite* brick, bool byFire, float reach);

private:
    bool m_needed;
    CBrickInfo* m_changeTarget = nullptr;
};
