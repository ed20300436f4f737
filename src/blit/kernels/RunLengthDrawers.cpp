#include "blit/kernels/RunLengthDrawers.h"

#include "blit/ColorPacking.h"
#include "blit/kernels/Avx2Steps.h"
#include "blit/kernels/BlendKernels.h"
#include "blit/kernels/RunKernels.h"
#include "blit/kernels/TableBlendKernels.h"

namespace {

using namespace runkernels;
using runlength::ReadValue;

// The kernels of one pair of tables, each drawing a whole run:
// Fill(at, value bytes, alpha byte, n) and Literal(at, values, alpha bytes, n).
template <uint32_t Bytes>
struct CopyRuns
{
    VANTOREL_KERNEL_INLINE static void Fill(uint8_t* at, const uint8_t* value, const uint8_t*, uint32_t n)
    {
        if constexpr (Bytes == 3)
            FillPixels<3>(at, ReadValue<3>(value), n, false);
        else
            FillRun<Bytes>(at, ReadValue<Bytes>(value), n);
    }
    VANTOREL_KERNEL_INLINE static void Literal(uint8_t* at, const uint8_t* values, const uint8_t*, uint32_t n)
    {
        CopyRun(at, values, static_cast<size_t>(n) * Bytes);
    }
};

// The grouped RGB565 rows at the level (Blend16ColorLevelMmx, Blend16SrcLevelMmx).
template <class Isa>
struct LevelRuns565
{
    VANTOREL_KERNEL_INLINE static void Fill(uint8_t* at, const uint8_t* value, const uint8_t*, uint32_t n)
    {
        Isa::Blend565(at, n, SourceColour{ReadValue<2>(value)}, AlphaConstant{spankernels::LevelAlpha(255)});
    }
    VANTOREL_KERNEL_INLINE static void Literal(uint8_t* at, const uint8_t* values, const uint8_t*, uint32_t n)
    {
        Isa::Blend565(at, n, SourcePixels{values}, AlphaConstant{spankernels::LevelAlpha(255)});
    }
};

// The translucent grouped RGB565 rows (Blend16ColorAlphaMmx, Blend16SrcAlphaMmx) and, with Level,
// their level forms (Blend16ColorAlphaLevelMmx, Blend16SrcAlphaLevelMmx).
template <class Isa, bool Level>
struct AlphaRuns565
{
    VANTOREL_KERNEL_INLINE static void Fill(uint8_t* at, const uint8_t* value, const uint8_t* alpha, uint32_t n)
    {
        const uint32_t a = Level ? spankernels::LevelAlpha(*alpha) : *alpha;
        Isa::Blend565(at, n, SourceColour{ReadValue<2>(value)}, AlphaConstant{a});
    }
    VANTOREL_KERNEL_INLINE static void Literal(uint8_t* at, const uint8_t* values, const uint8_t* alphas, uint32_t n)
    {
        if constexpr (Level)
            Isa::Blend565(at, n, SourcePixels{values}, AlphaBytesLevel{alphas, spankernels::LevelAlpha(255)});
        else
            Isa::Blend565(at, n, SourcePixels{values}, AlphaBytes{alphas});
    }
};

// Rows whose kernels are one loop for any length: the row's loop called for the whole run.
template <class FillRow, class LiteralRow, bool Translucent>
struct LoopRuns
{
    VANTOREL_KERNEL_INLINE static void Fill(uint8_t* at, const uint8_t* value, const uint8_t* alpha, uint32_t n)
    {
        if constexpr (Translucent)
            FillRow::template Run<0>(at, ReadValue<3>(value), *alpha, n);
        else
            FillRow::template Run<0>(at, ReadValue<3>(value) & 0xFFFFFF, n);
    }
    VANTOREL_KERNEL_INLINE static void Literal(uint8_t* at, const uint8_t* values, const uint8_t* alphas, uint32_t n)
    {
        if constexpr (Translucent)
            LiteralRow::template Run<0>(at, values, alphas, n);
        else
            LiteralRow::template Run<0>(at, values, n);
    }
};

template <const CPaletteTable* Table, bool DestinationHigh>
struct TableRuns
{
    VANTOREL_KERNEL_INLINE static void Fill(uint8_t* at, const uint8_t* value, const uint8_t*, uint32_t n)
    {
        spankernels::TableBlendValue<Table, DestinationHigh>::template Run<0>(at, *value, n);
    }
    VANTOREL_KERNEL_INLINE static void Literal(uint8_t* at, const uint8_t* values, const uint8_t*, uint32_t n)
    {
        spankernels::TableBlendSource<Table, DestinationHigh>::template Run<0>(at, values, n);
    }
};

template <class Runs>
struct RunsDraw
{
    VANTOREL_KERNEL_INLINE void operator()(uint8_t* at, bool literal, const uint8_t* values, const uint8_t* alphas,
                                           uint32_t n) const
    {
        if (literal)
            Runs::Literal(at, values, alphas, n);
        else
            Runs::Fill(at, values, alphas, n);
    }
};

// The walker with the kernels melted in (flatten: every call inside is inlined).
template <uint32_t ValueBytes, uint32_t PixelBytes, bool Translucent, class Runs>
__attribute__((flatten)) void DrawRuns(const RunLengthRows& rows, const RunLengthRows* alphas, uint32_t firstRow,
                                       const RunLengthTarget& target, bool whole)
{
    runlength::WalkRows<ValueBytes, PixelBytes, Translucent>(rows, alphas, firstRow, target, whole, RunsDraw<Runs>{});
}

#if VANTOREL_SPAN_KERNELS_X86

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
        const __m256i tail = SelectFrom(BlendRounded(dt, st, at), BlendInteger(dt, st, IntegerLast3(alpha, at, t + 13)),
                                        grouped - t);
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

template <uint32_t ValueBytes, uint32_t PixelBytes, bool Translucent, class Runs>
VANTOREL_AVX2 __attribute__((flatten)) void DrawRunsAvx2(const RunLengthRows& rows, const RunLengthRows* alphas,
                                                        uint32_t firstRow, const RunLengthTarget& target, bool whole)
{
    runlength::WalkRows<ValueBytes, PixelBytes, Translucent>(rows, alphas, firstRow, target, whole, RunsDraw<Runs>{});
}

#endif // VANTOREL_SPAN_KERNELS_X86

// One pair of tables and its drawer on each path.
struct DrawerEntry
{
    uint32_t valueBytes, pixelBytes;
    bool translucent;
    const SpanTable* fill;
    const SpanTable* literal;
    RunLengthDrawer portable, sse2, avx2;
};

// Pairs whose kernels do not depend on the path: the same drawer on each.
template <uint32_t ValueBytes, uint32_t PixelBytes, bool Translucent, class Runs>
constexpr DrawerEntry Same(uint32_t fill, uint32_t literal)
{
    const RunLengthDrawer drawer = &DrawRuns<ValueBytes, PixelBytes, Translucent, Runs>;
    return {ValueBytes, PixelBytes, Translucent, &g_spanKernels[fill], &g_spanKernels[literal], drawer, drawer, drawer};
}

// The grouped RGB565 rows, whose drawers follow the path.
template <bool Translucent, template <class> class Runs>
constexpr DrawerEntry ByPath(uint32_t fill, uint32_t literal)
{
    DrawerEntry entry{2, 2, Translucent, &g_spanKernels[fill], &g_spanKernels[literal],
                      &DrawRuns<2, 2, Translucent, Runs<PortableRuns>>, nullptr, nullptr};
#if VANTOREL_SPAN_KERNELS_X86
    entry.sse2 = &DrawRuns<2, 2, Translucent, Runs<Sse2Runs>>;
    entry.avx2 = &DrawRunsAvx2<2, 2, Translucent, Runs<Avx2Runs>>;
#endif
    return entry;
}

template <class Isa>
using AlphaRuns565Plain = AlphaRuns565<Isa, false>;
template <class Isa>
using AlphaRuns565Level = AlphaRuns565<Isa, true>;

using namespace spankernels;

// The pairs drawn most come first.
constexpr DrawerEntry kDrawers[] = {
    Same<2, 2, false, CopyRuns<2>>(kSpanFill16, kSpanCopy16),
    Same<1, 1, false, CopyRuns<1>>(kSpanFill8, kSpanCopy8),
    Same<3, 3, false, CopyRuns<3>>(kSpanFill24, kSpanCopy24),
    ByPath<false, LevelRuns565>(kSpanBlend16ColorLevelMmx, kSpanBlend16SrcLevelMmx),
    ByPath<true, AlphaRuns565Plain>(kSpanBlend16ColorAlphaMmx, kSpanBlend16SrcAlphaMmx),
    ByPath<true, AlphaRuns565Level>(kSpanBlend16ColorAlphaLevelMmx, kSpanBlend16SrcAlphaLevelMmx),
    Same<1, 1, false, TableRuns<&Alpha20_80, true>>(kSpanBlend20_80DstValue, kSpanBlend20_80DstSrc),
    Same<1, 1, false, TableRuns<&Alpha40_60, true>>(kSpanBlend40_60DstValue, kSpanBlend40_60DstSrc),
    Same<1, 1, false, TableRuns<&Alpha40_60, false>>(kSpanBlend40_60ValueDst, kSpanBlend40_60SrcDst),
    Same<1, 1, false, TableRuns<&Alpha20_80, false>>(kSpanBlend20_80ValueDst, kSpanBlend20_80SrcDst),
    Same<3, 3, false, LoopRuns<ValueAtLevel<BlendValueAlpha<Step24>>, BlendSourceLevel<Step24>, false>>(
        kSpanBlend24ColorLevel, kSpanBlend24SrcLevel),
    Same<3, 3, true, LoopRuns<BlendValueAlpha<Step24>, BlendSourceAlpha<Step24, false>, true>>(kSpanBlend24ColorAlpha,
                                                                                             kSpanBlend24SrcAlpha),
    Same<3, 3, true, LoopRuns<ValueAtAlphaLevel<BlendValueAlpha<Step24>>, BlendSourceAlpha<Step24, true>, true>>(
        kSpanBlend24ColorAlphaLevel, kSpanBlend24SrcAlphaLevel),
};

RunLengthDrawer FindOnPath(uint32_t valueBytes, uint32_t pixelBytes, bool translucent, const SpanTable& fill,
                           const SpanTable& literal, SpanKernelPath path)
{
    for (const DrawerEntry& entry : kDrawers)
        if (entry.fill == &fill && entry.literal == &literal && entry.valueBytes == valueBytes &&
            entry.pixelBytes == pixelBytes && entry.translucent == translucent) {
            switch (path) {
            case SpanKernelPath::Portable: return entry.portable;
            case SpanKernelPath::Sse2: return entry.sse2;
            case SpanKernelPath::Avx2: return entry.avx2;
            }
        }
    return nullptr;
}

} // namespace

RunLengthDrawer FindRunLengthDrawer(uint32_t valueBytes, uint32_t pixelBytes, bool translucent, const SpanTable& fill,
                                    const SpanTable& literal, SpanKernelPath path)
{
    return IsSpanKernelPathAvailable(path) ? FindOnPath(valueBytes, pixelBytes, translucent, fill, literal, path)
                                           : nullptr;
}

RunLengthDrawer FindRunLengthDrawer(uint32_t valueBytes, uint32_t pixelBytes, bool translucent, const SpanTable& fill,
                                    const SpanTable& literal)
{
    // The path in force can always run.
    return FindOnPath(valueBytes, pixelBytes, translucent, fill, literal, GetSpanKernelPath());
}
