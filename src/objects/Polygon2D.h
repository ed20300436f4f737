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
// The point and edge arrays are owned heap blocks and the object holds nothing that points into
// itself, so arrays of polygons may move their items bytewise.
#include "objects/Point.h"

#include <cstdint>

class CVirtualFile;

struct CPolygonEdge
{
    float m_normalX = 0;
    float m_normalY = 0;
    float m_length = 0;
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

private:
    // Takes a new point array of count points (owned) and recomputes the shape.
    void SetPoints(CFloatPoint* points, uint32_t count);
    void RecomputeShape();
    void ComputeBounds();
    void ComputeCentroid();
    void ComputeEdges();
    void ComputeTurning();

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
