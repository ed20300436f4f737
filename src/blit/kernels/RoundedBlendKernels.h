#pragma once
// The four-pixel-group forms of the six RGB565 blend operations (rows Blend16SrcAlphaMmx ..
// Blend16ColorAlphaLevelMmx of the span kernel table). In a run of n pixels the first
// 4 * (n / 4) take the rounded step BlendPixel565Rounded and the n & 3 left over take the
// integer step BlendPixel565, so runs of 1 to 3 pixels match the integer rows exactly.
//
// Groups does the grouped part (a count that is a multiple of 4) with one of the
// implementations of RoundedGroups.h; all of them give the same bits. The source rows with a
// per-pixel alpha scaled by the level weigh their groups by (alpha * L) >> 8 and their leftover
// pixels by the level row's floor(alpha * L / 255), so the two can differ by one.
// Internal to the kernel table: callers go through g_spanKernels.
#include "blit/kernels/BlendKernels.h"

#include <cstdint>

namespace spankernels {

constexpr uint32_t GroupedLength(uint32_t count)
{
    return count & ~3u;
}

// Alpha byte i per pixel, or (Level) the level row's entry for it in the leftover pixels and
// (alpha * L) >> 8 in the groups.
template <class Groups, bool Level>
struct RoundedSourceAlpha
{
    template <uint32_t N>
    static void Run(void* destination, const void* source, const uint8_t* alpha, uint32_t n)
    {
        uint8_t* d = static_cast<uint8_t*>(destination);
        const uint8_t* s = static_cast<const uint8_t*>(source);
        const uint32_t count = RunLength(N, n), grouped = GroupedLength(count);
        if (grouped != 0) {
            if constexpr (Level)
                Groups::SourceAlphaLevel(d, s, alpha, LevelAlpha(255), grouped);
            else
                Groups::SourceAlpha(d, s, alpha, grouped);
        }
        for (uint32_t i = grouped; i < count; ++i)
            Step565::Blend(d, i, LoadPixel16(s, i), Level ? LevelAlpha(alpha[i]) : alpha[i]);
    }
};

template <class Groups>
struct RoundedSourceLevel
{
    template <uint32_t N>
    static void Run(void* destination, const void* source, uint32_t n)
    {
        uint8_t* d = static_cast<uint8_t*>(destination);
        const uint8_t* s = static_cast<const uint8_t*>(source);
        const uint32_t count = RunLength(N, n), grouped = GroupedLength(count), a = LevelAlpha(255);
        if (grouped != 0)
            Groups::Source(d, s, a, grouped);
        for (uint32_t i = grouped; i < count; ++i)
            Step565::Blend(d, i, LoadPixel16(s, i), a);
    }
};

template <class Groups>
struct RoundedValueAlpha
{
    template <uint32_t N>
    static void Run(void* destination, uint32_t value, uint32_t alpha, uint32_t n)
    {
        uint8_t* d = static_cast<uint8_t*>(destination);
        const uint32_t count = RunLength(N, n), grouped = GroupedLength(count);
        const uint32_t colour = value & 0xFFFF, a = alpha & 0xFF;
        if (grouped != 0)
            Groups::Value(d, colour, a, grouped);
        for (uint32_t i = grouped; i < count; ++i)
            Step565::Blend(d, i, colour, a);
    }
};

} // namespace spankernels
