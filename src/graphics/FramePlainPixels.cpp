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

void CFrame::GetOpaqueBounds(CIntRect& out) const
{
    out.Set(0, 0, 0, 0);
    if (!m_pixels || !m_rowOffsets)
        return;
    const bool plain = (m_formatFlags & kFrameRunLengthMask) == 0;
    auto shows = [&](uint32_t column, uint32_t row) {
        return plain ? PlainPixelShows(column, row) : GetRawPixel(column + m_left, row + m_top) != 0;
    };
    int32_t left = m_width, top = m_height, right = 0, bottom = 0;
    for (uint32_t row = 0; row < m_height; ++row)
        for (uint32_t column = 0; column < m_width; ++column)
            if (shows(column, row)) {
                left = std::min<int32_t>(left, column);
                right = std::max<int32_t>(right, column + 1);
                top = std::min<int32_t>(top, row);
                bottom = row + 1;
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
