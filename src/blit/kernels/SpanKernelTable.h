#pragma once
// The span kernel table g_spanKernels: 32 operations x 64 run lengths. A blit routine that draws
// a run of n pixels (n <= 63) calls g_spanKernels[operation][n] through the member named in the
// operation list below, destination first and n last:
//     g_spanKernels[kSpanBlend16SrcAlpha][n].sourceAlpha(destination, source, alpha, n);
// Before the level rows (those whose alpha comes from the level) it points g_currentAlphaRow
// (Blitter.h) at its level's row. The 8-bit blend rows read Alpha20_80 or Alpha40_60
// (ColorPacking.h) and draw nothing while their table is not loaded.
//
// The table is complete before any code runs (no static-initialisation order to mind), and the
// entries 17..63 of a row are one loop that also serves longer runs passed to it directly.
// The "Mmx" rows are the four-pixel-group forms of the rows six before them (RoundedBlendKernels.h):
// their groups reach the source colour at full alpha, so they differ slightly from the integer
// rows; they use no MMX state, so callers need no clearing after them.
#include "blit/kernels/SpanKernel.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

// One operation's 64 entries. Row walkers take the span tables they draw with as SpanTable
// references (a row of g_spanKernels, a conversion table below, or a blend mode's own table).
using SpanTable = std::array<SpanKernel, kSpanTableLength>;

// The operations; the comment gives the member to call and what each pixel d becomes.
enum SpanOperation : uint32_t
{
    kSpanCopy8 = 0,            // source: d = s (8-bit)
    kSpanFill8,                // value: d = value & 0xFF
    kSpanBlend20_80DstSrc,     // source: d = Alpha20_80[d * 256 + s]
    kSpanBlend20_80DstValue,   // value: d = Alpha20_80[d * 256 + (value & 0xFF)]
    kSpanBlend40_60DstSrc,     // source: d = Alpha40_60[d * 256 + s]
    kSpanBlend40_60DstValue,   // value: d = Alpha40_60[d * 256 + (value & 0xFF)]
    kSpanBlend40_60SrcDst,     // source: d = Alpha40_60[s * 256 + d]
    kSpanBlend40_60ValueDst,   // value: d = Alpha40_60[(value & 0xFF) * 256 + d]
    kSpanBlend20_80SrcDst,     // source: d = Alpha20_80[s * 256 + d]
    kSpanBlend20_80ValueDst,   // value: d = Alpha20_80[(value & 0xFF) * 256 + d]
    kSpanCopy16,               // source: d = s (16-bit)
    kSpanFill16,               // value: d = value & 0xFFFF
    kSpanBlend16SrcAlpha,      // sourceAlpha: BlendPixel565(d, s, alpha[i])
    kSpanBlend16ColorAlpha,    // valueAlpha: BlendPixel565(d, value & 0xFFFF, alpha & 0xFF)
    kSpanBlend16SrcLevel,      // source: BlendPixel565(d, s, level)
    kSpanBlend16ColorLevel,    // value: BlendPixel565(d, value, level)
    kSpanBlend16SrcAlphaLevel, // sourceAlpha: BlendPixel565(d, s, g_currentAlphaRow[alpha[i]])
    kSpanBlend16ColorAlphaLevel,    // valueAlpha: BlendPixel565(d, value, g_currentAlphaRow[alpha])
    kSpanBlend16SrcAlphaMmx,        // as kSpanBlend16SrcAlpha, grouped
    kSpanBlend16ColorAlphaMmx,      // as kSpanBlend16ColorAlpha, grouped
    kSpanBlend16SrcLevelMmx,        // as kSpanBlend16SrcLevel, grouped
    kSpanBlend16ColorLevelMmx,      // as kSpanBlend16ColorLevel, grouped
    kSpanBlend16SrcAlphaLevelMmx,   // as kSpanBlend16SrcAlphaLevel, grouped by (alpha * level) >> 8
    kSpanBlend16ColorAlphaLevelMmx, // as kSpanBlend16ColorAlphaLevel, grouped
    kSpanCopy24,                    // source: d = s (three bytes)
    kSpanFill24,                    // value: d = bytes 0, 1, 2 of value
    kSpanBlend24SrcAlpha,           // sourceAlpha: each byte d + trunc((s - d) * alpha[i] / 256)
    kSpanBlend24ColorAlpha,         // valueAlpha: the same towards value's bytes 0-2, alpha & 0xFF
    kSpanBlend24SrcLevel,           // source: the same with a = level
    kSpanBlend24ColorLevel,         // value: the same with a = level
    kSpanBlend24SrcAlphaLevel,      // sourceAlpha: a = g_currentAlphaRow[alpha[i]]
    kSpanBlend24ColorAlphaLevel,    // valueAlpha: a = g_currentAlphaRow[alpha & 0xFF]
    kSpanOperationCount
};

// A table holding one kernel in every entry, entry 0 included, as the blend modes' own tables do:
// the kernel reads n and draws nothing for n = 0.
template <class Kernel>
constexpr SpanTable MakeUniformSpanTable(Kernel kernel)
{
    return [kernel]<size_t... I>(std::index_sequence<I...>) {
        return SpanTable{((void)I, SpanKernel(kernel))...};
    }(std::make_index_sequence<kSpanTableLength>());
}

// Which member of SpanKernel an operation's entries set.
enum class SpanOperands
{
    Source,
    Value,
    SourceAlpha,
    ValueAlpha
};
SpanOperands GetSpanOperands(uint32_t operation);

extern std::array<SpanTable, kSpanOperationCount> g_spanKernels;

// The conversion tables of the copy routines, one operation each, the same loop over the count in
// every entry (entry 0 included), so any entry draws exactly the count it is given:
extern const SpanTable Expand8To16;       // source indices: d16 = g_paletteToPixel16[s]
extern const SpanTable FillIndexAs16;     // value: every d16 = g_paletteToPixel16[value & 0xFF]
extern const SpanTable Expand16To24;      // source RGB565: d = blue << 3, green << 2, red << 3
extern const SpanTable Expand16To24Alpha; // sourceAlpha: as Expand16To24, alpha not read
extern const SpanTable Expand16To32;      // source RGB565: as Expand16To24, then alpha 255
extern const SpanTable Expand16To32Alpha; // sourceAlpha: as Expand16To32 with alpha[i]
extern const SpanTable Fill16As24;        // value RGB565: as Expand16To24 for one pixel
extern const SpanTable Fill16As24Alpha;   // valueAlpha: as Fill16As24, alpha not read
extern const SpanTable Fill16As32;        // value RGB565: as Expand16To32 for one pixel
extern const SpanTable Fill16As32Alpha;   // valueAlpha: as Fill16As32 with alpha & 0xFF

// Palette indices onto 24-bit and 32-bit pixels, through the palette of 256 blue, green, red
// entries that g_currentExpandPalette points at (the blit routine sets it for its duration).
// While it is null these tables draw nothing.
extern const uint8_t* g_currentExpandPalette;
extern const SpanTable Expand8To24;   // source indices: d = palette entry s
extern const SpanTable FillIndexAs24; // value: every d = palette entry (value & 0xFF)
extern const SpanTable Expand8To32;   // source indices: as Expand8To24, then alpha 255
extern const SpanTable FillIndexAs32; // value: as FillIndexAs24, then alpha 255

// The eight 24-bit rows (kSpanCopy24 .. kSpanBlend24ColorAlphaLevel, at index operation -
// kSpanCopy24) for destinations of 32-bit pixels: the same operands, the same arithmetic on bytes
// 0-2 of each 4-byte pixel, and byte 3 left as it is. Source runs stay 3 bytes a pixel.
constexpr uint32_t kSpan24RowCount = kSpanOperationCount - kSpanCopy24;
extern const std::array<SpanTable, kSpan24RowCount> g_span24Into32Kernels;

// The implementations of the grouped rows; all give the same pixels. The fastest available one
// is installed before the program's entry; tests and benchmarks switch to reach the others.
enum class SpanKernelPath
{
    Portable, // plain C++, every processor
    Sse2,     // x86-64
    Avx2      // x86-64 with AVX2, for runs of 17 pixels and more (SSE2 below)
};
bool IsSpanKernelPathAvailable(SpanKernelPath path);
SpanKernelPath GetFastestSpanKernelPath();
// Installs the path's kernels into the grouped rows; false, with the table unchanged, when the
// processor cannot run them. Not while a blit is running.
bool SetSpanKernelPath(SpanKernelPath path);
// The path in force (read inline: blits ask for it every time).
extern SpanKernelPath g_spanKernelPath;
inline SpanKernelPath GetSpanKernelPath()
{
    return g_spanKernelPath;
}
