#include "GamePalette.h"

#include "foundation/ByteOrder.h"
#include "graphics/Hsl.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kGreys = 14;
constexpr int kSteelShades = 6;
constexpr int kStrongShades = 11;
constexpr int kMutedShades = 7;
// Red, orange, gold, yellow, lime, green, teal, cyan, azure, blue, violet, magenta, rose (degrees).
constexpr double kHues[] = {0, 25, 45, 60, 90, 120, 160, 185, 210, 240, 270, 300, 330};
constexpr double kSteelHue = 214;
constexpr double kSteelSaturation = 0.25;
constexpr double kStrongSaturation = 0.9;
constexpr double kMutedSaturation = 0.45;

uint8_t ToByte(double value)
{
    return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255.0));
}

PaletteColor FromHsl(double hue, double saturation, double lightness)
{
    double red, green, blue;
    HslToRgb(hue, saturation, lightness, red, green, blue);
    return PaletteColor{ToByte(red), ToByte(green), ToByte(blue)};
}

// Shade k of n: lightness from low to high (never quite black or white: the grey ramp has those).
double ShadeLightness(int k, int n, double low, double high)
{
    return low + (high - low) * k / (n - 1);
}

} // namespace

GamePalette MakeGamePalette()
{
    GamePalette palette{};
    size_t next = 1;
    for (int i = 0; i < kGreys; ++i) {
        const uint8_t v = static_cast<uint8_t>(i * 255 / (kGreys - 1));
        palette[next++] = PaletteColor{v, v, v};
    }
    for (int k = 0; k < kSteelShades; ++k)
        palette[next++] = FromHsl(kSteelHue, kSteelSaturation, ShadeLightness(k, kSteelShades, 0.1, 0.9));
    for (double hue : kHues) {
        for (int k = 0; k < kStrongShades; ++k)
            palette[next++] = FromHsl(hue, kStrongSaturation, ShadeLightness(k, kStrongShades, 0.06, 0.94));
        for (int k = 0; k < kMutedShades; ++k)
            palette[next++] = FromHsl(hue, kMutedSaturation, ShadeLightness(k, kMutedShades, 0.15, 0.85));
    }
    palette[255] = PaletteColor{255, 255, 255};
    return palette;
}

std::vector<uint8_t> EncodePaletteBmp(const GamePalette& palette)
{
    constexpr uint32_t kSide = 16;
    constexpr uint32_t kHeaders = 14 + 40;
    constexpr uint32_t kPixelsStart = kHeaders + 256 * 4;
    std::vector<uint8_t> bmp(kPixelsStart + kSide * kSide, 0);
    uint8_t* p = bmp.data();
    p[0] = 'B';
    p[1] = 'M';
    StoreU32Le(p + 2, static_cast<uint32_t>(bmp.size()));
    StoreU32Le(p + 10, kPixelsStart);
    StoreU32Le(p + 14, 40);
    StoreU32Le(p + 18, kSide);
    StoreU32Le(p + 22, kSide); // positive: the bottom row comes first
    StoreU16Le(p + 26, 1);
    StoreU16Le(p + 28, 8);
    StoreU32Le(p + 34, kSide * kSide);
    StoreU32Le(p + 38, 2835); // 72 dots per inch
    StoreU32Le(p + 42, 2835);
    StoreU32Le(p + 46, 256);
    for (size_t i = 0; i < palette.size(); ++i) {
        uint8_t* entry = p + kHeaders + i * 4;
        entry[0] = palette[i].b;
        entry[1] = palette[i].g;
        entry[2] = palette[i].r;
    }
    // Entry 0 in the top-left corner, rows of 16 entries downwards.
    for (uint32_t row = 0; row < kSide; ++row)
        for (uint32_t column = 0; column < kSide; ++column)
            p[kPixelsStart + (kSide - 1 - row) * kSide + column] = static_cast<uint8_t>(row * kSide + column);
    return bmp;
}
