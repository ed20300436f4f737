// Reads a "POLY2D" record from arbitrary bytes. A record that reads must write back as the bytes
// it was read from; a refused one must leave no points. Whatever was read then goes through every
// collision query, swept against a brick quad both ways, so that hostile coordinates (NaN,
// infinities, far out of the int range) are shown to end every test cleanly. Each query is
// linear in the record's points, so even the largest records run quickly.
//
// The seed corpus is made by the target: run the corpus runner with VANTOREL_WRITE_SEEDS naming the
// folder (fuzz/corpus/fuzz_poly2d) and it writes the seeds there before its first input.
#include "foundation/FileBuf.h"
#include "foundation/VirtualFile.h"
#include "objects/CollisionSweep.h"
#include "objects/Polygon2D.h"
#include "objects/SweepResult.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits>
#include <string>

namespace {

void Open(CVirtualFile& file, const void* data, size_t size)
{
    auto* memory = new CFileBuf();
    if (size)
        memory->Write(data, static_cast<uint32_t>(size));
    memory->Seek(0);
    file.AttachStream(memory, VF_READ | VF_WRITE);
}

std::string Bytes(const CPolygon2D& polygon)
{
    CVirtualFile file;
    Open(file, nullptr, 0);
    if (!polygon.WriteBinary(file))
        std::abort();
    auto* memory = static_cast<CFileBuf*>(file.GetStream());
    return std::string(reinterpret_cast<const char*>(memory->GetData()), memory->GetSize());
}

CPolygon2D Outline(std::initializer_list<CFloatPoint> points, bool close)
{
    CPolygon2D polygon;
    for (const CFloatPoint& p : points)
        polygon.InsertPoint(p.m_x, p.m_y, UINT32_MAX);
    if (close)
        polygon.Close();
    return polygon;
}

void WriteSeed(const std::string& folder, const char* name, const std::string& bytes)
{
    std::ofstream out(folder + "/" + name, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void WriteSeeds(const std::string& folder)
{
    const CPolygon2D quad = Outline({{-16, -9}, {15.5f, -9}, {15.5f, 8.5f}, {-16, 8.5f}}, true);
    WriteSeed(folder, "quad.bin", Bytes(quad));
    CPolygon2D ball;
    for (int k = 0; k < 12; ++k)
        ball.InsertPoint(9.0f * std::cos(k * 0.5235988f), 9.0f * std::sin(k * 0.5235988f), UINT32_MAX);
    WriteSeed(folder, "ball.bin", Bytes(ball));
    WriteSeed(folder, "point.bin", Bytes(Outline({{2.5f, -3.5f}}, false)));
    WriteSeed(folder, "empty.bin", Bytes(CPolygon2D()));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    WriteSeed(folder, "hostile.bin", Bytes(Outline({{nan, 1}, {inf, -inf}, {3e9f, -3e9f}, {1e-40f, 0}}, true)));
    std::string version6 = Bytes(quad);
    version6[7] = 6;
    WriteSeed(folder, "version6.bin", version6);
    const std::string full = Bytes(quad);
    WriteSeed(folder, "cut.bin", full.substr(0, full.size() - 3));
    WriteSeed(folder, "huge-count.bin", std::string("POLY2D\0\x07\xFF\xFF\xFF\x7F", 12) + full.substr(12));
}

void Query(const CPolygon2D& polygon)
{
    static const CPolygon2D quad = Outline({{-16, -9}, {15.5f, -9}, {15.5f, 8.5f}, {-16, 8.5f}}, true);
    const CFloatPoint at = polygon.GetPointCount() ? polygon.GetPoint(0) : CFloatPoint{};
    const CFloatPoint places[] = {{0, 0}, {-at.m_x, -at.m_y}, {at.m_y, at.m_x}};
    const CFloatPoint motions[] = {{0, 12}, {-7.5f, -3}, {at.m_x, at.m_y}};
    volatile bool sink = polygon.ContainsPoint(at.m_x, at.m_y) || polygon.CircleTouches(0, 0, 5.0f);
    float distance = 0.0f;
    sink = polygon.FindNearestEdgeHit(CFloatPoint{1, 2}, 3.0f, &distance) >= 0;
    for (const CFloatPoint& place : places)
        for (const CFloatPoint& motion : motions) {
            const CCollisionSweep sweep(place, CFloatPoint{place.m_x + motion.m_x, place.m_y + motion.m_y}, 0, 1);
            (void)polygon.GetSweptBounds(place, sweep);
            CSweepResult result;
            sink = polygon.SweepAgainst(result, quad, place, CFloatPoint{}, sweep);
            sink = quad.SweepAgainst(result, polygon, CFloatPoint{}, place, sweep);
            sink = polygon.PolygonsOverlap(place, quad, CFloatPoint{}) || quad.PolygonsOverlap(place, polygon, motion);
            sink = polygon.FindSegmentCrossing(place, CFloatPoint{-100, 0}, motion, &distance);
        }
    (void)sink;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool s_seedsWritten = false;
    if (!s_seedsWritten) {
        s_seedsWritten = true;
        if (const char* folder = std::getenv("VANTOREL_WRITE_SEEDS"))
            WriteSeeds(folder);
    }
    if (size > (1u << 24))
        return 0;

    CVirtualFile file;
    Open(file, data, size);
    CPolygon2D polygon = Outline({{1, 1}, {2, 1}}, false);
    if (polygon.ReadBinary(file)) {
        const size_t used = CPolygon2D::kRecordHeaderSize + 8 * size_t{polygon.GetPointCount()};
        if (used > size || Bytes(polygon) != std::string(reinterpret_cast<const char*>(data), used))
            std::abort();
    } else if (polygon.GetPointCount() != 0 || polygon.GetEdges() != nullptr) {
        std::abort();
    }
    Query(polygon);
    return 0;
}
