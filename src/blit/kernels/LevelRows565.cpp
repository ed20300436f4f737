#include "blit/kernels/LevelRows565.h"

#include "blit/kernels/Avx2Steps.h"
#include "blit/kernels/RowSpans.h"
#include "blit/kernels/RunKernels.h"
#include "blit/kernels/RunKernelsAvx2.h"
#include "blit/kernels/SpanKernelTable.h"

namespace {

// Rows whose width is a multiple of 4 are grouped pixels only: the grouped part of the rounded
// blend alone (Groups, RoundedGroups.h). Other rows take the run blend (Runs, RunKernels.h), whose
// last width & 3 pixels take the integer step.
template <class Groups, class Runs>
__attribute__((flatten)) void BlendRows(uint8_t* d, ptrdiff_t dPitch, const uint8_t* s, ptrdiff_t sPitch,
                                        uint32_t width, uint32_t height)
{
    const uint32_t level = spankernels::LevelAlpha(255);
    if (width % 4 == 0) {
        for (uint32_t r = 0; r < height; ++r, d += dPitch, s += sPitch)
            Groups::Source(d, s, level, width);
        return;
    }
    for (uint32_t r = 0; r < height; ++r, d += dPitch, s += sPitch)
        Runs::Blend565(d, width, runkernels::SourcePixels{s}, runkernels::AlphaConstant{level});
}

#if VANTOREL_SPAN_KERNELS_X86
// Sixteen bytes from each of two rows.
VANTOREL_AVX2 inline __m256i LoadRowPair(const uint8_t* low, const uint8_t* high)
{
    return _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(low))),
                                   _mm_loadu_si128(reinterpret_cast<const __m128i*>(high)), 1);
}

// Rows of eight pixels two at a time, one in each half of a 256-bit step.
VANTOREL_AVX2 void BlendRowPairs8(uint8_t* d, ptrdiff_t dPitch, const uint8_t* s, ptrdiff_t sPitch, uint32_t height)
{
    using namespace spankernels::avx2;
    const uint32_t level = spankernels::LevelAlpha(255);
    const __m256i alphas = _mm256_set1_epi16(static_cast<short>(level));
    uint32_t r = 0;
    for (; r + 1 < height; r += 2, d += 2 * dPitch, s += 2 * sPitch) {
        const __m256i both = BlendRounded(LoadRowPair(d, d + dPitch), LoadRowPair(s, s + sPitch), alphas);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm256_castsi256_si128(both));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + dPitch), _mm256_extracti128_si256(both, 1));
    }
    if (r < height)
        spankernels::Sse2Groups::Source(d, s, level, 8);
}

VANTOREL_AVX2 __attribute__((flatten)) void BlendRowsAvx2(uint8_t* d, ptrdiff_t dPitch, const uint8_t* s,
                                                         ptrdiff_t sPitch, uint32_t width, uint32_t height)
{
    // Rows narrower than a sixteen-pixel step take the SSE2 form, without a call per row.
    if (width == 8 && height > 1 && RowsApart(d, dPitch, s, sPitch, 2 * size_t{width}, height))
        BlendRowPairs8(d, dPitch, s, sPitch, height);
    else if (width < 16)
        BlendRows<spankernels::Sse2Groups, runkernels::Sse2Runs>(d, dPitch, s, sPitch, width, height);
    else
        BlendRows<spankernels::Avx2Groups, runkernels::Avx2Runs>(d, dPitch, s, sPitch, width, height);
}
#endif

} // namespace

void BlendLevelRows565(uint8_t* destination, ptrdiff_t destinationPitch, const uint8_t* source, ptrdiff_t sourcePitch,
                       uint32_t width, uint32_t height)
{
    switch (GetSpanKernelPath()) {
#if VANTOREL_SPAN_KERNELS_X86
    case SpanKernelPath::Sse2:
        BlendRows<spankernels::Sse2Groups, runkernels::Sse2Runs>(destination, destinationPitch, source, sourcePitch,
                                                                 width, height);
        return;
    case SpanKernelPath::Avx2:
        BlendRowsAvx2(destination, destinationPitch, source, sourcePitch, width, height);
        return;
#endif
    default:
        BlendRows<spankernels::PortableGroups, runkernels::PortableRuns>(destination, destinationPitch, source,
                                                                         sourcePitch, width, height);
        return;
    }
}
