#pragma once
// Which parts of a picture changed, kept in cells of 32 x 32 pixels: per cell a dirty flag and the
// changed part of the cell in cell-local pixels (right and bottom exclusive, each 0 .. cell size).
// Horizontally adjacent dirty parts of equal vertical extent join into runs, each handled as one
// rectangle.
#include "graphics/IntRect.h"

#include <cstdint>
#include <vector>

struct CDirtyCell
{
    uint8_t m_dirty = 0;
    int8_t m_left = 0;
    int8_t m_top = 0;
    int8_t m_right = 0;
    int8_t m_bottom = 0;
};

class CDirtyCellGrid
{
public:
    // Empty (0 x 0), cells of 32 x 32.
    CDirtyCellGrid() = default;
    virtual ~CDirtyCellGrid() = default;

    // Covers width x height pixels with the smallest numbers of cells; every cell clean.
    void Resize(int32_t width, int32_t height);

    // Marks the cells the rectangle covers (clipped to the cells), growing their parts.
    void AddRect(const CIntRect& rect);
    void AddPoint(int32_t x, int32_t y);
    void MarkAllDirty();
    void ClearAll();
    // Grids of the same size: a copy of the other's cells, or the union with them.
    void CopyFrom(const CDirtyCellGrid& other);
    void MergeFrom(const CDirtyCellGrid& other);

    // False (or none) outside the grid.
    bool IsCellDirty(int32_t column, int32_t row) const;
    const CDirtyCell* GetCell(int32_t column, int32_t row) const;
    // Nothing outside the grid.
    void ClearCell(int32_t column, int32_t row);
    // The dirty part of the cell in pixels; empty for a clean cell or one outside the grid.
    CIntRect GetCellPart(int32_t column, int32_t row) const;
    bool IsEmpty() const;

    int32_t GetWidth() const { return m_width; }
    int32_t GetHeight() const { return m_height; }
    uint32_t GetColumns() const { return m_columns; }
    uint32_t GetRows() const { return m_rows; }
    uint32_t GetCellWidth() const { return m_cellWidth; }
    uint32_t GetCellHeight() const { return m_cellHeight; }
    uint32_t GetWidthShift() const { return m_widthShift; }
    uint32_t GetHeightShift() const { return m_heightShift; }

    // Calls visit(const CIntRect&) for each run of dirty cells, rows top to bottom and columns left
    // to right, in pixels.
    template <class Visit> void ForEachRun(Visit&& visit) const
    {
        ForEachRunIn(0, static_cast<int32_t>(m_columns) - 1, 0, static_cast<int32_t>(m_rows) - 1, true, visit);
    }
    // The same over columns first .. last and rows first .. last (inclusive; cells outside the grid
    // count as clean). joinLastColumn false: a cell of the last column always starts a run.
    template <class Visit>
    void ForEachRunIn(int32_t firstColumn, int32_t lastColumn, int32_t firstRow, int32_t lastRow, bool joinLastColumn,
                      Visit&& visit) const
    {
        for (int32_t row = firstRow; row <= lastRow; ++row) {
            for (int32_t column = firstColumn; column <= lastColumn; ++column) {
                const CDirtyCell* cell = GetCell(column, row);
                if (!cell || !cell->m_dirty)
                    continue;
                const int32_t cx = column << m_widthShift, cy = row << m_heightShift;
                CIntRect run{cx + cell->m_left, cy + cell->m_top, cx + cell->m_right, cy + cell->m_bottom};
                while (cell->m_right == static_cast<int32_t>(m_cellWidth) &&
                       (column + 1 < lastColumn || (joinLastColumn && column + 1 == lastColumn))) {
                    const CDirtyCell* next = GetCell(column + 1, row);
                    if (!next || !next->m_dirty || next->m_left != 0 || next->m_top != cell->m_top ||
                        next->m_bottom != cell->m_bottom)
                        break;
                    run.m_right += next->m_right - next->m_left;
                    cell = next;
                    ++column;
                }
                visit(run);
            }
        }
    }

private:
    int32_t m_width = 0;
    int32_t m_height = 0;
    uint32_t m_columns = 0;
    uint32_t m_rows = 0;
    std::vector<uint32_t> m_rowStarts;
    std::vector<CDirtyCell> m_cells;
    uint32_t m_cellWidth = 32;
    uint32_t m_cellHeight = 32;
    uint32_t m_widthShift = 5;
    uint32_t m_heightShift = 5;
};
