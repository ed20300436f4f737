#pragma once
// The grouped part of the rounded RGB565 blend rows: `count` pixels (a multiple of 4) blended
// with BlendPixel565Rounded. Three implementations give the same bits, because the step is
// unsigned 16-bit multiply, add, logical shift and mask with no intermediate above 65016:
//   PortableGroups  one pixel at a time in plain C++ (every processor; the reference);
//   Sse2Groups      eight pixels per step, then a last four (x86-64 only);
//   Avx2Groups      sixteen pixels per step (RoundedGroupsAvx2.cpp; only where CpuHasAvx2).
// Each offers, for a destination run d:
//   SourceAlpha(d, s, alpha, count)              alpha byte i per pixel
//   SourceAlphaLevel(d, s, alpha, level, count)  (alpha byte i * level) >> 8 per pixel
//   Source(d, s, a, count)                       one alpha for every pixel
//   Value(d, colour, a, count)                   one colour and one alpha
// Alpha and level are 0..255; the colour is a 16-bit pixel.
#include "blit/kernels/PixelAccess.h"
#include "blit/kernels/PixelSteps.h"

#include <cstdint>
#include <cstring>

#if defined(__x86_64__)
#include <emmintrin.h>
#define VANTOREL_SPAN_KERNELS_X86 1
#endif

namespace spankernels {

struct PortableGroups
{
    static void SourceAlpha(uint8_t* d, const uint8_t* s, const uint8_t* alpha, uint32_t count)
    {
        for (uint32_t i = 0; i < count; ++i)
            StorePixel16(d, i, BlendPixel565Rounded(LoadPixel16(d, i), LoadPixel16(s, i), alpha[i]));
    }
    static void SourceAlphaLevel(uint8_t* d, const uint8_t* s, const uint8_t* alpha, uint32_t level, uint32_t count)
    {
        for (uint32_t i = 0; i < count; ++i)
            StorePixel16(d, i, BlendPixel565Rounded(LoadPixel16(d, i), LoadPixel16(s, i), alpha[i] * level >> 8));
    }
    static void Source(uint8_t* d, const uint8_t* s, uint32_t a, uint32_t count)
    {
        for (uint32_t i = 0; i < count; ++i)
            StorePixel16(d, i, BlendPixel565Rounded(LoadPixel16(d, i), LoadPixel16(s, i), a));
    }
    static void Value(uint8_t* d, uint32_t colour, uint32_t a, uint32_t count)
    {
        for (uint32_t i = 0; i < count; ++i)
            StorePixel16(d, i, BlendPixel565Rounded(LoadPixel16(d, i), colour, a));
    }
};

#if VANTOREL_SPAN_KERNELS_X86

namespace sse2 {

VANTOREL_KERNEL_INLINE __m128i Load4(const uint8_t* p) // four pixels into the low half
{
    long long bits;
    std::memcpy(&bits, p, 8);
    return _mm_cvtsi64_si128(bits);
}
VANTOREL_KERNEL_INLINE __m128i Load8(const uint8_t* p)
{
    __m128i v;
    std::memcpy(&v, p, 16);
    return v;
}
VANTOREL_KERNEL_INLINE void Store4(uint8_t* p, __m128i v)
{
    const long long bits = _mm_cvtsi128_si64(v);
    std::memcpy(p, &bits, 8);
}
VANTOREL_KERNEL_INLINE void Store8(uint8_t* p, __m128i v)
{
    std::memcpy(p, &v, 16);
}
// Alpha bytes widened to words.
VANTOREL_KERNEL_INLINE __m128i AlphaWords4(const uint8_t* p)
{
    int bits;
    std::memcpy(&bits, p, 4);
    return _mm_unpacklo_epi8(_mm_cvtsi32_si128(bits), _mm_setzero_si128());
}
VANTOREL_KERNEL_INLINE __m128i AlphaWords8(const uint8_t* p)
{
    return _mm_unpacklo_epi8(Load4(p), _mm_setzero_si128());
}

// BlendPixel565Rounded on eight words.
VANTOREL_KERNEL_INLINE __m128i BlendRounded(__m128i d, __m128i s, __m128i a)
{
    const __m128i w6 = _mm_srli_epi16(a, 2), w5 = _mm_srli_epi16(a, 3);
    const __m128i rest6 = _mm_sub_epi16(_mm_set1_epi16(63), w6), rest5 = _mm_sub_epi16(_mm_set1_epi16(31), w5);
    const __m128i green16 = _mm_set1_epi16(0x03F0), low5 = _mm_set1_epi16(0x001F), half = _mm_set1_epi16(0x0010);

    __m128i x = _mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(_mm_srli_epi16(s, 1), green16), w6),
                              _mm_mullo_epi16(_mm_and_si128(_mm_srli_epi16(d, 1), green16), rest6));
    x = _mm_add_epi16(x, _mm_set1_epi16(0x0200));
    const __m128i green =
        _mm_and_si128(_mm_srli_epi16(_mm_add_epi16(x, _mm_srli_epi16(x, 6)), 5), _mm_set1_epi16(0x07E0));

    __m128i tb = _mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(s, low5), w5), _mm_mullo_epi16(_mm_and_si128(d, low5), rest5));
    tb = _mm_add_epi16(tb, half);
    const __m128i blue = _mm_srli_epi16(_mm_add_epi16(tb, _mm_srli_epi16(tb, 5)), 5);

    __m128i tr = _mm_add_epi16(_mm_mullo_epi16(_mm_srli_epi16(s, 11), w5), _mm_mullo_epi16(_mm_srli_epi16(d, 11), rest5));
    tr = _mm_add_epi16(tr, half);
    const __m128i red = _mm_slli_epi16(_mm_srli_epi16(_mm_add_epi16(tr, _mm_srli_epi16(tr, 5)), 5), 11);

    return _mm_or_si128(_mm_or_si128(blue, green), red);
}

// Pixels start .. count - 1 (count - start a multiple of 4), eight and then four at a time.
// source(i, eight) and alpha(i, eight) give the words of pixel i onward.
template <class SourceWords, class AlphaWords>
VANTOREL_KERNEL_INLINE void BlendGroups(uint8_t* d, uint32_t start, uint32_t count, SourceWords source, AlphaWords alpha)
{
    uint32_t i = start;
    for (; i + 8 <= count; i += 8)
        Store8(d + 2 * i, BlendRounded(Load8(d + 2 * i), source(i, true), alpha(i, true)));
    if (i < count)
        Store4(d + 2 * i, BlendRounded(Load4(d + 2 * i), source(i, false), alpha(i, false)));
}

} // namespace sse2

struct Sse2Groups
{
    static void SourceAlpha(uint8_t* d, const uint8_t* s, const uint8_t* alpha, uint32_t count, uint32_t start = 0)
    {
        sse2::BlendGroups(
            d, start, count, [s](uint32_t i, bool eight) { return eight ? sse2::Load8(s + 2 * i) : sse2::Load4(s + 2 * i); },
            [alpha](uint32_t i, bool eight) { return eight ? sse2::AlphaWords8(alpha + i) : sse2::AlphaWords4(alpha + i); });
    }
    static void SourceAlphaLevel(uint8_t* d, const uint8_t* s, const uint8_t* alpha, uint32_t level, uint32_t count,
                                 uint32_t start = 0)
    {
        const __m128i levels = _mm_set1_epi16(static_cast<short>(level));
        sse2::BlendGroups(
            d, start, count, [s](uint32_t i, bool eight) { return eight ? sse2::Load8(s + 2 * i) : sse2::Load4(s + 2 * i); },
            [alpha, levels](uint32_t i, bool eight) {
                const __m128i words = eight ? sse2::AlphaWords8(alpha + i) : sse2::AlphaWords4(alpha + i);
                return _mm_srli_epi16(_mm_mullo_epi16(words, levels), 8);
            });
    }
    static void Source(uint8_t* d, const uint8_t* s, uint32_t a, uint32_t count, uint32_t start = 0)
    {
        const __m128i alphas = _mm_set1_epi16(static_cast<short>(a));
        sse2::BlendGroups(
            d, start, count, [s](uint32_t i, bool eight) { return eight ? sse2::Load8(s + 2 * i) : sse2::Load4(s + 2 * i); },
            [alphas](uint32_t, bool) { return alphas; });
    }
    static void Value(uint8_t* d, uint32_t colour, uint32_t a, uint32_t count, uint32_t start = 0)
    {
        const __m128i colours = _mm_set1_epi16(static_cast<short>(colour)), alphas = _mm_set1_epi16(static_cast<short>(a));
        sse2::BlendGroups(
            d, start, count, [colours](uint32_t, bool) { return colours; }, [alphas](uint32_t, bool) { return alphas; });
    }
};

struct Avx2Groups
{
    static void SourceAlpha(uint8_t* d, const uint8_t* s, const uint8_t* alpha, uint32_t count);
    static void SourceAlphaLevel(uint8_t* d, const uint8_t* s, const uint8_t* alpha, uint32_t level, uint32_t count);
    static void Source(uint8_t* d, const uint8_t* s, uint32_t a, uint32_t count);
    static void Value(uint8_t* d, uint32_t colour, uint32_t a, uint32_t count);
};

#endif // VANTOREL_SPAN_KERNELS_X86

} // namespace spankernels
