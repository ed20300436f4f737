#include "graphics/ProxyFrame.h"

#include "graphics/Color.h"

IMPLEMENT_CLASS_RECORD(CProxyFrame, CFrameInterface, 1.0f)

void CProxyFrame::AddProperties(CClassRecord*)
{
}

CProxyFrame::CProxyFrame()
{
    InitOwnProperties();
}

CProxyFrame::CProxyFrame(CFrameInterface* target) : m_target(target)
{
    InitOwnProperties();
}

CProxyFrame::~CProxyFrame()
{
    DestroyOwnProperties();
}

uint32_t CProxyFrame::GetObjectSize() const
{
    return (m_target ? m_target->GetObjectSize() : 0) + 4;
}

bool CProxyFrame::Blit(CFrameInterface* source, const CIntRect& sourceRect, const CIntRect& destinationRect,
                       CBlitter* blitter)
{
    return m_target && m_target->Blit(source, sourceRect, destinationRect, blitter);
}

void CProxyFrame::ClearRect(const CIntRect& rect)
{
    if (m_target)
        m_target->ClearRect(rect);
}

void CProxyFrame::Clear()
{
    if (m_target)
        m_target->Clear();
}

void CProxyFrame::FillWithColor(const CColor& color)
{
    if (m_target)
        m_target->FillWithColor(color);
}

void CProxyFrame::FillWithByte(uint8_t value)
{
    if (m_target)
        m_target->FillWithByte(value);
}

void CProxyFrame::FillRect(const CIntRect& rect, const CColor& color)
{
    if (m_target)
        m_target->FillRect(rect, color);
}

// The accessors answer the target's values, or 0 (null) without one.
#define VANTOREL_FORWARD_GETTER(Type, Name) \
    Type CProxyFrame::Name() const          \
    {                                       \
        return m_target ? m_target->Name() : 0; \
    }

VANTOREL_FORWARD_GETTER(uint32_t, GetBitsPerPixel)
VANTOREL_FORWARD_GETTER(uint32_t, GetBytesPerPixel)
VANTOREL_FORWARD_GETTER(uint8_t*, GetPixels)
VANTOREL_FORWARD_GETTER(uint8_t*, GetLayer1Pixels)
VANTOREL_FORWARD_GETTER(uint8_t*, GetLayer2Pixels)
VANTOREL_FORWARD_GETTER(uint8_t*, GetLayer3Pixels)
VANTOREL_FORWARD_GETTER(uint8_t*, GetLayer4Pixels)
VANTOREL_FORWARD_GETTER(uint32_t, GetFormatFlags)
VANTOREL_FORWARD_GETTER(uint16_t, GetHeight)
VANTOREL_FORWARD_GETTER(uint32_t, GetPitch)
VANTOREL_FORWARD_GETTER(uint32_t, GetWidthLog2)
VANTOREL_FORWARD_GETTER(uint32_t, GetHeightLog2)
VANTOREL_FORWARD_GETTER(int16_t, GetLeft)
VANTOREL_FORWARD_GETTER(int16_t, GetTop)
VANTOREL_FORWARD_GETTER(uint16_t, GetWidth)
VANTOREL_FORWARD_GETTER(uint32_t*, GetRowOffsets)
VANTOREL_FORWARD_GETTER(uint32_t*, GetLayer1RowOffsets)
VANTOREL_FORWARD_GETTER(uint32_t*, GetLayer2RowOffsets)
VANTOREL_FORWARD_GETTER(uint32_t*, GetLayer3RowOffsets)
VANTOREL_FORWARD_GETTER(uint32_t*, GetLayer4RowOffsets)

#undef VANTOREL_FORWARD_GETTER

void CProxyFrame::GetBounds(CIntRect& out) const
{
    if (m_target)
        m_target->GetBounds(out);
    else
        out = CIntRect{};
}

CFrameInterface* CProxyFrame::GetUnderlyingFrame()
{
    return m_target ? m_target->GetUnderlyingFrame() : nullptr;
}

void CProxyFrame::DrawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const CColor& color)
{
    if (m_target)
        m_target->DrawLine(x0, y0, x1, y1, color);
}

void CProxyFrame::DrawAntialiasedLine(float x0, float y0, float x1, float y1, const CColor& color)
{
    if (m_target)
        m_target->DrawAntialiasedLine(x0, y0, x1, y1, color);
}

bool CProxyFrame::GetPixelColor(int32_t x, int32_t y, CColor& out) const
{
    if (m_target)
        return m_target->GetPixelColor(x, y, out);
    out.ConstructRgba(0, 0, 0, 0);
    return false;
}

uint32_t CProxyFrame::GetRawPixel(int32_t x, int32_t y) const
{
    return m_target ? m_target->GetRawPixel(x, y) : 0;
}

void CProxyFrame::SetPixel(int32_t x, int32_t y, const CColor& color)
{
    if (m_target)
        m_target->SetPixel(x, y, color);
}

bool CProxyFrame::IsPixelOpaque(int32_t x, int32_t y) const
{
    return m_target && m_target->IsPixelOpaque(x, y);
}

void CProxyFrame::ApplyRemapTableToRect(const CIntRect& rect, const CPaletteTable& table)
{
    if (m_target)
        m_target->ApplyRemapTableToRect(rect, table);
}
