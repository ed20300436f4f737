#pragma once
// A frame that owns no pixels and passes every drawing call on to another frame, its target.
// Subclasses add one concern each (a clip rectangle, an offset, recording). A proxy never owns its
// target: the caller keeps the target alive while it is set. Without a target nothing is drawn and
// every query answers 0, null or false.
#include "graphics/FrameInterface.h"

class CProxyFrame : public CFrameInterface
{
    DECLARE_CLASS_RECORD(CProxyFrame)

    CProxyFrame();
    explicit CProxyFrame(CFrameInterface* target);
    ~CProxyFrame() override;

    virtual void SetTarget(CFrameInterface* target) { m_target = target; }
    CFrameInterface* GetTarget() const { return m_target; }

    // The target's size plus that of the target pointer; 4 without a target.
    uint32_t GetObjectSize() const override;

    bool Blit(CFrameInterface* source, const CIntRect& sourceRect, const CIntRect& destinationRect,
              CBlitter* blitter) override;
    void ClearRect(const CIntRect& rect) override;
    void Clear() override;
    void FillWithColor(const CColor& color) override;
    void FillWithByte(uint8_t value) override;
    void FillRect(const CIntRect& rect, const CColor& color) override;
    uint32_t GetBitsPerPixel() const override;
    uint32_t GetBytesPerPixel() const override;
    uint8_t* GetPixels() const override;
    uint8_t* GetLayer1Pixels() const override;
    uint8_t* GetLayer2Pixels() const override;
    uint8_t* GetLayer3Pixels() const override;
    uint8_t* GetLayer4Pixels() const override;
    // The target's bounds; the empty rectangle without a target.
    void GetBounds(CIntRect& out) const override;
    // The frame that really holds the pixels; null without a target.
    CFrameInterface* GetUnderlyingFrame() override;
    uint32_t GetFormatFlags() const override;
    uint16_t GetHeight() const override;
    uint32_t GetPitch() const override;
    uint32_t GetWidthLog2() const override;
    uint32_t GetHeightLog2() const override;
    int16_t GetLeft() const override;
    int16_t GetTop() const override;
    uint16_t GetWidth() const override;
    uint32_t* GetRowOffsets() const override;
    uint32_t* GetLayer1RowOffsets() const override;
    uint32_t* GetLayer2RowOffsets() const override;
    uint32_t* GetLayer3RowOffsets() const override;
    uint32_t* GetLayer4RowOffsets() const override;
    void DrawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const CColor& color) override;
    void DrawAntialiasedLine(float x0, float y0, float x1, float y1, const CColor& color) override;
    bool GetPixelColor(int32_t x, int32_t y, CColor& out) const override;
    uint32_t GetRawPixel(int32_t x, int32_t y) const override;
    void SetPixel(int32_t x, int32_t y, const CColor& color) override;
    bool IsPixelOpaque(int32_t x, int32_t y) const override;
    void ApplyRemapTableToRect(const CIntRect& rect, const CPaletteTable& table) override;
    // A proxy has no palette of its own, and does not lend its target's.
    CPaletteTable* GetPalette() override { return nullptr; }
    bool HasPalette() const override { return false; }

protected:
    CFrameInterface* m_target = nullptr;
};
