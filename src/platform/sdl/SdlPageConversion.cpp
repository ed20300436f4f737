#include "platform/sdl/SdlPageConversion.h"

#include <SDL.h>

namespace platform::sdl {

PaletteTable32 MakePaletteTable32(const std::array<PaletteEntry, 256>& palette)
{
    PaletteTable32 table{};
    for (size_t i = 0; i < table.size(); ++i) {
        const PaletteEntry& e = palette[i];
        table[i] = 0xFF000000u | (static_cast<uint32_t>(e.red) << 16) | (static_cast<uint32_t>(e.green) << 8) | e.blue;
    }
    return table;
}

bool ConvertPageToArgb(const uint8_t* page, int pitch, const DisplayMode& mode, uint32_t greenMask,
                       const PaletteTable32& table, void* destination, int destinationPitch)
{
    if (!page || !destination || mode.width <= 0 || mode.height <= 0)
        return false;
    if (mode.bitsPerPixel == 8) {
        for (int y = 0; y < mode.height; ++y) {
            const uint8_t* src = page + static_cast<size_t>(y) * pitch;
            auto* dst = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(destination) +
                                                    static_cast<size_t>(y) * destinationPitch);
            int x = 0;
            for (; x + 4 <= mode.width; x += 4) {
                dst[x] = table[src[x]];
                dst[x + 1] = table[src[x + 1]];
                dst[x + 2] = table[src[x + 2]];
                dst[x + 3] = table[src[x + 3]];
            }
            for (; x < mode.width; ++x)
                dst[x] = table[src[x]];
        }
        return true;
    }
    Uint32 format = 0;
    switch (mode.bitsPerPixel) {
    case 16: format = greenMask == kGreenMask555 ? SDL_PIXELFORMAT_RGB555 : SDL_PIXELFORMAT_RGB565; break;
    case 24: format = SDL_PIXELFORMAT_BGR24; break;
    case 32: format = SDL_PIXELFORMAT_RGB888; break;
    default: return false;
    }
    return SDL_ConvertPixels(mode.width, mode.height, format, page, pitch, SDL_PIXELFORMAT_ARGB8888, destination,
                             destinationPitch) == 0;
}

} // namespace platform::sdl
