#pragma once
// Scaling a page into a window by nearest pixels, a rectangle at a time: every window pixel of the
// page's place takes the page pixel its position falls on, so a rectangle scaled alone gives
// exactly the window pixels the whole page gives there, and a present can scale only what changed.
#include "platform/Display.h"

#include <cstdint>

namespace platform {

// Where the page lies in the window, in window pixels.
struct PagePlacement
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The window pixels whose page pixel lies in the page rectangle (empty for an empty one).
PixelRect WindowRectOf(const PagePlacement& placement, int pageWidth, int pageHeight, const PageRect& rect);

// Writes those window pixels, clipped to the window: the page pixel of window pixel (x, y) is
// ((x - left) * pageWidth / width, (y - top) * pageHeight / height). picture holds the page as
// 32-bit pixels, pageWidth to a row; window rows are windowPitch bytes apart.
void ScalePageRect(const uint32_t* picture, int pageWidth, int pageHeight, const PagePlacement& placement,
                   const PageRect& rect, uint8_t* window, int windowPitch, int windowWidth, int windowHeight);

} // namespace platform
