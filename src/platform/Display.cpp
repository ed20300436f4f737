#include "platform/Display.h"

#include <cstddef>
#include <numeric>

namespace platform {

int BytesPerPixel(int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 8: return 1;
    case 16: return 2;
    case 24: return 3;
    case 32: return 4;
    default: return 0;
    }
}

int PagePitch(int width, int bitsPerPixel)
{
    const int bytes = BytesPerPixel(bitsPerPixel);
    if (bytes == 0 || width <= 0)
        return 0;
    // A multiple of both the pixel size and 4, so the pitch is a whole number of pixels (the
    // engine keeps it in pixels) and every row starts aligned.
    const int unit = std::lcm(bytes, 4);
    return (width * bytes + unit - 1) / unit * unit;
}

bool GetStaticSystemColor(int index, PaletteEntry& entry)
{
    static const PaletteEntry s_low[10] = {
        {0, 0, 0, 0},     {128, 0, 0, 0},   {0, 128, 0, 0},     {128, 128, 0, 0},   {0, 0, 128, 0},
        {128, 0, 128, 0}, {0, 128, 128, 0}, {192, 192, 192, 0}, {192, 220, 192, 0}, {166, 202, 240, 0},
    };
    static const PaletteEntry s_high[10] = {
        {255, 251, 240, 0}, {160, 160, 164, 0}, {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},
        {255, 255, 0, 0},   {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0},
    };
    if (index >= 0 && index < 10) {
        entry = s_low[index];
        return true;
    }
    if (index >= 246 && index < 256) {
        entry = s_high[index - 246];
        return true;
    }
    return false;
}

void ReadSystemPaletteEntries(const std::array<PaletteEntry, 256>& palette, int first, int count, PaletteEntry* entries)
{
    for (int i = 0; entries && i < count; ++i) {
        const int index = first + i;
        if (index < 0 || index > 255)
            continue;
        if (!GetStaticSystemColor(index, entries[i]))
            entries[i] = palette[static_cast<size_t>(index)];
    }
}

} // namespace platform
