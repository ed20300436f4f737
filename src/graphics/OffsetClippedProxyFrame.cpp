#include "graphics/OffsetClippedProxyFrame.h"

#include "graphics/Color.h"

IMPLEMENT_CLASS_RECORD(COffsetClippedProxyFrame, CProxyFrame, 1.0f)

void COffsetClippedProxyFrame::AddProperties(CClassRecord*)
{
}

COffsetClippedProxyFrame::COffsetClippedProxyFrame()
{
    InitOwnProperties();
}

COffsetClippedProxyFrame::~COffsetClippedProxyFrame()
{
    DestroyOwnProperties();
}

void COffsetClippedProxyFrame::SetTarget(CFrameInterface* target)
{
    m_offsetPart.SetTarget(&m_clipPart);
    m_clipPart.SetTarget(target);
    CProxyFrame::SetTarget(target);
}

void COffsetClippedProxyFrame::SetClipRect(const CIntRect& rect)
{
    m_clipPart.SetClipRect(m_offsetPart.ToTarget(rect));
}

CIntRect COffsetClippedProxyFrame::VisibleRect() const
{
    CIntRect visible;
    m_clipPart.GetBounds(visible);
    return visible;
}

bool COffsetClippedProxyFrame::Blit(CFrameInterface* source, const CIntRect& sourceRect,
                                    const CIntRect& destinationRect, CBlitter* blitter)
{
    return m_clipPart.BlitWithin(VisibleRect(), source, sourceRect, m_offsetPart.ToTarget(destinationRect), blitter);
}

void COffsetClippedProxyFrame::ClearRect(const CIntRect& rect)
{
    m_clipPart.ClearRectWithin(VisibleRect(), m_offsetPart.ToTarget(rect));
}

void COffsetClippedProxyFrame::FillRect(const CIntRect& rect, const CColor& color)
{
    m_clipPart.FillRectWithin(VisibleRect(), m_offsetPart.ToTarget(rect), color);
}

void COffsetClippedProxyFrame::ApplyRemapTableToRect(const CIntRect& rect, const CPaletteTable& table)
{
    m_clipPart.ApplyRemapTableWithin(VisibleRect(), m_offsetPart.ToTarget(rect), table);
}

void COffsetClippedProxyFrame::DrawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const CColor& color)
{
    m_clipPart.DrawLineWithin(VisibleRect(), m_offsetPart.ToTargetX(x0), m_offsetPart.ToTargetY(y0),
                              m_offsetPart.ToTargetX(x1), m_offsetPart.ToTargetY(y1), color);
}

void COffsetClippedProxyFrame::DrawAntialiasedLine(float x0, float y0, float x1, float y1, const CColor& color)
{
    const float dx = static_cast<float>(m_offsetPart.GetOffsetX());
    const float dy = static_cast<float>(m_offsetPart.GetOffsetY());
    m_clipPart.DrawAntialiasedLineWithin(VisibleRect(), x0 - dx, y0 - dy, x1 - dx, y1 - dy, color);
}

void COffsetClippedProxyFrame::SetPixel(int32_t x, int32_t y, const CColor& color)
{
    m_clipPart.SetPixelWithin(VisibleRect(), m_offsetPart.ToTargetX(x), m_offsetPart.ToTargetY(y), color);
}

uint32_t COffsetClippedProxyFrame::GetRawPixel(int32_t x, int32_t y) const
{
    return m_clipPart.GetRawPixelWithin(VisibleRect(), m_offsetPart.ToTargetX(x), m_offsetPart.ToTargetY(y));
}

bool COffsetClippedProxyFrame::GetPixelColor(int32_t x, int32_t y, CColor& out) const
{
    return m_clipPart.GetPixelColorWithin(VisibleRect(), m_offsetPart.ToTargetX(x), m_offsetPart.ToTargetY(y), out);
}

bool COffsetClippedProxyFrame::IsPixelOpaque(int32_t x, int32_t y) const
{
    return m_clipPart.IsPixelOpaqueWithin(VisibleRect(), m_offsetPart.ToTargetX(x), m_offsetPart.ToTargetY(y));
}

void COffsetClippedProxyFrame::GetBounds(CIntRect& out) const
{
    out = m_offsetPart.FromTarget(VisibleRect());
}

int16_t COffsetClippedProxyFrame::GetLeft() const
{
    return static_cast<int16_t>((m_target ? m_target->GetLeft() : 0) + m_offsetPart.GetLeft());
}

int16_t COffsetClippedProxyFrame::GetTop() const
{
    return static_cast<int16_t>((m_target ? m_target->GetTop() : 0) + m_offsetPart.GetTop());
}
