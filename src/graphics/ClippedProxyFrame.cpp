#include "graphics/ClippedProxyFrame.h"

#include "graphics/Color.h"

#include <algorithm>

namespace {

bool Contains(const CIntRect& rect, int32_t x, int32_t y)
{
    return x >= rect.m_left && x < rect.m_right && y >= rect.m_top && y < rect.m_bottom;
}

uint16_t Extent(int32_t from, int32_t to)
{
    const int64_t size = static_cast<int64_t>(to) - from;
    return static_cast<uint16_t>(std::clamp<int64_t>(size, 0, 0xFFFF));
}

} // namespace

void CClippedProxyFrame::SetTarget(CFrameInterface* target)
{
    CProxyFrame::SetTarget(target);
    m_clip = CIntRect{};
    if (target)
        target->GetBounds(m_clip);
}

bool CClippedProxyFrame::BlitWithin(const CIntRect& clip, CFrameInterface* source, const CIntRect& sourceRect,
                                    const CIntRect& destinationRect, CBlitter* blitter)
{
    CIntRect from = sourceRect, to = destinationRect;
    if (!m_target || !ClipBlitRects(clip, from, to))
        return false;
    return m_target->Blit(source, from, to, blitter);
}

void CClippedProxyFrame::ClearRectWithin(const CIntRect& clip, const CIntRect& rect)
{
    CIntRect clipped = rect;
    if (m_target && ClipRectToBounds(clip, clipped))
        m_target->ClearRect(clipped);
}

void CClippedProxyFrame::FillRectWithin(const CIntRect& clip, const CIntRect& rect, const CColor& color)
{
    CIntRect clipped = rect;
    if (m_target && ClipRectToBounds(clip, clipped))
        m_target->FillRect(clipped, color);
}

void CClippedProxyFrame::ApplyRemapTableWithin(const CIntRect& clip, const CIntRect& rect, const CPaletteTable& table)
{
    CIntRect clipped = rect;
    if (m_target && ClipRectToBounds(clip, clipped))
        m_target->ApplyRemapTableToRect(clipped, table);
}

void CClippedProxyFrame::DrawLineWithin(const CIntRect& clip, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                                        const CColor& color)
{
    if (m_target && ClipLine(clip, x0, y0, x1, y1))
        m_target->DrawLine(x0, y0, x1, y1, color);
}

void CClippedProxyFrame::DrawAntialiasedLineWithin(const CIntRect& clip, float x0, float y0, float x1, float y1,
                                                   const CColor& color)
{
    const CFloatRect bounds{static_cast<float>(clip.m_left), static_cast<float>(clip.m_top),
                            static_cast<float>(clip.m_right), static_cast<float>(clip.m_bottom)};
    if (m_target && ClipLineFloat(bounds, x0, y0, x1, y1))
        m_target->DrawAntialiasedLine(x0, y0, x1, y1, color);
}

void CClippedProxyFrame::SetPixelWithin(const CIntRect& clip, int32_t x, int32_t y, const CColor& color)
{
    if (m_target && Contains(clip, x, y))
        m_target->SetPixel(x, y, color);
}

uint32_t CClippedProxyFrame::GetRawPixelWithin(const CIntRect& clip, int32_t x, int32_t y) const
{
    return m_target && Contains(clip, x, y) ? m_target->GetRawPixel(x, y) : 0;
}

bool CClippedProxyFrame::GetPixelColorWithin(const CIntRect& clip, int32_t x, int32_t y, CColor& out) const
{
    if (m_target && Contains(clip, x, y))
        return m_target->GetPixelColor(x, y, out);
    out.ConstructRgba(0, 0, 0, 0);
    return false;
}

bool CClippedProxyFrame::IsPixelOpaqueWithin(const CIntRect& clip, int32_t x, int32_t y) const
{
    return m_target && Contains(clip, x, y) && m_target->IsPixelOpaque(x, y);
}

bool CClippedProxyFrame::Blit(CFrameInterface* source, const CIntRect& sourceRect, const CIntRect& destinationRect,
                              CBlitter* blitter)
{
    return BlitWithin(m_clip, source, sourceRect, destinationRect, blitter);
}

void CClippedProxyFrame::ClearRect(const CIntRect& rect)
{
    ClearRectWithin(m_clip, rect);
}

void CClippedProxyFrame::FillRect(const CIntRect& rect, const CColor& color)
{
    FillRectWithin(m_clip, rect, color);
}

void CClippedProxyFrame::ApplyRemapTableToRect(const CIntRect& rect, const CPaletteTable& table)
{
    ApplyRemapTableWithin(m_clip, rect, table);
}

void CClippedProxyFrame::DrawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const CColor& color)
{
    DrawLineWithin(m_clip, x0, y0, x1, y1, color);
}

void CClippedProxyFrame::DrawAntialiasedLine(float x0, float y0, float x1, float y1, const CColor& color)
{
    DrawAntialiasedLineWithin(m_clip, x0, y0, x1, y1, color);
}

void CClippedProxyFrame::SetPixel(int32_t x, int32_t y, const CColor& color)
{
    SetPixelWithin(m_clip, x, y, color);
}

uint32_t CClippedProxyFrame::GetRawPixel(int32_t x, int32_t y) const
{
    return GetRawPixelWithin(m_clip, x, y);
}

bool CClippedProxyFrame::GetPixelColor(int32_t x, int32_t y, CColor& out) const
{
    return GetPixelColorWithin(m_clip, x, y, out);
}

bool CClippedProxyFrame::IsPixelOpaque(int32_t x, int32_t y) const
{
    return IsPixelOpaqueWithin(m_clip, x, y);
}

void CClippedProxyFrame::GetBounds(CIntRect& out) const
{
    CIntRect target;
    CProxyFrame::GetBounds(target);
    out = m_clip;
    if (!ClipRectToBounds(target, out))
        out = CIntRect{m_clip.m_left, m_clip.m_top, m_clip.m_left, m_clip.m_top};
}

uint16_t CClippedProxyFrame::GetWidth() const
{
    return Extent(m_clip.m_left, m_clip.m_right);
}

uint16_t CClippedProxyFrame::GetHeight() const
{
    return Extent(m_clip.m_top, m_clip.m_bottom);
}
