#pragma once
// The span tables of "Blit As Shadow": every entry darkens RGB565 destination pixels toward black
// and ignores the source's colours, so that only the shape of a sprite is drawn. The darkening
// weighs black by S >> 3 of 32 in red and blue and S >> 2 of 64 in green, S being the strength
// g_shadowStrength (kShadowStrength at full opacity, giving 12/32 and 25/64):
//   Color, Src              every pixel BlendPixel565(d, 0, S)
//   ColorAlpha (a)          BlendPixel565(d, 0, (a * S) >> 8)
//   Alpha (alpha[i])        BlendPixel565(d, 0, floor(alpha[i] * S / 255)), through the opacity
//                           table row S, which it points g_currentAlphaRow at
// The "Mmx" tables take the rounded step BlendPixel565Rounded for the first 4 * (n / 4) pixels of
// a run (Alpha: by (alpha[i] * S) >> 8) and the plain step for the 1 to 3 left over; they run on
// the kernel path installed in g_spanKernels.
//
// The rule a caller must know: the strength is one global; set it before drawing. Alpha reads the
// opacity tables, so it darkens nothing before they are built.
#include "blit/kernels/SpanKernelTable.h"

#include <cstdint>

// The shadow's strength at full opacity: level 100 of 255.
constexpr uint32_t kShadowStrength = 100;
// The strength of the shadow being drawn, 0..255.
extern uint32_t g_shadowStrength;

// value and source operands; the value or the source pixels are not read.
extern const SpanTable ShadowSpan16Color;
extern const SpanTable ShadowSpan16Src;
extern const SpanTable ShadowSpan16ColorMmx;
extern const SpanTable ShadowSpan16SrcMmx;
// valueAlpha: the colour is not read.
extern const SpanTable ShadowSpan16ColorAlpha;
extern const SpanTable ShadowSpan16ColorAlphaMmx;
// sourceAlpha: the source pixels are not read.
extern const SpanTable ShadowSpan16Alpha;
extern const SpanTable ShadowSpan16AlphaMmx;
