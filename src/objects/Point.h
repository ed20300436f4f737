#pragma once
// Points of two integers and of two floats, x then y: positions in pixels, the values of the
// point properties and of the mouse position.
#include <cstdint>

struct CIntPoint
{
    int32_t m_x = 0;
    int32_t m_y = 0;
    bool operator==(const CIntPoint&) const = default;
};

struct CFloatPoint
{
    float m_x = 0;
    float m_y = 0;
    bool operator==(const CFloatPoint&) const = default;
};
