#include "blit/ColorPacking.h"

#include "foundation/LocalizedString.h"
#include "graphics/PaletteTable.h"

#include <algorithm>
#include <cstring>

uint32_t g_channelTo5[256];
uint32_t g_channelTo5Shl5[256];
uint32_t g_channelTo5Shl10[256];
uint32_t g_channelTo5Shl11[256];
uint32_t g_channelTo6Shl5[256];

uint32_t g_paletteToPixel15[256];
uint32_t g_paletteToPixel16[256];

CPaletteTable g_currentPalette;
CPaletteTable g_inverseColorTable15;
CPaletteTable g_inverseColorTable16;
CPaletteTable Alpha20_80;
CPaletteTable Alpha40_60;

namespace {

CLocalizedString s_paletteFatalCaption("FATAL ERROR!", nullptr);
CLocalizedString s_paletteFatalText("The executable or data file appears to have become corrupted. Please reinstall "
                                    "the product, or contact the vendor for assistance.",
                                    nullptr);

// Half a step added before the shift; the clamp keeps the top values inside the field.
uint32_t HalfStep(uint32_t c, uint32_t shift, uint32_t top)
{
    return std::min<uint32_t>((c + (1u << (shift - 1))) >> shift, top);
}

} // namespace

CLocalizedString* g_paletteFatalCaption = &s_paletteFatalCaption;
CLocalizedString* g_paletteFatalText = &s_paletteFatalText;

bool ArePackingTablesBuilt()
{
    return g_channelTo5[128] != 0;
}

uint32_t PackRgbToPixel15(uint32_t red, uint32_t green, uint32_t blue)
{
    red &= 0xFF;
    green &= 0xFF;
    blue &= 0xFF;
    if (ArePackingTablesBuilt())
        return g_channelTo5Shl10[red] + g_channelTo5Shl5[green] + g_channelTo5[blue];
    return (HalfStep(red, 3, 31) << 10) | (HalfStep(green, 3, 31) << 5) | HalfStep(blue, 3, 31);
}

uint32_t PackRgbToPixel16(uint32_t red, uint32_t green, uint32_t blue)
{
    red &= 0xFF;
    green &= 0xFF;
    blue &= 0xFF;
    if (ArePackingTablesBuilt())
        return g_channelTo5Shl11[red] + g_channelTo6Shl5[green] + g_channelTo5[blue];
    return (HalfStep(red, 3, 31) << 11) | (HalfStep(green, 2, 63) << 5) | HalfStep(blue, 3, 31);
}

CPaletteTable* GetCurrentPaletteRef()
{
    return &g_currentPalette;
}

void BuildPaletteToPixelTables(const CPaletteTable& palette)
{
    const uint8_t* entries = palette.GetData();
    if (!entries || palette.GetSize() < 768)
        return;
    g_paletteToPixel15[0] = 0;
    g_paletteToPixel16[0] = 0;
    for (uint32_t i = 1; i < 256; ++i) {
        uint32_t blue = entries[i * 3];
        uint32_t green = entries[i * 3 + 1];
        uint32_t red = entries[i * 3 + 2];
        if (red == 0 && green == 0 && blue == 0)
            blue = 8;
        g_paletteToPixel15[i] = PackRgbToPixel15(red, green, blue) & 0xFFFF;
        g_paletteToPixel16[i] = PackRgbToPixel16(red, green, blue) & 0xFFFF;
    }
}

void FillBytes(void* destination, uint32_t pattern, size_t count)
{
    uint8_t* out = static_cast<uint8_t*>(destination);
    uint8_t low = static_cast<uint8_t>(pattern);
    while (count > 0 && (reinterpret_cast<uintptr_t>(out) & 3) != 0) {
        *out++ = low;
        --count;
    }
    for (; count >= 4; count -= 4, out += 4)
        std::memcpy(out, &pattern, 4);
    while (count > 0) {
        *out++ = low;
        --count;
    }
}
