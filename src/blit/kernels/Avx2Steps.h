#pragma once
// The RGB565 steps on sixteen words at once, for the AVX2 kernels. Every function here is compiled
// for AVX2 and may run only where CpuHasAvx2 holds; only AVX2 functions call them.
#include "blit/kernels/RoundedGroups.h"

#if VANTOREL_SPAN_KERNELS_X86

#include <immintrin.h>

#include <cstring>

#define VANTOREL_AVX2 __attribute__((target("avx2")))

namespace spankernels::avx2 {

VANTOREL_AVX2 inline __m256i Load16(const uint8_t* p)
{
    __m256i v;
    std::memcpy(&v, p, 32);
    return v;
}

VANTOREL_AVX2 inline void Store16(uint8_t* p, __m256i v)
{
    std::memcpy(p, &v, 32);
}

VANTOREL_AVX2 inline __m256i AlphaWords16(const uint8_t* p)
{
    __m128i bytes;
    std::memcpy(&bytes, p, 16);
    return _mm256_cvtepu8_epi16(bytes);
}

// BlendPixel565Rounded on sixteen words; the same operations as sse2::BlendRounded.
VANTOREL_AVX2 inline __m256i BlendRounded(__m256i d, __m256i s, __m256i a)
{
    const __m256i w6 = _mm256_srli_epi16(a, 2), w5 = _mm256_srli_epi16(a, 3);
    const __m256i rest6 = _mm256_sub_epi16(_mm256_set1_epi16(63), w6);
    const __m256i rest5 = _mm256_sub_epi16(_mm256_set1_epi16(31), w5);
    const __m256i green16 = _mm256_set1_epi16(0x03F0), low5 = _mm256_set1_epi16(0x001F);
    const __m256i half = _mm256_set1_epi16(0x0010);

    __m256i x = _mm256_add_epi16(_mm256_mullo_epi16(_mm256_and_si256(_mm256_srli_epi16(s, 1), green16), w6),
                                 _mm256_mullo_epi16(_mm256_and_si256(_mm256_srli_epi16(d, 1), green16), rest6));
    x = _mm256_add_epi16(x, _mm256_set1_epi16(0x0200));
    const __m256i green = _mm256_and_si256(_mm256_srli_epi16(_mm256_add_epi16(x, _mm256_srli_epi16(x, 6)), 5),
                                           _mm256_set1_epi16(0x07E0));

    __m256i tb = _mm256_add_epi16(_mm256_mullo_epi16(_mm256_and_si256(s, low5), w5),
                                  _mm256_mullo_epi16(_mm256_and_si256(d, low5), rest5));
    tb = _mm256_add_epi16(tb, half);
    const __m256i blue = _mm256_srli_epi16(_mm256_add_epi16(tb, _mm256_srli_epi16(tb, 5)), 5);

    __m256i tr = _mm256_add_epi16(_mm256_mullo_epi16(_mm256_srli_epi16(s, 11), w5),
                                  _mm256_mullo_epi16(_mm256_srli_epi16(d, 11), rest5));
    tr = _mm256_add_epi16(tr, half);
    const __m256i red = _mm256_slli_epi16(_mm256_srli_epi16(_mm256_add_epi16(tr, _mm256_srli_epi16(tr, 5)), 5), 11);

    return _mm256_or_si256(_mm256_or_si256(blue, green), red);
}

// BlendPixel565 on sixteen words; the same operations as runkernels::sse2run::BlendInteger.
VANTOREL_AVX2 inline __m256i BlendInteger(__m256i d, __m256i s, __m256i a)
{
    const __m256i w5 = _mm256_srli_epi16(a, 3), w6 = _mm256_srli_epi16(a, 2);
    const __m256i low5 = _mm256_set1_epi16(0x1F), low6 = _mm256_set1_epi16(0x3F);
    const __m256i rd = _mm256_srli_epi16(d, 11), rs = _mm256_srli_epi16(s, 11);
    const __m256i gd = _mm256_and_si256(_mm256_srli_epi16(d, 5), low6);
    const __m256i gs = _mm256_and_si256(_mm256_srli_epi16(s, 5), low6);
    const __m256i bd = _mm256_and_si256(d, low5), bs = _mm256_and_si256(s, low5);
    const __m256i r = _mm256_add_epi16(rd, _mm256_srai_epi16(_mm256_mullo_epi16(_mm256_sub_epi16(rs, rd), w5), 5));
    const __m256i g = _mm256_add_epi16(gd, _mm256_srai_epi16(_mm256_mullo_epi16(_mm256_sub_epi16(gs, gd), w6), 6));
    const __m256i b = _mm256_add_epi16(bd, _mm256_srai_epi16(_mm256_mullo_epi16(_mm256_sub_epi16(bs, bd), w5), 5));
    return _mm256_or_si256(_mm256_or_si256(_mm256_slli_epi16(r, 11), _mm256_slli_epi16(g, 5)), b);
}

} // namespace spankernels::avx2

#endif // VANTOREL_SPAN_KERNELS_X86
