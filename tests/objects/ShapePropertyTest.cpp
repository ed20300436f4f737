// Point and polygon properties, the collision polygon's record and shape, and the unit converters.
#include "ContainerTestClasses.h"
#include "TestSupport.h"
#include "TextStreamHelpers.h"
#include "foundation/MathTables.h"
#include "objects/ArrayProperty.h"
#include "objects/FloatPointProperty.h"
#include "objects/IntPointProperty.h"
#include "objects/PolygonProperty.h"
#include "objects/UnitConverter.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

namespace {

using Points = std::vector<std::pair<float, float>>;

CPolygon2D MakeQuad()
{
    CPolygon2D quad;
    quad.InsertPoint(-1, -1, UINT32_MAX);
    quad.InsertPoint(1, -1, UINT32_MAX);
    quad.InsertPoint(1, 1, UINT32_MAX);
    return quad;
}

class CTestShapes : public CObject
{
    DECLARE_CLASS_RECORD(CTestShapes)
    CTestShapes() { InitOwnProperties(); }
    ~CTestShapes() override { DestroyOwnProperties(); }
    void SetSpot(const CIntPoint& point)
    {
        m_spot = CIntPoint{point.m_x + 1000, point.m_y + 1000};
        ++m_setterCalls;
    }
    CIntPoint m_spot;
    CFloatPoint m_drift;
    CPolygon2D m_outline;   // no default: points read are appended
    CPolygon2D m_hull;      // default: the quad
    uint32_t m_shapeCount;
    CPolygon2D* m_shapes;
    int m_setterCalls = 0;
};

IMPLEMENT_CLASS_RECORD(CTestShapes, CObject, 1.0f)
void CTestShapes::AddProperties(CClassRecord* record)
{
    record->AddProperty(CIntPointProperty::ConstructFromValues("Spot", &CTestShapes::m_spot, 0, 3, 4,
                                                                &CTestShapes::SetSpot));
    record->AddProperty(new CFloatPointProperty("Drift", &CTestShapes::m_drift, 0, CFloatPoint{0.5f, -0.5f}));
    record->AddProperty(new CPolygonProperty("Outline", &CTestShapes::m_outline, 0));
    const CPolygon2D quad = MakeQuad();
    record->AddProperty(new CPolygonProperty("Hull", &CTestShapes::m_hull, 0, &quad));
    record->AddProperty(new CArrayProperty("Shapes", &CTestShapes::m_shapeCount, &CTestShapes::m_shapes, nullptr,
                                           false, new CPolygonProperty("Shape", 0, 0, nullptr), nullptr, 0));
}

const CPropertyDescriptor* Property(const char* label)
{
    return CTestShapes::GetStaticClassRecord()->FindProperty(label);
}

void Parse(CObject& object, const char* label, const char* value)
{
    CObjectTextStream stream;
    OpenTextForReading(stream, "");
    Property(label)->ParseValue(&object, value, stream);
}

Points PointsOf(const CPolygon2D& polygon)
{
    Points points;
    for (uint32_t i = 0; i < polygon.GetPointCount(); ++i)
        points.emplace_back(polygon.GetPoint(i).m_x, polygon.GetPoint(i).m_y);
    return points;
}

std::string PolygonBytes(const CPolygon2D& polygon)
{
    CObjectTextStream stream;
    stream.OpenMemory(new CFileBuf, VF_CREATE | VF_WRITE | VF_READ);
    EXPECT_TRUE(polygon.WriteBinary(stream));
    return WrittenText(stream);
}

bool ReadPolygon(CPolygon2D& polygon, const std::string& bytes)
{
    CObjectTextStream stream;
    OpenTextForReading(stream, bytes);
    return polygon.ReadBinary(stream);
}

} // namespace

TEST(PointProperties, TextReadsAsAScanOfTwoNumbers)
{
    struct Case
    {
        const char* text;
        CIntPoint spot;
    };
    // Missing coordinates are 0; the comma must follow the first number at once; big numbers clamp.
    const Case cases[] = {
        {"10,20", {10, 20}},   {"-7, 8", {-7, 8}},     {"7", {7, 0}},   {"", {0, 0}},
        {"3 ,4", {3, 0}},      {"x,4", {0, 0}},        {"5,y", {5, 0}}, {"99999999999,-99999999999", {INT_MAX, INT_MIN}},
    };
    for (const Case& c : cases) {
        CTestShapes object;
        object.m_spot = CIntPoint{55, 66};
        Parse(object, "Spot", c.text);
        EXPECT_EQ(object.m_spot, c.spot) << c.text;
        EXPECT_EQ(object.m_setterCalls, 0) << "reading stores directly";
    }
    CTestShapes object;
    Parse(object, "Drift", " 1.5,-2.25e1");
    EXPECT_EQ(object.m_drift, (CFloatPoint{1.5f, -22.5f}));
}

TEST(PointProperties, FormsDefaultsAndCopies)
{
    CTestShapes object;
    object.SetPropertiesToDefaults();
    EXPECT_EQ(object.m_spot, (CIntPoint{3, 4}));
    EXPECT_EQ(object.m_drift, (CFloatPoint{0.5f, -0.5f}));
    EXPECT_EQ(object.m_setterCalls, 0);

    object.m_spot = CIntPoint{-12, 34};
    object.m_drift = CFloatPoint{1.25f, -3.0f};
    const std::string text = TextOf(object);
    EXPECT_NE(text.find("Spot=-12,34\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Drift=1.250000,-3.000000\r\n"), std::string::npos) << text;

    // Binary: x then y, little-endian, as stored.
    CTestShapes copy;
    ASSERT_TRUE(ReadBinaryBytes(copy, BinaryOf(object)));
    EXPECT_EQ(copy.m_spot, object.m_spot);
    EXPECT_EQ(copy.m_drift, object.m_drift);
    const std::string bytes = BinaryOf(object);
    const char spot[8] = {'\xF4', '\xFF', '\xFF', '\xFF', 34, 0, 0, 0};
    EXPECT_NE(bytes.find(std::string(spot, 8)), std::string::npos);

    // Copying goes through the setter.
    CTestShapes other;
    other.CopyPropertiesFrom(&object);
    EXPECT_EQ(other.m_spot, (CIntPoint{988, 1034}));
    EXPECT_EQ(other.m_setterCalls, 1);
}

TEST(PolygonProperty, TextPairsAppendOrReplace)
{
    struct Case
    {
        const char* text;
        Points points;
    };
    const Case cases[] = {
        {"1, 2, 3, 4, 5, 6", {{1, 2}, {3, 4}, {5, 6}}},
        {"1, 2, 3", {{1, 2}}},
        {"1,2,3,4", {{1, 2}, {3, 4}}},
        {"-1.5, 2.25, 3, 4, 5", {{-1.5f, 2.25f}, {3, 4}}},
        {"1 , 2, 3, 4", {}},                 // the comma must follow the number
        {"", {}},
        {"1, 2, 1, 2, 3, 4", {{1, 2}, {3, 4}}}, // a point equal to the last is not added
        {"1e1, 2", {}},                      // a lone point from a text with an exponent is none
        {"1e1, 2, 3, 4", {{10, 2}, {3, 4}}},
    };
    for (const Case& c : cases) {
        CTestShapes object;
        Parse(object, "Hull", c.text);
        EXPECT_EQ(PointsOf(object.m_hull), c.points) << c.text;
    }

    // Without a default polygon the points are appended: read twice, held twice (up to 25).
    CTestShapes object;
    Parse(object, "Outline", "1, 2, 3, 4, 5, 6");
    Parse(object, "Outline", "1, 2, 3, 4, 5, 6");
    EXPECT_EQ(PointsOf(object.m_outline), (Points{{1, 2}, {3, 4}, {5, 6}, {1, 2}, {3, 4}, {5, 6}}));
    std::string twenty;
    for (int i = 0; i < 20; ++i)
        twenty += (i ? ", " : "") + std::to_string(i) + ", 0";
    Parse(object, "Outline", twenty.c_str());
    Parse(object, "Outline", twenty.c_str());
    EXPECT_EQ(object.m_outline.GetPointCount(), CPolygon2D::kMaxPoints);
    // With a default the polygon is replaced.
    Parse(object, "Hull", "1, 2, 3, 4, 5, 6");
    Parse(object, "Hull", "1, 2, 3, 4, 5, 6");
    EXPECT_EQ(object.m_hull.GetPointCount(), 3u);
}

TEST(PolygonProperty, WritesPairsReadsThemBackAndDefaults)
{
    CTestShapes object;
    object.SetPropertiesToDefaults();
    EXPECT_EQ(PointsOf(object.m_hull), (Points{{-1, -1}, {1, -1}, {1, 1}}));
    EXPECT_EQ(object.m_outline.GetPointCount(), 0u);
    object.m_outline.InsertPoint(1.5f, -2, UINT32_MAX);
    object.m_outline.InsertPoint(1e-7f, 300000, UINT32_MAX);
    const std::string text = TextOf(object);
    EXPECT_NE(text.find("Outline=1.5, -2, 1e-07, 300000\r\n"), std::string::npos) << text;

    CTestShapes empty;
    empty.SetPropertiesToDefaults();
    empty.m_hull.Clear();
    EXPECT_NE(TextOf(empty).find("Hull=\r\n"), std::string::npos);

    CTestShapes read;
    ASSERT_TRUE(ReadText(read, text.substr(text.find("\r\n") + 2)));
    EXPECT_EQ(PointsOf(read.m_outline), PointsOf(object.m_outline));

    CTestShapes copy;
    copy.CopyPropertiesFrom(&object);
    EXPECT_EQ(PointsOf(copy.m_outline), PointsOf(object.m_outline));
    EXPECT_NE(copy.m_outline.GetPoints(), object.m_outline.GetPoints());

    // Binary objects carry the record; arrays of polygons own their points.
    static_cast<const CArrayProperty*>(Property("Shapes"))->Resize(&object, 3);
    object.m_shapes[2] = MakeQuad();
    CTestShapes binary;
    ASSERT_TRUE(ReadBinaryBytes(binary, BinaryOf(object)));
    EXPECT_EQ(PointsOf(binary.m_outline), PointsOf(object.m_outline));
    ASSERT_EQ(binary.m_shapeCount, 3u);
    EXPECT_EQ(PointsOf(binary.m_shapes[2]), PointsOf(object.m_shapes[2]));
    static_cast<const CArrayProperty*>(Property("Shapes"))->Resize(&binary, 1, 0);
    EXPECT_EQ(PointsOf(binary.m_shapes[0]), PointsOf(object.m_shapes[2]));
}

TEST(Polygon2DRecord, RoundTripsAndReadsBytesWrittenByPython)
{
    CPolygon2D polygon;
    polygon.InsertPoint(-16, -9, UINT32_MAX);
    polygon.InsertPoint(15.5f, -9, UINT32_MAX);
    polygon.InsertPoint(15.5f, 8.5f, UINT32_MAX);
    const std::string bytes = PolygonBytes(polygon);
    ASSERT_EQ(bytes.size(), 12u + 3 * 8);
    EXPECT_EQ(bytes.substr(0, 8), std::string("POLY2D\0\x07", 8));
    CPolygon2D read;
    read.InsertPoint(99, 99, 0);
    ASSERT_TRUE(ReadPolygon(read, bytes));
    EXPECT_EQ(PointsOf(read), PointsOf(polygon));
    EXPECT_EQ(PolygonBytes(read), bytes);

    testsupport::TempDir dir;
    const std::string script =
        "import struct,sys\n"
        "pts=[(-16.0,-9.0),(15.5,-9.0),(15.5,8.5),(-16.0,8.5),(-16.0,-9.0)]\n"
        "data=b'POLY2D\\0'+bytes([7])+struct.pack('<I',len(pts))+b''.join(struct.pack('<ff',x,y) for x,y in pts)\n"
        "open(sys.argv[1],'wb').write(data)\n";
    testsupport::WriteFileBytes(dir.Path() / "make.py", script);
    ASSERT_EQ(testsupport::RunCommand("python3 '" + (dir / "make.py") + "' '" + (dir / "quad.bin") + "'"), 0);
    CPolygon2D quad;
    ASSERT_TRUE(ReadPolygon(quad, testsupport::ReadFileBytes(dir.Path() / "quad.bin")));
    EXPECT_EQ(PointsOf(quad), (Points{{-16, -9}, {15.5f, -9}, {15.5f, 8.5f}, {-16, 8.5f}, {-16, -9}}));
    // The default brick quad, closed: its box and centroid.
    EXPECT_EQ((std::vector<int32_t>{quad.GetLeft(), quad.GetTop(), quad.GetRight(), quad.GetBottom()}),
              (std::vector<int32_t>{-16, -9, 16, 9}));
    EXPECT_FLOAT_EQ(quad.GetCentroid().m_x, -0.25f);
    EXPECT_FLOAT_EQ(quad.GetCentroid().m_y, -0.25f);
}

TEST(Polygon2DRecord, DamagedRecordsLeaveNoPoints)
{
    CPolygon2D polygon = MakeQuad();
    const std::string good = PolygonBytes(polygon);
    auto withByte = [&](size_t at, char value) {
        std::string bytes = good;
        bytes[at] = value;
        return bytes;
    };
    const std::string damaged[] = {
        withByte(7, 6),                                  // version 6
        withByte(0, 'p'),                                // magic
        withByte(6, ' '),                                // magic's zero byte
        good.substr(0, 11),                              // header cut short
        good.substr(0, good.size() - 1),                 // last point cut short
        withByte(11, '\x7F'),                            // a count far past the end
        std::string("POLY2D\0\x07\xFF\xFF\xFF\xFF", 12), // the largest count, no points
    };
    for (const std::string& bytes : damaged) {
        CPolygon2D read = MakeQuad();
        EXPECT_FALSE(ReadPolygon(read, bytes));
        EXPECT_EQ(read.GetPointCount(), 0u);
        EXPECT_EQ(read.GetEdges(), nullptr);
    }
    CPolygon2D none;
    ASSERT_TRUE(ReadPolygon(none, std::string("POLY2D\0\x07\0\0\0\0", 12)));
    EXPECT_EQ(none.GetPointCount(), 0u);
}

TEST(Polygon2DShape, InsertionLimitsBoundsEdgesAndTurning)
{
    CPolygon2D polygon;
    polygon.InsertPoint(2.5f, -3.5f, 7);
    ASSERT_EQ(polygon.GetPointCount(), 1u);
    // One point is still one pixel wide and high.
    EXPECT_EQ((std::vector<int32_t>{polygon.GetLeft(), polygon.GetTop(), polygon.GetRight(), polygon.GetBottom()}),
              (std::vector<int32_t>{2, -4, 3, -3}));
    polygon.InsertPoint(2.5f, -3.5f, 0);
    EXPECT_EQ(polygon.GetPointCount(), 1u);
    // "after" places the point; past the end means at the end.
    polygon.InsertPoint(10, 0, 0);
    polygon.InsertPoint(5, 5, 0);
    EXPECT_EQ(PointsOf(polygon), (Points{{2.5f, -3.5f}, {5, 5}, {10, 0}}));
    for (int i = 0; i < 30; ++i)
        polygon.InsertPoint(static_cast<float>(100 + i), 0, UINT32_MAX);
    EXPECT_EQ(polygon.GetPointCount(), 25u);

    // Edges: unit normals (d.y, -d.x) / |d| and lengths.
    CPolygon2D line;
    line.InsertPoint(0, 0, 0);
    line.InsertPoint(3, 4, 0);
    line.InsertPoint(3, 4, 1);
    ASSERT_EQ(line.GetPointCount(), 2u);
    EXPECT_FLOAT_EQ(line.GetEdges()[0].m_length, 5.0f);
    EXPECT_FLOAT_EQ(line.GetEdges()[0].m_normalX, 0.8f);
    EXPECT_FLOAT_EQ(line.GetEdges()[0].m_normalY, -0.6f);

    // A closed square turns once; the same square the other way round turns back; an L is concave.
    auto closed = [](const Points& points) {
        CPolygon2D shape;
        for (auto [x, y] : points)
            shape.InsertPoint(x, y, UINT32_MAX);
        shape.Close();
        return shape.GetShapeFlags();
    };
    const uint32_t square = closed({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    const uint32_t reversed = closed({{0, 0}, {0, 10}, {10, 10}, {10, 0}});
    EXPECT_NE(square & CPolygon2D::kTurnsOnce, reversed & CPolygon2D::kTurnsOnce);
    EXPECT_EQ((square | reversed) & CPolygon2D::kConcave, 0u);
    const uint32_t ell = closed({{0, 0}, {10, 0}, {10, 5}, {5, 5}, {5, 10}, {0, 10}});
    EXPECT_NE(ell & CPolygon2D::kConcave, 0u);
}

TEST(UnitConverters, ShowAndStoreThroughEachInstance)
{
    InitMathTables(); // the square root's table, as the program's start-up fills it
    EXPECT_FLOAT_EQ(g_degreesConverter.FromDisplay(90.0f), 1.5707964f);
    EXPECT_FLOAT_EQ(g_degreesConverter.ToDisplay(1.5707964f), 90.0f);
    EXPECT_FLOAT_EQ(g_scale100Converter.ToDisplay(0.25f), 25.0f);
    EXPECT_FLOAT_EQ(g_scale1000Converter.FromDisplay(1500.0f), 1.5f);
    EXPECT_FLOAT_EQ(g_reciprocalConverter.ToDisplay(4.0f), 0.25f);
    EXPECT_FLOAT_EQ(g_reciprocalConverter.FromDisplay(0.25f), 4.0f);
    EXPECT_FLOAT_EQ(g_squareConverter.ToDisplay(3.0f), 9.0f);
    EXPECT_NEAR(g_squareConverter.FromDisplay(9.0f), 3.0f, 1e-3f);
    EXPECT_EQ(g_squareConverter.FromDisplay(-4.0f), 0.0f);
    EXPECT_NEAR(g_squareRootConverter.ToDisplay(16.0f), 4.0f, 1e-3f);
    EXPECT_FLOAT_EQ(g_squareRootConverter.FromDisplay(4.0f), 16.0f);
    EXPECT_EQ(g_oneBasedConverter.ToDisplay(0), 1);
    EXPECT_EQ(g_oneBasedConverter.FromDisplay(1), 0);
    EXPECT_EQ(g_oneBasedConverter.ToDisplay(INT_MAX), INT_MAX);
    EXPECT_EQ(g_oneBasedConverter.FromDisplay(INT_MIN), INT_MIN);
}
