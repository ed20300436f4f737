#include "blit/kernels/RunLengthDrawers.h"

#include "blit/ColorPacking.h"
#include "blit/kernels/Avx2Steps.h"
#include "blit/kernels/BlendKernels.h"
#include "blit/kernels/RunKernels.h"
#include "blit/kernels/RunKernelsAvx2.h"
#include "blit/kernels/TableBlendKernels.h"

namespace {

using namespace runkernels;
using runlength::ReadValue;

// The kernels of one pair of tables, each drawing a whole run:
// Fill(at, value bytes, alpha byte, n) and Literal(at, values, alpha bytes, n). One is made per
// blit, so what it reads of the blit (the level) is read once.
template <uint32_t Bytes>
struct CopyRuns
{
    VANTOREL_KERNEL_INLINE void Fill(uint8_t* at, const uint8_t* value, const uint8_t*, uint32_t n) const
    {
        if constexpr (Bytes == 3)
            FillPixels<3>(at, ReadValue<3>(value), n, false);
        else
            FillRun<Bytes>(at, ReadValue<Bytes>(value), n);
    }
    VANTOREL_KERNEL_INLINE void Literal(uint8_t* at, const uint8_t* values, const uint8_t*, uint32_t n) const
    {
        CopyRun(at, values, static_cast<size_t>(n) * Bytes);
    }
};

// The grouped RGB565 rows at the level (Blend16ColorLevelMmx, Blend16SrcLevelMmx).
template <class Isa>
struct LevelRuns565
{
    VANTOREL_KERNEL_INLINE void Fill(uint8_t* at, const uint8_t* value, const uint8_t*, uint32_t n) const
    {
        Isa::Blend565(at, n, SourceColour{ReadValue<2>(value)}, AlphaConstant{level});
    }
    VANTOREL_KERNEL_INLINE void Literal(uint8_t* at, const uint8_t* values, const uint8_t*, uint32_t n) const
    {
        Isa::Blend565(at, n, SourcePixels{values}, AlphaConstant{level});
    }

    uint32_t level = spankernels::LevelAlpha(255);
};

// The translucent grouped RGB565 rows (Blend16ColorAlphaMmx, Blend16SrcAlphaMmx) and, with Level,
// their level forms (Blend16ColorAlphaLevelMmx, Blend16SrcAlphaLevelMmx).
template <class Isa, bool Level>
struct AlphaRuns565
{
    VANTOREL_KERNEL_INLINE void Fill(uint8_t* at, const uint8_t* value, const uint8_t* alpha, uint32_t n) const
    {
        const uint32_t a = Level ? spankernels::LevelAlpha(*alpha) : *alpha;
        Isa::Blend565(at, n, SourceColour{ReadValue<2>(value)}, AlphaConstant{a});
    }
    VANTOREL_KERNEL_INLINE void Literal(uint8_t* at, const uint8_t* values, const uint8_t* alphas, uint32_t n) const
    {
        if constexpr (Level)
            Isa::Blend565(at, n, SourcePixels{values}, AlphaBytesLevel{alphas, level});
        else
            Isa::Blend565(at, n, SourcePixels{values}, AlphaBytes{alphas});
    }

    uint32_t level = Level ? spankernels::LevelAlpha(255) : 0;
};

// Rows whose kernels are one loop for any length: the row's loop called for the whole run.
template <class FillRow, class LiteralRow, bool Translucent>
struct LoopRuns
{
    VANTOREL_KERNEL_INLINE void Fill(uint8_t* at, const uint8_t* value, const uint8_t* alpha, uint32_t n) const
    {
        if constexpr (Translucent)
            FillRow::template Run<0>(at, ReadValue<3>(value), *alpha, n);
        else
            FillRow::template Run<0>(at, ReadValue<3>(value) & 0xFFFFFF, n);
    }
    VANTOREL_KERNEL_INLINE void Literal(uint8_t* at, const uint8_t* values, const uint8_t* alphas, uint32_t n) const
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
    VANTOREL_KERNEL_INLINE void Fill(uint8_t* at, const uint8_t* value, const uint8_t*, uint32_t n) const
    {
        spankernels::TableBlendValue<Table, DestinationHigh>::template Run<0>(at, *value, n);
    }
    VANTOREL_KERNEL_INLINE void Literal(uint8_t* at, const uint8_t* values, const uint8_t*, uint32_t n) const
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
            runs.Literal(at, values, alphas, n);
        else
            runs.Fill(at, values, alphas, n);
    }

    Runs runs;
};

// The walker with the kernels melted in (flatten: every call inside is inlined).
template <uint32_t ValueBytes, uint32_t PixelBytes, bool Translucent, class Runs>
__attribute__((flatten)) void DrawRuns(const RunLengthRows& rows, const RunLengthRows* alphas, uint32_t firstRow,
                                       const RunLengthTarget& target, bool whole)
{
    runlength::WalkRows<ValueBytes, PixelBytes, Translucent>(rows, alphas, firstRow, target, whole, RunsDraw<Runs>{});
}

#if VANTOREL_SPAN_KERNELS_X86

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
