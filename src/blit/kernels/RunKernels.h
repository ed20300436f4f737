#pragma once
// Kernels that draw one whole run of any length inline, for the run-length walkers that draw
// without a call per run (RunLengthDrawers.h). Each gives exactly the pixels of its row of the
// span kernel table. They touch only the run's own pixels (and its values and alpha bytes):
// longer pieces that do not fit the run's end are moved back to end at the run's end, so they
// overlap the piece before them, and a blend computes every piece it stores from the destination
// as it was before the run.
//
// Copies and fills: sixteen bytes a step, plain C++ that compiles to vector moves.
// RGB565 blends of the grouped rows (RoundedBlendKernels.h): the first 4 * (n / 4) pixels take
// the rounded step and the last n & 3 the integer step. PortableRuns blends one pixel a step,
// Sse2Runs eight (a run of two or three pixels in one step), Avx2Runs (RunKernelsAvx2.h) sixteen.
#include "blit/kernels/BlendKernels.h"
#include "blit/kernels/PixelAccess.h"
#include "blit/kernels/PixelSteps.h"
#include "blit/kernels/RoundedGroups.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace runkernels {

// `bytes` bytes (any count) from s to d.
VANTOREL_KERNEL_INLINE void CopyRun(uint8_t* d, const uint8_t* s, size_t bytes)
{
    if (bytes >= 16) {
        uint8_t last[16];
        std::memcpy(last, s + bytes - 16, 16);
        for (size_t o = 0; o + 16 < bytes; o += 16)
            std::memcpy(d + o, s + o, 16);
        std::memcpy(d + bytes - 16, last, 16);
    } else if (bytes >= 8) {
        uint64_t first, last;
        std::memcpy(&first, s, 8);
        std::memcpy(&last, s + bytes - 8, 8);
        std::memcpy(d, &first, 8);
        std::memcpy(d + bytes - 8, &last, 8);
    } else if (bytes >= 4) {
        uint32_t first, last;
        std::memcpy(&first, s, 4);
        std::memcpy(&last, s + bytes - 4, 4);
        std::memcpy(d, &first, 4);
        std::memcpy(d + bytes - 4, &last, 4);
    } else if (bytes >= 2) {
        uint16_t first, last;
        std::memcpy(&first, s, 2);
        std::memcpy(&last, s + bytes - 2, 2);
        std::memcpy(d, &first, 2);
        std::memcpy(d + bytes - 2, &last, 2);
    } else if (bytes == 1) {
        d[0] = s[0];
    }
}

// n pixels of Bytes (1, 2 or 4) bytes, each the value's low bytes. Every piece starts at a
// multiple of the pixel size, so the pattern stays in step.
template <uint32_t Bytes>
VANTOREL_KERNEL_INLINE void FillRun(uint8_t* d, uint32_t value, uint32_t n)
{
    static_assert(Bytes == 1 || Bytes == 2 || Bytes == 4);
    const uint64_t word = Bytes == 1   ? (value & 0xFFull) * 0x0101010101010101ull
                          : Bytes == 2 ? (value & 0xFFFFull) * 0x0001000100010001ull
                                       : (value & 0xFFFFFFFFull) * 0x0000000100000001ull;
    const size_t bytes = static_cast<size_t>(n) * Bytes;
    if (bytes >= 16) {
        const uint64_t pair[2] = {word, word};
        for (size_t o = 0; o + 16 < bytes; o += 16)
            std::memcpy(d + o, pair, 16);
        std::memcpy(d + bytes - 16, pair, 16);
    } else if (bytes >= 8) {
        std::memcpy(d, &word, 8);
        std::memcpy(d + bytes - 8, &word, 8);
    } else if (bytes >= 4) {
        const uint32_t half = static_cast<uint32_t>(word);
        std::memcpy(d, &half, 4);
        std::memcpy(d + bytes - 4, &half, 4);
    } else if (bytes >= 2) {
        const uint16_t quarter = static_cast<uint16_t>(word);
        std::memcpy(d, &quarter, 2);
        std::memcpy(d + bytes - 2, &quarter, 2);
    } else if (bytes == 1) {
        d[0] = static_cast<uint8_t>(word);
    }
}

// Where a blend's source and alphas come from. Source: pixel i of a run, or one colour.
// Alpha: the weight of the rounded groups and of the integer leftover pixels, which differ only
// where a per-pixel alpha is scaled by the level (the groups by (alpha * L) >> 8, the leftovers
// through the level row).
struct SourcePixels
{
    const uint8_t* s;
    VANTOREL_KERNEL_INLINE uint32_t At(uint32_t i) const { return LoadPixel16(s, i); }
};
struct SourceColour
{
    uint32_t colour;
    VANTOREL_KERNEL_INLINE uint32_t At(uint32_t) const { return colour; }
};
struct AlphaConstant
{
    uint32_t a;
    VANTOREL_KERNEL_INLINE uint32_t Integer(uint32_t) const { return a; }
};
struct AlphaBytes
{
    const uint8_t* alpha;
    VANTOREL_KERNEL_INLINE uint32_t Integer(uint32_t i) const { return alpha[i]; }
};
struct AlphaBytesLevel
{
    const uint8_t* alpha;
    uint32_t level;
    VANTOREL_KERNEL_INLINE uint32_t Integer(uint32_t i) const { return spankernels::LevelAlpha(alpha[i]); }
};

// The plain form: one pixel at a time.
struct PortableRuns
{
    template <class Source, class Alpha>
    VANTOREL_KERNEL_INLINE static void Blend565(uint8_t* d, uint32_t n, const Source& source, const Alpha& alpha)
    {
        const uint32_t grouped = n & ~3u;
        for (uint32_t i = 0; i < n; ++i) {
            const uint32_t pixel = LoadPixel16(d, i);
            StorePixel16(d, i,
                         i < grouped ? BlendPixel565Rounded(pixel, source.At(i), RoundedAlpha(alpha, i))
                                     : BlendPixel565(pixel, source.At(i), alpha.Integer(i)));
        }
    }

private:
    VANTOREL_KERNEL_INLINE static uint32_t RoundedAlpha(const AlphaConstant& alpha, uint32_t) { return alpha.a; }
    VANTOREL_KERNEL_INLINE static uint32_t RoundedAlpha(const AlphaBytes& alpha, uint32_t i) { return alpha.alpha[i]; }
    VANTOREL_KERNEL_INLINE static uint32_t RoundedAlpha(const AlphaBytesLevel& alpha, uint32_t i)
    {
        return alpha.alpha[i] * alpha.level >> 8;
    }
};

#if VANTOREL_SPAN_KERNELS_X86

namespace sse2 = spankernels::sse2;

namespace sse2run {

// BlendPixel565 on eight words: each field f_d + floor((f_s - f_d) * w / 32 or 64).
VANTOREL_KERNEL_INLINE __m128i BlendInteger(__m128i d, __m128i s, __m128i a)
{
    const __m128i w5 = _mm_srli_epi16(a, 3), w6 = _mm_srli_epi16(a, 2);
    const __m128i low5 = _mm_set1_epi16(0x1F), low6 = _mm_set1_epi16(0x3F);
    const __m128i rd = _mm_srli_epi16(d, 11), rs = _mm_srli_epi16(s, 11);
    const __m128i gd = _mm_and_si128(_mm_srli_epi16(d, 5), low6), gs = _mm_and_si128(_mm_srli_epi16(s, 5), low6);
    const __m128i bd = _mm_and_si128(d, low5), bs = _mm_and_si128(s, low5);
    const __m128i r = _mm_add_epi16(rd, _mm_srai_epi16(_mm_mullo_epi16(_mm_sub_epi16(rs, rd), w5), 5));
    const __m128i g = _mm_add_epi16(gd, _mm_srai_epi16(_mm_mullo_epi16(_mm_sub_epi16(gs, gd), w6), 6));
    const __m128i b = _mm_add_epi16(bd, _mm_srai_epi16(_mm_mullo_epi16(_mm_sub_epi16(bs, bd), w5), 5));
    return _mm_or_si128(_mm_or_si128(_mm_slli_epi16(r, 11), _mm_slli_epi16(g, 5)), b);
}

// Lanes from `first` on taken from b, the others from a.
VANTOREL_KERNEL_INLINE __m128i SelectFrom(__m128i a, __m128i b, uint32_t first)
{
    const __m128i lanes = _mm_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7);
    const __m128i mask = _mm_cmpgt_epi16(lanes, _mm_set1_epi16(static_cast<short>(first) - 1));
    return _mm_or_si128(_mm_and_si128(mask, b), _mm_andnot_si128(mask, a));
}

// Words of pixels i.. (eight, or four in the low half).
VANTOREL_KERNEL_INLINE __m128i Words(const SourcePixels& source, uint32_t i, bool eight)
{
    return eight ? sse2::Load8(source.s + 2 * size_t{i}) : sse2::Load4(source.s + 2 * size_t{i});
}
VANTOREL_KERNEL_INLINE __m128i Words(const SourceColour& source, uint32_t, bool)
{
    return _mm_set1_epi16(static_cast<short>(source.colour));
}
VANTOREL_KERNEL_INLINE __m128i Weights(const AlphaConstant& alpha, uint32_t, bool)
{
    return _mm_set1_epi16(static_cast<short>(alpha.a));
}
VANTOREL_KERNEL_INLINE __m128i Weights(const AlphaBytes& alpha, uint32_t i, bool eight)
{
    return eight ? sse2::AlphaWords8(alpha.alpha + i) : sse2::AlphaWords4(alpha.alpha + i);
}
VANTOREL_KERNEL_INLINE __m128i Weights(const AlphaBytesLevel& alpha, uint32_t i, bool eight)
{
    const __m128i words = eight ? sse2::AlphaWords8(alpha.alpha + i) : sse2::AlphaWords4(alpha.alpha + i);
    return _mm_srli_epi16(_mm_mullo_epi16(words, _mm_set1_epi16(static_cast<short>(alpha.level))), 8);
}
// The integer weights of lanes 5, 6 and 7 (pixels p, p + 1, p + 2), the only lanes a run's
// leftover pixels fall in; the other lanes keep the rounded weights.
template <class Alpha>
VANTOREL_KERNEL_INLINE __m128i IntegerLast3(const Alpha&, __m128i rounded, uint32_t)
{
    return rounded;
}
VANTOREL_KERNEL_INLINE __m128i IntegerLast3(const AlphaBytesLevel& alpha, __m128i rounded, uint32_t p)
{
    rounded = _mm_insert_epi16(rounded, static_cast<int>(alpha.Integer(p)), 5);
    rounded = _mm_insert_epi16(rounded, static_cast<int>(alpha.Integer(p + 1)), 6);
    return _mm_insert_epi16(rounded, static_cast<int>(alpha.Integer(p + 2)), 7);
}

// Runs of two or three pixels, all leftovers: lanes 0..3 hold pixels 0, 1, h and h + 1 (h = n - 2),
// each half loaded and stored as four bytes, so nothing past the run is touched.
VANTOREL_KERNEL_INLINE __m128i LoadPairs(const uint8_t* p, uint32_t h)
{
    uint32_t first, last;
    std::memcpy(&first, p, 4);
    std::memcpy(&last, p + 2 * size_t{h}, 4);
    return _mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(first)), _mm_cvtsi32_si128(static_cast<int>(last)));
}
VANTOREL_KERNEL_INLINE void StorePairs(uint8_t* p, uint32_t h, __m128i v)
{
    const uint32_t first = static_cast<uint32_t>(_mm_cvtsi128_si32(v));
    const uint32_t last = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(v, 4)));
    std::memcpy(p, &first, 4);
    std::memcpy(p + 2 * size_t{h}, &last, 4);
}
VANTOREL_KERNEL_INLINE __m128i PairWords(const SourcePixels& source, uint32_t h)
{
    return LoadPairs(source.s, h);
}
VANTOREL_KERNEL_INLINE __m128i PairWords(const SourceColour& source, uint32_t)
{
    return _mm_set1_epi16(static_cast<short>(source.colour));
}
VANTOREL_KERNEL_INLINE __m128i PairWeights(const AlphaConstant& alpha, uint32_t)
{
    return _mm_set1_epi16(static_cast<short>(alpha.a));
}
template <class Alpha>
VANTOREL_KERNEL_INLINE __m128i PairWeights(const Alpha& alpha, uint32_t h)
{
    return _mm_setr_epi16(static_cast<short>(alpha.Integer(0)), static_cast<short>(alpha.Integer(1)),
                          static_cast<short>(alpha.Integer(h)), static_cast<short>(alpha.Integer(h + 1)), 0, 0, 0, 0);
}

} // namespace sse2run

struct Sse2Runs
{
    template <class Source, class Alpha>
    VANTOREL_KERNEL_INLINE static void Blend565(uint8_t* d, uint32_t n, const Source& source, const Alpha& alpha)
    {
        using namespace sse2run;
        const uint32_t grouped = n & ~3u;
        if (n >= 8) {
            // The last eight pixels first, from the destination as it was; the pieces before
            // them are all grouped pixels.
            const uint32_t t = n - 8;
            const __m128i dt = sse2::Load8(d + 2 * size_t{t}), st = Words(source, t, true);
            const __m128i at = Weights(alpha, t, true);
            __m128i tail = sse2::BlendRounded(dt, st, at);
            if (grouped != n) // leftover pixels, all in the last three lanes
                tail = SelectFrom(tail, BlendInteger(dt, st, IntegerLast3(alpha, at, t + 5)), grouped - t);
            for (uint32_t i = 0; i < t; i += 8)
                sse2::Store8(d + 2 * size_t{i},
                             sse2::BlendRounded(sse2::Load8(d + 2 * size_t{i}), Words(source, i, true),
                                                Weights(alpha, i, true)));
            sse2::Store8(d + 2 * size_t{t}, tail);
        } else if (n >= 4) {
            // Pixels 0..3 in the low half, the last four (from h) in the high half.
            const uint32_t h = n - 4;
            const __m128i dd = _mm_unpacklo_epi64(sse2::Load4(d), sse2::Load4(d + 2 * size_t{h}));
            const __m128i ss = _mm_unpacklo_epi64(Words(source, 0, false), Words(source, h, false));
            const __m128i aa = _mm_unpacklo_epi64(Weights(alpha, 0, false), Weights(alpha, h, false));
            const __m128i both = SelectFrom(sse2::BlendRounded(dd, ss, aa),
                                            BlendInteger(dd, ss, IntegerLast3(alpha, aa, h + 1)), 8 - h);
            sse2::Store4(d, both);
            sse2::Store4(d + 2 * size_t{h}, _mm_unpackhi_epi64(both, both));
        } else if (n >= 2) {
            const uint32_t h = n - 2;
            StorePairs(d, h, BlendInteger(LoadPairs(d, h), PairWords(source, h), PairWeights(alpha, h)));
        } else if (n == 1) {
            StorePixel16(d, 0, BlendPixel565(LoadPixel16(d, 0), source.At(0), alpha.Integer(0)));
        }
    }
};

#endif // VANTOREL_SPAN_KERNELS_X86

} // namespace runkernels
