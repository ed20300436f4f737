#include "platform/DamageGrid.h"

#include <algorithm>
#include <cstddef>

namespace platform {

void DamageGrid::Resize(int width, int height)
{
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    m_columns = (m_width + (1 << kCellShift) - 1) >> kCellShift;
    m_rows = (m_height + (1 << kCellShift) - 1) >> kCellShift;
    m_cells.assign(static_cast<size_t>(m_columns) * m_rows, 0);
}

void DamageGrid::Clear()
{
    std::fill(m_cells.begin(), m_cells.end(), uint8_t{0});
}

void DamageGrid::Add(const PageRect& rect)
{
    const int left = std::max(rect.left, 0), top = std::max(rect.top, 0);
    const int right = std::min(rect.right, m_width), bottom = std::min(rect.bottom, m_height);
    if (right <= left || bottom <= top)
        return;
    for (int row = top >> kCellShift; row <= (bottom - 1) >> kCellShift; ++row)
        std::fill_n(m_cells.begin() + static_cast<std::ptrdiff_t>(row) * m_columns + (left >> kCellShift),
                    ((right - 1) >> kCellShift) - (left >> kCellShift) + 1, uint8_t{1});
}

void DamageGrid::AddAll()
{
    std::fill(m_cells.begin(), m_cells.end(), uint8_t{1});
}

void DamageGrid::Add(const DamageGrid& other)
{
    if (other.m_cells.size() != m_cells.size()) {
        if (!other.IsEmpty())
            AddAll();
        return;
    }
    for (size_t i = 0; i < m_cells.size(); ++i)
        m_cells[i] |= other.m_cells[i];
}

PageRect DamageGrid::CellRect(int column, int row) const
{
    return {column << kCellShift, row << kCellShift, std::min((column + 1) << kCellShift, m_width),
            std::min((row + 1) << kCellShift, m_height)};
}

bool DamageGrid::IsEmpty() const
{
    return std::find(m_cells.begin(), m_cells.end(), uint8_t{1}) == m_cells.end();
}

void DamageGrid::GetRects(std::vector<PageRect>& out) const
{
    // Runs of the row above that may still grow downwards, in cell units.
    struct Run
    {
        int first, last, top;
    };
    std::vector<Run> open, next;
    auto close = [&](const Run& run, int bottomRow) {
        out.push_back({run.first << kCellShift, run.top << kCellShift,
                       std::min((run.last + 1) << kCellShift, m_width), std::min(bottomRow << kCellShift, m_height)});
    };
    for (int row = 0; row <= m_rows; ++row) {
        next.clear();
        for (int column = 0; row < m_rows && column < m_columns;) {
            if (!Cell(column, row)) {
                ++column;
                continue;
            }
            const int first = column;
            while (column < m_columns && Cell(column, row))
                ++column;
            Run run{first, column - 1, row};
            auto same = std::find_if(open.begin(), open.end(),
                                     [&](const Run& o) { return o.first == run.first && o.last == run.last; });
            if (same != open.end()) {
                run.top = same->top;
                open.erase(same);
            }
            next.push_back(run);
        }
        for (const Run& run : open)
            close(run, row);
        open.swap(next);
    }
}

} // namespace platform
