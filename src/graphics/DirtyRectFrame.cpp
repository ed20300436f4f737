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
    if (m_overlayOpen)
        return m_overlay.RecordClearRect(rect);
    Touch(rect);
    Mark(rect);
    CFrame::ClearRect(rect);
}

void CDirtyRectFrame::FillRect(const CIntRect& rect, const CColor& color)
{
    if (m_overlayOpen)
        return m_overlay.RecordFillRect(rect, color);
    Touch(rect);
    Mark(rect);
    CFrame::FillRect(rect, color);
}

void CDirtyRectFrame::ApplyRemapTableToRect(const CIntRect& rect, const CPaletteTable& table)
{
    if (m_overlayOpen)
        return m_overlay.RecordRemap(rect, table);
    Touch(rect);
    Mark(rect);
    CFrame::ApplyRemapTableToRect(rect, table);
}

void CDirtyRectFrame::FillWithColor(const CColor& color)
{
    if (m_overlayOpen)
        return m_overlay.RecordFillRect(GetFrameRect(), color);
    Touch(GetFrameRect());
    MarkEverything();
    CFrame::FillWithColor(color);
}

void CDirtyRectFrame::DrawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, const CColor& color)
{
    if (m_overlayOpen)
        return m_overlay.RecordLine(x0, y0, x1, y1, color);
    const CIntRect area =
        SaturatedRect(std::min(x0, x1), std::min(y0, y1), int64_t{std::max(x0, x1)} + 1, int64_t{std::max(y0, y1)} + 1);
    Touch(area);
    Mark(area);
    CFrame::DrawLine(x0, y0, x1, y1, color);
}

void CDirtyRectFrame::DrawAntialiasedLine(float x0, float y0, float x1, float y1, const CColor& color)
{
    if (m_overlayOpen)
        return m_overlay.RecordAntialiasedLine(x0, y0, x1, y1, color);
    // One pixel of margin all round: the line's soft edge reaches past its end points.
    const CIntRect area = SaturatedRect(Nearest(std::min(x0, x1)) - 1, Nearest(std::min(y0, y1)) - 1,
                                        Nearest(std::max(x0, x1) + 1) + 1, Nearest(std::max(y0, y1) + 1) + 1);
    Touch(area);
    Mark(area);
    CFrame::DrawAntialiasedLine(x0, y0, x1, y1, color);
}

void CDirtyRectFrame::SetPixel(int32_t x, int32_t y, const CColor& color)
{
    if (m_overlayOpen)
        return m_overlay.RecordPixel(x, y, color);
    const CIntRect area = SaturatedRect(x, y, int64_t{x} + 1, int64_t{y} + 1);
    Touch(area);
    Mark(area);
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
    if (m_overlayOpen && m_blitMode != kBlitWithoutMarking) {
        m_overlay.RecordBlit(source, sourceRect, destinationRect, blitter);
        // As the blit would answer: whether the blend mode draws this pair of formats.
        return blitter && blitter->FindRoutine(source, this);
    }
    if (m_blitMode == kBlitAndMark)
        Touch(destinationRect);
    else if (m_blitMode == kBlitInsideDirtyCells)
        Touch(destinationRect, true);
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
    m_overlayGrid.Resize(m_width, m_height);
    m_freshGrid.Resize(m_width, m_height);
    m_replayGrid.Resize(m_width, m_height);
    m_extentGrid.Resize(m_width, m_height);
    m_knownGrid.Resize(m_width, m_height);
}

void CDirtyRectFrame::Create(uint32_t width, uint32_t height, uint32_t depth)
{
    CFrame::Create(width, height, depth);
    ResizeGrids();
    ResetOverlay();
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
    ResetOverlay();
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

void CDirtyRectFrame::RestoreArea(const CIntRect& rect)
{
    if (m_backgroundFrame) {
        // The background's own rectangle under the run, drawn without marking it again.
        const uint32_t mode = m_blitMode;
        m_blitMode = kBlitWithoutMarking;
        CFrame::Blit(m_backgroundFrame, rect, rect, &g_copyBlitter);
        m_blitMode = mode;
    } else if (m_backgroundColor.GetAlpha() == 0) {
        CFrame::ClearRect(rect);
    } else {
        CFrame::FillRect(rect, m_backgroundColor);
    }
}

void CDirtyRectFrame::RestoreDirtyCells()
{
    // A frame went by without the overlay being drawn: what it restored lost its overlay pixels
    // unnoticed, so the next overlay is drawn as if new.
    if (m_underOverlay)
        m_overlay.Reset();
    // A cell restored for the picture loses its kept overlay pixels with it: the overlay is drawn
    // again over the picture there.
    if (m_overlayKept) {
        for (uint32_t row = 0; row < m_restoreGrid.GetRows(); ++row)
            for (uint32_t column = 0; column < m_restoreGrid.GetColumns(); ++column) {
                const auto c = static_cast<int32_t>(column), r = static_cast<int32_t>(row);
                if (m_restoreGrid.IsCellDirty(c, r) && m_overlayGrid.IsCellDirty(c, r)) {
                    m_restoreGrid.AddRect(m_overlayGrid.GetCellPart(c, r));
                    m_overlayGrid.ClearCell(c, r);
                }
            }
        m_overlayKept = !m_overlayGrid.IsEmpty();
    }
    m_restoreGrid.ForEachRun([this](const CIntRect& run) { RestoreArea(run); });
    m_freshGrid.CopyFrom(m_restoreGrid);
    m_restoreGrid.ClearAll();
    m_underOverlay = true;
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
