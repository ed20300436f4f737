// The swept test of moving sprites against the collision polygons of a list: each mover is moved
// to its contacts one after another, deflected at each, and reported.
#include "game/sprites/Sprite.h"
#include "game/sprites/SpriteList.h"
#include "objects/CollisionSweep.h"
#include "objects/Polygon2D.h"
#include "objects/SweepResult.h"
#include "objects/Vector2D.h"

#include <algorithm>

namespace {

// The sweep's owner and flag values of the sprite lists.
constexpr uint32_t kSweepOwner = 0;
constexpr uint8_t kSweepFlag = 1;

} // namespace

void CSpriteList::SweepListAgainst(Callback callback, CSpriteList* movers)
{
    if (!movers)
        return;
    for (CSprite* m = movers->m_head; m;) {
        CSprite* next = m->m_next;
        if (m->IsActive() && !m->IsDead()) {
            CSweepResult result;
            result.Reset();
            SweepSprite(callback, m, result);
        }
        m = next;
    }
}

bool CSpriteList::SweepSprite(Callback callback, CSprite* mover, CSweepResult& result)
{
    CCollisionSweep sweep(CFloatPoint{}, CFloatPoint{}, kSweepOwner, kSweepFlag);
    mover->BeginSweep(sweep);
    const CFloatPoint& motion = sweep.GetMotion();
    if (motion.m_x == 0.0f && motion.m_y == 0.0f)
        return false;
    // The path tested runs from the current position onward by one more step of the same motion.
    CFloatPoint point = mover->GetPosition();
    CSprite* hit = Resolve(callback, mover, point, sweep, result);
    if (!hit)
        return false;
    mover->ApplySweepVelocity(result);
    mover->SetPosition(point);
    if (callback)
        callback(mover, hit, 0);
    return true;
}

CSprite* CSpriteList::Resolve(Callback callback, CSprite* mover, CFloatPoint& point, CCollisionSweep& sweep,
                              CSweepResult& result)
{
    const CFloatPoint start = point;
    CFloatPoint velocity = sweep.GetVelocity();
    CSprite* lastHit = nullptr;
    int contacts = 0;
    while (contacts < kMaxContacts) {
        // Each round looks for the earliest contact along what is left of the motion.
        CSweepResult contact;
        contact.Reset();
        CSprite* hit = FindEarliestHit(callback, mover, point, sweep, contact);
        if (!hit) {
            point = CVector2D::Sum(point, sweep.GetMotion());
            break;
        }
        ++contacts;
        lastHit = hit;
        contact.m_time = std::max(contact.m_time, 0.0f);
        result = contact;
        point = CVector2D::Sum(point, contact.m_offset);
        const CFloatPoint remaining = CVector2D::Difference(sweep.GetMotion(), contact.m_offset);
        velocity = sweep.Deflect(velocity, contact.m_normal);
        if (!sweep.SetMotionVector(sweep.Deflect(remaining, contact.m_normal)))
            break;
    }
    if (!lastHit)
        return nullptr;
    result.m_velocity = velocity;
    if (contacts == kMaxContacts) {
        // Trapped: the sprite does not move this step, though it keeps the deflected velocity.
        result.m_time = 0.0f;
        result.m_offset = CFloatPoint{};
        result.m_position = start;
        point = start;
    }
    return lastHit;
}

CSprite* CSpriteList::FindEarliestHit(Callback callback, CSprite* mover, const CFloatPoint& point,
                                      const CCollisionSweep& sweep, CSweepResult& result)
{
    const CPolygon2D* polygon = mover->GetCollisionPolygon();
    if (!polygon)
        return nullptr;
    const CPolygonBounds swept = polygon->GetSweptBounds(point, sweep);
    if (!m_sweepGridUsed)
        return WalkForEarliestHit(m_head, callback, mover, polygon, swept, point, sweep, result, nullptr);
    if (!m_sweepGrid.IsBuiltFor(*this, m_changeCount))
        m_sweepGrid.Build(*this, m_changeCount);
    if (!m_sweepGrid.IsUsable())
        return WalkForEarliestHit(m_head, callback, mover, polygon, swept, point, sweep, result, nullptr);
    // The sprites the walk would not skip, in list order; the others cannot meet the sweep.
    std::vector<CSprite*> candidates;
    candidates.swap(m_candidates);
    m_sweepGrid.FindCandidates(swept, candidates);
    CSprite* hit = nullptr;
    const uint32_t before = m_changeCount;
    for (CSprite* s : candidates) {
        if (TestForEarliestHit(s, callback, mover, polygon, swept, point, sweep, result))
            hit = s;
        // A callback changed the list: the walk goes on over the list itself from here.
        if (m_changeCount != before) {
            hit = WalkForEarliestHit(s->m_next, callback, mover, polygon, swept, point, sweep, result, hit);
            break;
        }
    }
    candidates.swap(m_candidates);
    return hit;
}

CSprite* CSpriteList::WalkForEarliestHit(CSprite* s, Callback callback, CSprite* mover, const CPolygon2D* polygon,
                                         const CPolygonBounds& swept, const CFloatPoint& point,
                                         const CCollisionSweep& sweep, CSweepResult& result, CSprite* hit)
{
    for (; s; s = s->m_next)
        if (TestForEarliestHit(s, callback, mover, polygon, swept, point, sweep, result))
            hit = s;
    return hit;
}

bool CSpriteList::TestForEarliestHit(CSprite* s, Callback callback, CSprite* mover, const CPolygon2D* polygon,
                                     const CPolygonBounds& swept, const CFloatPoint& point,
                                     const CCollisionSweep& sweep, CSweepResult& result)
{
    if (s == mover || !s->IsActive() || s->IsDead())
        return false;
    const CPolygon2D* other = s->GetCollisionPolygon();
    if (!other || (other == polygon && s->GetPosition() == point) ||
        !CSweepGrid::MayMeet(swept, *other, s->GetPosition()))
        return false;
    // Only a strictly earlier contact changes the copy, so of equal contacts the first in the
    // list stays.
    CSweepResult candidate = result;
    if (!polygon->SweepAgainst(candidate, *other, point, s->GetPosition(), sweep))
        return false;
    if (!mover->PassesThrough(s, &candidate)) {
        result = candidate;
        return true;
    }
    if (callback)
        callback(mover, s, 1);
    return false;
}
