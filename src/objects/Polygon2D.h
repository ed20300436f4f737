#pragma once
// A collision outline of up to 25 points held by value in objects (brick types, balls, menu
// screens). Besides its points it keeps what the collision tests read on every step: one edge
// (unit normal and length) per pair of consecutive points, the integer bounding box, the centroid
// and two shape flags, all recomputed on every change of the points. A closed outline repeats its
// first point at the end.
//
// Stored in files as the "POLY2D" record: "POLY2D" and a NUL, the version byte 7, a u32 point
// count, then the points as f32 x, f32 y; all little-endian.
//
// The collision queries take each polygon at a position (its points are relative to it). The swept
// test relies on outlines wound clockwise on screen (y down), like the brick quad: an edge's normal
// (d.y, -d.x) then points out of the polygon, and only edges whose normal faces the motion stop it.
//
// The point and edge arrays are owned heap blocks and the object holds nothing that points into
// itself, so arrays of polygons may move their items bytewise.
#include "objects/Point.h"

#include <cstdint>

class CCollisionSweep;
class CVirtualFile;
struct CSweepResult;

struct CPolygonEdge
{
    float m_normalX = 0;
    float m_normalY = 0;
    float m_length = 0;
};

// An integer rectangle in pixels; right and bottom lie one past the covered pixels.
struct CPolygonBounds
{
    int32_t m_left = 0;
    int32_t m_top = 0;
    int32_t m_right = 0;
    int32_t m_bottom = 0;
    bool operator==(const CPolygonBounds&) const = default;
};

class CPolygon2D
{
public:
    static constexpr uint32_t kMaxPoints = 25;
    static constexpr uint8_t kRecordVersion = 7;
    static constexpr uint32_t kRecordHeaderSize = 12;
    // Shape flags.
    static constexpr uint32_t kConcave = 0x1;
    static constexpr uint32_t kTurnsOnce = 0x2; // the edge normals turn once round, positively

    CPolygon2D() = default;
    ~CPolygon2D();
    CPolygon2D(const CPolygon2D& other);
    CPolygon2D& operator=(const CPolygon2D& other);

    // Frees the points and edges; every field becomes zero.
    void Clear();
    // Inserts (x, y) after point `after` (clamped to the last point, so -1 appends). Nothing
    // happens when the polygon holds kMaxPoints or the point equals the one at `after`.
    void InsertPoint(float x, float y, uint32_t after);
    // Repeats the first point after the last.
    void Close();

    // The "POLY2D" record. Reading drops the points held first; a wrong magic or version, or a
    // record that ends early, answers false and leaves the polygon without points.
    bool ReadBinary(CVirtualFile& stream);
    // False when the stream did not take every byte.
    bool WriteBinary(CVirtualFile& stream) const;

    uint32_t GetPointCount() const { return m_count; }
    const CFloatPoint* GetPoints() const { return m_points; }
    const CFloatPoint& GetPoint(uint32_t i) const { return m_points[i]; }
    // count - 1 edges (none for fewer than two points).
    const CPolygonEdge* GetEdges() const { return m_edges; }
    int32_t GetLeft() const { return m_left; }
    int32_t GetTop() const { return m_top; }
    int32_t GetRight() const { return m_right; }
    int32_t GetBottom() const { return m_bottom; }
    uint32_t GetShapeFlags() const { return m_shapeFlags; }
    const CFloatPoint& GetCentroid() const { return m_centroid; }
    CPolygonBounds GetBounds() const { return {m_left, m_top, m_right, m_bottom}; }
    // Whether the outline repeats its first point at the end.
    bool IsClosed() const;

    // Whether (x, y), relative to the polygon, lies inside it (by winding). Only the outline's own
    // edges count: an outline that is not closed has no closing side. False outside the bounds.
    bool ContainsPoint(float x, float y) const;
    // Whether the circle lies inside or touches an edge; false outside the bounds grown by radius.
    bool CircleTouches(float x, float y, float radius) const;
    // Of the edges the circle touches, the one nearest its centre (the first of equals), storing
    // its distance when asked; -1 (distance untouched) when it touches none.
    int32_t FindNearestEdgeHit(const CFloatPoint& centre, float radius, float* distance) const;
    // The bounds at position (rounded to nearest, ties to even) stretched along the sweep's motion:
    // by ceil(|component| * length + 1) ahead and 1 behind on each axis.
    CPolygonBounds GetSweptBounds(const CFloatPoint& position, const CCollisionSweep& sweep) const;
    // This polygon at position moving by the sweep's motion, against other at otherPosition. True
    // when a contact earlier than the one result holds was found: result then has its time
    // fraction (at most 0 for a polygon already touching and moving into the other, with a zero
    // offset), the offset travelled, the unit normal pointing back toward this polygon and the
    // contact position. False when nothing earlier was met, and always when this polygon has no
    // points or the other fewer than 2.
    bool SweepAgainst(CSweepResult& result, const CPolygon2D& other, const CFloatPoint& position,
                      const CFloatPoint& otherPosition, const CCollisionSweep& sweep) const;
    // Whether the two polygons, standing still, overlap: a vertex inside the other, a vertex of the
    // other within 0.5 of this one, or edges that meet. False when either has no points.
    bool PolygonsOverlap(const CFloatPoint& position, const CPolygon2D& other, const CFloatPoint& otherPosition) const;
    // Whether the segment start->end crosses an edge of this polygon at position; fraction gets the
    // crossing nearest start, as a fraction of the segment. False (fraction untouched) when none.
    bool FindSegmentCrossing(const CFloatPoint& position, const CFloatPoint& start, const CFloatPoint& end,
                             float* fraction) const;

private:
    // Takes a new point array of count points (owned) and recomputes the shape.
    void SetPoints(CFloatPoint* points, uint32_t count);
    void RecomputeShape();
    void ComputeBounds();
    void ComputeCentroid();
    void ComputeEdges();
    void ComputeTurning();
    // This polygon's bounds placed at both ends of a motion relative to the other's position, grown
    // by 1, meet the other's bounds with a positive width and height.
    bool SweptBoundsOverlap(const CFloatPoint& position, const CFloatPoint& motion, const CPolygon2D& other,
                            const CFloatPoint& otherPosition) const;

    CFloatPoint* m_points = nullptr;
    CPolygonEdge* m_edges = nullptr;
    uint32_t m_count = 0;
    int32_t m_left = 0;
    int32_t m_top = 0;
    int32_t m_right = 0;
    int32_t m_bottom = 0;
    uint32_t m_shapeFlags = 0;
    CFloatPoint m_centroid;
};
