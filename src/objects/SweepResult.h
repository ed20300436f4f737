#pragma once
// The earliest contact a swept test has found so far. A test only replaces it with a strictly
// earlier contact, so one result can gather the earliest contact over many polygons; reset it to
// "no contact" (time fraction 1) before the first.
#include "objects/Point.h"

struct CSweepResult
{
    // Fraction of the motion travelled until contact: 1 means none, 0 or below an already
    // touching contact (which moves nothing).
    float m_time = 1.0f;
    CFloatPoint m_offset;   // the part of the motion travelled until contact
    CFloatPoint m_normal;   // unit normal of the contact, pointing toward the moving polygon
    CFloatPoint m_position; // where the contact happens
    CFloatPoint m_velocity; // the deflected velocity (filled by the caller's response)

    void Reset() { m_time = 1.0f; }
};
