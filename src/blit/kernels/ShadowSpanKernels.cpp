#include "blit/kernels/ShadowSpanKernels.h"

#include "blit/Blitter.h"

#include <algorithm>

uint32_t g_shadowStrength = kShadowStrength;

namespace {

// Black source pixels for the rows that blend toward a source run; longer runs go in pieces of
// this many pixels (a multiple of 4, so the grouping of the rounded rows is unchanged).
constexpr uint32_t kBlackRunLength = 640;
constexpr uint8_t kBlackRun[2 * kBlackRunLength] = {};

// The entry of a row of g_spanKernels for a run of n pixels: entry 63's loop takes any length.
const SpanKernel& Entry(uint32_t operation, uint32_t n)
{
    return g_spanKernels[operation][std::min(n, kLongestSpan)];
}

template <uint32_t Operation>
void DarkenColor(void* destination, uint32_t, uint32_t n)
{
    Entry(Operation, n).valueAlpha(destination, 0, g_shadowStrength, n);
}

template <uint32_t Operation>
void DarkenSource(void* destination, const void*, uint32_t n)
{
    Entry(Operation, n).valueAlpha(destination, 0, g_shadowStrength, n);
}

template <uint32_t Operation>
void DarkenByAlpha(void* destination, uint32_t, uint32_t alpha, uint32_t n)
{
    Entry(Operation, n).valueAlpha(destination, 0, ((alpha & 0xFF) * g_shadowStrength) >> 8, n);
}

// Through a level row: the row of the strength is the level the alphas are scaled by.
template <uint32_t Operation>
void DarkenByAlphas(void* destination, const void*, const uint8_t* alpha, uint32_t n)
{
    g_currentAlphaRow = g_alphaScaleTables[g_shadowStrength & 0xFF];
    uint8_t* at = static_cast<uint8_t*>(destination);
    for (uint32_t done = 0; done < n;) {
        const uint32_t count = std::min(n - done, kBlackRunLength);
        Entry(Operation, count).sourceAlpha(at + 2 * static_cast<size_t>(done), kBlackRun, alpha + done, count);
        done += count;
    }
}

} // namespace

constinit const SpanTable ShadowSpan16Color =
    MakeUniformSpanTable<SpanValueKernel>(&DarkenColor<kSpanBlend16ColorAlpha>);
constinit const SpanTable ShadowSpan16Src =
    MakeUniformSpanTable<SpanSourceKernel>(&DarkenSource<kSpanBlend16ColorAlpha>);
constinit const SpanTable ShadowSpan16ColorMmx =
    MakeUniformSpanTable<SpanValueKernel>(&DarkenColor<kSpanBlend16ColorAlphaMmx>);
constinit const SpanTable ShadowSpan16SrcMmx =
    MakeUniformSpanTable<SpanSourceKernel>(&DarkenSource<kSpanBlend16ColorAlphaMmx>);
constinit const SpanTable ShadowSpan16ColorAlpha =
    MakeUniformSpanTable<SpanValueAlphaKernel>(&DarkenByAlpha<kSpanBlend16ColorAlpha>);
constinit const SpanTable ShadowSpan16ColorAlphaMmx =
    MakeUniformSpanTable<SpanValueAlphaKernel>(&DarkenByAlpha<kSpanBlend16ColorAlphaMmx>);
constinit const SpanTable ShadowSpan16Alpha =
    MakeUniformSpanTable<SpanSourceAlphaKernel>(&DarkenByAlphas<kSpanBlend16SrcAlphaLevel>);
constinit const SpanTable ShadowSpan16AlphaMmx =
    MakeUniformSpanTable<SpanSourceAlphaKernel>(&DarkenByAlphas<kSpanBlend16SrcAlphaLevelMmx>);
