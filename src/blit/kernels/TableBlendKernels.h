#pragma once
// The palettised blend kernels of 8-bit destinations (rows Blend20_80DstSrc .. Blend20_80ValueDst
// of the span kernel table): one lookup per pixel in a 256 x 256 table of palette indices,
// Alpha20_80 or Alpha40_60. "Destination high" rows index the table by destination * 256 +
// source, the others by source * 256 + destination. A table that is not loaded (or smaller than
// 256 x 256) draws nothing. Internal to the kernel table: callers go through g_spanKernels.
#include "blit/kernels/CopyFillKernels.h"
#include "graphics/PaletteTable.h"

#include <cstdint>

namespace spankernels {

// The table's bytes, or null when it cannot serve every index.
inline const uint8_t* BlendTableBytes(const CPaletteTable& table)
{
    return table.GetSize() >= 256 * 256 ? table.GetData() : nullptr;
}

inline uint32_t BlendTableIndex(bool destinationHigh, uint32_t destination, uint32_t operand)
{
    return destinationHigh ? destination << 8 | operand : operand << 8 | destination;
}

template <const CPaletteTable* Table, bool DestinationHigh>
struct TableBlendSource
{
    template <uint32_t N>
    static void Run(void* destination, const void* source, uint32_t n)
    {
        const uint8_t* table = BlendTableBytes(*Table);
        if (!table)
            return;
        uint8_t* d = static_cast<uint8_t*>(destination);
        const uint8_t* s = static_cast<const uint8_t*>(source);
        for (uint32_t i = 0; i < RunLength(N, n); ++i)
            d[i] = table[BlendTableIndex(DestinationHigh, d[i], s[i])];
    }
};

template <const CPaletteTable* Table, bool DestinationHigh>
struct TableBlendValue
{
    template <uint32_t N>
    static void Run(void* destination, uint32_t value, uint32_t n)
    {
        const uint8_t* table = BlendTableBytes(*Table);
        if (!table)
            return;
        uint8_t* d = static_cast<uint8_t*>(destination);
        for (uint32_t i = 0; i < RunLength(N, n); ++i)
            d[i] = table[BlendTableIndex(DestinationHigh, d[i], value & 0xFF)];
    }
};

} // namespace spankernels
