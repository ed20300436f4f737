#pragma once
// Rectangles and points of the drawing interface. Right and bottom are exclusive, so a rectangle
// is empty when right <= left or bottom <= top.
#include "objects/Point.h"

#include <cstdint>

struct CIntRect
{
    int32_t m_left = 0;
    int32_t m_top = 0;
    int32_t m_right = 0;
    int32_t m_bottom = 0;

    void Set(int32_t left, int32_t top, int32_t right, int32_t bottom)
    {
        m_left = left;
        m_top = top;
        m_right = right;
        m_bottom = bottom;
    }
    void Offset(int32_t dx, int32_t dy)
    {
        m_left += dx;
        m_top += dy;
        m_right += dx;
        m_bottom += dy;
    }
    bool IsEmpty() const { return m_right <= m_left || m_bottom <= m_top; }
    int32_t GetWidth() const { return m_right - m_left; }
    int32_t GetHeight() const { return m_bottom - m_top; }
    bool operator==(const CIntRect&) const = default;
};

struct CFloatRect
{
    float m_left = 0;
    float m_top = 0;
    float m_right = 0;
    float m_bottom = 0;
};
