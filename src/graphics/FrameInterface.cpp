#include "graphics/FrameInterface.h"

#include <cmath>
#include <cstdint>
#include <limits>

IMPLEMENT_ABSTRACT_CLASS_RECORD(CFrameInterface, CObject, 1.0f)

void CFrameInterface::AddProperties(CClassRecord*)
{
}

CFrameInterface::CFrameInterface()
{
    InitOwnProperties();
}

CFrameInterface::~CFrameInterface()
{
    DestroyOwnProperties();
}

CFrameInterface* CFrameInterface::GetUnderlyingFrame()
{
    return this;
}

CPaletteTable* CFrameInterface::GetPalette()
{
    return nullptr;
}

bool CFrameInterface::HasPalette() const
{
    return false;
}

uint32_t CFrameInterface::ReservedOperation1()
{
    return 0;
}

uint32_t CFrameInterface::ReservedOperation2()
{
    return 0;
}

namespace {

int32_t Saturate(int64_t value)
{
    if (value < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    if (value > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

// Truncation toward zero that stays defined for values beyond the integer range (they end up
// outside any rectangle and are rejected there).
int32_t TruncateToInt(float value)
{
    if (!(value > -2147483648.0f))
        return std::numeric_limits<int32_t>::min();
    if (!(value < 2147483648.0f))
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

enum : uint32_t
{
    kAbove = 1,
    kRight = 2,
    kBelow = 4,
    kLeft = 8,
};

// One line clipper serves integer and float end points through these overloads: integer edges and
// differences are taken in 64 bits (saturated), and moved integer coordinates are truncated.
int32_t FarEdge(int32_t edge)
{
    return Saturate(static_cast<int64_t>(edge) - 1);
}

float FarEdge(float edge)
{
    return edge - 1.0f;
}

float Difference(int32_t a, int32_t b)
{
    return static_cast<float>(static_cast<int64_t>(a) - b);
}

float Difference(float a, float b)
{
    return a - b;
}

void StoreMoved(float value, int32_t& out)
{
    out = TruncateToInt(value);
}

void StoreMoved(float value, float& out)
{
    out = value;
}

// Right and bottom are exclusive.
template <class Rect, class T> uint32_t Outcode(const Rect& bounds, T x, T y)
{
    uint32_t code = 0;
    if (y < bounds.m_top)
        code |= kAbove;
    if (x >= bounds.m_right)
        code |= kRight;
    if (y >= bounds.m_bottom)
        code |= kBelow;
    if (x < bounds.m_left)
        code |= kLeft;
    return code;
}

// Moves (x, y) along the line through (xo, yo) onto the first clip edge of its outcode, tried in
// the order above, right, below, left, that gives a point inside the bounds (the left edge is
// taken without that test). Slope and intercept are single-precision floats.
template <class Rect, class T>
void IntersectLineWithClipEdge(const Rect& bounds, uint32_t code, T& x, T& y, T xo, T yo)
{
    const float m = Difference(y, yo) / Difference(x, xo);
    const float c = static_cast<float>(y) - static_cast<float>(x) * m;
    for (uint32_t bit : {kAbove, kRight, kBelow, kLeft}) {
        if (!(code & bit))
            continue;
        T nx, ny;
        switch (bit) {
        case kAbove:
            ny = bounds.m_top;
            StoreMoved((static_cast<float>(ny) - c) / m, nx);
            break;
        case kRight:
            nx = FarEdge(bounds.m_right);
            StoreMoved(static_cast<float>(nx) * m + c, ny);
            break;
        case kBelow:
            ny = FarEdge(bounds.m_bottom);
            StoreMoved((static_cast<float>(ny) - c) / m, nx);
            break;
        default:
            nx = bounds.m_left;
            StoreMoved(static_cast<float>(nx) * m + c, ny);
            break;
        }
        if (bit == kLeft || Outcode(bounds, nx, ny) == 0) {
            x = nx;
            y = ny;
            return;
        }
    }
}

// Each end point outside is moved against the other's original position; vertical and horizontal
// lines are clamped to the far edge directly. False when either point is still outside.
template <class Rect, class T> bool ClipLineTo(const Rect& bounds, T& x0, T& y0, T& x1, T& y1)
{
    const uint32_t code0 = Outcode(bounds, x0, y0);
    const uint32_t code1 = Outcode(bounds, x1, y1);
    if ((code0 | code1) == 0)
        return true;
    if (code0 & code1)
        return false;

    T nx0 = x0, ny0 = y0, nx1 = x1, ny1 = y1;
    auto move = [&](uint32_t code, T& x, T& y, T xo, T yo) {
        if (code == 0)
            return;
        if (x == xo)
            y = y < bounds.m_top ? bounds.m_top : FarEdge(bounds.m_bottom);
        else if (y == yo)
            x = x < bounds.m_left ? bounds.m_left : FarEdge(bounds.m_right);
        else
            IntersectLineWithClipEdge(bounds, code, x, y, xo, yo);
    };
    move(code0, nx0, ny0, x1, y1);
    move(code1, nx1, ny1, x0, y0);
    if (Outcode(bounds, nx0, ny0) != 0 || Outcode(bounds, nx1, ny1) != 0)
        return false;
    x0 = nx0;
    y0 = ny0;
    x1 = nx1;
    y1 = ny1;
    return true;
}

} // namespace

bool CFrameInterface::DrawFrameAt(CFrameInterface* source, int32_t x, int32_t y, CBlitter* blitter)
{
    if (!source)
        return false;
    CIntRect sourceRect;
    source->GetBounds(sourceRect);
    CIntRect destination{Saturate(static_cast<int64_t>(sourceRect.m_left) + x),
                         Saturate(static_cast<int64_t>(sourceRect.m_top) + y),
                         Saturate(static_cast<int64_t>(sourceRect.m_right) + x),
                         Saturate(static_cast<int64_t>(sourceRect.m_bottom) + y)};
    return Blit(source, sourceRect, destination, blitter);
}

void CFrameInterface::DrawRectOutline(const CIntRect& rect, const CColor& color)
{
    DrawBevelRect(rect, color, color);
}

void CFrameInterface::DrawBevelRect(const CIntRect& rect, const CColor& light, const CColor& dark)
{
    int32_t right = Saturate(static_cast<int64_t>(rect.m_right) - 1);
    int32_t bottom = Saturate(static_cast<int64_t>(rect.m_bottom) - 1);
    DrawLine(rect.m_left, rect.m_top, right, rect.m_top, light);
    DrawLine(rect.m_left, bottom, right, bottom, dark);
    DrawLine(rect.m_left, rect.m_top, rect.m_left, bottom, light);
    DrawLine(right, rect.m_top, right, bottom, dark);
}

void CFrameInterface::FillRectCoords(int32_t left, int32_t top, int32_t right, int32_t bottom, const CColor& color)
{
    FillRect(CIntRect{left, top, right, bottom}, color);
}

void CFrameInterface::DrawAntialiasedLineBetween(const CFloatPoint& from, const CFloatPoint& to, const CColor& color)
{
    DrawAntialiasedLine(from.m_x, from.m_y, to.m_x, to.m_y, color);
}

void CFrameInterface::ApplyRemapTableToCoords(int32_t left, int32_t top, int32_t right, int32_t bottom,
                                              const CPaletteTable& table)
{
    if (left <= right && top <= bottom)
        ApplyRemapTableToRect(CIntRect{left, top, right, bottom}, table);
}

bool ClipBlitRects(const CIntRect& bounds, CIntRect& source, CIntRect& destination)
{
    if (destination.m_top < bounds.m_top) {
        source.m_top = Saturate(static_cast<int64_t>(source.m_top) + bounds.m_top - destination.m_top);
        destination.m_top = bounds.m_top;
        if (destination.m_top >= destination.m_bottom)
            return false;
    }
    if (destination.m_bottom > bounds.m_bottom) {
        source.m_bottom = Saturate(static_cast<int64_t>(source.m_bottom) + bounds.m_bottom - destination.m_bottom);
        destination.m_bottom = bounds.m_bottom;
        if (destination.m_bottom <= destination.m_top)
            return false;
    }
    if (destination.m_left < bounds.m_left) {
        source.m_left = Saturate(static_cast<int64_t>(source.m_left) + bounds.m_left - destination.m_left);
        destination.m_left = bounds.m_left;
        if (destination.m_left >= destination.m_right)
            return false;
    }
    if (destination.m_right > bounds.m_right) {
        source.m_right = Saturate(static_cast<int64_t>(source.m_right) + bounds.m_right - destination.m_right);
        destination.m_right = bounds.m_right;
        if (destination.m_right <= destination.m_left)
            return false;
    }
    return true;
}

bool ClipRectToBounds(const CIntRect& bounds, CIntRect& rect)
{
    // The same cuts as a blit's destination; the source that follows them is not wanted.
    CIntRect unused = rect;
    return ClipBlitRects(bounds, unused, rect);
}

bool ClipLine(const CIntRect& bounds, int32_t& x0, int32_t& y0, int32_t& x1, int32_t& y1)
{
    return ClipLineTo(bounds, x0, y0, x1, y1);
}

bool ClipLineFloat(const CFloatRect& bounds, float& x0, float& y0, float& x1, float& y1)
{
    return ClipLineTo(bounds, x0, y0, x1, y1);
}
