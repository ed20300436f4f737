#pragma once
// Scaling a page into a window by nearest pixels, a rectangle at a time: every window pixel of the
// page's place takes the page pixel its position falls on, so a rectangle scaled alone gives
// exactly the window pixels the whole page gives there, and a present can scale only what changed.
// The page column and row of every window column and row are worked out once for a size and
// place (a table each), not divided out again for every pixel.
#include "platform/Display.h"

#include <cstdint>
#include <vector>

namespace platform {

// Where the page lies in the window, in window pixels.
struct PagePlacement
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const PagePlacement&) const = default;
};

// The window pixels whose page pixel lies in the page rectangle (empty for an empty one).
PixelRect WindowRectOf(const PagePlacement& placement, int pageWidth, int pageHeight, const PageRect& rect);

class PageScaler
{
public:
    // Makes the tables for a page of this size in this place of a window of this size; kept as
    // they are when nothing of that changed. The page pixel of window pixel (x, y) is
    // ((x - left) * pageWidth / width, (y - top) * pageHeight / height).
    void Prepare(int pageWidth, int pageHeight, const PagePlacement& placement, int windowWidth, int windowHeight);

    // Writes the window pixels of the page rectangle, clipped to the window. picture holds the
    // page as 32-bit pixels, pageWidth to a row; window rows are windowPitch bytes apart. Nothing
    // before Prepare, or for an empty place.
    void Scale(const uint32_t* picture, const PageRect& rect, uint8_t* window, int windowPitch) const;

    // WindowRectOf the prepared place, clipped to the window.
    PixelRect ClippedWindowRectOf(const PageRect& rect) const;

private:
    int m_pageWidth = 0, m_pageHeight = 0;
    int m_windowWidth = 0, m_windowHeight = 0;
    PagePlacement m_placement;
    // Per window column and row inside the place (clipped to the window): the page column and row.
    std::vector<uint32_t> m_columns, m_rows;
};

} // namespace platform
