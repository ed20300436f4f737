#pragma once
// What the blit routines need of their frames, resolved once per blit: plain rectangles as
// first-pixel pointers and byte pitches, run-length layers as row tables, and the opacity as
// either "opaque" or the level's row published for the kernels. A frame that is a CFrame (nearly
// every one) is read from its fields without a call; any other through its interface.
//
// The rule a caller must know: the rectangles come clipped from the frame (both the same size);
// these helpers refuse frames without memory and rectangles that reach outside their frame (a
// routine called other than through a frame's blit then draws nothing).
#include "blit/Blitter.h"
#include "blit/kernels/RunLengthWalker.h"
#include "graphics/Frame.h"
#include "graphics/IntRect.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <type_traits>

class CFrameInterface;
class CPaletteTable;

// The function type of every blit routine, for declaring them: `BlitRoutineFunction LevelBlit16;`.
using BlitRoutineFunction = std::remove_pointer_t<BlitRoutine>;

// One rectangle of a plain frame.
struct PlainRect
{
    uint8_t* first = nullptr; // its first pixel
    ptrdiff_t pitch = 0;      // bytes between rows
    uint32_t width = 0;       // pixels
    uint32_t height = 0;

    uint8_t* Row(uint32_t r) const { return first + static_cast<ptrdiff_t>(r) * pitch; }
};

// The steps of a blit are melted into the routines: a sprite's blit is short, and its fixed cost
// counts.
#define VANTOREL_BLIT_STEP inline __attribute__((always_inline))

// op(frame) with the frame as a CFrame when it is one, its getters then read inline, else through
// its interface; op is made for both.
template <class Op>
VANTOREL_BLIT_STEP decltype(auto) WithFrame(CFrameInterface* frame, Op&& op)
{
    if (CFrame* plain = frame->AsFrame())
        return op(static_cast<const CFrame&>(*plain));
    return op(static_cast<const CFrameInterface&>(*frame));
}

// Whether the rectangle lies inside the frame. Frames clip the rectangles they pass; a routine
// called any other way must still not reach outside a frame.
template <class Frame>
VANTOREL_BLIT_STEP bool InsideFrame(const Frame& frame, const CIntRect& rect)
{
    return rect.m_left >= 0 && rect.m_top >= 0 && rect.m_right <= static_cast<int32_t>(frame.GetWidth()) &&
           rect.m_bottom <= static_cast<int32_t>(frame.GetHeight());
}

// False (nothing to draw) when the frame has no pixels or no row table, or the rectangle is empty
// or reaches outside the frame. Bytes per pixel are the routine's own, not asked of the frame.
template <class Frame>
VANTOREL_BLIT_STEP bool ResolvePlainRectOf(const Frame& frame, const CIntRect& rect, uint32_t bytes, PlainRect& out)
{
    uint8_t* pixels = frame.GetPixels();
    const uint32_t* rows = frame.GetRowOffsets();
    if (!pixels || !rows || rect.IsEmpty() || !InsideFrame(frame, rect))
        return false;
    out.first = pixels + (static_cast<size_t>(rows[rect.m_top]) + static_cast<uint32_t>(rect.m_left)) * bytes;
    out.pitch = static_cast<ptrdiff_t>(frame.GetPitch()) * bytes;
    out.width = static_cast<uint32_t>(rect.GetWidth());
    out.height = static_cast<uint32_t>(rect.GetHeight());
    return true;
}

VANTOREL_BLIT_STEP bool ResolvePlainRect(CFrameInterface* frame, const CIntRect& rect, uint32_t bytes, PlainRect& out)
{
    return WithFrame(frame, [&](const auto& f) { return ResolvePlainRectOf(f, rect, bytes, out); });
}

// The rectangles of a blit between two plain frames.
struct PlainBlit
{
    const uint8_t* source = nullptr; // first pixel of the source rectangle
    ptrdiff_t sourcePitch = 0;       // bytes between source rows
    uint8_t* destination = nullptr;
    ptrdiff_t destinationPitch = 0;
    uint32_t width = 0; // pixels
    uint32_t height = 0;
};

// Both rectangles as ResolvePlainRect resolves them, the smaller width and height taken for both;
// false as there.
VANTOREL_BLIT_STEP bool ResolvePlainBlit(CFrameInterface* source, const CIntRect& sourceRect, uint32_t sourceBytes,
                                         CFrameInterface* destination, const CIntRect& destinationRect,
                                         uint32_t destinationBytes, PlainBlit& out)
{
    PlainRect from, to;
    if (!ResolvePlainRect(source, sourceRect, sourceBytes, from) ||
        !ResolvePlainRect(destination, destinationRect, destinationBytes, to))
        return false;
    out.source = from.first;
    out.sourcePitch = from.pitch;
    out.destination = to.first;
    out.destinationPitch = to.pitch;
    out.width = std::min(from.width, to.width);
    out.height = std::min(from.height, to.height);
    return true;
}

// op(destination row, source row, width) for every row.
template <class RowOp>
void ForEachRow(const PlainBlit& blit, RowOp op)
{
    const uint8_t* s = blit.source;
    uint8_t* d = blit.destination;
    for (uint32_t r = 0; r < blit.height; ++r, s += blit.sourcePitch, d += blit.destinationPitch)
        op(d, s, blit.width);
}

// op(destination pixel, source pixel) for every pixel, left to right, top to bottom.
template <uint32_t SourceBytes, uint32_t DestinationBytes, class PixelOp>
void ForEachPixel(const PlainBlit& blit, PixelOp op)
{
    ForEachRow(blit, [&](uint8_t* d, const uint8_t* s, uint32_t width) {
        for (uint32_t i = 0; i < width; ++i)
            op(d + static_cast<size_t>(i) * DestinationBytes, s + static_cast<size_t>(i) * SourceBytes);
    });
}

// The loop of a span table (its last entry), which takes runs of any length, for drawing a
// whole row of a plain frame at once.
inline const SpanKernel& RowLoop(const SpanTable& table)
{
    return table[kLongestSpan];
}

// Copies every row of pixels of `bytes` each. A frame drawn onto itself is copied as memmove
// would: rows in the order that reads each one before it is overwritten.
void CopyPlainRows(const PlainBlit& blit, uint32_t bytes);

// A kernel that copies a row of `width` pixels of `bytes` each: one made for that length where the
// span kernel table has one (short rows then cost no call of the library's copy), else a loop.
SpanSourceKernel RowCopyKernel(uint32_t width, uint32_t bytes);

// True at opacity exactly 1.0. Otherwise points g_currentAlphaRow at the row of the blend mode's
// level and answers false.
inline bool IsOpaqueElsePublishLevel(CBlitter* blitter)
{
    if (blitter->GetOpacity() == 1.0f)
        return true;
    g_currentAlphaRow = g_alphaScaleTables[blitter->GetLevel()];
    return false;
}

// The palette (256 entries of blue, green, red) for an 8-bit source: the blend mode's lookup
// table when it holds one, else the source frame's own; null when neither has one.
const uint8_t* ChooseSourcePalette(CBlitter* blitter, CFrameInterface* source);

// A 256 x 256 table of palette indices held by the table, or null when it holds something else.
const uint8_t* BlendTableOf(const CPaletteTable* table);

// The layers of a run-length frame: 0 the main rows, 1 to 4 the layers. Absent when the frame
// lacks the pixels or the row table.
template <class Frame>
VANTOREL_BLIT_STEP RunLengthRows GetRunLengthLayer(const Frame& frame, uint32_t layer)
{
    switch (layer) {
    case 0: return {frame.GetPixels(), frame.GetRowOffsets()};
    case 1: return {frame.GetLayer1Pixels(), frame.GetLayer1RowOffsets()};
    case 2: return {frame.GetLayer2Pixels(), frame.GetLayer2RowOffsets()};
    case 3: return {frame.GetLayer3Pixels(), frame.GetLayer3RowOffsets()};
    case 4: return {frame.GetLayer4Pixels(), frame.GetLayer4RowOffsets()};
    default: return {};
    }
}

// The destination side of a run-length blit into `out`: first row, pitch, row count and columns.
// False, with `out` unset, when the destination has no memory, or a rectangle is empty or
// reaches outside its frame.
template <class Source, class Destination>
VANTOREL_BLIT_STEP bool ResolveRunLengthTarget(const Source& source, const CIntRect& sourceRect,
                                               const Destination& destination, const CIntRect& destinationRect,
                                               uint32_t pixelBytes, RunLengthTarget& out)
{
    const int32_t width = std::min(sourceRect.GetWidth(), destinationRect.GetWidth());
    const int32_t height = std::min(sourceRect.GetHeight(), destinationRect.GetHeight());
    uint8_t* pixels = destination.GetPixels();
    const uint32_t* rows = destination.GetRowOffsets();
    if (width <= 0 || height <= 0 || !pixels || !rows || !InsideFrame(source, sourceRect) ||
        !InsideFrame(destination, destinationRect))
        return false;
    out.firstRow = pixels + static_cast<size_t>(rows[destinationRect.m_top]) * pixelBytes;
    out.pitch = static_cast<ptrdiff_t>(destination.GetPitch()) * pixelBytes;
    out.rowCount = static_cast<uint32_t>(height);
    out.columns.origin = destinationRect.m_left - sourceRect.m_left;
    out.columns.left = destinationRect.m_left;
    out.columns.right = destinationRect.m_left + width;
    return true;
}

// Whether the source rectangle spans the source's whole width (the whole-row walkers may run).
template <class Frame>
VANTOREL_BLIT_STEP bool SpansWholeWidth(const Frame& source, const CIntRect& sourceRect)
{
    return sourceRect.m_left == 0 && sourceRect.m_right == static_cast<int32_t>(source.GetWidth());
}
