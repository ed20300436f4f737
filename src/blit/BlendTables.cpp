#include "blit/BlendTables.h"

#include "graphics/PaletteTable.h"

#include <cstring>

uint32_t g_paletteRow80[256];
uint32_t g_paletteRow60[256];
uint32_t g_paletteRow40[256];
uint32_t g_paletteRow20[256];
uint32_t g_paletteRed[256];
uint32_t g_paletteGreen[256];
uint32_t g_paletteBlue[256];
const uint8_t* g_fadeTable = nullptr;
const uint8_t* g_current8BitBlendTable = nullptr;

namespace {

uint8_t s_fadeTable[kFadeTableSize];

// Every fade row is a colour-adjust table searched over entries 1 to 254.
constexpr uint32_t kFadeFirst = 1;
constexpr uint32_t kFadeEnd = 255;

} // namespace

bool BuildFadeTable()
{
    if (g_currentPalette.IsEmpty() || g_currentPalette.GetKind() != 1)
        return false;
    CPaletteTable row;
    for (uint32_t r = 0; r < kFadeTableRows; ++r) {
        row.BuildColorAdjustTable(g_currentPalette, static_cast<int32_t>(r * 8), 0, 0, kFadeFirst, kFadeEnd,
                                  kFadeFirst, kFadeEnd, nullptr);
        std::memcpy(s_fadeTable + r * 256, row.GetData(), 256);
    }
    g_fadeTable = s_fadeTable;
    return true;
}

bool AcceptFadeTable(const uint8_t* bytes)
{
    for (uint32_t r = 0; r < kFadeTableRows; ++r) {
        const uint8_t* row = bytes + r * 256;
        if (row[0] != 0 || row[255] != 255)
            return false;
        for (uint32_t i = kFadeFirst; i < kFadeEnd; ++i)
            if (row[i] < kFadeFirst || row[i] >= kFadeEnd)
                return false;
    }
    std::memcpy(s_fadeTable, bytes, kFadeTableSize);
    g_fadeTable = s_fadeTable;
    return true;
}

void BuildDerivedPaletteTables()
{
    // Round to nearest in integers: floor(c * 31 / 255 + 0.5) and floor(c * 63 / 255 + 0.5).
    for (uint32_t c = 0; c < 256; ++c) {
        const uint32_t c5 = (c * 62 + 255) / 510;
        const uint32_t c6 = (c * 126 + 255) / 510;
        g_channelTo5[c] = c5;
        g_channelTo5Shl5[c] = c5 << 5;
        g_channelTo5Shl10[c] = c5 << 10;
        g_channelTo5Shl11[c] = c5 << 11;
        g_channelTo6Shl5[c] = c6 << 5;
    }
    if (g_currentPalette.IsEmpty() || g_currentPalette.GetKind() != 1)
        return;
    uint32_t* const rows[] = {g_paletteRow80, g_paletteRow60, g_paletteRow40, g_paletteRow20};
    const uint32_t strengths[] = {8, 6, 4, 2};
    for (uint32_t i = 0; i < 256; ++i) {
        uint8_t red, green, blue;
        g_currentPalette.GetEntry(i, red, green, blue);
        for (int k = 0; k < 4; ++k) {
            const uint32_t s = strengths[k];
            rows[k][i] = 256u * g_inverseColorTable15.FindNearest(static_cast<uint8_t>(s * red / 10),
                                                                  static_cast<uint8_t>(s * green / 10),
                                                                  static_cast<uint8_t>(s * blue / 10), 0, 0);
        }
        g_paletteRed[i] = red;
        g_paletteGreen[i] = green;
        g_paletteBlue[i] = blue;
    }
}
