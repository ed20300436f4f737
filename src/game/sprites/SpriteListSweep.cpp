// The swept test of moving sprites against the collision polygons of a list: each mover is moved
// to its contacts one after another, deflected at each, and reported.
#include "foundation/MathTables.h"
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

// Pixels to spare on each side of the rectangle test, which only saves polygon work: rounding
// the two positions on their own must never reject a pair the polygon test would accept.
constexpr int64_t kPruneMargin = 2;

// Whether the polygon at its position may meet the swept rectangle.
bool MayMeet(const CPolygonBounds& swept, const CPolygon2D& polygon, const CFloatPoint& at)
{
    const int64_t x = RoundToInt(at.m_x), y = RoundToInt(at.m_y);
    return swept.m_left <= polygon.GetRight() + x + kPruneMargin &&
           swept.m_right >= polygon.GetLeft() + x - kPruneMargin &&
           swept.m_top <= polygon.GetBottom() + y + kPruneMargin &&
           swept.m_bottom >= polygon.GetTop() + y - kPruneMargin;
}

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
    CSprite* hit = nullptr;
    for (CSprite* s = m_head; s; s = s->m_next) {
        if (s == mover || !s->IsActive() || s->IsDead())
            continue;
        const CPolygon2D* other = s->GetCollisionPolygon();
        if (!other || (other == polygon && s->GetPosition() == point) || !MayMeet(swept, *other, s->GetPosition()))
            continue;
        // Only a strictly earlier contact changes the copy, so of equal contacts the first in the
        // list stays.
        CSweepResult candidate = result;
        if (!polygon->SweepAgainst(candidate, *other, point, s->GetPosition(), sweep))
            continue;
        if (!mover->PassesThrough(s, &candidate)) {
            result = candidate;
            hit = s;
        } else if (callback) {
            callback(mover, s, 1);
        }
    }
    return hit;
}
