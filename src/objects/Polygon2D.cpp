#include "objects/Polygon2D.h"

#include "foundation/ByteOrder.h"
#include "foundation/MathTables.h"
#include "foundation/VirtualFile.h"
#include "objects/Vector2D.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

constexpr char kMagic[7] = {'P', 'O', 'L', 'Y', '2', 'D', '\0'};
constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;

} // namespace

CPolygon2D::~CPolygon2D()
{
    Clear();
}

CPolygon2D::CPolygon2D(const CPolygon2D& other)
{
    *this = other;
}

CPolygon2D& CPolygon2D::operator=(const CPolygon2D& other)
{
    if (this == &other)
        return *this;
    CFloatPoint* points = nullptr;
    if (other.m_count) {
        points = new CFloatPoint[other.m_count];
        std::copy(other.m_points, other.m_points + other.m_count, points);
    }
    SetPoints(points, other.m_count);
    return *this;
}

void CPolygon2D::Clear()
{
    delete[] m_points;
    delete[] m_edges;
    m_points = nullptr;
    m_edges = nullptr;
    m_count = 0;
    m_left = m_top = m_right = m_bottom = 0;
    m_shapeFlags = 0;
    m_centroid = CFloatPoint();
}

void CPolygon2D::SetPoints(CFloatPoint* points, uint32_t count)
{
    Clear();
    m_points = points;
    m_count = points ? count : 0;
    RecomputeShape();
}

void CPolygon2D::InsertPoint(float x, float y, uint32_t after)
{
    if (m_count >= kMaxPoints)
        return;
    if (m_count > 0) {
        after = std::min(after, m_count - 1);
        if (m_points[after].m_x == x && m_points[after].m_y == y)
            return;
    } else {
        after = UINT32_MAX; // the new point becomes point 0
    }
    const uint32_t at = after + 1;
    CFloatPoint* points = new CFloatPoint[m_count + 1];
    std::copy(m_points, m_points + at, points);
    points[at] = CFloatPoint{x, y};
    std::copy(m_points + at, m_points + m_count, points + at + 1);
    SetPoints(points, m_count + 1);
}

void CPolygon2D::Close()
{
    if (m_count > 0)
        InsertPoint(m_points[0].m_x, m_points[0].m_y, m_count - 1);
}

void CPolygon2D::RecomputeShape()
{
    delete[] m_edges;
    m_edges = m_count > 1 ? new CPolygonEdge[m_count - 1] : nullptr;
    ComputeBounds();
    ComputeCentroid();
    ComputeEdges();
    ComputeTurning();
}

void CPolygon2D::ComputeBounds()
{
    if (m_count == 0) {
        m_left = m_top = m_right = m_bottom = 0;
        return;
    }
    float minX = 9999999.0f, minY = 9999999.0f;
    float maxX = -9999999.0f, maxY = -9999999.0f;
    for (uint32_t i = 0; i < m_count; ++i) {
        minX = std::min(minX, std::floor(m_points[i].m_x));
        minY = std::min(minY, std::floor(m_points[i].m_y));
        maxX = std::max(maxX, std::ceil(m_points[i].m_x));
        maxY = std::max(maxY, std::ceil(m_points[i].m_y));
    }
    m_left = FloorToInt(minX);
    m_top = FloorToInt(minY);
    m_right = CeilToInt(maxX);
    m_bottom = CeilToInt(maxY);
    // A polygon of one point or one line is still one pixel wide and high.
    if (m_left == m_right)
        ++m_right;
    if (m_top == m_bottom)
        ++m_bottom;
}

void CPolygon2D::ComputeCentroid()
{
    m_centroid = CFloatPoint();
    // The closing point of an outline is not counted twice.
    const uint32_t k = m_count > 1 ? m_count - 1 : m_count;
    if (k == 0)
        return;
    float sumX = 0.0f, sumY = 0.0f;
    for (uint32_t i = 0; i < k; ++i) {
        sumX += m_points[i].m_x;
        sumY += m_points[i].m_y;
    }
    m_centroid.m_x = sumX / static_cast<float>(k);
    m_centroid.m_y = sumY / static_cast<float>(k);
    if (m_centroid.m_x > -0.05f && m_centroid.m_x < 0.05f)
        m_centroid.m_x = 0.0f;
}

void CPolygon2D::ComputeEdges()
{
    for (uint32_t i = 0; i + 1 < m_count; ++i) {
        const float dx = m_points[i + 1].m_x - m_points[i].m_x;
        const float dy = m_points[i + 1].m_y - m_points[i].m_y;
        const float length = std::sqrt(dx * dx + dy * dy);
        CPolygonEdge& edge = m_edges[i];
        edge.m_length = length;
        if (length == 0.0f) {
            edge.m_normalX = 0.0f;
            edge.m_normalY = 1.0f;
        } else {
            edge.m_normalX = dy / length;
            edge.m_normalY = -dx / length;
        }
    }
}

void CPolygon2D::ComputeTurning()
{
    m_shapeFlags = 0;
    const uint32_t edges = m_count > 1 ? m_count - 1 : 0;
    if (edges == 0)
        return;
    float sum = 0.0f;
    uint32_t notPositive = 0, positive = 0;
    float previous = CVector2D::NormalizeAngle(std::atan2(m_edges[edges - 1].m_normalY, m_edges[edges - 1].m_normalX));
    for (uint32_t i = 0; i < edges; ++i) {
        const float angle = CVector2D::NormalizeAngle(std::atan2(m_edges[i].m_normalY, m_edges[i].m_normalX));
        const float turn = CVector2D::AngleDifference(previous, angle);
        sum += turn;
        if (turn <= 0.0f)
            ++notPositive;
        else
            ++positive;
        previous = angle;
    }
    if (std::fabs(sum - kTwoPi) < 2.0f)
        m_shapeFlags |= kTurnsOnce;
    if (notPositive && positive)
        m_shapeFlags |= kConcave;
}

bool CPolygon2D::ReadBinary(CVirtualFile& stream)
{
    Clear();
    uint8_t header[kRecordHeaderSize];
    if (stream.Read(header, kRecordHeaderSize) != kRecordHeaderSize)
        return false;
    if (std::memcmp(header, kMagic, sizeof kMagic) != 0 || header[7] != kRecordVersion)
        return false;
    const uint32_t count = LoadU32Le(header + 8);
    // The count is checked against the bytes left before anything is allocated.
    const int32_t position = stream.GetPosition();
    const uint32_t size = stream.GetSize();
    if (position < 0 || static_cast<uint32_t>(position) > size ||
        static_cast<uint64_t>(count) * 8 > size - static_cast<uint32_t>(position))
        return false;
    if (count == 0)
        return true;
    CFloatPoint* points = new CFloatPoint[count];
    for (uint32_t i = 0; i < count; ++i) {
        uint8_t bytes[8];
        if (stream.Read(bytes, 8) != 8) {
            delete[] points;
            return false;
        }
        points[i].m_x = std::bit_cast<float>(LoadU32Le(bytes));
        points[i].m_y = std::bit_cast<float>(LoadU32Le(bytes + 4));
    }
    SetPoints(points, count);
    return true;
}

bool CPolygon2D::WriteBinary(CVirtualFile& stream) const
{
    uint8_t header[kRecordHeaderSize];
    std::memcpy(header, kMagic, sizeof kMagic);
    header[7] = kRecordVersion;
    StoreU32Le(header + 8, m_count);
    if (stream.Write(header, kRecordHeaderSize) != kRecordHeaderSize)
        return false;
    for (uint32_t i = 0; i < m_count; ++i) {
        uint8_t bytes[8];
        StoreU32Le(bytes, std::bit_cast<uint32_t>(m_points[i].m_x));
        StoreU32Le(bytes + 4, std::bit_cast<uint32_t>(m_points[i].m_y));
        if (stream.Write(bytes, 8) != 8)
            return false;
    }
    return true;
}
