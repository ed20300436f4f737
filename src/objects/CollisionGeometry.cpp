#include "objects/CollisionGeometry.h"

#include "objects/Vector2D.h"

#include <algorithm>
#include <cmath>

bool CircleTouchesSegment(const CFloatPoint& start, const CFloatPoint& direction, float length,
                          const CFloatPoint& centre, float radius, CFloatPoint* normal, float* distance)
{
    const CFloatPoint fromStart = CVector2D::Difference(centre, start);
    const float along = CVector2D::Dot(fromStart, direction);
    if (!(along > -radius && along < length + radius))
        return false;
    const float radiusSquared = radius * radius;
    const float startSquared = CVector2D::LengthSquared(fromStart);
    CFloatPoint away;
    float gap = 0.0f;
    if (along < 0.0f || along >= length) {
        // Beyond an end: the ends' own distances decide, the start's first.
        const CFloatPoint end = CVector2D::Sum(start, CVector2D::Scaled(direction, length));
        const CFloatPoint fromEnd = CVector2D::Difference(centre, end);
        const float endSquared = CVector2D::LengthSquared(fromEnd);
        if (startSquared < radiusSquared) {
            away = fromStart;
            gap = std::sqrt(startSquared);
        } else if (endSquared < radiusSquared) {
            away = fromEnd;
            gap = std::sqrt(endSquared);
        } else {
            return false;
        }
    } else {
        const float perpendicularSquared = startSquared - along * along;
        if (!(perpendicularSquared < radiusSquared))
            return false;
        if (perpendicularSquared <= 0.0001f) {
            // On the line itself: the side the segment's normal faces.
            away = CFloatPoint{direction.m_y, -direction.m_x};
            if (away.m_x == 0.0f && away.m_y == 0.0f)
                away = CFloatPoint{0.0f, 1.0f};
        } else {
            away = CVector2D::Difference(centre, CVector2D::Sum(start, CVector2D::Scaled(direction, along)));
            gap = CVector2D::Length(away);
        }
    }
    if (CVector2D::Normalize(away) == 0.0f)
        away = CFloatPoint{1.0f, 0.0f};
    if (normal)
        *normal = away;
    if (distance)
        *distance = gap;
    return true;
}

bool CrossSegments(const CFloatPoint& p0, const CFloatPoint& p1, const CFloatPoint& q0, const CFloatPoint& q1,
                   float* t)
{
    if (std::max(p0.m_x, p1.m_x) < std::min(q0.m_x, q1.m_x) || std::max(q0.m_x, q1.m_x) < std::min(p0.m_x, p1.m_x) ||
        std::max(p0.m_y, p1.m_y) < std::min(q0.m_y, q1.m_y) || std::max(q0.m_y, q1.m_y) < std::min(p0.m_y, p1.m_y))
        return false;
    const CFloatPoint r = CVector2D::Difference(p1, p0);
    const CFloatPoint s = CVector2D::Difference(q1, q0);
    const float denominator = r.m_x * s.m_y - r.m_y * s.m_x;
    if (denominator > -0.0001f && denominator < 0.0001f)
        return false;
    const CFloatPoint between = CVector2D::Difference(q0, p0);
    const float alongP = (between.m_x * s.m_y - between.m_y * s.m_x) / denominator;
    const float alongQ = (between.m_x * r.m_y - between.m_y * r.m_x) / denominator;
    if (!(alongP >= 0.0f && alongP <= 1.0f && alongQ >= 0.0f && alongQ <= 1.0f))
        return false;
    *t = alongP;
    return true;
}

bool RayHitsUnitCircle(const CFloatPoint& centre, const CFloatPoint& origin, const CFloatPoint& direction, float* s)
{
    const CFloatPoint d = CVector2D::Difference(origin, centre);
    const float half = CVector2D::Dot(d, direction);
    const float discriminant = half * half - (CVector2D::LengthSquared(d) - 1.0f);
    float root;
    if (std::fabs(discriminant) < 0.00001f)
        root = -half;
    else if (discriminant >= 0.0f)
        root = -half - std::sqrt(discriminant);
    else
        return false;
    if (!(root > 0.0f))
        return false;
    *s = root;
    return true;
}
