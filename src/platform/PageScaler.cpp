#include "platform/PageScaler.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace platform {

namespace {

// The first window offset whose page position is at least p: ceil(p * window / page).
int FirstWindowOffset(int p, int page, int window)
{
    const int64_t product = static_cast<int64_t>(p) * window;
    return static_cast<int>((product + page - 1) / page);
}

// The page position of each window position 0 .. window - 1, for a place starting at `start` of
// `size` pixels over a page of `page` pixels; positions outside the place are never read.
void MakeSteps(std::vector<uint32_t>& steps, int window, int start, int size, int page)
{
    steps.assign(static_cast<size_t>(std::max(window, 0)), 0);
    for (int w = std::max(start, 0), end = std::min(start + size, window); w < end; ++w) {
        const int64_t offset = w - start;
        steps[static_cast<size_t>(w)] = static_cast<uint32_t>(offset * page / size);
    }
}

} // namespace

PixelRect WindowRectOf(const PagePlacement& placement, int pageWidth, int pageHeight, const PageRect& rect)
{
    if (pageWidth <= 0 || pageHeight <= 0 || rect.right <= rect.left || rect.bottom <= rect.top)
        return {};
    return {placement.left + FirstWindowOffset(rect.left, pageWidth, placement.width),
            placement.top + FirstWindowOffset(rect.top, pageHeight, placement.height),
            placement.left + FirstWindowOffset(rect.right, pageWidth, placement.width),
            placement.top + FirstWindowOffset(rect.bottom, pageHeight, placement.height)};
}

void PageScaler::Prepare(int pageWidth, int pageHeight, const PagePlacement& placement, int windowWidth,
                         int windowHeight)
{
    if (pageWidth == m_pageWidth && pageHeight == m_pageHeight && placement == m_placement &&
        windowWidth == m_windowWidth && windowHeight == m_windowHeight)
        return;
    m_pageWidth = pageWidth;
    m_pageHeight = pageHeight;
    m_placement = placement;
    m_windowWidth = windowWidth;
    m_windowHeight = windowHeight;
    if (pageWidth <= 0 || pageHeight <= 0 || placement.width <= 0 || placement.height <= 0) {
        m_columns.clear();
        m_rows.clear();
        return;
    }
    MakeSteps(m_columns, windowWidth, placement.left, placement.width, pageWidth);
    MakeSteps(m_rows, windowHeight, placement.top, placement.height, pageHeight);
}

PixelRect PageScaler::ClippedWindowRectOf(const PageRect& rect) const
{
    if (m_placement.width <= 0 || m_placement.height <= 0)
        return {};
    // A rectangle reaching past the page shows only its part on the page.
    const PageRect onPage{std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, m_pageWidth),
                          std::min(rect.bottom, m_pageHeight)};
    const PixelRect to = WindowRectOf(m_placement, m_pageWidth, m_pageHeight, onPage);
    const PixelRect clipped{std::max(to.left, 0), std::max(to.top, 0), std::min(to.right, m_windowWidth),
                            std::min(to.bottom, m_windowHeight)};
    return clipped.right > clipped.left && clipped.bottom > clipped.top ? clipped : PixelRect{};
}

void PageScaler::Scale(const uint32_t* picture, const PageRect& rect, uint8_t* window, int windowPitch) const
{
    const PixelRect to = ClippedWindowRectOf(rect);
    if (!picture || !window || to.right <= to.left)
        return;
    const uint32_t* columns = m_columns.data() + to.left;
    const auto count = static_cast<size_t>(to.right - to.left);
    const uint32_t* above = nullptr;
    for (int y = to.top; y < to.bottom; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(window + static_cast<ptrdiff_t>(y) * windowPitch) + to.left;
        const uint32_t pageRow = m_rows[static_cast<size_t>(y)];
        // An enlarged page shows a page row on several window rows: the first is copied.
        if (above && pageRow == m_rows[static_cast<size_t>(y - 1)]) {
            std::memcpy(row, above, count * sizeof(uint32_t));
        } else {
            const uint32_t* source = picture + static_cast<size_t>(pageRow) * static_cast<size_t>(m_pageWidth);
            for (size_t i = 0; i < count; ++i)
                row[i] = source[columns[i]];
        }
        above = row;
    }
}

} // namespace platform
