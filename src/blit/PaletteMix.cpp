#include "blit/PaletteMix.h"

#include "blit/ColorPacking.h"
#include "graphics/PaletteTable.h"

namespace {

const uint8_t* LoadedBlendTable(const CPaletteTable& table)
{
    return table.GetSize() >= 256 * 256 ? table.GetData() : nullptr;
}

} // namespace

PaletteMix PaletteMix::ForStep(uint32_t step)
{
    PaletteMix mix;
    mix.drawsSource = step >= 3;
    switch (step) {
    case 1: mix.table = LoadedBlendTable(Alpha20_80); mix.sourceIsRow = true; break;
    case 2: mix.table = LoadedBlendTable(Alpha40_60); mix.sourceIsRow = true; break;
    case 3: mix.table = LoadedBlendTable(Alpha40_60); break;
    case 4: mix.table = LoadedBlendTable(Alpha20_80); break;
    default: break;
    }
    return mix;
}
