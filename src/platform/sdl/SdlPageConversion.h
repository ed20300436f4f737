#pragma once
// Turning a page of any depth into the ARGB8888 pixels of the texture that shows it.
#include "platform/Display.h"

#include <array>
#include <cstdint>

namespace platform::sdl {

// 8-bit pages go through a table of 256 ARGB8888 values.
using PaletteTable32 = std::array<uint32_t, 256>;

PaletteTable32 MakePaletteTable32(const std::array<PaletteEntry, 256>& palette);

// Converts width x height pixels of the page (rows pitch bytes apart) into ARGB8888 rows
// destinationPitch bytes apart: 8 bits through the table, 16 bits as RGB565 or RGB555 by the
// green mask, 24 bits as bytes B, G, R, 32 bits as B, G, R with alpha made opaque. False for other
// depths.
bool ConvertPageToArgb(const uint8_t* page, int pitch, const DisplayMode& mode, uint32_t greenMask,
                       const PaletteTable32& table, void* destination, int destinationPitch);

} // namespace platform::sdl
