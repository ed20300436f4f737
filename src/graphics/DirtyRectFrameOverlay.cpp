// The back buffer's kept overlay: recording the windows' and the pointer's drawing, and drawing it
// again only where it changed or where the picture under it was drawn again, or putting its last
// result back where that picture is the one it was drawn over.
#include "graphics/DirtyRectFrame.h"

#include <algorithm>
#include <cstring>

namespace {

bool s_overlaysKept = true;

// Rectangles of rows of runs, top to bottom, with each run joined to the one right above it of
// the same width that ends where it starts: fewer, taller pieces to draw in.
void JoinRunsDownward(std::vector<CIntRect>& runs)
{
    std::vector<CIntRect> joined;
    joined.reserve(runs.size());
    for (const CIntRect& run : runs) {
        auto above = std::find_if(joined.rbegin(), joined.rend(), [&](const CIntRect& r) {
            return r.m_left == run.m_left && r.m_right == run.m_right && r.m_bottom == run.m_top;
        });
        if (above != joined.rend())
            above->m_bottom = run.m_bottom;
        else
            joined.push_back(run);
    }
    runs.swap(joined);
}

// Rows of the rectangle of two frames of one size and depth.
template <class Row> void ForEachRow(const CFrame& a, const CFrame& b, const CIntRect& rect, Row&& row)
{
    const uint32_t bytes = a.GetBytesPerPixel();
    const size_t width = static_cast<size_t>(rect.GetWidth()) * bytes;
    for (int32_t y = rect.m_top; y < rect.m_bottom; ++y) {
        const size_t rowA = (static_cast<size_t>(a.GetRowOffsets()[y]) + static_cast<size_t>(rect.m_left)) * bytes;
        const size_t rowB = (static_cast<size_t>(b.GetRowOffsets()[y]) + static_cast<size_t>(rect.m_left)) * bytes;
        if (!row(a.GetPixels() + rowA, b.GetPixels() + rowB, width))
            return;
    }
}

void CopyRect(CFrame& to, const CFrame& from, const CIntRect& rect)
{
    ForEachRow(to, from, rect, [](uint8_t* t, const uint8_t* f, size_t width) {
        std::memcpy(t, f, width);
        return true;
    });
}

bool SameRect(const CFrame& a, const CFrame& b, const CIntRect& rect)
{
    bool same = true;
    ForEachRow(a, b, rect, [&](const uint8_t* p, const uint8_t* q, size_t width) {
        same = std::memcmp(p, q, width) == 0;
        return same;
    });
    return same;
}

// Whether a dirty part of the grid meets the rectangle.
bool GridMeets(const CDirtyCellGrid& grid, const CIntRect& rect)
{
    CIntRect clipped = rect;
    if (!ClipRectToBounds({0, 0, grid.GetWidth(), grid.GetHeight()}, clipped) || clipped.IsEmpty())
        return false;
    const uint32_t ws = grid.GetWidthShift(), hs = grid.GetHeightShift();
    for (int32_t row = clipped.m_top >> hs; row <= (clipped.m_bottom - 1) >> hs; ++row)
        for (int32_t column = clipped.m_left >> ws; column <= (clipped.m_right - 1) >> ws; ++column) {
            CIntRect part = grid.GetCellPart(column, row);
            if (!part.IsEmpty() && ClipRectToBounds(clipped, part) && !part.IsEmpty())
                return true;
        }
    return false;
}

// The cell's pixels within the frame.
CIntRect CellRect(const CDirtyCellGrid& grid, int32_t column, int32_t row)
{
    const int32_t left = column << grid.GetWidthShift(), top = row << grid.GetHeightShift();
    return {left, top, std::min(left + static_cast<int32_t>(grid.GetCellWidth()), grid.GetWidth()),
            std::min(top + static_cast<int32_t>(grid.GetCellHeight()), grid.GetHeight())};
}

bool Contains(const CIntRect& outer, const CIntRect& inner)
{
    return inner.m_left >= outer.m_left && inner.m_top >= outer.m_top && inner.m_right <= outer.m_right &&
           inner.m_bottom <= outer.m_bottom;
}

// Calls visit(column, row) for every cell of the grid.
template <class Visit> void ForEachCell(const CDirtyCellGrid& grid, Visit&& visit)
{
    for (uint32_t row = 0; row < grid.GetRows(); ++row)
        for (uint32_t column = 0; column < grid.GetColumns(); ++column)
            visit(static_cast<int32_t>(column), static_cast<int32_t>(row));
}

} // namespace

void CDirtyRectFrame::SetOverlaysKept(bool kept)
{
    s_overlaysKept = kept;
}

void CDirtyRectFrame::Touch(const CIntRect& rect, bool onlyDrawnCells)
{
    if (!m_overlayKept || !m_underOverlay || rect.IsEmpty())
        return;
    CIntRect clipped = rect;
    if (!ClipRectToBounds(GetFrameRect(), clipped))
        return;
    const uint32_t ws = m_overlayGrid.GetWidthShift(), hs = m_overlayGrid.GetHeightShift();
    for (int32_t row = clipped.m_top >> hs; row <= (clipped.m_bottom - 1) >> hs; ++row)
        for (int32_t column = clipped.m_left >> ws; column <= (clipped.m_right - 1) >> ws; ++column)
            if (m_overlayGrid.IsCellDirty(column, row) && (!onlyDrawnCells || m_restoreGrid.IsCellDirty(column, row)))
                RestoreOverlayCell(column, row);
}

void CDirtyRectFrame::RestoreOverlayCell(int32_t column, int32_t row)
{
    const CIntRect part = m_overlayGrid.GetCellPart(column, row);
    RestoreArea(part);
    m_freshGrid.AddRect(part);
    m_overlayGrid.ClearCell(column, row);
}

void CDirtyRectFrame::ResetOverlay()
{
    m_overlay.Reset();
    m_overlayOpen = false;
    m_underOverlay = false;
    m_overlayKept = false;
    m_overlayGrid.ClearAll();
    m_freshGrid.ClearAll();
    m_knownGrid.ClearAll();
}

void CDirtyRectFrame::BeginOverlay()
{
    if (!s_overlaysKept || m_overlayOpen)
        return;
    m_overlayOpen = true;
    m_overlay.Begin(GetFrameRect(), GetBitsPerPixel());
}

void CDirtyRectFrame::EndOverlay()
{
    if (!m_overlayOpen)
        return;
    m_overlayOpen = false;
    m_underOverlay = false;
    if (m_underCopy.GetWidth() != m_width || m_underCopy.GetHeight() != m_height ||
        m_underCopy.GetBitsPerPixel() != GetBitsPerPixel()) {
        m_underCopy.Create(m_width, m_height, GetBitsPerPixel());
        m_resultCopy.Create(m_width, m_height, GetBitsPerPixel());
        m_knownGrid.ClearAll();
    }
    FindOverlayReplay();
    PutBackOverlay();
    DrawOverlayAgain();
    m_overlay.Finish();
    m_freshGrid.ClearAll();
}

void CDirtyRectFrame::FindOverlayReplay()
{
    m_replayGrid.ClearAll();
    // Where the overlay changed, every page shows the change, and it is drawn again there.
    m_overlayAreas.clear();
    m_overlay.FindChanges(m_overlayAreas);
    for (const CIntRect& area : m_overlayAreas) {
        m_replayGrid.AddRect(area);
        for (CDirtyCellGrid& grid : m_pendingGrids)
            grid.AddRect(area);
    }
    // Where the picture under it was drawn again, it is drawn again too, unless the picture there
    // is the one it was last drawn over: its result then stays as it was. Cells it does not draw
    // on need neither.
    m_extentGrid.ClearAll();
    m_overlay.ForEachArea([this](const CIntRect& area) { m_extentGrid.AddRect(area); });
    ForEachCell(m_freshGrid, [&](int32_t column, int32_t row) {
        const CIntRect part = m_freshGrid.GetCellPart(column, row);
        if (part.IsEmpty() || !m_extentGrid.IsCellDirty(column, row))
            return;
        if (!m_replayGrid.IsCellDirty(column, row) && m_knownGrid.IsCellDirty(column, row) &&
            SameRect(*this, m_underCopy, part))
            return;
        m_replayGrid.AddRect(part);
    });
    // Ready what is drawn again, cell by whole cell: kept overlay pixels there give way to the
    // picture under them, and a call that cannot be drawn in part takes its whole area with it,
    // until nothing grows.
    m_inexactAreas.clear();
    m_overlay.FindInexactAreas(m_inexactAreas);
    std::vector<bool> taken(m_inexactAreas.size(), false);
    for (bool grown = true; grown;) {
        grown = false;
        for (size_t i = 0; i < m_inexactAreas.size(); ++i) {
            if (taken[i])
                continue;
            const CIntRect& area = m_inexactAreas[i];
            if (GridMeets(m_replayGrid, area)) {
                m_replayGrid.AddRect(area);
                taken[i] = grown = true;
            }
        }
        ForEachCell(m_replayGrid, [&](int32_t column, int32_t row) {
            if (!m_replayGrid.IsCellDirty(column, row))
                return;
            // Whole cells: once its kept overlay pixels are gone, a cell holds only this frame's
            // picture, and its copies are whole after it is drawn again.
            const CIntRect cell = CellRect(m_replayGrid, column, row);
            if (!Contains(m_replayGrid.GetCellPart(column, row), cell)) {
                m_replayGrid.AddRect(cell);
                grown = true;
            }
            if (m_overlayGrid.IsCellDirty(column, row)) {
                const CIntRect kept = m_overlayGrid.GetCellPart(column, row);
                RestoreArea(kept);
                m_overlayGrid.ClearCell(column, row);
                m_replayGrid.AddRect(kept);
                grown = true;
            }
        });
    }
}

void CDirtyRectFrame::PutBackOverlay()
{
    ForEachCell(m_freshGrid, [&](int32_t column, int32_t row) {
        const CIntRect part = m_freshGrid.GetCellPart(column, row);
        if (part.IsEmpty() || m_replayGrid.IsCellDirty(column, row) || !m_extentGrid.IsCellDirty(column, row))
            return;
        CopyRect(*this, m_resultCopy, part);
        m_overlayGrid.AddRect(part);
        m_overlayKept = true;
    });
}

void CDirtyRectFrame::DrawOverlayAgain()
{
    m_regions.clear();
    m_replayGrid.ForEachRun([this](const CIntRect& run) { m_regions.push_back(run); });
    JoinRunsDownward(m_regions);
    for (const CIntRect& region : m_regions)
        CopyRect(m_underCopy, *this, region);
    CDirtyCellGrid& pending = m_pendingGrids[m_currentPage];
    m_overlayDrawnArea = 0;
    m_overlay.Replay(*this, m_regions, [&](const CIntRect& drawn) {
        m_overlayDrawnArea += static_cast<uint64_t>(drawn.GetWidth()) * static_cast<uint64_t>(drawn.GetHeight());
        pending.AddRect(drawn);
        m_overlayGrid.AddRect(drawn);
        m_overlayKept = true;
    });
    for (const CIntRect& region : m_regions)
        CopyRect(m_resultCopy, *this, region);
    ForEachCell(m_replayGrid, [&](int32_t column, int32_t row) {
        if (m_replayGrid.IsCellDirty(column, row))
            m_knownGrid.AddRect(CellRect(m_replayGrid, column, row));
    });
}
