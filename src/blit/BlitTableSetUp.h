#pragma once
// The start-up step that brings every blit table into memory, run once before the first blit.
// On every display it builds the opacity tables (g_alphaScaleTables, g_blendStepForLevel). On an
// 8-bit display it also loads the game palette from "<folder>/<name>.bmp", makes it the current
// palette, and loads the palette-dependent tables (BlendTables.h, ColorPacking.h and the lookup
// tables of "Blend Black Bias", "Blend Amplify Light" and "Blend Test Light") from the cache
// folder "<folder>/Cache", building and saving each one that is missing or damaged. The cache
// holds a copy of the palette, "-<name>.pal"; when that differs from the game palette every
// cached table is deleted and built again.
//
// The rule a caller must know: the depth passed is the display's actual depth, not a setting, so
// that an 8-bit display never runs without its tables.
#include <cstdint>

// A missing or unusable palette file on an 8-bit display ends the program ("FATAL ERROR!").
// Cache files that cannot be written are left out silently and rebuilt at the next start.
void SetUpBlitTables(const char* folder, const char* name, int32_t displayDepth);
