#pragma once
// Helpers of the tests that run the start-up set-up of the blit tables: a game palette written as
// an 8-bit BMP by Python, and every 8-bit table emptied again afterwards, so that later tests in
// the same program see a fresh start (the colour packers use their arithmetic path again).
#include "blit/BlendTables.h"
#include "blit/BlitTableSetUp.h"
#include "blit/modes/AmplifyLightBlitter.h"
#include "blit/modes/TableBlendBlitter.h"
#include "graphics/PaletteTable.h"
#include "../foundation/FileTestHelpers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace blittest {

namespace fs = std::filesystem;

// The game palette: entry i as (red, green, blue), with one entry optionally changed.
inline void PaletteEntry(int i, int changed, int& r, int& g, int& b)
{
    r = (i * 37 + 11) & 255;
    g = (i * 101 + 3) & 255;
    b = (255 - i * 3) & 255;
    if (i == changed)
        r = (r + 128) & 255;
}

// Writes Palettes/GamePalette.bmp under the folder (2 x 2 pixels, 8 bits) with Python's struct
// module.
inline void WriteGamePalette(const fs::path& root, int changed = -1)
{
    fs::create_directories(root / "Palettes");
    const std::string script = "import struct,sys\n"
                               "changed=int(sys.argv[2])\n"
                               "def entry(i):\n"
                               "    r,g,b=(i*37+11)&255,(i*101+3)&255,(255-i*3)&255\n"
                               "    if i==changed: r=(r+128)&255\n"
                               "    return bytes([b,g,r,0])\n"
                               "pal=b''.join(entry(i) for i in range(256))\n"
                               "pix=bytes([1,2,0,0,3,4,0,0])\n"
                               "off=54+len(pal)\n"
                               "hdr=b'BM'+struct.pack('<IHHI',off+len(pix),0,0,off)\n"
                               "info=struct.pack('<IiiHHIIiiII',40,2,2,1,8,0,len(pix),2835,2835,256,0)\n"
                               "open(sys.argv[1],'wb').write(hdr+info+pal+pix)\n";
    const std::string out = (root / "Palettes" / "GamePalette.bmp").string();
    ASSERT_EQ(filetest::RunPython(root, script, "'" + out + "' " + std::to_string(changed)), 0);
}

// The palette and the eight tables built from it.
inline std::vector<CPaletteTable*> EightBitTables()
{
    return {&g_currentPalette, &g_inverseColorTable15, &g_inverseColorTable16, &Alpha20_80, &Alpha40_60,
            g_blackBiasBlitter.GetLookupTable(), g_amplifyLightBlitter.GetLookupTable(),
            g_testLightBlitter.GetLookupTable()};
}

// Every 8-bit table back to empty, as on a fresh start.
inline void ForgetEightBitTables()
{
    for (CPaletteTable* table : EightBitTables())
        table->Free();
    g_fadeTable = nullptr;
    for (uint32_t* table : {g_channelTo5, g_channelTo5Shl5, g_channelTo5Shl10, g_channelTo5Shl11, g_channelTo6Shl5,
                            g_paletteRow80, g_paletteRow60, g_paletteRow40, g_paletteRow20, g_paletteRed,
                            g_paletteGreen, g_paletteBlue})
        std::memset(table, 0, 256 * sizeof(uint32_t));
}

} // namespace blittest
