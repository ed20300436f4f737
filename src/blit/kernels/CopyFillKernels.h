#pragma once
// Copy and fill kernels of 8-bit, 16-bit and 24-bit destinations (rows Copy8, Fill8, Copy16,
// Fill16, Copy24, Fill24 of the span kernel table), by bytes per pixel. Each row is a struct
// whose Run<N> is the kernel of length N; Run<0> is the row's loop for any length, which reads n.
// Internal to the kernel table: callers go through g_spanKernels.
#include "blit/kernels/PixelAccess.h"

#include <cstdint>
#include <cstring>

namespace spankernels {

constexpr uint32_t RunLength(uint32_t fixed, uint32_t n)
{
    return fixed != 0 ? fixed : n;
}

template <uint32_t Bytes>
struct CopyPixels
{
    template <uint32_t N>
    static void Run(void* destination, const void* source, uint32_t n)
    {
        std::memcpy(destination, source, Bytes * static_cast<size_t>(RunLength(N, n)));
    }
};

// Every pixel gets the value's low Bytes bytes; the others are never written anywhere.
template <uint32_t Bytes>
struct FillWithValue
{
    template <uint32_t N>
    static void Run(void* destination, uint32_t value, uint32_t n)
    {
        if constexpr (Bytes == 1)
            std::memset(destination, static_cast<int>(value & 0xFF), RunLength(N, n));
        else
            FillPixels<Bytes>(static_cast<uint8_t*>(destination), value, RunLength(N, n), N != 0);
    }
};

// 24-bit pixels onto 32-bit ones: bytes 0-2 of each 4-byte destination pixel are written and
// byte 3 is kept.
struct Copy24Into32
{
    template <uint32_t N>
    static void Run(void* destination, const void* source, uint32_t n)
    {
        uint8_t* d = static_cast<uint8_t*>(destination);
        const uint8_t* s = static_cast<const uint8_t*>(source);
        for (uint32_t i = 0; i < RunLength(N, n); ++i)
            std::memcpy(d + 4 * static_cast<size_t>(i), s + 3 * static_cast<size_t>(i), 3);
    }
};

struct Fill24Into32
{
    template <uint32_t N>
    static void Run(void* destination, uint32_t value, uint32_t n)
    {
        uint8_t* d = static_cast<uint8_t*>(destination);
        const uint8_t bytes[3] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                                  static_cast<uint8_t>(value >> 16)};
        for (uint32_t i = 0; i < RunLength(N, n); ++i)
            std::memcpy(d + 4 * static_cast<size_t>(i), bytes, 3);
    }
};

using Copy8 = CopyPixels<1>;
using Fill8 = FillWithValue<1>;
using Copy16 = CopyPixels<2>;
using Fill16 = FillWithValue<2>;
using Copy24 = CopyPixels<3>;
using Fill24 = FillWithValue<3>;

} // namespace spankernels
