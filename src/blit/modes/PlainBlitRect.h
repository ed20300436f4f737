#pragma once
// The check every routine over plain rows makes before it touches memory: the rectangle is not
// empty and lies inside the frame's pixels. Frame blits clip their rectangles so that it holds;
// a routine called any other way draws nothing rather than read or write outside a frame.
#include "graphics/FrameInterface.h"

#include <cstdint>

inline bool IsPlainBlitRect(const CFrameInterface* frame, const CIntRect& rect)
{
    return frame->GetPixels() && frame->GetRowOffsets() && rect.m_left >= 0 && rect.m_top >= 0 &&
           rect.m_left < rect.m_right && rect.m_top < rect.m_bottom && rect.m_right <= frame->GetWidth() &&
           rect.m_bottom <= frame->GetHeight();
}

// The address of pixel (column, row) of plain rows of Bytes bytes a pixel.
template <uint32_t Bytes, class Pixels>
inline Pixels* PlainPixelAddress(Pixels* pixels, const uint32_t* rowOffsets, int32_t column, int32_t row)
{
    return pixels + (static_cast<size_t>(rowOffsets[row]) + static_cast<uint32_t>(column)) * Bytes;
}
