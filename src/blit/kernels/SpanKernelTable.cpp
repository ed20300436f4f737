#include "blit/kernels/SpanKernelTable.h"

#include "blit/ColorPacking.h"
#include "blit/kernels/BlendKernels.h"
#include "blit/kernels/ConversionKernels.h"
#include "blit/kernels/CopyFillKernels.h"
#include "blit/kernels/RoundedBlendKernels.h"
#include "blit/kernels/RoundedGroups.h"
#include "blit/kernels/TableBlendKernels.h"
#include "foundation/CpuInfo.h"

#include <utility>

namespace {

using namespace spankernels;

// Entry 0 of every row: a kernel of the row's type that does nothing.
template <class Kernel>
struct NoOp;
template <class... Operands>
struct NoOp<void (*)(Operands...)>
{
    static void Run(Operands...) {}
};

// Entry I of a row: nothing for 0, the kernel made for length I up to 16, the row's loop beyond.
template <class Row, uint32_t I>
constexpr SpanKernel Entry()
{
    if constexpr (I == 0)
        return &NoOp<decltype(&Row::template Run<1>)>::Run;
    else if constexpr (I <= kLongestUnrolledSpan)
        return &Row::template Run<I>;
    else
        return &Row::template Run<0>;
}

template <class Row, uint32_t... I>
constexpr SpanTable MakeRow(std::integer_sequence<uint32_t, I...>)
{
    return SpanTable{Entry<Row, I>()...};
}

template <class Row>
constexpr SpanTable MakeRow()
{
    return MakeRow<Row>(std::make_integer_sequence<uint32_t, kSpanTableLength>());
}

// The conversion tables hold the row's loop in every entry, entry 0 included: their callers may
// take any entry for any count, so every entry must draw exactly the count it is given.
template <class Row>
constexpr SpanTable MakeLoopRow()
{
    return MakeUniformSpanTable(&Row::template Run<0>);
}

// The 16-bit copies of 2, 4, 6 and 8 pixels are the 8-bit copies of as many bytes.
constexpr SpanTable MakeCopy16Row()
{
    SpanTable row = MakeRow<Copy16>();
    const SpanTable bytes = MakeRow<Copy8>();
    for (uint32_t n = 2; n <= 8; n += 2)
        row[n] = bytes[2 * n];
    return row;
}

constexpr uint32_t kGroupedRows = 6;
using GroupedRows = std::array<SpanTable, kGroupedRows>;

template <class Groups>
constexpr GroupedRows MakeGroupedRows()
{
    return {MakeRow<RoundedSourceAlpha<Groups, false>>(),
            MakeRow<RoundedValueAlpha<Groups>>(),
            MakeRow<RoundedSourceLevel<Groups>>(),
            MakeRow<ValueAtLevel<RoundedValueAlpha<Groups>>>(),
            MakeRow<RoundedSourceAlpha<Groups, true>>(),
            MakeRow<ValueAtAlphaLevel<RoundedValueAlpha<Groups>>>()};
}

constexpr GroupedRows kPortableRows = MakeGroupedRows<PortableGroups>();
#if VANTOREL_SPAN_KERNELS_X86
constexpr GroupedRows kSse2Rows = MakeGroupedRows<Sse2Groups>();
// Sixteen-wide steps pay off only in the long runs; the short ones keep the SSE2 kernels.
constexpr GroupedRows MakeAvx2Rows()
{
    GroupedRows rows = MakeGroupedRows<Avx2Groups>();
    for (uint32_t r = 0; r < kGroupedRows; ++r)
        for (uint32_t n = 1; n <= kLongestUnrolledSpan; ++n)
            rows[r][n] = kSse2Rows[r][n];
    return rows;
}
constexpr GroupedRows kAvx2Rows = MakeAvx2Rows();
constexpr GroupedRows kDefaultGroupedRows = kSse2Rows;
constexpr SpanKernelPath kDefaultPath = SpanKernelPath::Sse2;
constexpr bool kHaveX86Paths = true;
#else
constexpr bool kHaveX86Paths = false;
constexpr GroupedRows kDefaultGroupedRows = kPortableRows;
constexpr SpanKernelPath kDefaultPath = SpanKernelPath::Portable;
#endif

constexpr std::array<SpanTable, kSpanOperationCount> MakeTable()
{
    const GroupedRows& grouped = kDefaultGroupedRows;
    return {
        MakeRow<Copy8>(),
        MakeRow<Fill8>(),
        MakeRow<TableBlendSource<&Alpha20_80, true>>(),
        MakeRow<TableBlendValue<&Alpha20_80, true>>(),
        MakeRow<TableBlendSource<&Alpha40_60, true>>(),
        MakeRow<TableBlendValue<&Alpha40_60, true>>(),
        MakeRow<TableBlendSource<&Alpha40_60, false>>(),
        MakeRow<TableBlendValue<&Alpha40_60, false>>(),
        MakeRow<TableBlendSource<&Alpha20_80, false>>(),
        MakeRow<TableBlendValue<&Alpha20_80, false>>(),
        MakeCopy16Row(),
        MakeRow<Fill16>(),
        MakeRow<BlendSourceAlpha<Step565, false>>(),
        MakeRow<BlendValueAlpha<Step565>>(),
        MakeRow<BlendSourceLevel<Step565>>(),
        MakeRow<ValueAtLevel<BlendValueAlpha<Step565>>>(),
        MakeRow<BlendSourceAlpha<Step565, true>>(),
        MakeRow<ValueAtAlphaLevel<BlendValueAlpha<Step565>>>(),
        grouped[0],
        grouped[1],
        grouped[2],
        grouped[3],
        grouped[4],
        grouped[5],
        MakeRow<Copy24>(),
        MakeRow<Fill24>(),
        MakeRow<BlendSourceAlpha<Step24, false>>(),
        MakeRow<BlendValueAlpha<Step24>>(),
        MakeRow<BlendSourceLevel<Step24>>(),
        MakeRow<ValueAtLevel<BlendValueAlpha<Step24>>>(),
        MakeRow<BlendSourceAlpha<Step24, true>>(),
        MakeRow<ValueAtAlphaLevel<BlendValueAlpha<Step24>>>(),
    };
}


// The fastest path goes in during static initialisation. Code that draws earlier still gets the
// same pixels from the default path.
[[maybe_unused]] const bool s_fastestInstalled = SetSpanKernelPath(GetFastestSpanKernelPath());

} // namespace

constinit std::array<SpanTable, kSpanOperationCount> g_spanKernels = MakeTable();
constinit SpanKernelPath g_spanKernelPath = kDefaultPath;

constinit const SpanTable Expand8To16 = MakeLoopRow<Expand8To16Loop>();
constinit const SpanTable FillIndexAs16 = MakeLoopRow<FillIndexAs16Loop>();
constinit const SpanTable Expand16To24 = MakeLoopRow<Expand16Loop<3>>();
constinit const SpanTable Expand16To24Alpha = MakeLoopRow<Expand16AlphaLoop<3>>();
constinit const SpanTable Expand16To32 = MakeLoopRow<Expand16Loop<4>>();
constinit const SpanTable Expand16To32Alpha = MakeLoopRow<Expand16AlphaLoop<4>>();
constinit const SpanTable Fill16As24 = MakeLoopRow<Fill16As24Loop>();
constinit const SpanTable Fill16As24Alpha = MakeLoopRow<Fill16As24AlphaLoop>();
constinit const SpanTable Fill16As32 = MakeLoopRow<Fill16As32Loop>();
constinit const SpanTable Fill16As32Alpha = MakeLoopRow<Fill16As32AlphaLoop>();

const uint8_t* g_currentExpandPalette = nullptr;
constinit const SpanTable Expand8To24 = MakeLoopRow<ExpandIndexLoop<3>>();
constinit const SpanTable FillIndexAs24 = MakeLoopRow<FillIndexLoop<3>>();
constinit const SpanTable Expand8To32 = MakeLoopRow<ExpandIndexLoop<4>>();
constinit const SpanTable FillIndexAs32 = MakeLoopRow<FillIndexLoop<4>>();

constinit const std::array<SpanTable, kSpan24RowCount> g_span24Into32Kernels = {
    MakeRow<Copy24Into32>(),
    MakeRow<Fill24Into32>(),
    MakeRow<BlendSourceAlpha<Step24Into32, false>>(),
    MakeRow<BlendValueAlpha<Step24Into32>>(),
    MakeRow<BlendSourceLevel<Step24Into32>>(),
    MakeRow<ValueAtLevel<BlendValueAlpha<Step24Into32>>>(),
    MakeRow<BlendSourceAlpha<Step24Into32, true>>(),
    MakeRow<ValueAtAlphaLevel<BlendValueAlpha<Step24Into32>>>(),
};

SpanOperands GetSpanOperands(uint32_t operation)
{
    if (operation >= kSpanBlend24SrcAlpha)
        operation -= kSpanBlend24SrcAlpha - kSpanBlend16SrcAlpha; // the 24-bit blends mirror the 16-bit ones
    else if (operation >= kSpanCopy24)
        return operation == kSpanCopy24 ? SpanOperands::Source : SpanOperands::Value;
    else if (operation >= kSpanBlend16SrcAlphaMmx)
        operation -= kSpanBlend16SrcAlphaMmx - kSpanBlend16SrcAlpha;
    if (operation < kSpanBlend16SrcAlpha)
        return operation % 2 == 0 ? SpanOperands::Source : SpanOperands::Value;
    switch (operation - kSpanBlend16SrcAlpha) {
    case 0:
    case 4:
        return SpanOperands::SourceAlpha;
    case 1:
    case 5:
        return SpanOperands::ValueAlpha;
    case 2:
        return SpanOperands::Source;
    default:
        return SpanOperands::Value;
    }
}

bool IsSpanKernelPathAvailable(SpanKernelPath path)
{
    switch (path) {
    case SpanKernelPath::Portable:
        return true;
    case SpanKernelPath::Sse2:
        return kHaveX86Paths;
    case SpanKernelPath::Avx2:
        return kHaveX86Paths && CpuHasAvx2();
    }
    return false;
}

SpanKernelPath GetFastestSpanKernelPath()
{
    return IsSpanKernelPathAvailable(SpanKernelPath::Avx2) ? SpanKernelPath::Avx2 : kDefaultPath;
}

bool SetSpanKernelPath(SpanKernelPath path)
{
    if (!IsSpanKernelPathAvailable(path))
        return false;
    const GroupedRows* rows = &kPortableRows;
#if VANTOREL_SPAN_KERNELS_X86
    if (path == SpanKernelPath::Sse2)
        rows = &kSse2Rows;
    else if (path == SpanKernelPath::Avx2)
        rows = &kAvx2Rows;
#endif
    for (uint32_t r = 0; r < kGroupedRows; ++r)
        g_spanKernels[kSpanBlend16SrcAlphaMmx + r] = (*rows)[r];
    g_spanKernelPath = path;
    return true;
}


