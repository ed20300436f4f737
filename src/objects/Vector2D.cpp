#include "objects/Vector2D.h"

#include "foundation/MathTables.h"

#include <cmath>
#include <numbers>

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kTwoPi = 2.0f * kPi;

} // namespace

float CVector2D::Length(const CFloatPoint& v)
{
    return std::sqrt(LengthSquared(v));
}

float CVector2D::Normalize(CFloatPoint& v)
{
    const float length = Length(v);
    if (length != 0.0f) {
        v.m_x /= length;
        v.m_y /= length;
    }
    return length;
}

float CVector2D::NormalizeAngle(float angle)
{
    angle = std::fmod(angle, kTwoPi);
    if (angle < 0.0f)
        angle += kTwoPi;
    // A tiny negative angle plus a full turn rounds up to the full turn itself.
    return angle >= kTwoPi ? 0.0f : angle;
}

float CVector2D::AngleDifference(float from, float to)
{
    float angle = std::fmod(to - from, kTwoPi);
    if (angle > kPi)
        angle -= kTwoPi;
    else if (angle < -kPi)
        angle += kTwoPi;
    return angle;
}

void CVector2D::Rotate(CFloatPoint& v, float angle)
{
    float sine = 0.0f;
    float cosine = 0.0f;
    FastSinCos(angle, &sine, &cosine);
    const float x = v.m_x * cosine - v.m_y * sine;
    const float y = v.m_x * sine + v.m_y * cosine;
    v = CFloatPoint{x, y};
}
