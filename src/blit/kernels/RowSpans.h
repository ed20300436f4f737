#pragma once
// Whether two sets of rows (a first row, a pitch that may be negative, a row's bytes and a row
// count) lie apart in memory, so that a kernel may read any of one before writing the other.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <utility>

inline bool RowsApart(const uint8_t* d, ptrdiff_t dPitch, const uint8_t* s, ptrdiff_t sPitch, size_t rowBytes,
                      uint32_t height)
{
    if (height == 0 || rowBytes == 0)
        return true;
    const auto span = [rowBytes, height](const uint8_t* p, ptrdiff_t pitch) {
        const ptrdiff_t last = pitch * static_cast<ptrdiff_t>(height - 1);
        const auto first = reinterpret_cast<uintptr_t>(p) + static_cast<uintptr_t>(std::min<ptrdiff_t>(last, 0));
        return std::pair{first, first + static_cast<uintptr_t>(std::abs(last)) + rowBytes};
    };
    const auto [dFirst, dEnd] = span(d, dPitch);
    const auto [sFirst, sEnd] = span(s, sPitch);
    return dEnd <= sFirst || sEnd <= dFirst;
}
