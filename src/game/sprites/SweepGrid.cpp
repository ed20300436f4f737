#include "game/sprites/SweepGrid.h"

#include "foundation/MathTables.h"
#include "game/sprites/Sprite.h"
#include "game/sprites/SpriteList.h"

#include <algorithm>

namespace {

// A grid larger than this (sprites flung far apart) is not worth building.
constexpr int64_t kMostCells = 1 << 16;
constexpr size_t kMostEntries = 1 << 20;

int64_t CellOf(int64_t v)
{
    return v >> CSweepGrid::kCellShift;   // floor, also below 0
}

} // namespace

CSweepGrid::Area CSweepGrid::ReachOf(const CPolygon2D& polygon, const CFloatPoint& at)
{
    const int64_t x = RoundToInt(at.m_x), y = RoundToInt(at.m_y);
    return {polygon.GetLeft() + x - kPruneMargin, polygon.GetTop() + y - kPruneMargin,
            polygon.GetRight() + x + kPruneMargin, polygon.GetBottom() + y + kPruneMargin};
}

bool CSweepGrid::MayMeet(const CPolygonBounds& swept, const CPolygon2D& polygon, const CFloatPoint& at)
{
    const Area reach = ReachOf(polygon, at);
    return swept.m_left <= reach.right && swept.m_right >= reach.left && swept.m_top <= reach.bottom &&
           swept.m_bottom >= reach.top;
}

bool CSweepGrid::Build(CSpriteList& list, uint32_t changeCount)
{
    m_list = &list;
    m_changeCount = changeCount;
    m_built = false;
    m_sprites.clear();
    std::vector<Area> reaches;
    int64_t left = 0, top = 0, right = -1, bottom = -1;
    for (CSprite* s = list.GetHead(); s; s = s->GetNext()) {
        const CPolygon2D* polygon = s->GetCollisionPolygon();
        if (!polygon)
            continue;
        const Area reach = ReachOf(*polygon, s->GetPosition());
        // An inverted rectangle may pass the test without a point in common: never bucketed, the
        // caller walks the list.
        if (reach.left > reach.right || reach.top > reach.bottom)
            return false;
        if (right < left) {
            left = reach.left, top = reach.top, right = reach.right, bottom = reach.bottom;
        } else {
            left = std::min(left, reach.left), top = std::min(top, reach.top);
            right = std::max(right, reach.right), bottom = std::max(bottom, reach.bottom);
        }
        m_sprites.push_back(s);
        reaches.push_back(reach);
    }
    m_firstColumn = CellOf(left);
    m_firstRow = CellOf(top);
    m_columns = m_sprites.empty() ? 0 : CellOf(right) - m_firstColumn + 1;
    m_rows = m_sprites.empty() ? 0 : CellOf(bottom) - m_firstRow + 1;
    if (m_columns > kMostCells || m_rows > kMostCells || m_columns * m_rows > kMostCells)
        return false;
    // Counting sort: sprites go into their cells in list order.
    m_cellStarts.assign(static_cast<size_t>(m_columns * m_rows) + 1, 0);
    size_t entries = 0;
    for (const Area& reach : reaches) {
        for (int64_t row = CellOf(reach.top); row <= CellOf(reach.bottom); ++row)
            for (int64_t column = CellOf(reach.left); column <= CellOf(reach.right); ++column)
                ++m_cellStarts[static_cast<size_t>((row - m_firstRow) * m_columns + column - m_firstColumn) + 1];
        entries += static_cast<size_t>((CellOf(reach.bottom) - CellOf(reach.top) + 1) *
                                       (CellOf(reach.right) - CellOf(reach.left) + 1));
        if (entries > kMostEntries)
            return false;
    }
    for (size_t i = 1; i < m_cellStarts.size(); ++i)
        m_cellStarts[i] += m_cellStarts[i - 1];
    m_entries.assign(entries, 0);
    std::vector<uint32_t> next(m_cellStarts.begin(), m_cellStarts.end() - 1);
    for (size_t n = 0; n < reaches.size(); ++n) {
        const Area& reach = reaches[n];
        for (int64_t row = CellOf(reach.top); row <= CellOf(reach.bottom); ++row)
            for (int64_t column = CellOf(reach.left); column <= CellOf(reach.right); ++column)
                m_entries[next[static_cast<size_t>((row - m_firstRow) * m_columns + column - m_firstColumn)]++] =
                    static_cast<uint32_t>(n);
    }
    m_seen.assign(m_sprites.size(), 0);
    m_query = 0;
    m_built = true;
    return true;
}

void CSweepGrid::FindCandidates(const CPolygonBounds& swept, std::vector<CSprite*>& out)
{
    out.clear();
    if (!m_built || m_sprites.empty())
        return;
    // An inverted swept rectangle may pass the test without a point in common: every sprite.
    if (swept.m_left > swept.m_right || swept.m_top > swept.m_bottom) {
        out = m_sprites;
        return;
    }
    const int64_t firstColumn = std::max(CellOf(swept.m_left), m_firstColumn);
    const int64_t lastColumn = std::min(CellOf(swept.m_right), m_firstColumn + m_columns - 1);
    const int64_t firstRow = std::max(CellOf(swept.m_top), m_firstRow);
    const int64_t lastRow = std::min(CellOf(swept.m_bottom), m_firstRow + m_rows - 1);
    if (firstColumn > lastColumn || firstRow > lastRow)
        return;
    if (++m_query == 0) {
        std::fill(m_seen.begin(), m_seen.end(), 0u);
        m_query = 1;
    }
    m_found.clear();
    for (int64_t row = firstRow; row <= lastRow; ++row)
        for (int64_t column = firstColumn; column <= lastColumn; ++column) {
            const size_t cell = static_cast<size_t>((row - m_firstRow) * m_columns + column - m_firstColumn);
            for (uint32_t at = m_cellStarts[cell]; at < m_cellStarts[cell + 1]; ++at) {
                const uint32_t n = m_entries[at];
                if (m_seen[n] != m_query) {
                    m_seen[n] = m_query;
                    m_found.push_back(n);
                }
            }
        }
    std::sort(m_found.begin(), m_found.end());
    for (uint32_t n : m_found)
        out.push_back(m_sprites[n]);
}
