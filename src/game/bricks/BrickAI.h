#pragma once
// The behaviour of every brick of a round: it holds the brick's type (and, for a floating brick,
// its record), decides what a ball's or shot's hit does by the type, destroys bricks with their
// points, sounds, effects and power-ups, and runs explosions, push waves, nudges, movement along a
// path and delayed changes of type.
//
// The rule a caller must know: a brick dies by its dead flag only, so a hit or blast on a brick
// that is already dead does nothing; bricks are found through the playfield's bricks list, so a
// brick behaviour only acts while a playfield is set.
#include "game/bricks/GrowableArray.h"
#include "game/sprites/SpriteAI.h"
#include "objects/Point.h"

#include <cstdint>

class CAnimatedSprite;
class CBrickInfo;
class CFloatingBrick;
class CSequence;
class CSpriteList;

class CBrickAI : public CSpriteAI
{
    DECLARE_CLASS_RECORD(CBrickAI)

    // Sides a ball strikes from.
    static constexpr uint32_t kFromAbove = 0;
    static constexpr uint32_t kFromBelow = 1;
    static constexpr uint32_t kFromLeft = 2;
    static constexpr uint32_t kFromRight = 3;
    static constexpr float kBlastReach = 49.0f;
    static constexpr float kPushReach = 100.0f;
    // Vertical distances between bricks count 16/9 times, as bricks are 32 by 18.
    static constexpr float kVerticalScale = 1.7777778f;
    static constexpr uint32_t kUnbreakableHitLimit = 25;
    static constexpr uint32_t kChainDelay = 6;
    static constexpr uint32_t kChangeDelay = 6;

    // Gives the brick one animation slot of the type's primary sequence (or of the floating
    // record's look-alike's) at a random phase, stops it, and builds its path. floating may be
    // null (a grid brick); column and row are -1 for a floating brick.
    CBrickAI(CAnimatedSprite* brick, CBrickInfo* info, CFloatingBrick* floating, int32_t column, int32_t row);
    ~CBrickAI() override;

    // The brick behaviour of a sprite (its first behaviour); null for any other sprite.
    static CBrickAI* Of(CSprite* sprite);

    // A ball's or shot's hit from the side; weak for a small ball. Whether the hit counts (the
    // ball then speeds up as for any brick). A dead brick ignores it and answers true, as its
    // destruction counted.
    bool Hit(CSprite* brick, uint32_t side, bool weak);
    // Destroys the brick: points, sounds, effects, power-ups and what its type sets off. byFire
    // blasts the bricks within reach at once. Nothing for a dead brick or an "Obstacle".
    void Destroy(CSprite* brick, bool byFire, float reach);
    // A "Trapped Ball" brick lets a small loose ball go into the freed balls and dies; other
    // types do nothing.
    void ReleaseTrappedBall(CSprite* brick);

    // Nudge, push, animation, path, cycle, explosion countdown, change countdown, then the next
    // behaviour.
    void Update(CSprite* sprite, uint32_t arg) override;
    // A floating brick that changes its neighbours previews their new look: the look sweeps
    // across the brick from the left once per animation cycle.
    void DrawOverlay(CSprite* sprite, CFrameInterface* target) override;
    void SyncState() override;
    // The type's collision polygon; null without a type.
    const CPolygon2D* GetCollisionPolygon(CSprite* sprite) override;

    CBrickInfo* GetInfo() const { return m_info; }
    // The type of the current brick type; "Normal" without one.
    uint32_t GetBrickType() const;
    bool IsNeeded() const;
    bool IsChanging() const { return m_changeCountdown > 0; }
    // The type the brick changes into; meaningful while it is changing.
    uint32_t GetChangeTargetType() const;
    // Whether a toggle brick is on: "Off/On" after an odd number of hits, "On/Off" after an even.
    bool IsOn() const;
    bool IsBeingNudged() const { return m_nudge.m_x != 0.0f || m_nudge.m_y != 0.0f; }
    const CFloatPoint& GetNudge() const { return m_nudge; }
    int32_t GetPushDelay() const { return m_pushDelay; }
    const CFloatPoint& GetPushVelocity() const { return m_pushVelocity; }
    uint32_t GetExplodeCountdown() const { return m_explodeCountdown; }
    uint32_t GetUnbreakableHits() const { return m_unbreakableHits; }
    uint32_t GetHitCount() const { return m_hitCount; }
    const CGrowableArray<CFloatPoint>& GetPath() const { return m_path; }
    int32_t GetColumn() const { return m_column; }
    int32_t GetRow() const { return m_row; }

    // Every live brick within reach of the centre (vertical distances scaled): immediate destroys
    // them at once (reach 49, not by fire), otherwise each starts its 6-step explosion countdown.
    static void Explode(const CFloatPoint& centre, float reach, bool immediate);
    // Every live brick within reach (unscaled) is pushed away from the centre, the nearer the
    // sooner and the harder.
    static void PushAway(const CFloatPoint& centre, float reach);

private:
    void HitUnbreakable(CSprite* brick);
    bool Hit3Hit(CSprite* brick, bool weak);
    void HitToggle(CSprite* brick);
    // Shows the sequence in the first slot, when the reference names one.
    void ShowLook(CSprite* brick, uint32_t sequence);
    void PlayInfoSound(uint32_t sound) const;
    // The live bricks within 49 (scaled) of the brick that are of the "from" type (any type for
    // null), not changing and without a target, start changing into "to".
    static void SpreadChange(const CSprite* brick, const CBrickInfo* from, CBrickInfo* to);
    // When no live toggle brick is off, every live toggle brick that is on goes (reach 49).
    static void DestroyTogglesWhenAllOn();
    static void DestroyTogglesThatAreOn();
    void BuildPath();
    void MoveWithPath(CSprite* brick, const CFloatPoint& step);

    void StepNudge(CSprite* brick);
    void StepPush(CSprite* brick);
    void StepPath(CSprite* brick);
    void StepChange(CSprite* brick);

    CBrickInfo* m_info;
    uint32_t m_hitCount = 0;
    uint32_t m_weakHits = 0;
    uint32_t m_unbreakableHits = 0;
    uint32_t m_explodeCountdown = 0;
    CBrickInfo* m_changeTarget = nullptr;
    uint32_t m_pathIndex = 0;
    CGrowableArray<CFloatPoint> m_path;
    float m_cyclePhase;
    uint32_t m_changeCountdown = 0;
    CFloatPoint m_nudge;
    CFloatPoint m_pushVelocity;
    int32_t m_pushDelay = -1;
    CFloatingBrick* m_floating;
    int32_t m_column;
    int32_t m_row;
};

// Whether the brick's centre lies in the area bricks may be nudged and pushed about in.
bool IsInBrickMovableArea(const CFloatPoint& position);
