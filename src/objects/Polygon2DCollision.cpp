// The collision queries of CPolygon2D: point and circle tests, the swept test that stops a moving
// polygon at its first contact, the standing overlap test and the segment query.
#include "foundation/MathTables.h"
#include "objects/CollisionGeometry.h"
#include "objects/CollisionSweep.h"
#include "objects/Polygon2D.h"
#include "objects/SweepResult.h"
#include "objects/Vector2D.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// A resting contact is one closer than this to an edge.
constexpr float kRestRadius = 1.01f;

// A motion of the swept test; the reversed test runs the same code backwards.
struct Motion
{
    CFloatPoint m_vector;
    CFloatPoint m_direction;
    float m_length;
};

int32_t Saturate(int64_t x)
{
    return static_cast<int32_t>(std::clamp<int64_t>(x, INT32_MIN, INT32_MAX));
}

// How far a swept rectangle reaches ahead along one axis.
int64_t Reach(float component, float length)
{
    return CeilToInt(component * length + 1.0f);
}

CFloatPoint EdgeNormal(const CPolygonEdge& edge)
{
    return {edge.m_normalX, edge.m_normalY};
}

CFloatPoint EdgeDirection(const CPolygonEdge& edge)
{
    return {-edge.m_normalY, edge.m_normalX};
}

uint32_t EdgeCount(const CPolygon2D& polygon)
{
    return polygon.GetPointCount() > 1 ? polygon.GetPointCount() - 1 : 0;
}

// The vertices of an outline, its closing point taken once.
uint32_t VertexCount(const CPolygon2D& polygon)
{
    return polygon.IsClosed() ? polygon.GetPointCount() - 1 : polygon.GetPointCount();
}

void TakeContact(CSweepResult& result, float time, const CFloatPoint& offset, const CFloatPoint& normal,
                 const CFloatPoint& point)
{
    result.m_time = time;
    result.m_offset = offset;
    result.m_normal = normal;
    result.m_position = CVector2D::Sum(point, offset);
}

// The point moving by the motion against the edges of polygon placed at offset: only edges whose
// normal faces the motion stop it, so a point leaves a polygon freely. Per edge, the first of: a
// resting contact (closer than kRestRadius and moving in), a crossing of the edge pushed out by 1
// along its normal, or a glance off the circle of radius 1 round an end.
bool SweepPointAgainstEdges(const CPolygon2D& polygon, const CFloatPoint& offset, const CFloatPoint& point,
                            const Motion& motion, CSweepResult& result)
{
    const CFloatPoint& u = motion.m_direction;
    const CFloatPoint end = CVector2D::Sum(point, motion.m_vector);
    bool found = false;
    for (uint32_t i = 0; i < EdgeCount(polygon); ++i) {
        const CPolygonEdge& edge = polygon.GetEdges()[i];
        const CFloatPoint n = EdgeNormal(edge);
        if (!(CVector2D::Dot(n, u) < 0.0f))
            continue;
        const CFloatPoint a = CVector2D::Sum(polygon.GetPoint(i), offset);
        const CFloatPoint b = CVector2D::Sum(polygon.GetPoint(i + 1), offset);
        const CFloatPoint along = EdgeDirection(edge);
        if (!CircleTouchesSegment(a, along, edge.m_length, point, motion.m_length + kRestRadius, nullptr, nullptr))
            continue;

        CFloatPoint away;
        float gap = 0.0f;
        if (CircleTouchesSegment(a, along, edge.m_length, point, kRestRadius, &away, &gap)) {
            const float time = std::min(gap, 1.0f) - 1.0f;
            if (time < result.m_time && CVector2D::Dot(away, u) < 0.0f) {
                TakeContact(result, time, CFloatPoint(), away, point);
                found = true;
                continue;
            }
        }
        float time = 0.0f;
        if (result.m_time > 0.0f &&
            CrossSegments(point, end, CVector2D::Sum(a, n), CVector2D::Sum(b, n), &time) && time < result.m_time) {
            TakeContact(result, time, CVector2D::Scaled(motion.m_vector, time), n, point);
            found = true;
            continue;
        }
        if (!(motion.m_length > 0.0f))
            continue;
        const CFloatPoint* corner = nullptr;
        if (CircleTouchesSegment(point, u, motion.m_length, a, 1.0f, nullptr, nullptr))
            corner = &a;
        else if (CircleTouchesSegment(point, u, motion.m_length, b, 1.0f, nullptr, nullptr))
            corner = &b;
        float distance = 0.0f;
        if (!corner || !RayHitsUnitCircle(*corner, point, u, &distance))
            continue;
        time = std::max(distance / motion.m_length, 0.0f);
        if (time < result.m_time) {
            const CFloatPoint travelled = CVector2D::Scaled(motion.m_vector, time);
            CFloatPoint normal = CVector2D::Difference(CVector2D::Sum(point, travelled), *corner);
            if (CVector2D::Normalize(normal) == 0.0f)
                normal = CFloatPoint{1.0f, 0.0f};
            TakeContact(result, time, travelled, normal, point);
            found = true;
        }
    }
    return found;
}

// The vertices of mover at position, moving, against the edges of other at otherPosition. A
// vertex between two edges that both face away from the motion trails behind and cannot lead a
// contact; it is skipped.
bool SweepVerticesAgainst(const CPolygon2D& mover, const CFloatPoint& position, const Motion& motion,
                          const CPolygon2D& other, const CFloatPoint& otherPosition, CSweepResult& result)
{
    const uint32_t edges = EdgeCount(mover);
    if (mover.GetPointCount() == 0)
        return false;
    if (edges == 0)
        return SweepPointAgainstEdges(other, otherPosition, CVector2D::Sum(mover.GetPoint(0), position), motion,
                                      result);
    const bool closed = mover.IsClosed();
    bool found = false;
    for (uint32_t i = 0; i < VertexCount(mover); ++i) {
        const uint32_t next = std::min(i, edges - 1);
        const uint32_t previous = i > 0 ? i - 1 : (closed ? edges - 1 : 0);
        if (CVector2D::Dot(EdgeNormal(mover.GetEdges()[previous]), motion.m_direction) < 0.0f &&
            CVector2D::Dot(EdgeNormal(mover.GetEdges()[next]), motion.m_direction) < 0.0f)
            continue;
        if (SweepPointAgainstEdges(other, otherPosition, CVector2D::Sum(mover.GetPoint(i), position), motion, result))
            found = true;
    }
    return found;
}

} // namespace

bool CPolygon2D::IsClosed() const
{
    return m_count > 1 && m_points[0] == m_points[m_count - 1];
}

bool CPolygon2D::ContainsPoint(float x, float y) const
{
    if (!(x >= static_cast<float>(m_left) && x <= static_cast<float>(m_right) && y >= static_cast<float>(m_top) &&
          y <= static_cast<float>(m_bottom)))
        return false;
    // Winding counted in quarter turns round (x, y): four of them, either way, means inside.
    auto quadrant = [x, y](const CFloatPoint& q) {
        if (q.m_y > y)
            return q.m_x > x ? 0 : 1;
        return q.m_x > x ? 3 : 2;
    };
    int turns = 0;
    for (uint32_t i = 0; i + 1 < m_count; ++i) {
        const CFloatPoint& from = m_points[i];
        const CFloatPoint& to = m_points[i + 1];
        int delta = quadrant(to) - quadrant(from);
        if (delta == -3) {
            delta = 1;
        } else if (delta == 3) {
            delta = -1;
        } else if (delta == 2 || delta == -2) {
            // A diagonal jump: the side of (x, y) on which the edge crosses its height decides.
            const float crossing = to.m_x - (to.m_y - y) * (from.m_x - to.m_x) / (from.m_y - to.m_y);
            if (crossing > x)
                delta = -delta;
        }
        turns += delta;
    }
    return turns == 4 || turns == -4;
}

bool CPolygon2D::CircleTouches(float x, float y, float radius) const
{
    if (!(x >= static_cast<float>(m_left) - radius && x <= static_cast<float>(m_right) + radius &&
          y >= static_cast<float>(m_top) - radius && y <= static_cast<float>(m_bottom) + radius))
        return false;
    return ContainsPoint(x, y) || FindNearestEdgeHit(CFloatPoint{x, y}, radius, nullptr) >= 0;
}

int32_t CPolygon2D::FindNearestEdgeHit(const CFloatPoint& centre, float radius, float* distance) const
{
    float best = 100000000.0f;
    int32_t nearest = -1;
    for (uint32_t i = 0; i + 1 < m_count; ++i) {
        float gap = 0.0f;
        if (CircleTouchesSegment(m_points[i], EdgeDirection(m_edges[i]), m_edges[i].m_length, centre, radius, nullptr,
                                 &gap) &&
            gap < best) {
            best = gap;
            nearest = static_cast<int32_t>(i);
        }
    }
    if (distance && nearest >= 0)
        *distance = best;
    return nearest;
}

CPolygonBounds CPolygon2D::GetSweptBounds(const CFloatPoint& position, const CCollisionSweep& sweep) const
{
    const int64_t x = RoundToInt(position.m_x);
    const int64_t y = RoundToInt(position.m_y);
    int64_t left = m_left + x, right = m_right + x, top = m_top + y, bottom = m_bottom + y;
    const CFloatPoint& direction = sweep.GetDirection();
    const float length = sweep.GetLength();
    if (direction.m_x <= 0.0f) {
        left -= Reach(-direction.m_x, length);
        right += 1;
    } else {
        right += Reach(direction.m_x, length);
        left -= 1;
    }
    if (direction.m_y > 0.0f) {
        bottom += Reach(direction.m_y, length);
        top -= 1;
    } else {
        top -= Reach(-direction.m_y, length);
        bottom += 1;
    }
    return {Saturate(left), Saturate(top), Saturate(right), Saturate(bottom)};
}

bool CPolygon2D::SweptBoundsOverlap(const CFloatPoint& position, const CFloatPoint& motion, const CPolygon2D& other,
                                    const CFloatPoint& otherPosition) const
{
    const float startX = position.m_x - otherPosition.m_x;
    const float startY = position.m_y - otherPosition.m_y;
    const float endX = (position.m_x + motion.m_x) - otherPosition.m_x;
    const float endY = (position.m_y + motion.m_y) - otherPosition.m_y;
    const int64_t left = int64_t{std::min(FloorToInt(startX), FloorToInt(endX))} - 1 + m_left;
    const int64_t right = int64_t{std::max(CeilToInt(startX), CeilToInt(endX))} + 1 + m_right;
    const int64_t top = int64_t{std::min(FloorToInt(startY), FloorToInt(endY))} - 1 + m_top;
    const int64_t bottom = int64_t{std::max(CeilToInt(startY), CeilToInt(endY))} + 1 + m_bottom;
    return std::min<int64_t>(right, other.m_right) - std::max<int64_t>(left, other.m_left) > 0 &&
           std::min<int64_t>(bottom, other.m_bottom) - std::max<int64_t>(top, other.m_top) > 0;
}

bool CPolygon2D::SweepAgainst(CSweepResult& result, const CPolygon2D& other, const CFloatPoint& position,
                              const CFloatPoint& otherPosition, const CCollisionSweep& sweep) const
{
    if (m_count == 0 || other.m_count < 2 || !SweptBoundsOverlap(position, sweep.GetMotion(), other, otherPosition))
        return false;
    const Motion forward{sweep.GetMotion(), sweep.GetDirection(), sweep.GetLength()};
    bool found = SweepVerticesAgainst(*this, position, forward, other, otherPosition, result);
    if (found && result.m_offset.m_x == 0.0f && result.m_offset.m_y == 0.0f)
        return true;
    // The other's corners against this polygon's edges: the other moving backwards.
    const Motion backward{CVector2D::Scaled(forward.m_vector, -1.0f), CVector2D::Scaled(forward.m_direction, -1.0f),
                          forward.m_length};
    if (SweepVerticesAgainst(other, otherPosition, backward, *this, position, result)) {
        // Back into this polygon's terms: its own offset, a normal toward it.
        result.m_normal = CVector2D::Scaled(result.m_normal, -1.0f);
        result.m_offset = CVector2D::Scaled(result.m_offset, -1.0f);
        result.m_position = CVector2D::Sum(result.m_position, CVector2D::Sum(result.m_normal, result.m_offset));
        found = true;
    }
    return found;
}

bool CPolygon2D::PolygonsOverlap(const CFloatPoint& position, const CPolygon2D& other,
                                 const CFloatPoint& otherPosition) const
{
    if (m_count == 0 || other.m_count == 0 || !SweptBoundsOverlap(position, CFloatPoint(), other, otherPosition))
        return false;
    for (uint32_t i = 0; i < m_count; ++i) {
        const CFloatPoint at = CVector2D::Difference(CVector2D::Sum(m_points[i], position), otherPosition);
        if (other.ContainsPoint(at.m_x, at.m_y))
            return true;
    }
    for (uint32_t i = 0; i < VertexCount(other); ++i) {
        const CFloatPoint at = CVector2D::Difference(CVector2D::Sum(other.m_points[i], otherPosition), position);
        if (CircleTouches(at.m_x, at.m_y, 0.5f))
            return true;
    }
    for (uint32_t i = 0; i + 1 < m_count; ++i) {
        const CFloatPoint a0 = CVector2D::Sum(m_points[i], position);
        const CFloatPoint a1 = CVector2D::Sum(m_points[i + 1], position);
        for (uint32_t j = 0; j + 1 < other.m_count; ++j) {
            const CFloatPoint b0 = CVector2D::Sum(other.m_points[j], otherPosition);
            const CFloatPoint b1 = CVector2D::Sum(other.m_points[j + 1], otherPosition);
            if (a0 == b0 || a0 == b1 || a1 == b0 || a1 == b1)
                return true;
            if (IntersectLineSegments(a0.m_x, a0.m_y, a1.m_x, a1.m_y, b0.m_x, b0.m_y, b1.m_x, b1.m_y, nullptr, nullptr,
                                      true) == 1)
                return true;
        }
    }
    return false;
}

bool CPolygon2D::FindSegmentCrossing(const CFloatPoint& position, const CFloatPoint& start, const CFloatPoint& end,
                                     float* fraction) const
{
    bool found = false;
    float nearest = 0.0f;
    for (uint32_t i = 0; i + 1 < m_count; ++i) {
        const CFloatPoint a = CVector2D::Sum(m_points[i], position);
        const CFloatPoint b = CVector2D::Sum(m_points[i + 1], position);
        float t = 0.0f;
        if (IntersectLineSegments(start.m_x, start.m_y, end.m_x, end.m_y, a.m_x, a.m_y, b.m_x, b.m_y, nullptr, nullptr,
                                  true, &t) == 1 &&
            (!found || t < nearest)) {
            nearest = t;
            found = true;
        }
    }
    if (found)
        *fraction = nearest;
    return found;
}
