#pragma once
// Packing 8-bit channels into the display's 15-bit and 16-bit pixels, the palette-to-pixel tables
// of the 8-bit blit routines, the holders of the current palette and of the 8-bit lookup tables,
// and the byte fill behind frame clears and fills.
#include <cstddef>
#include <cstdint>

class CLocalizedString;
class CPaletteTable;

// Per-channel packing tables, built only in 8-bit display mode (they stay 0 otherwise): for a
// channel value v, b5(v) = trunc(v * 31 / 255 + 0.5) and g6(v) = trunc(v * 63 / 255 + 0.5), shifted
// into their field. They count as built when g_channelTo5[128] is not 0.
extern uint32_t g_channelTo5[256];
extern uint32_t g_channelTo5Shl5[256];
extern uint32_t g_channelTo5Shl10[256];
extern uint32_t g_channelTo5Shl11[256];
extern uint32_t g_channelTo6Shl5[256];

// Palette index to 5-5-5 and 5-6-5 pixel (low 16 bits); entry 0 is always 0.
extern uint32_t g_paletteToPixel15[256];
extern uint32_t g_paletteToPixel16[256];

// The current palette (kind 1) and the 8-bit lookup tables, filled by the start-up table set-up.
extern CPaletteTable g_currentPalette;
extern CPaletteTable g_inverseColorTable15;
extern CPaletteTable g_inverseColorTable16;
extern CPaletteTable Alpha20_80;
extern CPaletteTable Alpha40_60;

// Caption and text of the fatal report when the game palette cannot be loaded.
extern CLocalizedString* g_paletteFatalCaption;
extern CLocalizedString* g_paletteFatalText;

// The 8-bit value a 5-bit or 6-bit field stands for in the engine's own conversions: the field
// shifted to the top of the byte, its low bits 0, so a full field gives 248 (252 for green), not
// 255. The packers below are not its inverse everywhere: with the per-channel tables (8-bit
// display) a full field widened and packed again loses a level (0xFFFF comes back as 0xF7DE).
constexpr uint32_t ExpandField5(uint32_t field)
{
    return (field << 3) & 0xFF;
}
constexpr uint32_t ExpandField6(uint32_t field)
{
    return (field << 2) & 0xFF;
}
// Bytes blue, green, red (bits 0-7, 8-15, 16-23) of an RGB565 pixel, each field shifted only.
constexpr uint32_t Expand565(uint32_t pixel)
{
    return ExpandField5(pixel & 0x1F) | ExpandField6(pixel >> 5 & 0x3F) << 8 | ExpandField5(pixel >> 11 & 0x1F) << 16;
}

// The 5-5-5 pixel (below 0x8000). With the per-channel tables their sum; otherwise each channel
// gets half a step added before the shift, (c + 4) >> 3, clamped to 31 so 252..255 cannot overflow
// the field. The two forms differ for some inputs: (4, 2, 4) packs to 0 with the tables and to
// 0x0401 without.
uint32_t PackRgbToPixel15(uint32_t red, uint32_t green, uint32_t blue);
// The 5-6-5 pixel, as above with green (c + 2) >> 2 clamped to 63.
uint32_t PackRgbToPixel16(uint32_t red, uint32_t green, uint32_t blue);
bool ArePackingTablesBuilt();

CPaletteTable* GetCurrentPaletteRef();

// Rebuilds g_paletteToPixel15/16 from a palette of 256 blue, green, red entries. Entry 0 stays 0;
// a pure black entry packs as blue 8, so that it never becomes the transparent pixel 0. A palette
// without data leaves the tables unchanged.
void BuildPaletteToPixelTables(const CPaletteTable& palette);

// Fills count bytes with the repeated 32-bit pattern (lowest byte first); an unaligned head and
// the tail get the pattern's lowest byte.
void FillBytes(void* destination, uint32_t pattern, size_t count);
