#include "graphics/StripRectangles.h"

#include <algorithm>
#include <iterator>
#include <map>

bool AreStripRectanglesSound(const std::vector<CIntRect>& rectangles, uint32_t width, uint32_t height)
{
    // Inside and small enough first: n rectangles of at least one pixel each then number at most
    // the strip's area, which bounds the sweep below.
    uint64_t area = 0;
    const uint64_t stripArea = uint64_t{width} * height;
    for (const CIntRect& rect : rectangles) {
        if (rect.IsEmpty())
            continue;
        if (rect.m_left < 0 || rect.m_top < 0 || static_cast<uint32_t>(rect.m_right) > width ||
            static_cast<uint32_t>(rect.m_bottom) > height)
            return false;
        area += uint64_t(rect.GetWidth()) * uint64_t(rect.GetHeight());
        if (area > stripArea)
            return false;
    }
    return AreRectanglesDisjoint(rectangles);
}

bool AreRectanglesDisjoint(const std::vector<CIntRect>& rectangles)
{
    // A sweep from left to right: each rectangle's rows [top, bottom) are open from its left edge
    // to its right edge. While no two rectangles overlap, the open row ranges are disjoint, so an
    // ordered map from top to bottom holds them and a new range needs only its two neighbours.
    struct Edge
    {
        int32_t m_x;
        bool m_opens;
        int32_t m_top;
        int32_t m_bottom;
    };
    std::vector<Edge> edges;
    edges.reserve(rectangles.size() * 2);
    for (const CIntRect& rect : rectangles)
        if (!rect.IsEmpty()) {
            edges.push_back({rect.m_left, true, rect.m_top, rect.m_bottom});
            edges.push_back({rect.m_right, false, rect.m_top, rect.m_bottom});
        }
    // Right edges are exclusive: at one x, ranges close before others open.
    std::sort(edges.begin(), edges.end(),
              [](const Edge& a, const Edge& b) { return a.m_x != b.m_x ? a.m_x < b.m_x : a.m_opens < b.m_opens; });
    std::map<int32_t, int32_t> open;
    for (const Edge& edge : edges) {
        if (!edge.m_opens) {
            open.erase(edge.m_top);
            continue;
        }
        const auto next = open.lower_bound(edge.m_top);
        if (next != open.end() && next->first < edge.m_bottom)
            return false;
        if (next != open.begin() && std::prev(next)->second > edge.m_top)
            return false;
        open.emplace(edge.m_top, edge.m_bottom);
    }
    return true;
}
