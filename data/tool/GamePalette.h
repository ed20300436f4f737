#pragma once
// The game's palette for 8-bit displays, and the BMP file the program reads it from
// ("Palettes/GamePalette.bmp"). Entry 0 is black, the colour frames leave transparent; entries 1
// to 254 are what colours are matched against: a grey ramp, a blue-grey steel ramp and thirteen
// hues, each as a strong ramp from near black through its full colour to near white and a muted
// ramp beside it, so that the gradients and bevels of the game's pictures keep their steps;
// entry 255 is white.
#include <array>
#include <cstdint>
#include <vector>

struct PaletteColor
{
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
};

using GamePalette = std::array<PaletteColor, 256>;

GamePalette MakeGamePalette();

// An 8-bit BMP (Windows 3 information header, 256 colours) whose 16 x 16 pixels show the
// entries in order; the palette lies at file offset 54, where the program's reader takes it.
std::vector<uint8_t> EncodePaletteBmp(const GamePalette& palette);
