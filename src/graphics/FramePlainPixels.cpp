// CFrame's scans and conversions of plain pixel memory used while images load.
#include "graphics/Frame.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

bool CFrame::PlainPixelShows(uint32_t column, uint32_t row) const
{
    const uint32_t bytes = GetBytesPerPixel();
    const uint8_t* at = PixelAddress(column, row);
    if (bytes == 4)
        return at[3] != 0;
    for (uint32_t i = 0; i < bytes; ++i)
        if (at[i] != 0)
            return true;
    return false;
}

namespace {

template <uint32_t Bytes>
bool PixelShows(const uint8_t* at)
{
    if constexpr (Bytes == 4)
        return at[3] != 0;
    for (uint32_t i = 0; i < Bytes; ++i)
        if (at[i] != 0)
            return true;
    return false;
}

// The opaque bounds of plain rows. A row is read from the left up to its first showing pixel and
// from the right only down to the right edge found so far, so a picture that shows everywhere
// costs a few pixels a row.
template <uint32_t Bytes>
void PlainOpaqueBounds(const uint8_t* pixels, const uint32_t* rowOffsets, int32_t width, int32_t height,
                       int32_t& left, int32_t& top, int32_t& right, int32_t& bottom)
{
    for (int32_t row = 0; row < height; ++row) {
        const uint8_t* line = pixels + static_cast<size_t>(rowOffsets[row]) * Bytes;
        int32_t first = 0;
        while (first < width && !PixelShows<Bytes>(line + static_cast<size_t>(first) * Bytes))
            ++first;
        if (first == width)
            continue;
        left = std::min(left, first);
        top = std::min(top, row);
        bottom = row + 1;
        for (int32_t last = width - 1; last >= std::max(right, first + 1); --last)
            if (PixelShows<Bytes>(line + static_cast<size_t>(last) * Bytes)) {
                right = last + 1;
                break;
            }
        right = std::max(right, first + 1);
    }
}

} // namespace

void CFrame::GetOpaqueBounds(CIntRect& out) const
{
    out.Set(0, 0, 0, 0);
    if (!m_pixels || !m_rowOffsets)
        return;
    int32_t left = m_width, top = m_height, right = 0, bottom = 0;
    const auto width = static_cast<int32_t>(m_width), height = static_cast<int32_t>(m_height);
    if ((m_formatFlags & kFrameRunLengthMask) == 0) {
        switch (GetBitsPerPixel()) {
        case 8: PlainOpaqueBounds<1>(m_pixels, m_rowOffsets, width, height, left, top, right, bottom); break;
        case 16: PlainOpaqueBounds<2>(m_pixels, m_rowOffsets, width, height, left, top, right, bottom); break;
        case 24: PlainOpaqueBounds<3>(m_pixels, m_rowOffsets, width, height, left, top, right, bottom); break;
        case 32: PlainOpaqueBounds<4>(m_pixels, m_rowOffsets, width, height, left, top, right, bottom); break;
        default: break;
        }
    } else {
        for (uint32_t row = 0; row < m_height; ++row)
            for (uint32_t column = 0; column < m_width; ++column)
                if (GetRawPixel(column + m_left, row + m_top) != 0) {
                    left = std::min<int32_t>(left, column);
                    right = std::max<int32_t>(right, column + 1);
                    top = std::min<int32_t>(top, row);
                    bottom = row + 1;
                }
    }
    if (right > left)
        out.Set(left, top, right, bottom);
}

bool CFrame::ExpandTo32Bits(bool blackTransparent)
{
    if (!HasPlainPixels())
        return false;
    if (GetBitsPerPixel() == 32)
        return true;
    if (GetBitsPerPixel() != 24)
        return false;
    const size_t count = static_cast<size_t>(m_width) * m_height;
    auto* wide = static_cast<uint8_t*>(std::malloc(count * 4 + 1));
    uint32_t* rows = BuildRowOffsetTable(m_width, m_height);
    if (!wide || !rows) {
        std::free(wide);
        std::free(rows);
        return false;
    }
    uint8_t* to = wide;
    for (uint32_t row = 0; row < m_height; ++row) {
        const uint8_t* from = PixelAddress(0, row);
        for (uint32_t column = 0; column < m_width; ++column, from += 3, to += 4) {
            std::memcpy(to, from, 3);
            const bool black = from[0] == 0 && from[1] == 0 && from[2] == 0;
            to[3] = blackTransparent && black ? 0 : 255;
        }
    }
    AdoptPixels(wide, rows);
    SetDepthFlags(32);
    return true;
}
