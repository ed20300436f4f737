#pragma once
// Pixel access the small load stages share: visiting every pixel of a frame's plain rows.
#include "graphics/Frame.h"

#include <cstddef>
#include <cstdint>

namespace stagepixels {

// Whether the frame holds plain rows of the depth.
inline bool IsPlain(const CFrame& frame, uint32_t depth)
{
    return frame.GetPixels() && frame.GetRowOffsets() && (frame.GetFormatFlags() & kFrameRunLengthMask) == 0 &&
           frame.GetBitsPerPixel() == depth;
}

// Calls visit(pixel address) for every pixel of the plain rows, row by row.
template <class Visit>
void ForEachPixel(CFrame& frame, Visit visit)
{
    const uint32_t bytes = frame.GetBytesPerPixel();
    for (uint32_t row = 0; row < frame.GetHeight(); ++row) {
        uint8_t* at = frame.GetPixels() + static_cast<size_t>(frame.GetRowOffsets()[row]) * bytes;
        for (uint32_t column = 0; column < frame.GetWidth(); ++column, at += bytes)
            visit(at);
    }
}

inline uint8_t LargestColorByte(const uint8_t* pixel)
{
    uint8_t largest = pixel[0] > pixel[1] ? pixel[0] : pixel[1];
    return largest > pixel[2] ? largest : pixel[2];
}

} // namespace stagepixels
