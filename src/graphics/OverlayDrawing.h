#pragma once
// The drawing of what lies over a frame's picture (the windows and the pointer), kept as the list
// of calls a frame made instead of as pixels: each frame's calls are recorded, compared with the
// last frame's to find where the overlay changed, and replayed only where its pixels must be drawn
// again. The back buffer (DirtyRectFrame.h) drives it.
//
// Replaying a call clipped to a part of its area gives exactly the pixels of the whole call there
// for fills, remaps, pixels, lines along a row or a column and blits of unscaled pictures
// ("exact" calls), except on 16 bits, where blends run in groups of four pixels counted from the
// start of each run, so that only opaque plain pictures keep their pixels when cut. A scaled or
// blended 16-bit blit or a slanted or anti-aliased line is replayed whole, so the caller first
// makes its whole area ready (FindInexactAreas).
//
// The rule a caller must know: the list names frames, blitters and tables by address, so what it
// names must live and keep its pixels from the call to the replay and, for the comparison, to the
// next frame. A frame whose pixels are rewritten while windows draw (a picture tinted for each
// window that shows it) must be named with NoteRewrittenWhileDrawing: the list copies it.
#include "graphics/Color.h"
#include "graphics/FrameInterface.h"
#include "graphics/IntRect.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

class CBlitter;
class CFrame;
class CFrameInterface;
class CPaletteTable;

class COverlayDrawing
{
public:
    COverlayDrawing();
    ~COverlayDrawing();

    // The frame's pixels may change between a call that draws it and the next: drawn from a copy.
    static void NoteRewrittenWhileDrawing(const CFrameInterface* frame);

    // Starts a new list for a frame of that extent (areas are clipped to it) and depth.
    void Begin(const CIntRect& bounds, uint32_t depth);
    // The calls, with the arguments the frame's own operations take (blit rectangles already
    // clipped, the destination in pixels).
    void RecordBlit(CFrameInterface* source, const CIntRect& sourceRect, const CIntRect& destinationRect,
                    CBlitter* blitter);
    void RecordClearRect(const CIntRect& rect);
    void RecordFillRect(const CIntRect& rect, const CColor& color);
    void RecordRemap(const CIntRect& rect, const CPaletteTable& table);
    void RecordLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const CColor& color);
    void RecordAntialiasedLine(float x0, float y0, float x1, float y1, const CColor& color);
    void RecordPixel(int32_t x, int32_t y, const CColor& color);

    // The areas where the list differs from the last frame's: the areas of the calls that changed,
    // of the old calls and of the new.
    void FindChanges(std::vector<CIntRect>& out) const;
    // The areas of the calls that cannot be replayed in part.
    void FindInexactAreas(std::vector<CIntRect>& out) const;
    // visit(area) for the area of every call of the list being made.
    template <class Visit> void ForEachArea(Visit&& visit) const
    {
        for (const Command& command : m_current)
            if (!command.area.IsEmpty())
                visit(command.area);
    }
    bool IsEmpty() const { return m_current.empty(); }

    // Performs the calls on the frame (its own operations, unmarked) inside the regions, which must
    // not overlap; a call that cannot be replayed in part is performed whole where it meets one.
    // drawn(rect) is told every area drawn. Nothing at all when no region is given.
    template <class Drawn> void Replay(CFrame& target, const std::vector<CIntRect>& regions, Drawn&& drawn);
    // This list becomes the last frame's.
    void Finish();
    // Forgets both lists: the next comparison finds every call changed.
    void Reset();

private:
    enum class Kind : uint8_t
    {
        Blit,
        ClearRect,
        FillRect,
        Remap,
        Line,
        AntialiasedLine,
        Pixel,
    };
    struct Command
    {
        Kind kind = Kind::FillRect;
        bool exact = true;
        CFrameInterface* source = nullptr;   // as named by the caller
        CFrame* copy = nullptr;              // the copy drawn instead, when the source is rewritten
        CIntRect sourceRect;
        CIntRect rect;                       // blit destination, fill area
        CIntRect area;                       // the pixels the call may change, within the bounds
        CBlitter* blitter = nullptr;
        float opacity = 1.0f;
        CColor color;
        int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        float fx0 = 0, fy0 = 0, fx1 = 0, fy1 = 0;
        const CPaletteTable* table = nullptr;
    };
    Command& Add(Kind kind, const CIntRect& area);
    bool Same(const Command& a, const Command& b) const;
    // Performs the call clipped to the region (exact calls) or whole; the area drawn, or empty.
    static CIntRect Perform(CFrame& target, const Command& command, const CIntRect* region);
    CFrame* CopyOf(CFrameInterface* source);

    CIntRect m_bounds;
    uint32_t m_depth = 0;
    std::vector<Command> m_current;
    std::vector<Command> m_last;
    // Copies of rewritten sources, for the list being made and the last one.
    std::vector<std::unique_ptr<CFrame>> m_copies;
    std::vector<std::unique_ptr<CFrame>> m_lastCopies;
};

template <class Drawn> void COverlayDrawing::Replay(CFrame& target, const std::vector<CIntRect>& regions, Drawn&& drawn)
{
    if (regions.empty())
        return;
    // The regions' union, to pass over calls that meet none at once.
    CIntRect all = regions.front();
    for (const CIntRect& region : regions)
        all = {std::min(all.m_left, region.m_left), std::min(all.m_top, region.m_top),
               std::max(all.m_right, region.m_right), std::max(all.m_bottom, region.m_bottom)};
    for (const Command& command : m_current) {
        CIntRect near = command.area;
        if (near.IsEmpty() || !ClipRectToBounds(all, near) || near.IsEmpty())
            continue;
        for (const CIntRect& region : regions) {
            if (region.m_left >= command.area.m_right || region.m_right <= command.area.m_left ||
                region.m_top >= command.area.m_bottom || region.m_bottom <= command.area.m_top)
                continue;
            // A call that cannot be cut is performed whole, once: its whole area is ready.
            const CIntRect done = Perform(target, command, command.exact ? &region : nullptr);
            if (!done.IsEmpty())
                drawn(done);
            if (!command.exact)
                break;
        }
    }
}
