#include "game/sprites/FrameOverlap.h"

#include "blit/modes/CopyBlitter.h"
#include "graphics/Frame.h"

#include <algorithm>
#include <cstdint>

namespace {

// A frame's rectangle on the screen, in 64 bits so that no placement overflows.
struct PlacedRect
{
    int64_t m_left, m_top, m_right, m_bottom;
};

PlacedRect Place(const CFrame& frame, const CIntPoint& at)
{
    CIntRect bounds;
    frame.GetBounds(bounds);
    return {int64_t{bounds.m_left} + at.m_x, int64_t{bounds.m_top} + at.m_y, int64_t{bounds.m_right} + at.m_x,
            int64_t{bounds.m_bottom} + at.m_y};
}

// The scratch frames, made on first use and kept for the life of the process.
CFrame& Scratch(int which)
{
    static CFrame* s_scratch[2] = {new CFrame, new CFrame};
    return *s_scratch[which];
}

// Copies the overlap (screen rectangle) of the frame placed at `at` into the scratch frame, at its
// top-left corner. False when the frame's depth has no copy.
bool CopyShare(CFrame& frame, const CIntPoint& at, const PlacedRect& overlap, CFrame& scratch)
{
    const uint32_t width = static_cast<uint32_t>(overlap.m_right - overlap.m_left);
    const uint32_t height = static_cast<uint32_t>(overlap.m_bottom - overlap.m_top);
    const uint32_t depth = frame.GetBitsPerPixel();
    if (scratch.GetBitsPerPixel() != depth || scratch.GetWidth() < width || scratch.GetHeight() < height) {
        scratch.Create(std::max<uint32_t>(width, scratch.GetWidth()), std::max<uint32_t>(height, scratch.GetHeight()),
                       depth);
        if (!scratch.GetPixels())
            return false;
    }
    const CIntRect area{0, 0, static_cast<int32_t>(width), static_cast<int32_t>(height)};
    scratch.ClearRect(area);
    // The overlap lies inside the frame, so its frame coordinates fit.
    const CIntRect source{static_cast<int32_t>(overlap.m_left - at.m_x), static_cast<int32_t>(overlap.m_top - at.m_y),
                          static_cast<int32_t>(overlap.m_right - at.m_x),
                          static_cast<int32_t>(overlap.m_bottom - at.m_y)};
    return scratch.Blit(&frame, source, area, &g_copyBlitter);
}

} // namespace

bool CFrameOverlap::Test(CFrame* first, const CIntPoint& firstAt, CFrame* second, const CIntPoint& secondAt)
{
    if (!first || !second)
        return false;
    const PlacedRect a = Place(*first, firstAt), b = Place(*second, secondAt);
    const PlacedRect overlap{std::max(a.m_left, b.m_left), std::max(a.m_top, b.m_top), std::min(a.m_right, b.m_right),
                             std::min(a.m_bottom, b.m_bottom)};
    if (overlap.m_right <= overlap.m_left || overlap.m_bottom <= overlap.m_top)
        return false;
    CFrame& firstShare = Scratch(0);
    CFrame& secondShare = Scratch(1);
    if (!CopyShare(*first, firstAt, overlap, firstShare) || !CopyShare(*second, secondAt, overlap, secondShare))
        return false;
    const uint32_t width = static_cast<uint32_t>(overlap.m_right - overlap.m_left);
    const uint32_t height = static_cast<uint32_t>(overlap.m_bottom - overlap.m_top);
    for (uint32_t row = 0; row < height; ++row)
        for (uint32_t column = 0; column < width; ++column)
            if (firstShare.PlainPixelShows(column, row) && secondShare.PlainPixelShows(column, row))
                return true;
    return false;
}
