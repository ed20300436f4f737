// The AVX2 form of the grouped rounded RGB565 blend: sixteen pixels per step, the rest through
// the SSE2 form. Only these functions are compiled for AVX2 (by attribute, not by a build flag),
// and the kernel table installs them only where CpuHasAvx2 holds.
#include "blit/kernels/RoundedGroups.h"

#if VANTOREL_SPAN_KERNELS_X86

#include <immintrin.h>

#define VANTOREL_AVX2 __attribute__((target("avx2")))

namespace spankernels {
namespace {

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

// The number of pixels the sixteen-wide loop leaves to the SSE2 form.
constexpr uint32_t WideEnd(uint32_t count)
{
    return count & ~15u;
}

} // namespace

VANTOREL_AVX2 void Avx2Groups::SourceAlpha(uint8_t* d, const uint8_t* s, const uint8_t* alpha, uint32_t count)
{
    const uint32_t end = WideEnd(count);
    for (uint32_t i = 0; i < end; i += 16)
        Store16(d + 2 * i, BlendRounded(Load16(d + 2 * i), Load16(s + 2 * i), AlphaWords16(alpha + i)));
    Sse2Groups::SourceAlpha(d, s, alpha, count, end);
}

VANTOREL_AVX2 void Avx2Groups::SourceAlphaLevel(uint8_t* d, const uint8_t* s, const uint8_t* alpha, uint32_t level,
                                                uint32_t count)
{
    const __m256i levels = _mm256_set1_epi16(static_cast<short>(level));
    const uint32_t end = WideEnd(count);
    for (uint32_t i = 0; i < end; i += 16) {
        const __m256i a = _mm256_srli_epi16(_mm256_mullo_epi16(AlphaWords16(alpha + i), levels), 8);
        Store16(d + 2 * i, BlendRounded(Load16(d + 2 * i), Load16(s + 2 * i), a));
    }
    Sse2Groups::SourceAlphaLevel(d, s, alpha, level, count, end);
}

VANTOREL_AVX2 void Avx2Groups::Source(uint8_t* d, const uint8_t* s, uint32_t a, uint32_t count)
{
    const __m256i alphas = _mm256_set1_epi16(static_cast<short>(a));
    const uint32_t end = WideEnd(count);
    for (uint32_t i = 0; i < end; i += 16)
        Store16(d + 2 * i, BlendRounded(Load16(d + 2 * i), Load16(s + 2 * i), alphas));
    Sse2Groups::Source(d, s, a, count, end);
}

VANTOREL_AVX2 void Avx2Groups::Value(uint8_t* d, uint32_t colour, uint32_t a, uint32_t count)
{
    const __m256i colours = _mm256_set1_epi16(static_cast<short>(colour));
    const __m256i alphas = _mm256_set1_epi16(static_cast<short>(a));
    const uint32_t end = WideEnd(count);
    for (uint32_t i = 0; i < end; i += 16)
        Store16(d + 2 * i, BlendRounded(Load16(d + 2 * i), colours, alphas));
    Sse2Groups::Value(d, colour, a, count, end);
}

} // namespace spankernels

#endif // VANTOREL_SPAN_KERNELS_X86
