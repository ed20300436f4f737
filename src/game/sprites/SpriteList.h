#pragma once
// The container of sprites: the playfield keeps nine (balls, freed balls, shots, ship, power-ups,
// bricks, background sprites, low effects, foreground). A list updates, draws and purges its
// sprites, and runs the two collisions between lists that drive play: the pairwise pixel test with
// callbacks, and the swept test of moving sprites against the collision polygons of a list, which
// moves each mover to its contact, deflects it and reports the hit.
//
// The rule a caller must know: a list owns its sprites and a sprite is in at most one list. The
// links live in the sprites, so lists never allocate. Sprites die by their dead flag; the list
// deletes them at the end of UpdateAll, so callbacks and behaviours may set dead flags at any time
// but must not delete sprites of a list being walked.
#include "game/sprites/SweepGrid.h"
#include "objects/Point.h"

#include <cstdint>
#include <memory>
#include <vector>

class CFrameInterface;
class CCollisionSweep;
class CSprite;
struct CSweepResult;

class CSpriteList
{
public:
    // A collision handler: the sprite of the list it was given for, the other sprite, and the
    // caller's context (the swept test passes 0 for a contact and 1 for a sprite passed through).
    using Callback = void (*)(CSprite* a, CSprite* b, uint32_t context);

    // The most contacts one sprite resolves in one step.
    static constexpr int kMaxContacts = 5;

    CSpriteList() = default;
    // Deletes every sprite.
    ~CSpriteList();
    CSpriteList(const CSpriteList&) = delete;
    CSpriteList& operator=(const CSpriteList&) = delete;

    // Links the sprite (taken over) after the tail; its own links are reset.
    void Append(CSprite* sprite);
    // Unlinks the sprite when it is in this list; nothing otherwise. The sprite's own links are
    // left as they were, so a walk that stands on it still finds its way on.
    void Remove(CSprite* sprite);
    void DeleteAll();
    uint32_t Count() const;
    CSprite* GetHead() const { return m_head; }
    CSprite* GetTail() const { return m_tail; }

    // Draw and DrawShadow of every sprite, head to tail.
    void DrawAll(CFrameInterface* target);
    void DrawShadows(CFrameInterface* target);
    // Updates every sprite (each sprite's successor is read before its update, so it may set its
    // own dead flag, and sprites appended behind it are updated in the same pass), then deletes
    // the dead ones.
    void UpdateAll();

    // The pixel test of every active sprite a of this list against every sprite b of other (each
    // unordered pair once when other is this list): on a collision, callbackA(a, b, contextA) and
    // callbackB(b, a, contextB), either of which may be null. Whether any pair collided.
    bool CollideWithList(Callback callbackA, uint32_t contextA, CSpriteList* other, Callback callbackB,
                         uint32_t contextB);
    // SweepSprite for every active sprite of movers that is not dead.
    void SweepListAgainst(Callback callback, CSpriteList* movers);
    // The swept move of one sprite against the polygons of this list: from its current position
    // onward by this step's motion, stopping and deflecting at up to kMaxContacts contacts (a
    // sprite that meets them all stays where it is). On a hit, result holds the last contact and
    // the deflected velocity, the sprite takes that velocity and the resolved position, and
    // callback(mover, last sprite hit, 0) runs; sprites the mover passes through get
    // callback(mover, sprite, 1) as they are met. A sprite that did not move this step is not
    // swept. Whether anything was hit.
    bool SweepSprite(Callback callback, CSprite* mover, CSweepResult& result);

    // The swept test finds the sprites near a mover through a grid of the list's sprites (false:
    // by walking the whole list); either way it finds the same contacts in the same order.
    void SetSweepGridUsed(bool used) { m_sweepGridUsed = used; }
    // Something that the swept test's grid holds changed: a sprite came, went or moved.
    void NoteChange() { ++m_changeCount; }

    // Of the active sprites that are not dead and have a collision polygon, the one whose polygon
    // the segment start->end crosses nearest start (the earlier in the list of equals), with that
    // crossing as a fraction of the segment when asked for; null when the segment meets none.
    CSprite* FindNearestCrossing(const CFloatPoint& start, const CFloatPoint& end, float* fraction = nullptr) const;

private:
    // Unlinks a sprite known to be in this list.
    void Unlink(CSprite* sprite);
    // Moves point along the sweep, contact after contact. result takes the last contact and the
    // deflected velocity; the sprite hit last, or null for none (result then untouched).
    CSprite* Resolve(Callback callback, CSprite* mover, CFloatPoint& point, CCollisionSweep& sweep,
                     CSweepResult& result);
    // The earliest contact of the mover's polygon at point along the sweep among this list's
    // sprites, into result (reset by the caller); the sprite that gave it, or null.
    CSprite* FindEarliestHit(Callback callback, CSprite* mover, const CFloatPoint& point,
                             const CCollisionSweep& sweep, CSweepResult& result);

    // The rest of the earliest-hit walk from s on, over the whole list (also after a callback
    // changed the list under the grid's walk).
    CSprite* WalkForEarliestHit(CSprite* s, Callback callback, CSprite* mover, const CPolygon2D* polygon,
                                const CPolygonBounds& swept, const CFloatPoint& point, const CCollisionSweep& sweep,
                                CSweepResult& result, CSprite* hit);
    // Tests one sprite; true when it gives the new earliest contact.
    bool TestForEarliestHit(CSprite* s, Callback callback, CSprite* mover, const CPolygon2D* polygon,
                            const CPolygonBounds& swept, const CFloatPoint& point, const CCollisionSweep& sweep,
                            CSweepResult& result);

    CSprite* m_head = nullptr;
    CSprite* m_tail = nullptr;
    uint32_t m_changeCount = 0;
    bool m_sweepGridUsed = true;
    CSweepGrid m_sweepGrid;
    std::vector<CSprite*> m_candidates;
};
