#pragma once
// Copy and fill kernels of 8-bit, 16-bit and 24-bit destinations (rows Copy8, Fill8, Copy16,
// Fill16, Copy24, Fill24 of the span kernel table). Each row is a struct whose Run<N> is the
// kernel of length N; Run<0> is the row's loop for any length, which reads n.
// Internal to the kernel table: callers go through g_spanKernels.
#include "blit/kernels/PixelAccess.h"

#include <cstdint>
#include <cstring>

namespace spankernels {

constexpr uint32_t RunLength(uint32_t fixed, uint32_t n)
{
    return fixed != 0 ? fixed : n;
}

struct Copy8
{
    template <uint32_t N>
    static void Run(void* destination, const void* source, uint32_t n)
    {
        std::memcpy(destination, source, RunLength(N, n));
    }
};

struct Fill8
{
    template <uint32_t N>
    static void Run(void* destination, uint32_t value, uint32_t n)
    {
        std::memset(destination, static_cast<int>(value & 0xFF), RunLength(N, n));
    }
};

struct Copy16
{
    template <uint32_t N>
    static void Run(void* destination, const void* source, uint32_t n)
    {
        std::memcpy(destination, source, 2 * static_cast<size_t>(RunLength(N, n)));
    }
};

struct Fill16
{
    template <uint32_t N>
    static void Run(void* destination, uint32_t value, uint32_t n)
    {
        FillPixels<2>(static_cast<uint8_t*>(destination), value, RunLength(N, n), N != 0);
    }
};

struct Copy24
{
    template <uint32_t N>
    static void Run(void* destination, const void* source, uint32_t n)
    {
        std::memcpy(destination, source, 3 * static_cast<size_t>(RunLength(N, n)));
    }
};

// Every pixel gets bytes 0, 1, 2 of the value; bits 24-31 are never written anywhere.
struct Fill24
{
    template <uint32_t N>
    static void Run(void* destination, uint32_t value, uint32_t n)
    {
        FillPixels<3>(static_cast<uint8_t*>(destination), value, RunLength(N, n), N != 0);
    }
};

} // namespace spankernels
