#pragma once
// The 8-bit tables that the span kernels and the 8-bit blend modes read, beyond those declared
// with the colour packers (g_currentPalette, g_inverseColorTable15, g_inverseColorTable16,
// Alpha20_80, Alpha40_60) and the blend modes' own lookup tables. SetUpBlitTables fills all of
// them on an 8-bit display only; on other displays they stay 0 (g_fadeTable null), so no kernel
// of another depth may read them.
#include "blit/ColorPacking.h"

#include <cstdint>

// Row offsets into a 256 x 256 table: entry i = 256 x the palette index of colour i darkened to
// 80, 60, 40 and 20 %, so that adding a destination index reaches the entry without a multiply.
extern uint32_t g_paletteRow80[256];
extern uint32_t g_paletteRow60[256];
extern uint32_t g_paletteRow40[256];
extern uint32_t g_paletteRow20[256];

// The 256 x 256 table of palette indices that the 8-bit light span kernels read (LightSpanKernels.h),
// entry [source row + destination index]. An 8-bit blit routine points it at a blend mode's
// table for its duration and sets it back to null; while it is null those kernels draw nothing.
extern const uint8_t* g_current8BitBlendTable;

// The red, green and blue byte of each palette entry.
extern uint32_t g_paletteRed[256];
extern uint32_t g_paletteGreen[256];
extern uint32_t g_paletteBlue[256];

// The fade table: kFadeTableRows rows of 256 palette indices, row r holding each index's colour
// at r / 16 of its lightness (row 16 is the identity, rows above brighten). Indices 0 and 255
// map to themselves in every row. Null until built.
constexpr uint32_t kFadeTableRows = 32;
constexpr uint32_t kFadeTableSize = kFadeTableRows * 256;
extern const uint8_t* g_fadeTable;

// Fills the fade table from the current palette; false (table unchanged) without a palette.
bool BuildFadeTable();
// Takes a fade table read from a file; false (table unchanged) unless it is one BuildFadeTable
// could have made: indices 0 and 255 kept, every other index mapped within 1 .. 254.
bool AcceptFadeTable(const uint8_t* bytes);

// Fills the per-channel packing tables, the darkened rows and the channel tables from
// g_currentPalette and g_inverseColorTable15. From then on the colour packers use the tables.
void BuildDerivedPaletteTables();
