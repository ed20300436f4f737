// The AVX2 form of the grouped rounded RGB565 blend: sixteen pixels per step, the rest through
// the SSE2 form. Only these functions are compiled for AVX2 (by attribute, not by a build flag),
// and the kernel table installs them only where CpuHasAvx2 holds.
#include "blit/kernels/Avx2Steps.h"

#if VANTOREL_SPAN_KERNELS_X86

namespace spankernels {
namespace {

using avx2::AlphaWords16;
using avx2::BlendRounded;
using avx2::Load16;
using avx2::Store16;

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
