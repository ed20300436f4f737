#pragma once
// A proxy that restricts drawing to a clip rectangle in the target's coordinates: blits, fills,
// clears, remaps, lines and pixels are cut to it. Clear, FillWithColor and FillWithByte are
// whole-frame operations and reach the whole target. The clip rectangle starts as the target's
// bounds. Reports the class record of CProxyFrame.
#include "graphics/ProxyFrame.h"

class CClippedProxyFrame : public CProxyFrame
{
public:
    CClippedProxyFrame() = default;
    // A proxy over the frame, clipped to its bounds.
    explicit CClippedProxyFrame(CFrameInterface* target) { SetTarget(target); }

    void ConstructForTarget(CFrameInterface* target) { SetTarget(target); }
    // The target, and its bounds as the clip rectangle (the empty rectangle without a target).
    void SetTarget(CFrameInterface* target) override;
    void SetClipRect(const CIntRect& rect) { m_clip = rect; }
    const CIntRect& GetClipRect() const { return m_clip; }

    // False when nothing of the destination is inside the clip rectangle.
    bool Blit(CFrameInterface* source, const CIntRect& sourceRect, const CIntRect& destinationRect,
              CBlitter* blitter) override;
    void ClearRect(const CIntRect& rect) override;
    void FillRect(const CIntRect& rect, const CColor& color) override;
    void ApplyRemapTableToRect(const CIntRect& rect, const CPaletteTable& table) override;
    void DrawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const CColor& color) override;
    void DrawAntialiasedLine(float x0, float y0, float x1, float y1, const CColor& color) override;
    // Outside the clip rectangle: nothing, 0, false (transparent black), false.
    void SetPixel(int32_t x, int32_t y, const CColor& color) override;
    uint32_t GetRawPixel(int32_t x, int32_t y) const override;
    bool GetPixelColor(int32_t x, int32_t y, CColor& out) const override;
    bool IsPixelOpaque(int32_t x, int32_t y) const override;
    // The clip rectangle within the target's bounds; where they do not meet, the empty rectangle
    // at the clip rectangle's top-left corner.
    void GetBounds(CIntRect& out) const override;
    // The clip rectangle's size (0 when it is inverted).
    uint16_t GetWidth() const override;
    uint16_t GetHeight() const override;

    // The same operations clipped by another rectangle of the target's coordinates; the
    // offset-clipped proxy draws through them.
    bool BlitWithin(const CIntRect& clip, CFrameInterface* source, const CIntRect& sourceRect,
                    const CIntRect& destinationRect, CBlitter* blitter);
    void ClearRectWithin(const CIntRect& clip, const CIntRect& rect);
    void FillRectWithin(const CIntRect& clip, const CIntRect& rect, const CColor& color);
    void ApplyRemapTableWithin(const CIntRect& clip, const CIntRect& rect, const CPaletteTable& table);
    void DrawLineWithin(const CIntRect& clip, int32_t x0, int32_t y0, int32_t x1, int32_t y1, const CColor& color);
    void DrawAntialiasedLineWithin(const CIntRect& clip, float x0, float y0, float x1, float y1,
                                   const CColor& color);
    void SetPixelWithin(const CIntRect& clip, int32_t x, int32_t y, const CColor& color);
    uint32_t GetRawPixelWithin(const CIntRect& clip, int32_t x, int32_t y) const;
    bool GetPixelColorWithin(const CIntRect& clip, int32_t x, int32_t y, CColor& out) const;
    bool IsPixelOpaqueWithin(const CIntRect& clip, int32_t x, int32_t y) const;

private:
    CIntRect m_clip;
};
