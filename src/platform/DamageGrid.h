#pragma once
// Which parts of a page changed, in cells of 32 x 32 pixels: rectangles are added, and the changed
// cells come back as few rectangles (runs of cells along a row, joined with the same run of the
// rows below), clipped to the page.
#include "platform/Display.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

class DamageGrid
{
public:
    static constexpr int kCellShift = 5;

    // A clean grid over a page of this size (0 x 0: nothing can change).
    void Resize(int width, int height);
    void Clear();
    // Cells of the rectangle, clipped to the page; an empty rectangle adds nothing.
    void Add(const PageRect& rect);
    void AddAll();
    void Add(const DamageGrid& other);
    bool IsEmpty() const;
    // The changed cells as rectangles of page pixels, appended to out.
    void GetRects(std::vector<PageRect>& out) const;

    // Cell by cell (column and row inside the grid).
    int GetColumns() const { return m_columns; }
    int GetRows() const { return m_rows; }
    bool Cell(int column, int row) const { return m_cells[static_cast<size_t>(row) * m_columns + column] != 0; }
    void SetCell(int column, int row, bool changed)
    {
        m_cells[static_cast<size_t>(row) * m_columns + column] = changed ? 1 : 0;
    }
    // The cell's pixels, clipped to the page.
    PageRect CellRect(int column, int row) const;

private:

    int m_width = 0;
    int m_height = 0;
    int m_columns = 0;
    int m_rows = 0;
    std::vector<uint8_t> m_cells;
};

} // namespace platform
