#include "foundation/CpuInfo.h"
#include "foundation/MathTables.h"
#include "foundation/NameValueList.h"
#include "foundation/PerformanceCounter.h"
#include "foundation/PointerArray.h"
#include "foundation/SmallBlockAllocator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <limits>
#include <random>
#include <thread>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTableStep = kPi / 2000.0;

class MathTablesTest : public testing::Test
{
protected:
    static void SetUpTestSuite() { InitMathTables(); }
};

TEST_F(MathTablesTest, SineAndCosineWithinOneTableStep)
{
    // The slope of sine and cosine is at most 1, so one step of angle is one step of value; the
    // wrap of large angles in single precision adds a little.
    const double tolerance = kTableStep * 1.05 + 2e-5;
    for (int i = -200000; i <= 200000; ++i) {
        const float angle = static_cast<float>(i * (10.0 * kPi / 200000.0));
        ASSERT_NEAR(FastSin(angle), std::sin(static_cast<double>(angle)), tolerance) << angle;
        ASSERT_NEAR(FastCos(angle), std::cos(static_cast<double>(angle)), tolerance) << angle;
        float s, c;
        FastSinCos(angle, &s, &c);
        ASSERT_EQ(s, FastSin(angle));
        ASSERT_EQ(c, FastCos(angle));
    }
    EXPECT_EQ(FastSin(0.0f), 0.0f);
    EXPECT_EQ(FastCos(0.0f), 1.0f);
    EXPECT_NEAR(FastSin(static_cast<float>(kPi / 2)), 1.0, tolerance);
    EXPECT_EQ(FastSin(static_cast<float>(-kPi / 2)), FastSin(static_cast<float>(3 * kPi / 2)));
    EXPECT_NEAR(FastSin(static_cast<float>(2 * kPi)), FastSin(0.0f), tolerance);
    EXPECT_NEAR(FastCos(static_cast<float>(-2 * kPi)), 1.0, tolerance);
}

TEST_F(MathTablesTest, NonFiniteAndHugeAnglesStayInTheTable)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(FastSin(nan), 0.0f);
    EXPECT_EQ(FastCos(nan), 1.0f);
    EXPECT_EQ(FastSin(inf), 0.0f);
    EXPECT_EQ(FastCos(-inf), 1.0f);
    for (float huge : {1e30f, -1e30f, 3.4e38f, -3.4e38f, 1e7f, -1e7f}) {
        const float s = FastSin(huge);
        const float c = FastCos(huge);
        EXPECT_TRUE(s >= -1.0f && s <= 1.0f) << huge;
        EXPECT_TRUE(c >= -1.0f && c <= 1.0f) << huge;
    }
}

TEST_F(MathTablesTest, ArcTangent)
{
    EXPECT_FLOAT_EQ(FastAtan2(0.0f, -1.0f), static_cast<float>(kPi));
    EXPECT_FLOAT_EQ(FastAtan2(0.0f, 1.0f), 0.0f);
    EXPECT_FLOAT_EQ(FastAtan2(1.0f, 0.0f), static_cast<float>(kPi / 2));
    EXPECT_FLOAT_EQ(FastAtan2(-1.0f, 0.0f), static_cast<float>(-kPi / 2));
    EXPECT_FLOAT_EQ(FastAtan2(1.0f, 1.0f), static_cast<float>(kPi / 4));
    EXPECT_FLOAT_EQ(FastAtan2(-1.0f, -1.0f), static_cast<float>(-3 * kPi / 4));
    EXPECT_EQ(FastAtan2(std::numeric_limits<float>::quiet_NaN(), 1.0f), 0.0f);
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_TRUE(std::isfinite(FastAtan2(inf, inf)));

    // Every octant against the library, within the table's ratio step.
    std::mt19937 random(5);
    std::uniform_real_distribution<float> coordinate(-100.0f, 100.0f);
    for (int i = 0; i < 100000; ++i) {
        const float x = coordinate(random);
        const float y = coordinate(random);
        const double expected = std::atan2(static_cast<double>(y), static_cast<double>(x));
        const float actual = FastAtan2(y, x);
        ASSERT_GT(actual, -kPi - 1e-6);
        ASSERT_LE(actual, kPi + 1e-6);
        double difference = std::fabs(actual - expected);
        if (difference > kPi)
            difference = 2 * kPi - difference; // near the cut at pi
        ASSERT_LT(difference, 0.0006) << x << ", " << y;
    }
}

TEST_F(MathTablesTest, SquareRoot)
{
    EXPECT_EQ(FastSqrt(4.0f), 2.0f);
    EXPECT_EQ(FastSqrt(2.0f), 1.4140625f); // 7 bits of mantissa
    EXPECT_EQ(FastSqrt(0.25f), 0.5f);
    EXPECT_EQ(FastSqrt(0.0f), 0.0f);
    EXPECT_EQ(FastSqrt(-0.0f), 0.0f);
    EXPECT_EQ(FastSqrt(-4.0f), 0.0f);
    EXPECT_EQ(FastSqrt(std::numeric_limits<float>::quiet_NaN()), 0.0f);
    std::mt19937 random(11);
    std::uniform_real_distribution<float> exponent(-30.0f, 30.0f);
    for (int i = 0; i < 100000; ++i) {
        const float x = std::pow(2.0f, exponent(random));
        const float root = FastSqrt(x);
        const double expected = std::sqrt(static_cast<double>(x));
        ASSERT_LE(root, expected * 1.0000001) << x; // truncated, never above
        ASSERT_GT(root, expected * (1.0 - 1.0 / 64.0)) << x; // 7 bits of input and 7 of output
    }
}

TEST(NumericHelpers, FloorAndCeiling)
{
    struct Case
    {
        float x;
        int floor;
        int ceil;
    };
    for (const Case& c : {Case{1.5f, 1, 2}, Case{-1.5f, -2, -1}, Case{2.0f, 2, 2}, Case{-2.0f, -2, -2}, Case{2.5f, 2, 3},
                          Case{-0.5f, -1, 0}, Case{0.49999997f, 0, 1}, Case{-0.0f, 0, 0}, Case{1e-30f, 0, 1},
                          Case{-1e-30f, -1, 0}, Case{16777215.0f, 16777215, 16777215}}) {
        EXPECT_EQ(FloorToInt(c.x), c.floor) << c.x;
        EXPECT_EQ(CeilToInt(c.x), c.ceil) << c.x;
        EXPECT_EQ(FloorFloat(c.x), static_cast<float>(c.floor)) << c.x;
        EXPECT_EQ(CeilFloat(c.x), static_cast<float>(c.ceil)) << c.x;
    }
    EXPECT_EQ(FloorToInt(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(FloorToInt(1e10f), INT_MAX);
    EXPECT_EQ(FloorToInt(-1e10f), INT_MIN);
    EXPECT_EQ(CeilToInt(-1e10f), INT_MIN);
    EXPECT_EQ(CeilToInt(std::numeric_limits<float>::infinity()), INT_MAX);
    EXPECT_EQ(FloorFloat(1e20f), 1e20f);
}

TEST(NumericHelpers, LineIntersection)
{
    float x = 0, y = 0, t = 0;
    EXPECT_EQ(IntersectLineSegments(0, 0, 2, 0, 1, -1, 1, 1, &x, &y, true, &t), 1);
    EXPECT_FLOAT_EQ(x, 1.0f);
    EXPECT_FLOAT_EQ(y, 0.0f);
    EXPECT_FLOAT_EQ(t, 0.5f);
    EXPECT_EQ(IntersectLineSegments(0, 0, 2, 0, 0, 1, 2, 1, &x, &y, false), 2); // parallel
    EXPECT_EQ(IntersectLineSegments(0, 0, 2, 0, 1, 0, 3, 0, &x, &y, true), 2);  // overlapping, collinear
    EXPECT_EQ(IntersectLineSegments(0, 0, 1, 0, 5, -1, 5, 1, &x, &y, true), 0); // apart
    EXPECT_EQ(IntersectLineSegments(0, 0, 1, 0, 5, -1, 5, 1, &x, &y, false, &t), 1); // the lines meet
    EXPECT_FLOAT_EQ(x, 5.0f);
    EXPECT_FLOAT_EQ(t, 5.0f);
    // Bounding boxes overlap and the second segment straddles the first line, but the first segment
    // lies wholly on one side of the second line.
    EXPECT_EQ(IntersectLineSegments(0, 0, 1, 0, 2, -1, 0.5f, 1, &x, &y, true), 0);
    EXPECT_EQ(IntersectLineSegments(0, 0, 2, 2, 2, 2, 4, 0, &x, &y, true), 1); // touching at an end
    EXPECT_FLOAT_EQ(x, 2.0f);
    EXPECT_EQ(IntersectLineSegments(0, 0, 2, 0, 1, 0, 1, 5, nullptr, nullptr, true), 1);

    // Random segments against a plain double-precision solution, away from the borderline cases.
    std::mt19937 random(3);
    std::uniform_real_distribution<float> coordinate(-10.0f, 10.0f);
    int hits = 0;
    for (int i = 0; i < 50000; ++i) {
        float p[8];
        for (float& v : p)
            v = coordinate(random);
        const double dx1 = p[2] - p[0], dy1 = p[3] - p[1], dx2 = p[6] - p[4], dy2 = p[7] - p[5];
        const double denominator = dx1 * dy2 - dy1 * dx2;
        if (std::fabs(denominator) < 0.5)
            continue;
        const double s = ((p[4] - p[0]) * dy2 - (p[5] - p[1]) * dx2) / denominator;
        const double u = ((p[4] - p[0]) * dy1 - (p[5] - p[1]) * dx1) / denominator;
        if (std::fabs(s) < 1e-3 || std::fabs(s - 1) < 1e-3 || std::fabs(u) < 1e-3 || std::fabs(u - 1) < 1e-3)
            continue;
        const bool crosses = s > 0 && s < 1 && u > 0 && u < 1;
        const int result = IntersectLineSegments(p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], &x, &y, true, &t);
        ASSERT_EQ(result, crosses ? 1 : 0) << i;
        if (crosses) {
            ++hits;
            ASSERT_NEAR(t, s, 1e-3);
            ASSERT_NEAR(x, p[0] + s * dx1, 1e-3);
            ASSERT_NEAR(y, p[1] + s * dy1, 1e-3);
        }
        ASSERT_EQ(IntersectLineSegments(p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], &x, &y, false, &t), 1);
        ASSERT_NEAR(t, s, 1e-4 * std::max(1.0, std::fabs(s))); // far from the segment, single precision
    }
    EXPECT_GT(hits, 1000);
}

TEST(NumericHelpers, SignificantBits)
{
    EXPECT_EQ(CountSignificantBits(0), 0);
    EXPECT_EQ(CountSignificantBits(1), 1);
    EXPECT_EQ(CountSignificantBits(255), 8);
    EXPECT_EQ(CountSignificantBits(256), 9);
    EXPECT_EQ(CountSignificantBits(0xFFFFFFFFu), 32);
}

TEST(CpuInfo, ClassTable)
{
    auto signature = [](uint32_t family, uint32_t model) { return family << 8 | model << 4; };
    EXPECT_EQ(GetCpuClassForSignature(0), 6);
    for (uint32_t family = 1; family <= 5; ++family)
        EXPECT_EQ(GetCpuClassForSignature(signature(family, 3)), 1) << family;
    EXPECT_EQ(GetCpuClassForSignature(signature(6, 1)), 2);
    EXPECT_EQ(GetCpuClassForSignature(signature(6, 3)), 3);
    EXPECT_EQ(GetCpuClassForSignature(signature(6, 5)), 4);
    EXPECT_EQ(GetCpuClassForSignature(signature(6, 7)), 5);
    EXPECT_EQ(GetCpuClassForSignature(signature(6, 2)), 6);
    EXPECT_EQ(GetCpuClassForSignature(signature(6, 15)), 6);
    EXPECT_EQ(GetCpuClassForSignature(signature(15, 0)), 8);
    EXPECT_EQ(GetCpuClassForSignature(signature(15, 2)), 9);
    EXPECT_EQ(GetCpuClassForSignature(signature(15, 1)), 7);
    EXPECT_EQ(GetCpuClassForSignature(signature(7, 0)), 6);
    EXPECT_EQ(GetCpuClassForSignature(signature(6, 7) | 0x0F), 5); // the stepping does not count

#if defined(__x86_64__)
    EXPECT_TRUE(CpuHasMmx()); // every x86-64 processor has MMX
#else
    EXPECT_FALSE(CpuHasMmx());
#endif
    OverrideCpuHasMmx(false);
    EXPECT_FALSE(CpuHasMmx());
    OverrideCpuHasMmx(true);
    EXPECT_TRUE(CpuHasMmx());
    OverrideCpuHasMmx(std::nullopt);
    const int cpuClass = GetCpuClass();
    EXPECT_GE(cpuClass, 1);
    EXPECT_LE(cpuClass, 9);
    EXPECT_LT(GetCpuSignature(), 0x4000u);
#if defined(__x86_64__)
    EXPECT_NE(GetCpuSignature(), 0u);
#endif
}

TEST(PerformanceCounter, NanosecondsSinceBoot)
{
    EXPECT_EQ(GetPerformanceFrequency(), 1000000000);
    const int64_t start = GetPerformanceCounter();
    EXPECT_GT(start, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(3));
    const int64_t end = GetPerformanceCounter();
    EXPECT_GE(end - start, 3000000);
}

TEST(PointerArray, GrowsByOneFifth)
{
    CPointerArray array;
    std::vector<int> capacities;
    int values[20];
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(array.Add(&values[i]), i);
        if (capacities.empty() || capacities.back() != array.GetCapacity())
            capacities.push_back(array.GetCapacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 14, 16, 19, 22}));
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(array.GetAt(i), &values[i]);
    EXPECT_EQ(GrowCapacity(11, 10), 12);
    EXPECT_EQ(GrowCapacity(50, 10), 50);
    array.RemoveAll();
    EXPECT_EQ(array.GetCount(), 0);
    EXPECT_EQ(array.GetCapacity(), 0);
}

TEST(PointerArray, SmallBlockStorageGoesBackToItsPool)
{
    CSmallBlockAllocator* allocator = CSmallBlockAllocator::GetInstance();
    std::vector<uint32_t> before;
    for (uint32_t c = 0; c < allocator->GetPoolCount(); ++c)
        before.push_back(allocator->GetBlocksInUse(c));
    {
        CPointerArray array(true);
        int value = 0;
        for (int i = 0; i < 40; ++i)
            array.Add(&value);
        EXPECT_EQ(array.GetCount(), 40);
    }
    for (uint32_t c = 0; c < allocator->GetPoolCount(); ++c)
        EXPECT_EQ(allocator->GetBlocksInUse(c), before[c]) << c;
}

TEST(NameValueList, FindsByNameIgnoringCase)
{
    CNameValueList list;
    EXPECT_EQ(list.FindValue("anything"), -1);
    EXPECT_EQ(list.Add(CSharedString("Song A"), 3), 0);
    EXPECT_EQ(list.Add(CSharedString("Song B"), 7), 1);
    EXPECT_EQ(list.Add(CSharedString("song a"), 9), 2);
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.FindValue("SONG A"), 3); // the first of two equal names
    EXPECT_EQ(list.FindValue("song b"), 7);
    EXPECT_EQ(list.FindValue(CSharedString(u"Song B")), 7);
    EXPECT_EQ(list.FindValue("Song"), -1);
    EXPECT_EQ(list.GetPair(2).m_value, 9);
}

} // namespace
