#include "graphics/DirtyCellGrid.h"

#include "graphics/FrameInterface.h"

#include <algorithm>
#include <limits>

namespace {
// In 64 bits: a rectangle far outside the grid must not overflow on its way to the clamp.
int8_t ClampToCell(int64_t edge, int64_t cellOrigin, uint32_t size)
{
    return static_cast<int8_t>(std::clamp<int64_t>(edge - cellOrigin, 0, size));
}
} // namespace

void CDirtyCellGrid::Resize(int32_t width, int32_t height)
{
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    m_cellWidth = 1u << m_widthShift;
    m_cellHeight = 1u << m_heightShift;
    m_columns = (static_cast<uint32_t>(m_width) + m_cellWidth - 1) >> m_widthShift;
    m_rows = (static_cast<uint32_t>(m_height) + m_cellHeight - 1) >> m_heightShift;
    m_rowStarts.resize(m_rows);
    for (uint32_t row = 0; row < m_rows; ++row)
        m_rowStarts[row] = row * m_columns;
    m_cells.assign(static_cast<size_t>(m_columns) * m_rows, CDirtyCell{});
}

void CDirtyCellGrid::AddRect(const CIntRect& rect)
{
    // An empty rectangle changes nothing (and would leave an empty part behind).
    if (rect.IsEmpty())
        return;
    CIntRect clipped = rect;
    const CIntRect cells{0, 0, static_cast<int32_t>(m_columns * m_cellWidth), static_cast<int32_t>(m_rows * m_cellHeight)};
    if (!ClipRectToBounds(cells, clipped))
        return;
    const int32_t firstColumn = clipped.m_left >> m_widthShift, lastColumn = (clipped.m_right - 1) >> m_widthShift;
    const int32_t firstRow = clipped.m_top >> m_heightShift, lastRow = (clipped.m_bottom - 1) >> m_heightShift;
    for (int32_t row = firstRow; row <= lastRow; ++row) {
        const int32_t cy = row << m_heightShift;
        // Parts come from the rectangle as given; only the cell range comes from the clipped one.
        const int8_t top = ClampToCell(rect.m_top, cy, m_cellHeight);
        const int8_t bottom = ClampToCell(rect.m_bottom, cy, m_cellHeight);
        for (int32_t column = firstColumn; column <= lastColumn; ++column) {
            const int32_t cx = column << m_widthShift;
            const int8_t left = ClampToCell(rect.m_left, cx, m_cellWidth);
            const int8_t right = ClampToCell(rect.m_right, cx, m_cellWidth);
            CDirtyCell& cell = m_cells[m_rowStarts[static_cast<size_t>(row)] + static_cast<size_t>(column)];
            if (!cell.m_dirty) {
                cell = {1, left, top, right, bottom};
            } else {
                cell.m_left = std::min(cell.m_left, left);
                cell.m_top = std::min(cell.m_top, top);
                cell.m_right = std::max(cell.m_right, right);
                cell.m_bottom = std::max(cell.m_bottom, bottom);
            }
        }
    }
}

void CDirtyCellGrid::AddPoint(int32_t x, int32_t y)
{
    // A point at the largest coordinate lies outside every grid anyway.
    if (x < std::numeric_limits<int32_t>::max() && y < std::numeric_limits<int32_t>::max())
        AddRect({x, y, x + 1, y + 1});
}

void CDirtyCellGrid::MarkAllDirty()
{
    const CDirtyCell all{1, 0, 0, static_cast<int8_t>(m_cellWidth), static_cast<int8_t>(m_cellHeight)};
    std::fill(m_cells.begin(), m_cells.end(), all);
}

void CDirtyCellGrid::ClearAll()
{
    for (CDirtyCell& cell : m_cells)
        cell.m_dirty = 0;
}

void CDirtyCellGrid::CopyFrom(const CDirtyCellGrid& other)
{
    if (other.m_cells.size() == m_cells.size())
        m_cells = other.m_cells;
}

void CDirtyCellGrid::MergeFrom(const CDirtyCellGrid& other)
{
    if (other.m_cells.size() != m_cells.size())
        return;
    for (size_t i = 0; i < m_cells.size(); ++i) {
        const CDirtyCell& theirs = other.m_cells[i];
        CDirtyCell& mine = m_cells[i];
        if (!theirs.m_dirty)
            continue;
        if (!mine.m_dirty) {
            mine = theirs;
            continue;
        }
        mine.m_left = std::min(mine.m_left, theirs.m_left);
        mine.m_top = std::min(mine.m_top, theirs.m_top);
        mine.m_right = std::max(mine.m_right, theirs.m_right);
        mine.m_bottom = std::max(mine.m_bottom, theirs.m_bottom);
    }
}

const CDirtyCell* CDirtyCellGrid::GetCell(int32_t column, int32_t row) const
{
    if (column < 0 || row < 0 || static_cast<uint32_t>(column) >= m_columns || static_cast<uint32_t>(row) >= m_rows)
        return nullptr;
    return &m_cells[m_rowStarts[static_cast<size_t>(row)] + static_cast<size_t>(column)];
}

bool CDirtyCellGrid::IsCellDirty(int32_t column, int32_t row) const
{
    const CDirtyCell* cell = GetCell(column, row);
    return cell && cell->m_dirty;
}

void CDirtyCellGrid::ClearCell(int32_t column, int32_t row)
{
    if (column >= 0 && row >= 0 && static_cast<uint32_t>(column) < m_columns && static_cast<uint32_t>(row) < m_rows)
        m_cells[m_rowStarts[static_cast<size_t>(row)] + static_cast<size_t>(column)].m_dirty = 0;
}

CIntRect CDirtyCellGrid::GetCellPart(int32_t column, int32_t row) const
{
    const CDirtyCell* cell = GetCell(column, row);
    if (!cell || !cell->m_dirty)
        return {};
    const int32_t cx = column << m_widthShift, cy = row << m_heightShift;
    return {cx + cell->m_left, cy + cell->m_top, cx + cell->m_right, cy + cell->m_bottom};
}

bool CDirtyCellGrid::IsEmpty() const
{
    return std::none_of(m_cells.begin(), m_cells.end(), [](const CDirtyCell& cell) { return cell.m_dirty != 0; });
}
