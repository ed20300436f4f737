#include "foundation/MathTables.h"

#include <bit>
#include <climits>
#include <cmath>
#include <cstring>

namespace {

constexpr int kTrigSteps = 4000;
constexpr int kAtanSteps = 1000;
constexpr float kTwoPi = 6.2831855f;
constexpr float kPi = 3.1415927f;
constexpr float kHalfPi = 1.5707964f;

float s_sinTable[kTrigSteps + 1];
float s_cosTable[kTrigSteps + 1];
float s_atanTable[kAtanSteps + 1];
uint8_t s_sqrtTable[256];

uint32_t FloatBits(float f)
{
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

float BitsToFloat(uint32_t bits)
{
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

int AngleToIndex(float angle)
{
    if (!std::isfinite(angle))
        angle = 0.0f;
    if (angle < 0.0f) {
        const float turns = std::floor(-angle * 0.15915494f);
        angle += (turns + 1.0f) * kTwoPi;
        if (angle < 0.0f)
            angle += 0.01f;
    } else if (angle >= kTwoPi) {
        const float turns = std::floor(angle * 0.15915494f);
        angle -= turns * kTwoPi;
        if (angle >= kTwoPi)
            angle -= 0.01f;
        if (angle < 0.0f)
            angle = 0.0f;
    }
    // Very large angles lose their fraction in the wrap; the index stays inside the table.
    const float index = std::floor(angle * 636.61975f);
    if (!(index >= 0.0f))
        return 0;
    if (index > static_cast<float>(kTrigSteps))
        return kTrigSteps;
    return static_cast<int>(index);
}

float AtanOfRatio(float small, float large)
{
    const float scaled = small / large * static_cast<float>(kAtanSteps) + 0.5f;
    if (!(scaled >= 0.0f))
        return s_atanTable[0];
    if (scaled >= static_cast<float>(kAtanSteps))
        return s_atanTable[kAtanSteps];
    return s_atanTable[static_cast<int>(scaled)];
}

// The int a float conversion answers where no rounding is needed: 0 for NaN, the nearer limit
// outside the int range. False for the floats in between.
bool OutsideIntRange(float x, int& out)
{
    if (std::isnan(x))
        out = 0;
    else if (x >= 2147483648.0f)
        out = INT_MAX;
    else if (x <= -2147483648.0f)
        out = INT_MIN;
    else
        return false;
    return true;
}

} // namespace

void InitMathTables()
{
    for (int i = 0; i <= kTrigSteps; ++i) {
        const double angle = static_cast<double>(static_cast<float>(i) * 0.0015707964f);
        s_sinTable[i] = static_cast<float>(std::sin(angle));
        s_cosTable[i] = static_cast<float>(std::cos(angle));
    }
    for (int k = 0; k <= kAtanSteps; ++k)
        s_atanTable[k] = static_cast<float>(std::atan(k / static_cast<double>(kAtanSteps)));
    // Entries 0-127: roots of [1, 2); entries 128-255: roots of [2, 4); by the top 7 mantissa bits.
    for (int i = 0; i < 256; ++i) {
        const uint32_t exponent = i < 128 ? 127u : 128u;
        const float value = BitsToFloat(exponent << 23 | static_cast<uint32_t>(i & 127) << 16);
        const float root = static_cast<float>(std::sqrt(static_cast<double>(value)));
        s_sqrtTable[i] = static_cast<uint8_t>(FloatBits(root) >> 16 & 0x7F);
    }
}

float FastSin(float angle)
{
    return s_sinTable[AngleToIndex(angle)];
}

float FastCos(float angle)
{
    return s_cosTable[AngleToIndex(angle)];
}

void FastSinCos(float angle, float* sine, float* cosine)
{
    const int index = AngleToIndex(angle);
    *sine = s_sinTable[index];
    *cosine = s_cosTable[index];
}

float FastAtan2(float y, float x)
{
    if (std::isnan(x) || std::isnan(y))
        return 0.0f;
    if (y == 0.0f)
        return x < 0.0f ? kPi : 0.0f;
    if (x == 0.0f)
        return y < 0.0f ? -kHalfPi : kHalfPi;
    const float ax = std::fabs(x);
    const float ay = std::fabs(y);
    if (x > 0.0f) {
        if (y > 0.0f)
            return y < x ? AtanOfRatio(y, x) : kHalfPi - AtanOfRatio(x, y);
        return x <= ay ? AtanOfRatio(x, ay) - kHalfPi : -AtanOfRatio(ay, x);
    }
    if (y > 0.0f)
        return ax <= y ? kHalfPi + AtanOfRatio(ax, y) : kPi - AtanOfRatio(y, ax);
    return ax <= ay ? -kHalfPi - AtanOfRatio(ax, ay) : AtanOfRatio(ay, ax) - kPi;
}

float FastSqrt(float x)
{
    // Negative numbers and NaN would index the table by their sign bit.
    if (!(x > 0.0f))
        return 0.0f;
    const uint32_t bits = FloatBits(x);
    const int exponent = static_cast<int>(bits >> 23 & 0xFF);
    const uint32_t index = (bits >> 16 & 0x7F) + ((exponent & 1) == 0 ? 128u : 0u);
    const int rootExponent = ((exponent - 127) >> 1) + 127;
    return BitsToFloat(static_cast<uint32_t>(rootExponent) << 23 | static_cast<uint32_t>(s_sqrtTable[index]) << 16);
}

int FloorToInt(float x)
{
    int limit = 0;
    if (OutsideIntRange(x, limit))
        return limit;
    // Round to nearest, then step down when that went above.
    int r = static_cast<int>(std::lrint(x));
    if (static_cast<float>(r) > x)
        --r;
    return r;
}

int RoundToInt(float x)
{
    int limit = 0;
    if (OutsideIntRange(x, limit))
        return limit;
    return static_cast<int>(std::lrintf(x));
}

float FloorFloat(float x)
{
    return std::floor(x);
}

int CeilToInt(float x)
{
    int limit = 0;
    if (OutsideIntRange(x, limit))
        return limit;
    int r = static_cast<int>(std::lrint(x));
    if (static_cast<float>(r) < x)
        ++r;
    return r;
}

float CeilFloat(float x)
{
    return std::ceil(x);
}

int IntersectLineSegments(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4,
                          float* x, float* y, bool segmentsOnly, float* t)
{
    if (segmentsOnly) {
        // Bounding ranges on both axes, then each segment against the other's line: a segment
        // wholly on one side of the other's line cannot meet it.
        if (std::fmax(x1, x2) < std::fmin(x3, x4) || std::fmax(x3, x4) < std::fmin(x1, x2)
            || std::fmax(y1, y2) < std::fmin(y3, y4) || std::fmax(y3, y4) < std::fmin(y1, y2))
            return 0;
        auto side = [](float ax, float ay, float bx, float by, float px, float py) {
            const float cross = (bx - ax) * (py - ay) - (by - ay) * (px - ax);
            return (cross > 0.0f) - (cross < 0.0f);
        };
        const int s3 = side(x1, y1, x2, y2, x3, y3);
        const int s4 = side(x1, y1, x2, y2, x4, y4);
        if (s3 != 0 && s3 == s4)
            return 0;
        const int s1 = side(x3, y3, x4, y4, x1, y1);
        const int s2 = side(x3, y3, x4, y4, x2, y2);
        if (s1 != 0 && s1 == s2)
            return 0;
    }
    const float d = (y2 - y1) * (x3 - x4) - (y3 - y4) * (x2 - x1);
    if (d > -0.01f && d < 0.01f)
        return 2;
    const float along = ((x1 - x3) * (y3 - y4) - (y1 - y3) * (x3 - x4)) / d;
    if (x)
        *x = x1 + along * (x2 - x1);
    if (y)
        *y = y1 + along * (y2 - y1);
    if (t)
        *t = along;
    return 1;
}

int CountSignificantBits(uint32_t value)
{
    return static_cast<int>(std::bit_width(value));
}
