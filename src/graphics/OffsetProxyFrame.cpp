#include "graphics/OffsetProxyFrame.h"

#include "graphics/Color.h"

#include <algorithm>
#include <limits>

namespace {

int32_t Move(int32_t value, int64_t by)
{
    const int64_t moved = static_cast<int64_t>(value) + by;
    return static_cast<int32_t>(std::clamp<int64_t>(moved, std::numeric_limits<int32_t>::min(),
                                                     std::numeric_limits<int32_t>::max()));
}

} // namespace

int32_t COffsetProxyFrame::ToTargetX(int32_t x) const
{
    return Move(x, -static_cast<int64_t>(m_offsetX));
}

int32_t COffsetProxyFrame::ToTargetY(int32_t y) const
{
    return Move(y, -static_cast<int64_t>(m_offsetY));
}

CIntRect COffsetProxyFrame::ToTarget(const CIntRect& rect) const
{
    return CIntRect{ToTargetX(rect.m_left), ToTargetY(rect.m_top), ToTargetX(rect.m_right), ToTargetY(rect.m_bottom)};
}

CIntRect COffsetProxyFrame::FromTarget(const CIntRect& rect) const
{
    return CIntRect{Move(rect.m_left, m_offsetX), Move(rect.m_top, m_offsetY), Move(rect.m_right, m_offsetX),
                    Move(rect.m_bottom, m_offsetY)};
}

void COffsetProxyFrame::GetBounds(CIntRect& out) const
{
    CIntRect target;
    CProxyFrame::GetBounds(target);
    out = FromTarget(target);
}

bool COffsetProxyFrame::Blit(CFrameInterface* source, const CIntRect& sourceRect, const CIntRect& destinationRect,
                             CBlitter* blitter)
{
    return CProxyFrame::Blit(source, sourceRect, ToTarget(destinationRect), blitter);
}

void COffsetProxyFrame::ClearRect(const CIntRect& rect)
{
    CProxyFrame::ClearRect(ToTarget(rect));
}

void COffsetProxyFrame::FillRect(const CIntRect& rect, const CColor& color)
{
    CProxyFrame::FillRect(ToTarget(rect), color);
}

void COffsetProxyFrame::ApplyRemapTableToRect(const CIntRect& rect, const CPaletteTable& table)
{
    CProxyFrame::ApplyRemapTableToRect(ToTarget(rect), table);
}

void COffsetProxyFrame::DrawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const CColor& color)
{
    CProxyFrame::DrawLine(ToTargetX(x0), ToTargetY(y0), ToTargetX(x1), ToTargetY(y1), color);
}

void COffsetProxyFrame::DrawAntialiasedLine(float x0, float y0, float x1, float y1, const CColor& color)
{
    const float dx = static_cast<float>(m_offsetX), dy = static_cast<float>(m_offsetY);
    CProxyFrame::DrawAntialiasedLine(x0 - dx, y0 - dy, x1 - dx, y1 - dy, color);
}

void COffsetProxyFrame::SetPixel(int32_t x, int32_t y, const CColor& color)
{
    CProxyFrame::SetPixel(ToTargetX(x), ToTargetY(y), color);
}

uint32_t COffsetProxyFrame::GetRawPixel(int32_t x, int32_t y) const
{
    return CProxyFrame::GetRawPixel(ToTargetX(x), ToTargetY(y));
}

bool COffsetProxyFrame::GetPixelColor(int32_t x, int32_t y, CColor& out) const
{
    return CProxyFrame::GetPixelColor(ToTargetX(x), ToTargetY(y), out);
}

bool COffsetProxyFrame::IsPixelOpaque(int32_t x, int32_t y) const
{
    return CProxyFrame::IsPixelOpaque(ToTargetX(x), ToTargetY(y));
}
