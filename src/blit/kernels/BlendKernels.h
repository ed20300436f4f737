#pragma once
// The integer blend kernels of 16-bit RGB565 and 24-bit destinations (rows Blend16SrcAlpha ..
// Blend16ColorAlphaLevel and Blend24SrcAlpha .. Blend24ColorAlphaLevel of the span kernel table).
// The six operations differ only in where the alpha comes from; the pixel step (Step565 or
// Step24) gives the arithmetic. Level rows read g_currentAlphaRow, which the blit routine points
// at its level first. Internal to the kernel table: callers go through g_spanKernels.
//
// The work is done in blocks of a fixed pixel count on runs that do not overlap (restrict), which
// lets the compiler turn them into vector code; it is the same integer arithmetic either way.
#include "blit/Blitter.h"
#include "blit/kernels/CopyFillKernels.h"
#include "blit/kernels/PixelAccess.h"
#include "blit/kernels/PixelSteps.h"

#include <cstdint>

namespace spankernels {

// A step reads source pixel i of a run and blends a pixel into destination pixel i. kBytes is the
// destination's pixel stride, kSourceBytes the source's.
struct Step565
{
    static constexpr uint32_t kBytes = 2;
    static constexpr uint32_t kSourceBytes = 2;

    VANTOREL_KERNEL_INLINE static uint32_t Value(uint32_t value) { return value & 0xFFFF; }
    VANTOREL_KERNEL_INLINE static uint32_t Source(const uint8_t* run, uint32_t i) { return LoadPixel16(run, i); }
    VANTOREL_KERNEL_INLINE static void Blend(uint8_t* run, uint32_t i, uint32_t source, uint32_t alpha)
    {
        StorePixel16(run, i, BlendPixel565(LoadPixel16(run, i), source, alpha));
    }
};

// Bytes 0, 1, 2 of a pixel, each blended on its own; a pixel is read and written as its three
// bytes only.
struct Step24
{
    static constexpr uint32_t kBytes = 3;
    static constexpr uint32_t kSourceBytes = 3;

    VANTOREL_KERNEL_INLINE static uint32_t Value(uint32_t value) { return value & 0xFFFFFF; }
    VANTOREL_KERNEL_INLINE static uint32_t Source(const uint8_t* run, uint32_t i)
    {
        const uint8_t* p = run + 3 * static_cast<size_t>(i);
        return p[0] | p[1] << 8 | p[2] << 16;
    }
    VANTOREL_KERNEL_INLINE static void Blend(uint8_t* run, uint32_t i, uint32_t source, uint32_t alpha)
    {
        uint8_t* p = run + 3 * static_cast<size_t>(i);
        p[0] = BlendChannel24(p[0], source, alpha);
        p[1] = BlendChannel24(p[1], source >> 8, alpha);
        p[2] = BlendChannel24(p[2], source >> 16, alpha);
    }
};

// The 24-bit step on 32-bit destination pixels: source pixels are three bytes apart, destination
// pixels four, and byte 3 of a destination pixel is left as it is.
struct Step24Into32
{
    static constexpr uint32_t kBytes = 4;
    static constexpr uint32_t kSourceBytes = 3;

    VANTOREL_KERNEL_INLINE static uint32_t Value(uint32_t value) { return Step24::Value(value); }
    VANTOREL_KERNEL_INLINE static uint32_t Source(const uint8_t* run, uint32_t i) { return Step24::Source(run, i); }
    VANTOREL_KERNEL_INLINE static void Blend(uint8_t* run, uint32_t i, uint32_t source, uint32_t alpha)
    {
        uint8_t* p = run + 4 * static_cast<size_t>(i);
        p[0] = BlendChannel24(p[0], source, alpha);
        p[1] = BlendChannel24(p[1], source >> 8, alpha);
        p[2] = BlendChannel24(p[2], source >> 16, alpha);
    }
};

// Blocks of Count pixels towards a source run or a colour, with one alpha or one per pixel.
template <class Step, uint32_t Count>
VANTOREL_KERNEL_INLINE void SourceBlock(uint8_t* __restrict d, const uint8_t* __restrict s, uint32_t alpha)
{
    for (uint32_t i = 0; i < Count; ++i)
        Step::Blend(d, i, Step::Source(s, i), alpha);
}

template <class Step, uint32_t Count>
VANTOREL_KERNEL_INLINE void SourceAlphaBlock(uint8_t* __restrict d, const uint8_t* __restrict s,
                                             const uint8_t* __restrict alpha)
{
    for (uint32_t i = 0; i < Count; ++i)
        Step::Blend(d, i, Step::Source(s, i), alpha[i]);
}

template <class Step, uint32_t Count>
VANTOREL_KERNEL_INLINE void ValueBlock(uint8_t* __restrict d, uint32_t colour, uint32_t alpha)
{
    for (uint32_t i = 0; i < Count; ++i)
        Step::Blend(d, i, colour, alpha);
}

// The level, or an alpha scaled by it, from the current row of the opacity tables.
VANTOREL_KERNEL_INLINE uint32_t LevelAlpha(uint32_t alpha)
{
    return g_currentAlphaRow[alpha & 0xFF] & 0xFF;
}

// Calls block<N>(0) for a kernel of fixed length N; for the row's loop (N = 0) block<16> over
// whole sixteens of the n pixels and block<1> over the rest.
template <uint32_t N, class Block>
VANTOREL_KERNEL_INLINE void RunInBlocks(uint32_t n, Block block)
{
    if constexpr (N != 0) {
        block.template operator()<N>(0u);
    } else {
        uint32_t i = 0;
        for (; i + 16 <= n; i += 16)
            block.template operator()<16>(i);
        for (; i < n; ++i)
            block.template operator()<1>(i);
    }
}

// Alpha byte i per pixel, or (Level) the level row's entry for it.
template <class Step, bool Level>
struct BlendSourceAlpha
{
    template <uint32_t N>
    static void Run(void* destination, const void* source, const uint8_t* alpha, uint32_t n)
    {
        uint8_t* d = static_cast<uint8_t*>(destination);
        const uint8_t* s = static_cast<const uint8_t*>(source);
        RunInBlocks<N>(n, [=]<uint32_t Count>(uint32_t i) __attribute__((always_inline)) {
            if constexpr (Level) {
                uint8_t scaled[Count];
                for (uint32_t k = 0; k < Count; ++k)
                    scaled[k] = static_cast<uint8_t>(LevelAlpha(alpha[i + k]));
                SourceAlphaBlock<Step, Count>(d + Step::kBytes * i, s + Step::kSourceBytes * i, scaled);
            } else {
                SourceAlphaBlock<Step, Count>(d + Step::kBytes * i, s + Step::kSourceBytes * i, alpha + i);
            }
        });
    }
};

template <class Step>
struct BlendSourceLevel
{
    template <uint32_t N>
    static void Run(void* destination, const void* source, uint32_t n)
    {
        uint8_t* d = static_cast<uint8_t*>(destination);
        const uint8_t* s = static_cast<const uint8_t*>(source);
        const uint32_t a = LevelAlpha(255);
        RunInBlocks<N>(n, [=]<uint32_t Count>(uint32_t i) __attribute__((always_inline)) {
            SourceBlock<Step, Count>(d + Step::kBytes * i, s + Step::kSourceBytes * i, a);
        });
    }
};

template <class Step>
struct BlendValueAlpha
{
    template <uint32_t N>
    static void Run(void* destination, uint32_t value, uint32_t alpha, uint32_t n)
    {
        uint8_t* d = static_cast<uint8_t*>(destination);
        const uint32_t colour = Step::Value(value), a = alpha & 0xFF;
        RunInBlocks<N>(n, [=]<uint32_t Count>(uint32_t i) __attribute__((always_inline)) {
            ValueBlock<Step, Count>(d + Step::kBytes * i, colour, a);
        });
    }
};

// A colour row (destination, value, alpha, n) run at the level, or at the given alpha scaled
// by the level, both looked up once per call.
template <class ValueAlphaRow>
struct ValueAtLevel
{
    template <uint32_t N>
    static void Run(void* destination, uint32_t value, uint32_t n)
    {
        ValueAlphaRow::template Run<N>(destination, value, LevelAlpha(255), n);
    }
};

template <class ValueAlphaRow>
struct ValueAtAlphaLevel
{
    template <uint32_t N>
    static void Run(void* destination, uint32_t value, uint32_t alpha, uint32_t n)
    {
        ValueAlphaRow::template Run<N>(destination, value, LevelAlpha(alpha), n);
    }
};

} // namespace spankernels
