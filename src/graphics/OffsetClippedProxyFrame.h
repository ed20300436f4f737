#pragma once
// A proxy that moves the origin and clips, as a window draws into the screen's back buffer in its
// own coordinates and only inside its visible area: a point (x, y) reaches the target at
// (x - x offset, y - y offset) when it lies inside the clip rectangle. It is made of an offset part
// over a clip part over the target; the clip rectangle is kept in the target's coordinates.
#include "graphics/ClippedProxyFrame.h"
#include "graphics/OffsetProxyFrame.h"

class COffsetClippedProxyFrame : public CProxyFrame
{
    DECLARE_CLASS_RECORD(COffsetClippedProxyFrame)

    COffsetClippedProxyFrame();
    ~COffsetClippedProxyFrame() override;

    // Links the parts: offset part -> clip part -> frame, the clip rectangle the frame's bounds.
    void ConstructForTarget(CFrameInterface* target) { SetTarget(target); }
    void SetTarget(CFrameInterface* target) override;
    void SetOffset(int32_t x, int32_t y) { m_offsetPart.SetOffset(x, y); }
    int32_t GetOffsetX() const { return m_offsetPart.GetOffsetX(); }
    int32_t GetOffsetY() const { return m_offsetPart.GetOffsetY(); }
    // The rectangle is given in this proxy's (offset) coordinates.
    void SetClipRect(const CIntRect& rect);
    // The clip rectangle in the target's coordinates.
    const CIntRect& GetClipRect() const { return m_clipPart.GetClipRect(); }
    // Sets it in the target's coordinates, as GetClipRect gave it (to restore a saved clip).
    void SetTargetClipRect(const CIntRect& rect) { m_clipPart.SetClipRect(rect); }

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
    // The visible part of the clip rectangle, in this proxy's coordinates.
    void GetBounds(CIntRect& out) const override;
    // The target's left and top plus the offsets.
    int16_t GetLeft() const override;
    int16_t GetTop() const override;
    // The clip rectangle's size.
    uint16_t GetWidth() const override { return m_clipPart.GetWidth(); }
    uint16_t GetHeight() const override { return m_clipPart.GetHeight(); }

private:
    // The clip rectangle within the target (the clip part's bounds).
    CIntRect VisibleRect() const;

    COffsetProxyFrame m_offsetPart;
    CClippedProxyFrame m_clipPart;
};
