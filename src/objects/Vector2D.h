#pragma once
// The small two-float operations of the collision code, over CFloatPoint values, and the two angle
// helpers. Plain float arithmetic (Rotate takes the sine tables): with contraction off the results
// are the same on every machine, which the recorded demos and the tests rely on.
#include "objects/Point.h"

class CVector2D
{
public:
    static float Dot(const CFloatPoint& a, const CFloatPoint& b) { return a.m_x * b.m_x + a.m_y * b.m_y; }
    static float LengthSquared(const CFloatPoint& v) { return Dot(v, v); }
    static float Length(const CFloatPoint& v);
    // Scales v to length 1 and answers its former length; a zero vector is left as it is (0).
    static float Normalize(CFloatPoint& v);
    static void SetSum(CFloatPoint& out, const CFloatPoint& a, const CFloatPoint& b)
    {
        out = CFloatPoint{a.m_x + b.m_x, a.m_y + b.m_y};
    }
    static CFloatPoint Sum(const CFloatPoint& a, const CFloatPoint& b) { return {a.m_x + b.m_x, a.m_y + b.m_y}; }
    static CFloatPoint Difference(const CFloatPoint& a, const CFloatPoint& b)
    {
        return {a.m_x - b.m_x, a.m_y - b.m_y};
    }
    static CFloatPoint Scaled(const CFloatPoint& v, float factor) { return {v.m_x * factor, v.m_y * factor}; }

    // The angle brought into [0, 2 pi).
    static float NormalizeAngle(float angle);
    // to - from, wrapped into [-pi, pi].
    static float AngleDifference(float from, float to);
    // Turns v in place by the angle (y pointing down, so a positive angle turns clockwise on the
    // screen), from the table sine and cosine.
    static void Rotate(CFloatPoint& v, float angle);
};
