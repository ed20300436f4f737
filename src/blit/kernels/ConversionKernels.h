#pragma once
// The loops of the ten conversion span tables: 8-bit palette indices drawn onto 16-bit pixels
// through g_paletteToPixel16, and RGB565 pixels widened onto 24-bit and 32-bit pixels (blue, green,
// red and, for 32 bits, alpha). A field widens by a shift only (Expand565: blue << 3, green << 2,
// red as it stands in the top byte), so white reads 248, 252, 248. Alpha operands of the 24-bit
// forms are not read.
// Internal to the kernel table: callers go through the tables of SpanKernelTable.h.
#include "blit/ColorPacking.h"
#include "blit/kernels/CopyFillKernels.h"
#include "blit/kernels/PixelAccess.h"
#include "blit/kernels/SpanKernelTable.h"

#include <cstdint>

namespace spankernels {

inline uint32_t PaletteIndexTo16(uint32_t index)
{
    return g_paletteToPixel16[index & 0xFF] & 0xFFFF;
}

// Palette indices onto 24-bit or (Bytes 4, alpha 255) 32-bit pixels through
// g_currentExpandPalette; nothing is drawn while it is null.
template <uint32_t Bytes>
VANTOREL_KERNEL_INLINE void StoreIndexColour(uint8_t* d, uint32_t i, const uint8_t* palette, uint32_t index)
{
    const uint8_t* entry = palette + 3 * (index & 0xFF);
    uint8_t* p = d + Bytes * static_cast<size_t>(i);
    p[0] = entry[0];
    p[1] = entry[1];
    p[2] = entry[2];
    if constexpr (Bytes == 4)
        p[3] = 0xFF;
}

template <uint32_t Bytes>
struct ExpandIndexLoop
{
    template <uint32_t N>
    static void Run(void* destination, const void* source, uint32_t n)
    {
        const uint8_t* palette = g_currentExpandPalette;
        if (!palette)
            return;
        const uint8_t* s = static_cast<const uint8_t*>(source);
        for (uint32_t i = 0; i < RunLength(N, n); ++i)
            StoreIndexColour<Bytes>(static_cast<uint8_t*>(destination), i, palette, s[i]);
    }
};

template <uint32_t Bytes>
struct FillIndexLoop
{
    template <uint32_t N>
    static void Run(void* destination, uint32_t index, uint32_t n)
    {
        const uint8_t* palette = g_currentExpandPalette;
        if (!palette)
            return;
        for (uint32_t i = 0; i < RunLength(N, n); ++i)
            StoreIndexColour<Bytes>(static_cast<uint8_t*>(destination), i, palette, index);
    }
};

struct Expand8To16Loop
{
    template <uint32_t N>
    static void Run(void* destination, const void* source, uint32_t n)
    {
        uint8_t* d = static_cast<uint8_t*>(destination);
        const uint8_t* s = static_cast<const uint8_t*>(source);
        for (uint32_t i = 0; i < RunLength(N, n); ++i)
            StorePixel16(d, i, PaletteIndexTo16(s[i]));
    }
};

struct FillIndexAs16Loop
{
    template <uint32_t N>
    static void Run(void* destination, uint32_t index, uint32_t n)
    {
        FillWithValue<2>::Run<N>(destination, PaletteIndexTo16(index), n);
    }
};

// Bytes per destination pixel: 3 or 4 (alpha byte 255).
template <uint32_t Bytes>
struct Expand16Loop
{
    template <uint32_t N>
    static void Run(void* destination, const void* source, uint32_t n)
    {
        Expand(destination, source, nullptr, RunLength(N, n));
    }
    // A null alpha writes 255 into 32-bit pixels.
    static void Expand(void* destination, const void* source, const uint8_t* alpha, uint32_t count)
    {
        uint8_t* d = static_cast<uint8_t*>(destination);
        const uint8_t* s = static_cast<const uint8_t*>(source);
        for (uint32_t i = 0; i < count; ++i) {
            const uint32_t bytes = Expand565(LoadPixel16(s, i)) | (alpha ? alpha[i] : 0xFFu) << 24;
            std::memcpy(d + Bytes * static_cast<size_t>(i), &bytes, Bytes);
        }
    }
};

template <uint32_t Bytes>
struct Expand16AlphaLoop
{
    template <uint32_t N>
    static void Run(void* destination, const void* source, const uint8_t* alpha, uint32_t n)
    {
        Expand16Loop<Bytes>::Expand(destination, source, Bytes == 4 ? alpha : nullptr, RunLength(N, n));
    }
};

struct Fill16As24Loop
{
    template <uint32_t N>
    static void Run(void* destination, uint32_t pixel, uint32_t n)
    {
        FillWithValue<3>::Run<N>(destination, Expand565(pixel), n);
    }
};

struct Fill16As24AlphaLoop
{
    template <uint32_t N>
    static void Run(void* destination, uint32_t pixel, uint32_t, uint32_t n)
    {
        Fill16As24Loop::Run<N>(destination, pixel, n);
    }
};

struct Fill16As32Loop
{
    template <uint32_t N>
    static void Run(void* destination, uint32_t pixel, uint32_t n)
    {
        FillWithValue<4>::Run<N>(destination, Expand565(pixel) | 0xFF000000u, n);
    }
};

struct Fill16As32AlphaLoop
{
    template <uint32_t N>
    static void Run(void* destination, uint32_t pixel, uint32_t alpha, uint32_t n)
    {
        FillWithValue<4>::Run<N>(destination, Expand565(pixel) | (alpha & 0xFF) << 24, n);
    }
};

} // namespace spankernels
