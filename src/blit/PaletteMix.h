#pragma once
// Translucency on 8-bit frames. A palette index cannot be mixed by arithmetic, so an opacity or
// alpha is taken to the nearest fifth and the mix read from the two 256 x 256 blend tables:
// 0.2 and 0.4 with the source as the table's row, 0.6 and 0.8 with the destination as the row
// (Alpha20_80[a * 256 + b] is 0.2 of colour a over 0.8 of colour b).
//
// The rule a caller must know: index 0 is no colour. A source index 0 leaves the destination,
// and a destination index 0 (cleared memory) takes the source from 0.6 on, else stays: the tables'
// row 0 mixes with white, which no picture means.
#include <cstdint>

// The fifth nearest to level / 255: 0 (nothing drawn) to 5 (the source itself); levels above
// 255 count as 255.
constexpr uint32_t PaletteMixStep(uint32_t level)
{
    return ((level > 255 ? 255 : level) * 5 + 127) / 255;
}

// One mix step's table and the side that is its row; null table for steps 0 and 5, and while
// the blend tables are not loaded (then steps 3 and 4 draw the source, 1 and 2 nothing).
struct PaletteMix
{
    const uint8_t* table = nullptr;
    bool sourceIsRow = false;
    bool drawsSource = false; // without a table: the source replaces the destination

    static PaletteMix ForStep(uint32_t step);

    uint8_t Mix(uint8_t destination, uint8_t source) const
    {
        if (source == 0)
            return destination;
        if (!table || destination == 0)
            return drawsSource ? source : destination;
        return sourceIsRow ? table[source * 256u + destination] : table[destination * 256u + source];
    }
};
