#pragma once
// The AVX2 form of the RGB565 run blends of RunKernels.h: sixteen pixels a step. Its functions are
// compiled for AVX2 and may run only where CpuHasAvx2 holds; only AVX2 functions call them.
#include "blit/kernels/Avx2Steps.h"
#include "blit/kernels/RunKernels.h"

#if VANTOREL_SPAN_KERNELS_X86

namespace runkernels {

// Sixteen pixels a step; runs shorter than sixteen take the SSE2 form.
struct Avx2Runs
{
    template <class Source, class Alpha>
    VANTOREL_AVX2 static void Blend565(uint8_t* d, uint32_t n, const Source& source, const Alpha& alpha)
    {
        if (n < 16) {
            Sse2Runs::Blend565(d, n, source, alpha);
            return;
        }
        using namespace spankernels::avx2;
        const uint32_t grouped = n & ~3u, t = n - 16;
        const __m256i dt = Load16(d + 2 * size_t{t}), st = Words(source, t), at = Weights(alpha, t);
        __m256i tail = BlendRounded(dt, st, at);
        if (grouped != n) // leftover pixels, all in the last three lanes
            tail = SelectFrom(tail, BlendInteger(dt, st, IntegerLast3(alpha, at, t + 13)), grouped - t);
        for (uint32_t i = 0; i < t; i += 16)
            Store16(d + 2 * size_t{i}, BlendRounded(Load16(d + 2 * size_t{i}), Words(source, i), Weights(alpha, i)));
        Store16(d + 2 * size_t{t}, tail);
    }

private:
    VANTOREL_AVX2 static __m256i Words(const SourcePixels& source, uint32_t i)
    {
        return spankernels::avx2::Load16(source.s + 2 * size_t{i});
    }
    VANTOREL_AVX2 static __m256i Words(const SourceColour& source, uint32_t)
    {
        return _mm256_set1_epi16(static_cast<short>(source.colour));
    }
    VANTOREL_AVX2 static __m256i Weights(const AlphaConstant& alpha, uint32_t)
    {
        return _mm256_set1_epi16(static_cast<short>(alpha.a));
    }
    VANTOREL_AVX2 static __m256i Weights(const AlphaBytes& alpha, uint32_t i)
    {
        return spankernels::avx2::AlphaWords16(alpha.alpha + i);
    }
    VANTOREL_AVX2 static __m256i Weights(const AlphaBytesLevel& alpha, uint32_t i)
    {
        return _mm256_srli_epi16(_mm256_mullo_epi16(spankernels::avx2::AlphaWords16(alpha.alpha + i),
                                                    _mm256_set1_epi16(static_cast<short>(alpha.level))),
                                 8);
    }
    // Lanes 13, 14 and 15 (pixels p, p + 1, p + 2) with the integer weights: the last three
    // pixels, where the leftovers of a run lie.
    template <class Alpha>
    VANTOREL_AVX2 static __m256i IntegerLast3(const Alpha&, __m256i rounded, uint32_t)
    {
        return rounded;
    }
    VANTOREL_AVX2 static __m256i IntegerLast3(const AlphaBytesLevel& alpha, __m256i rounded, uint32_t p)
    {
        rounded = _mm256_insert_epi16(rounded, static_cast<short>(alpha.Integer(p)), 13);
        rounded = _mm256_insert_epi16(rounded, static_cast<short>(alpha.Integer(p + 1)), 14);
        return _mm256_insert_epi16(rounded, static_cast<short>(alpha.Integer(p + 2)), 15);
    }
    // Lanes from `first` on from b, the others from a.
    VANTOREL_AVX2 static __m256i SelectFrom(__m256i a, __m256i b, uint32_t first)
    {
        const __m256i lanes = _mm256_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
        const __m256i mask = _mm256_cmpgt_epi16(lanes, _mm256_set1_epi16(static_cast<short>(first) - 1));
        return _mm256_blendv_epi8(a, b, mask);
    }
};

} // namespace runkernels

#endif // VANTOREL_SPAN_KERNELS_X86
