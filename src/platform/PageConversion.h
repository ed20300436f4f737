#pragma once
// Turning display pages into the 32-bit pixels a screen texture holds (0xAARRGGBB, alpha opaque).
// 5- and 6-bit fields widen to 8 bits by repeating their top bits, so black stays 0, full fields
// become 255, and a grey stays as grey as its fields allow. The row converters take plain pointers
// and counts; each fast (SSE2) row has a plain twin that gives the same result.
#include "platform/Display.h"

#include <array>
#include <cstdint>

namespace platform {

// 8-bit pages go through a table of 256 ARGB values.
using PaletteTable32 = std::array<uint32_t, 256>;

PaletteTable32 MakePaletteTable32(const std::array<PaletteEntry, 256>& palette);

// count pixels of a row; source rows need no alignment.
void ConvertRow565(const uint8_t* source, uint32_t* destination, int count);
void ConvertRow555(const uint8_t* source, uint32_t* destination, int count);
void ConvertRow32(const uint8_t* source, uint32_t* destination, int count);
void ConvertRow565Plain(const uint8_t* source, uint32_t* destination, int count);
void ConvertRow555Plain(const uint8_t* source, uint32_t* destination, int count);
void ConvertRow32Plain(const uint8_t* source, uint32_t* destination, int count);
void ConvertRow8(const uint8_t* source, uint32_t* destination, int count, const PaletteTable32& table);
// Bytes B, G, R per pixel.
void ConvertRow24(const uint8_t* source, uint32_t* destination, int count);

// A rectangle of a page (right and bottom exclusive) of the mode's depth, rows pitch bytes apart,
// into ARGB rows destinationPitch bytes apart starting at the rectangle's own top-left pixel. 16-bit
// pages are read in the green mask's layout. False for other depths or a rectangle outside the page.
bool ConvertRect(const uint8_t* page, int pitch, const DisplayMode& mode, uint32_t greenMask,
                 const PaletteTable32& table, const PageRect& rect, void* destination, int destinationPitch);

} // namespace platform
