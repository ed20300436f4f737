#pragma once
// The sprites of a list bucketed by cells of 32 x 32 pixels, for the swept test: a mover's swept
// rectangle meets only the sprites of the cells it covers, so a sweep costs what lies near the
// mover rather than balls x bricks. Each sprite is bucketed by the rectangle within which its
// collision polygon may meet a swept rectangle (its bounds at its rounded position, widened by the
// prune margin), so the candidates are exactly a superset of the sprites that rectangle test keeps.
//
// The rule a caller must know: the grid holds the sprites, positions and polygons of the moment it
// was built; the list says when it changed (its change count), and the caller builds it again.
#include "objects/Polygon2D.h"

#include <cstdint>
#include <vector>

class CSprite;
class CSpriteList;

class CSweepGrid
{
public:
    static constexpr int kCellShift = 5;
    // Pixels to spare on each side of the rectangle test (the swept test's own margin).
    static constexpr int64_t kPruneMargin = 2;

    // Buckets the list's sprites that have a collision polygon; false (and nothing bucketed) when
    // they lie too far apart for a grid of reasonable size, and the caller walks the list instead.
    bool Build(CSpriteList& list, uint32_t changeCount);
    // Build was called for the list as it is now (whether it could bucket or not).
    bool IsBuiltFor(const CSpriteList& list, uint32_t changeCount) const
    {
        return m_list == &list && m_changeCount == changeCount;
    }
    bool IsUsable() const { return m_built; }

    // The sprites, in list order, whose rectangles meet the swept rectangle (edges included).
    void FindCandidates(const CPolygonBounds& swept, std::vector<CSprite*>& out);

    // Whether the rectangle test keeps the polygon at that position for the swept rectangle.
    static bool MayMeet(const CPolygonBounds& swept, const CPolygon2D& polygon, const CFloatPoint& at);

private:
    struct Area
    {
        int64_t left, top, right, bottom;   // inclusive
    };
    static Area ReachOf(const CPolygon2D& polygon, const CFloatPoint& at);

    const CSpriteList* m_list = nullptr;
    uint32_t m_changeCount = 0;
    bool m_built = false;
    std::vector<CSprite*> m_sprites;        // list order
    int64_t m_firstColumn = 0, m_firstRow = 0;
    int64_t m_columns = 0, m_rows = 0;
    std::vector<uint32_t> m_cellStarts;     // per cell, into m_entries; one more at the end
    std::vector<uint32_t> m_entries;        // sprite numbers, ascending within a cell
    std::vector<uint32_t> m_seen;           // per sprite: the query that took it last
    uint32_t m_query = 0;
    std::vector<uint32_t> m_found;
};
