#include "blit/kernels/KeyedRows16.h"

#include "blit/kernels/Avx2Steps.h"
#include "blit/kernels/PixelAccess.h"
#include "blit/kernels/RowSpans.h"
#include "blit/kernels/SpanKernelTable.h"

#include <cstring>
#include <vector>

namespace {

// The reference: a pixel at a time.
void PortableRow(uint8_t* d, const uint8_t* s, uint32_t width)
{
    for (uint32_t i = 0; i < width; ++i) {
        const uint32_t pixel = LoadPixel16(s, i);
        StorePixel16(d, i, pixel != 0 ? pixel : LoadPixel16(d, i));
    }
}

#if VANTOREL_SPAN_KERNELS_X86
// Where the source word is 0 the destination's, else the source's.
VANTOREL_KERNEL_INLINE __m128i Keyed(__m128i s, __m128i d)
{
    return _mm_or_si128(s, _mm_and_si128(_mm_cmpeq_epi16(s, _mm_setzero_si128()), d));
}

// A row's last step starts at its end less a step and so may go over pixels done already: a
// keyed pixel written again is written the same, as the source lies apart from the destination.
VANTOREL_KERNEL_INLINE void Sse2Row(uint8_t* d, const uint8_t* s, uint32_t width)
{
    using namespace spankernels::sse2;
    if (width >= 8) {
        for (uint32_t i = 0; i + 8 < width; i += 8)
            Store8(d + 2 * i, Keyed(Load8(s + 2 * i), Load8(d + 2 * i)));
        const size_t last = 2 * size_t{width - 8};
        Store8(d + last, Keyed(Load8(s + last), Load8(d + last)));
    } else if (width >= 4) {
        Store4(d, Keyed(Load4(s), Load4(d)));
        const size_t last = 2 * size_t{width - 4};
        Store4(d + last, Keyed(Load4(s + last), Load4(d + last)));
    } else {
        PortableRow(d, s, width);
    }
}

VANTOREL_AVX2 inline void Keyed16(uint8_t* d, const uint8_t* s)
{
    using namespace spankernels::avx2;
    const __m256i pixels = Load16(s);
    const __m256i clear = _mm256_cmpeq_epi16(pixels, _mm256_setzero_si256());
    Store16(d, _mm256_or_si256(pixels, _mm256_and_si256(clear, Load16(d))));
}

// Rows of sixteen pixels or more.
VANTOREL_AVX2 void Avx2Rows(uint8_t* d, ptrdiff_t dPitch, const uint8_t* s, ptrdiff_t sPitch, uint32_t width,
                            uint32_t height)
{
    const size_t last = 2 * size_t{width - 16};
    for (uint32_t r = 0; r < height; ++r, d += dPitch, s += sPitch) {
        for (uint32_t i = 0; i + 16 < width; i += 16)
            Keyed16(d + 2 * i, s + 2 * i);
        Keyed16(d + last, s + last);
    }
}
#endif

void PortableRows(uint8_t* d, ptrdiff_t dPitch, const uint8_t* s, ptrdiff_t sPitch, uint32_t width, uint32_t height)
{
    for (uint32_t r = 0; r < height; ++r, d += dPitch, s += sPitch)
        PortableRow(d, s, width);
}

// Rows that lie apart from their source, in the form of the kernel path in force. Short rows
// (a sprite's) stay in this call: the SSE2 rows are made inline here.
VANTOREL_KERNEL_INLINE void DrawApart(uint8_t* d, ptrdiff_t dPitch, const uint8_t* s, ptrdiff_t sPitch, uint32_t width,
                                      uint32_t height)
{
#if VANTOREL_SPAN_KERNELS_X86
    const SpanKernelPath path = GetSpanKernelPath();
    if (path == SpanKernelPath::Avx2 && width >= 16) {
        Avx2Rows(d, dPitch, s, sPitch, width, height);
        return;
    }
    if (path != SpanKernelPath::Portable) {
        for (uint32_t r = 0; r < height; ++r, d += dPitch, s += sPitch)
            Sse2Row(d, s, width);
        return;
    }
#endif
    PortableRows(d, dPitch, s, sPitch, width, height);
}

} // namespace

void CopyKeyedRows16(uint8_t* destination, ptrdiff_t destinationPitch, const uint8_t* source, ptrdiff_t sourcePitch,
                     uint32_t width, uint32_t height)
{
    if (RowsApart(destination, destinationPitch, source, sourcePitch, 2 * size_t{width}, height)) {
        DrawApart(destination, destinationPitch, source, sourcePitch, width, height);
        return;
    }
    // Each row is read into a row of its own before it is drawn, bottom up when the destination
    // lies below the source, so that no row is read after a row drawn over it.
    std::vector<uint8_t> row(2 * size_t{width});
    const bool upward = destination > source;
    for (uint32_t i = 0; i < height; ++i) {
        const ptrdiff_t r = upward ? height - 1 - i : i;
        std::memcpy(row.data(), source + r * sourcePitch, row.size());
        DrawApart(destination + r * destinationPitch, 0, row.data(), 0, width, 1);
    }
}
