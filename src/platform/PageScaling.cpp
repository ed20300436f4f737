#include "platform/PageScaling.h"

#include <algorithm>

namespace platform {

namespace {

// The first window offset whose page position is at least p: ceil(p * window / page).
int FirstWindowOffset(int p, int page, int window)
{
    const int64_t product = static_cast<int64_t>(p) * window;
    return static_cast<int>((product + page - 1) / page);
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

void ScalePageRect(const uint32_t* picture, int pageWidth, int pageHeight, const PagePlacement& placement,
                   const PageRect& rect, uint8_t* window, int windowPitch, int windowWidth, int windowHeight)
{
    if (!picture || !window || placement.width <= 0 || placement.height <= 0)
        return;
    const PixelRect to = WindowRectOf(placement, pageWidth, pageHeight, rect);
    const int left = std::max(to.left, 0), right = std::min(to.right, windowWidth);
    const int top = std::max(to.top, 0), bottom = std::min(to.bottom, windowHeight);
    for (int y = top; y < bottom; ++y) {
        const int64_t sy = static_cast<int64_t>(y - placement.top) * pageHeight / placement.height;
        const uint32_t* source = picture + sy * pageWidth;
        auto* row = reinterpret_cast<uint32_t*>(window + static_cast<size_t>(y) * static_cast<size_t>(windowPitch));
        for (int x = left; x < right; ++x)
            row[x] = source[static_cast<int64_t>(x - placement.left) * pageWidth / placement.width];
    }
}

} // namespace platform
