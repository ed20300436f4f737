#pragma once
// The drawing surface of the system. Every image in memory, the display, the back buffer and the
// proxy and recording frames implement it, and every drawing client draws only through it.
//
// Coordinates are relative to the frame's hot spot, the point (0, 0): the top-left pixel lies at
// (GetLeft, GetTop) = (-hot spot x, -hot spot y). Pixel memory is addressed through a row-offset
// table: entry r is the offset of row r in pixels, so pixel (column c, row r) is at byte
// (rowOffset[r] + c) * bytes per pixel. Run-length rows (Frame.h) use byte offsets instead.
#include "graphics/IntRect.h"
#include "objects/Object.h"

#include <cstdint>

class CBlitter;
class CColor;
class CFrame;
class CPaletteTable;

// Format flags.
constexpr uint32_t kFrameRunLength8 = 0x2;      // run-length rows of 8-bit data with up to four layers
constexpr uint32_t kFrameRunLengthAlpha = 0x4;  // run-length rows with a colour layer and an alpha layer
constexpr uint32_t kFrameRunLengthMask = 0x6;
constexpr uint32_t kFrameDepth8 = 0x20;         // palette indices
constexpr uint32_t kFrameDepth16 = 0x40;        // RGB 5-6-5
constexpr uint32_t kFrameDepth24 = 0x80;        // bytes B, G, R
constexpr uint32_t kFrameDepth32 = 0x100;       // bytes B, G, R, A
constexpr uint32_t kFrameDepthMask = 0x1E0;
constexpr uint32_t kFrameEncodedByStage = 0x2000;
constexpr uint32_t kFrameHasPalette = 0x4000;

class CFrameInterface : public CObject
{
    DECLARE_CLASS_RECORD(CFrameInterface)

    CFrameInterface();
    ~CFrameInterface() override;

    // Draws the source rectangle (source frame coordinates) into the destination rectangle (this
    // frame's coordinates) with the blitter's routine for the pair of formats. True when drawn.
    virtual bool Blit(CFrameInterface* source, const CIntRect& sourceRect, const CIntRect& destinationRect,
                      CBlitter* blitter) = 0;
    virtual void ClearRect(const CIntRect& rect) = 0;
    virtual void Clear() = 0;
    virtual void FillWithColor(const CColor& color) = 0;
    virtual void FillWithByte(uint8_t value) = 0;
    virtual void FillRect(const CIntRect& rect, const CColor& color) = 0;
    virtual uint32_t GetBitsPerPixel() const = 0;
    virtual uint32_t GetBytesPerPixel() const = 0;
    virtual uint8_t* GetPixels() const = 0;
    virtual uint8_t* GetLayer1Pixels() const = 0;
    virtual uint8_t* GetLayer2Pixels() const = 0;
    virtual uint8_t* GetLayer3Pixels() const = 0;
    virtual uint8_t* GetLayer4Pixels() const = 0;
    virtual void GetBounds(CIntRect& out) const = 0;
    virtual CFrameInterface* GetUnderlyingFrame();
    virtual uint32_t GetFormatFlags() const = 0;
    virtual uint16_t GetHeight() const = 0;
    virtual uint32_t GetPitch() const = 0;
    virtual uint32_t GetWidthLog2() const = 0;
    virtual uint32_t GetHeightLog2() const = 0;
    virtual int16_t GetLeft() const = 0;
    virtual int16_t GetTop() const = 0;
    virtual uint16_t GetWidth() const = 0;
    virtual uint32_t* GetRowOffsets() const = 0;
    virtual uint32_t* GetLayer1RowOffsets() const = 0;
    virtual uint32_t* GetLayer2RowOffsets() const = 0;
    virtual uint32_t* GetLayer3RowOffsets() const = 0;
    virtual uint32_t* GetLayer4RowOffsets() const = 0;
    // End points inclusive.
    virtual void DrawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const CColor& color) = 0;
    virtual void DrawAntialiasedLine(float x0, float y0, float x1, float y1, const CColor& color) = 0;
    // False, with transparent black, outside the frame.
    virtual bool GetPixelColor(int32_t x, int32_t y, CColor& out) const = 0;
    // The stored value; for run-length frames all ones when a drawn run covers the pixel.
    virtual uint32_t GetRawPixel(int32_t x, int32_t y) const = 0;
    virtual void SetPixel(int32_t x, int32_t y, const CColor& color) = 0;
    virtual bool IsPixelOpaque(int32_t x, int32_t y) const = 0;
    // table: a remap table of 256 palette indices (its first 256 bytes).
    virtual void ApplyRemapTableToRect(const CIntRect& rect, const CPaletteTable& table) = 0;
    virtual CPaletteTable* GetPalette();
    virtual bool HasPalette() const;
    virtual uint32_t ReservedOperation1();
    virtual uint32_t ReservedOperation2();

    // This frame as a CFrame when it is one, else null. A CFrame's getters answer from its fields
    // (they are final), so the blit routines read them without a call.
    CFrame* AsFrame() const { return m_asFrame; }

    // The source's hot spot lands on (x, y).
    bool DrawFrameAt(CFrameInterface* source, int32_t x, int32_t y, CBlitter* blitter);
    void DrawRectOutline(const CIntRect& rect, const CColor& color);
    // Top and left edges in the light colour, bottom and right in the dark one.
    void DrawBevelRect(const CIntRect& rect, const CColor& light, const CColor& dark);
    void FillRectCoords(int32_t left, int32_t top, int32_t right, int32_t bottom, const CColor& color);
    void DrawAntialiasedLineBetween(const CFloatPoint& from, const CFloatPoint& to, const CColor& color);
    // Nothing for an inverted rectangle.
    void ApplyRemapTableToCoords(int32_t left, int32_t top, int32_t right, int32_t bottom, const CPaletteTable& table);

protected:
    // Set by CFrame's constructor (AsFrame).
    CFrame* m_asFrame = nullptr;
};

// Clips the destination rectangle to the bounds, edge by edge (top, bottom, left, right), moving
// the matching edge of the source rectangle by the same amount. False when nothing is left.
bool ClipBlitRects(const CIntRect& bounds, CIntRect& source, CIntRect& destination);
// Intersects the rectangle with the bounds in place; false when nothing is left.
bool ClipRectToBounds(const CIntRect& bounds, CIntRect& rect);
// Clips an integer line (end points inclusive) in place; false when nothing of it is inside.
bool ClipLine(const CIntRect& bounds, int32_t& x0, int32_t& y0, int32_t& x1, int32_t& y1);
// The same for float end points, the far edges taken at right - 1 and bottom - 1.
bool ClipLineFloat(const CFloatRect& bounds, float& x0, float& y0, float& x1, float& y1);
