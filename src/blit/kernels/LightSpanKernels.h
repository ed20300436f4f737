#pragma once
// The span tables of the light blend modes ("Blend Amplify Light", "Blend Black Bias", "Blend
// Test Light"), every entry of a table holding the same loop:
// - 8-bit destinations: one lookup per pixel in g_current8BitBlendTable (BlendTables.h), entry
//   [row(s) + d], where row(s) is s * 256 at full strength and the darkened palette rows
//   g_paletteRow80 .. g_paletteRow20 at the four lower strengths. While the table pointer is null
//   nothing is drawn.
// - RGB565 destinations: the amplify step, each destination field multiplied by one plus the
//   source field (AmplifyPixel565), and the plain white fill of translucent layers.
#include "blit/kernels/SpanKernelTable.h"

#include <array>
#include <cstdint>

// Strength slots of the layered 8-bit draws: full, 80 %, 60 %, 40 % and 20 %.
constexpr uint32_t kStrengthSlotCount = 5;

// By strength slot. Src: source operands (d = T[row(s) + d]); Value: value operands (the index in
// the low byte).
extern const std::array<SpanTable, kStrengthSlotCount> AmplifyLight8Src;
extern const std::array<SpanTable, kStrengthSlotCount> AmplifyLight8Value;

// source: d = AmplifyPixel565(d, s); value: the same towards one colour.
extern const SpanTable AmplifyLight16Src;
extern const SpanTable AmplifyLight16Color;
// sourceAlpha and valueAlpha: every pixel becomes 0xFFFF; the operands are not read.
extern const SpanTable FillWhite16Src;
extern const SpanTable FillWhite16Color;

// 32 x 32 entries [destination field * 32 + source field] of v(d, s) = min(31, d (31 + s) / 31
// rounded to nearest), already shifted into the red field, the top five bits of green (bits 6-10;
// the lowest green bit of a result is 0) and the blue field.
extern const std::array<uint16_t, 32 * 32> g_amplifyRed;
extern const std::array<uint16_t, 32 * 32> g_amplifyGreen;
extern const std::array<uint16_t, 32 * 32> g_amplifyBlue;

// The destination pixel amplified by the source pixel (both RGB565).
inline uint32_t AmplifyPixel565(uint32_t destination, uint32_t source)
{
    source &= 0xFFFF;
    return g_amplifyRed[((destination & 0xF800) | (source >> 5)) >> 6] |
           g_amplifyGreen[((destination & 0x07C0) | ((source >> 5) & 0x3E)) >> 1] |
           g_amplifyBlue[((destination & 0x1F) << 5) | (source & 0x1F)];
}
