#include "graphics/DirtyRectFrame.h"

#include "blit/modes/CopyBlitter.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// A rectangle from edges that may lie one past the 32-bit range (a pixel at the largest x).
CIntRect SaturatedRect(int64_t left, int64_t top, int64_t right, int64_t bottom)
{
    auto clamp = [](int64_t v) {
        return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                        std::numeric_limits<int32_t>::max()));
    };
    return {clamp(left), clamp(top), clamp(right), clamp(bottom)};
}

int64_t Nearest(float v)
{
    return std::isfinite(v) ? static_cast<int64_t>(std::nearbyint(std::clamp(v, -4.0e9f, 4.0e9f))) : 0;
}
} // namespace

CDirtyRectFrame::CDirtyRectFrame()
{
    m_backgroundColor.ConstructRgba(0, 0, 0, 255);
    SetPageCount(3);
}

CDirtyRectFrame::~CDirtyRectFrame() = default;

CIntRect CDirtyRectFrame::GetFrameRect() const
{
    CIntRect rect;
    CFrame::GetBounds(rect);
    return rect;
}

void CDirtyRectFrame::Mark(const CIntRect& rect)
{
    m_pendingGrids[m_currentPage].AddRect(rect);
    m_restoreGrid.AddRect(rect);
}

void CDirtyRectFrame::MarkEverything()
{
    m_pendingGrids[m_currentPage].MarkAllDirty();
    m_restoreGrid.MarkAllDirty();
}

void CDirtyRectFrame::ClearRect(const CIntRect& rect)
{
    Mark(rect);
    CFrame::ClearRect(rect);
}

void CDirtyRectFrame::FillRect(const CIntRect& rect, const CColor& color)
{
    Mark(rect);
    CFrame::FillRect(rect, color);
}

void CDirtyRectFrame::ApplyRemapTableToRect(const CIntRect& rect, const CPaletteTable& table)
{
    Mark(rect);
    CFrame::ApplyRemapTableToRect(rect, table);
}

void CDirtyRectFrame::FillWithColor(const CColor& color)
{
    MarkEverything();
    CFrame::FillWithColor(color);
}

void CDirtyRectFrame::DrawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const CColor& color)
{
    Mark(SaturatedRect(std::min(x0, x1), std::min(y0, y1), int64_t{std::max(x0, x1)} + 1, int64_t{std::max(y0, y1)} + 1));
    CFrame::DrawLine(x0, y0, x1, y1, color);
}

void CDirtyRectFrame::DrawAntialiasedLine(float x0, float y0, float x1, float y1, const CColor& color)
{
    // One pixel of margin all round: the line's soft edge reaches past its end points.
    Mark(SaturatedRect(Nearest(std::min(x0, x1)) - 1, Nearest(std::min(y0, y1)) - 1, Nearest(std::max(x0, x1) + 1) + 1,
                       Nearest(std::max(y0, y1) + 1) + 1));
    CFrame::DrawAntialiasedLine(x0, y0, x1, y1, color);
}

void CDirtyRectFrame::SetPixel(int32_t x, int32_t y, const CColor& color)
{
    Mark(SaturatedRect(x, y, int64_t{x} + 1, int64_t{y} + 1));
    CFrame::SetPixel(x, y, color);
}

void CDirtyRectFrame::Clear()
{
    RestoreDirtyCells();
}

void CDirtyRectFrame::GetBounds(CIntRect& out) const
{
    out = GetFrameRect();
    // Never wider than the frame: the override only narrows where drawing may go.
    if (m_boundsOverride) {
        CIntRect narrowed = *m_boundsOverride;
        if (ClipRectToBounds(out, narrowed))
            out = narrowed;
        else
            out = {out.m_left, out.m_top, out.m_left, out.m_top};
    }
}

bool CDirtyRectFrame::BlitUnclipped(CFrameInterface* source, const CIntRect& sourceRect,
                                    const CIntRect& destinationRect, CBlitter* blitter)
{
    bool drawn = m_blitMode == kBlitInsideDirtyCells
                     ? BlitWithinDirtyCells(source, sourceRect, destinationRect, blitter)
                     : CFrame::BlitUnclipped(source, sourceRect, destinationRect, blitter);
    if (m_blitMode == kBlitAndMark)
        Mark(destinationRect);
    return drawn;
}

void CDirtyRectFrame::InvalidateRect(const CIntRect& rect)
{
    for (CDirtyCellGrid& grid : m_pendingGrids)
        grid.AddRect(rect);
    m_restoreGrid.AddRect(rect);
}

void CDirtyRectFrame::ResizeGrids()
{
    for (CDirtyCellGrid& grid : m_pendingGrids)
        grid.Resize(m_width, m_height);
    for (CDirtyCellGrid& grid : m_shownGrids)
        grid.Resize(m_width, m_height);
    m_restoreGrid.Resize(m_width, m_height);
    m_workGrid.Resize(m_width, m_height);
}

void CDirtyRectFrame::Create(uint32_t width, uint32_t height, uint32_t depth)
{
    CFrame::Create(width, height, depth);
    ResizeGrids();
    MarkAllDirty();
}

void CDirtyRectFrame::SetPageCount(uint32_t count)
{
    // A page count of 0 would leave no grid for the current page.
    m_pageCount = std::max(count, 1u);
    m_currentPage = 0;
    m_pendingGrids.assign(m_pageCount, CDirtyCellGrid());
    m_shownGrids.assign(m_pageCount, CDirtyCellGrid());
    ResizeGrids();
}

void CDirtyRectFrame::SetBackgroundColor(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha)
{
    m_backgroundColor.ConstructRgba(red, green, blue, alpha);
}

void CDirtyRectFrame::SetBackgroundFrame(CFrameInterface* frame)
{
    m_backgroundFrame = frame;
    MarkAllDirty();
}

void CDirtyRectFrame::MarkAllDirty()
{
    for (CDirtyCellGrid& grid : m_pendingGrids)
        grid.MarkAllDirty();
    m_restoreGrid.MarkAllDirty();
}

void CDirtyRectFrame::SetBoundsOverride(const CIntRect* bounds)
{
    m_boundsOverride = bounds;
}

void CDirtyRectFrame::RestoreDirtyCells()
{
    m_restoreGrid.ForEachRun([this](const CIntRect& run) {
        if (m_backgroundFrame) {
            // The background's own rectangle under the run, drawn without marking it again.
            const uint32_t mode = m_blitMode;
            m_blitMode = kBlitWithoutMarking;
            CFrame::Blit(m_backgroundFrame, run, run, &g_copyBlitter);
            m_blitMode = mode;
        } else if (m_backgroundColor.GetAlpha() == 0) {
            CFrame::ClearRect(run);
        } else {
            CFrame::FillRect(run, m_backgroundColor);
        }
    });
    m_restoreGrid.ClearAll();
}

void CDirtyRectFrame::PresentDirtyCells(CFrameInterface* target, CBlitter* blitter)
{
    if (!target)
        return;
    CDirtyCellGrid& pending = m_pendingGrids[m_currentPage];
    CDirtyCellGrid& shown = m_shownGrids[m_currentPage];
    // A corner that reads 0 means the display lost what it showed (lost pages read 0 at every
    // depth): the whole page goes again. The stored value is read, not the colour: on 8 bits the
    // marker below is an index that may well be a black one.
    if (target->GetRawPixel(0, 0) == 0)
        pending.MarkAllDirty();
    m_workGrid.CopyFrom(pending);
    m_workGrid.MergeFrom(shown);
    m_workGrid.ForEachRun([&](const CIntRect& run) { target->Blit(this, run, run, blitter); });
    shown.CopyFrom(pending);
    pending.ClearAll();
    CColor marker;
    marker.ConstructRgba(8, 8, 8, 255);
    // Index 0 would read as a lost display: the nearest other entry marks an 8-bit one.
    if (target->GetBitsPerPixel() == 8 && marker.GetPaletteIndex() == 0)
        marker.SetAvoidingIndexZero(8, 8, 8, 255);
    target->SetPixel(0, 0, marker);
}

void CDirtyRectFrame::NextPage()
{
    m_currentPage = (m_currentPage + 1) % m_pageCount;
}

bool CDirtyRectFrame::BlitWithinDirtyCells(CFrameInterface* source, const CIntRect& sourceRect,
                                           const CIntRect& destinationRect, CBlitter* blitter)
{
    const uint32_t ws = m_restoreGrid.GetWidthShift(), hs = m_restoreGrid.GetHeightShift();
    bool drawn = false;
    m_restoreGrid.ForEachRunIn(destinationRect.m_left >> ws, destinationRect.m_right >> ws,
                               destinationRect.m_top >> hs, destinationRect.m_bottom >> hs, false,
                               [&](const CIntRect& run) {
                                   CIntRect from = sourceRect, to = destinationRect;
                                   if (ClipBlitRects(run, from, to))
                                       drawn |= CFrame::BlitUnclipped(source, from, to, blitter);
                               });
    return drawn;
}
