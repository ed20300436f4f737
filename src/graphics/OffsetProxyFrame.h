#pragma once
// A proxy that moves the coordinate origin: every point, line end and rectangle given to it is
// moved by minus the offset before it reaches the target, so a caller drawing at its own (0, 0)
// draws at the target's (-x offset, -y offset). Reports the class record of CProxyFrame; the
// offset-clipped proxy uses it as its offset part.
#include "graphics/ProxyFrame.h"

class COffsetProxyFrame : public CProxyFrame
{
public:
    COffsetProxyFrame() = default;

    void SetOffset(int32_t x, int32_t y)
    {
        m_offsetX = x;
        m_offsetY = y;
    }
    int32_t GetOffsetX() const { return m_offsetX; }
    int32_t GetOffsetY() const { return m_offsetY; }

    // The offsets themselves (cut to 16 bits).
    int16_t GetLeft() const override { return static_cast<int16_t>(m_offsetX); }
    int16_t GetTop() const override { return static_cast<int16_t>(m_offsetY); }
    // The target's bounds in this proxy's coordinates (moved by the offset).
    void GetBounds(CIntRect& out) const override;

    bool Blit(CFrameInterface* source, const CIntRect& sourceRect, const CIntRect& destinationRect,
              CBlitter* blitter) override;
    void ClearRect(const CIntRect& rect) override;
    void FillRect(const CIntRect& rect, const CColor& color) override;
    void ApplyRemapTableToRect(const CIntRect& rect, const CPaletteTable& table) override;
    void DrawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const CColor& color) override;
    void DrawAntialiasedLine(float x0, float y0, float x1, float y1, const CColor& color) override;
    void SetPixel(int32_t x, int32_t y, const CColor& color) override;
    uint32_t GetRawPixel(int32_t x, int32_t y) const override;
    bool GetPixelColor(int32_t x, int32_t y, CColor& out) const override;
    bool IsPixelOpaque(int32_t x, int32_t y) const override;

    // A rectangle or a point of this proxy's coordinates in the target's (saturated at the
    // 32-bit range).
    CIntRect ToTarget(const CIntRect& rect) const;
    // The opposite move: a rectangle of the target's coordinates in this proxy's.
    CIntRect FromTarget(const CIntRect& rect) const;
    int32_t ToTargetX(int32_t x) const;
    int32_t ToTargetY(int32_t y) const;

private:
    int32_t m_offsetX = 0;
    int32_t m_offsetY = 0;
};
