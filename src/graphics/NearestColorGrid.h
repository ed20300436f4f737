#pragma once
// The nearest-colour search for the many distinct colours a ditherer asks: the colour cube is cut
// into cells of 8 levels a side, and each cell keeps the few entries that can be nearest to some
// colour inside it, found the first time a colour of the cell is asked. A question then measures
// only those entries. The answer is CPaletteTable::FindNearest's for a palette (kind 1): among
// entries start .. end - 1 the smallest 30 dR^2 + 59 dG^2 + 11 dB^2, the lowest index on ties; an
// empty range answers its start.
//
// The one rule a caller must know: the entries are copied when the grid is made; a palette
// changed afterwards is not seen.
#include <cstdint>
#include <vector>

class CNearestColorGrid
{
public:
    // palette: 256 entries of blue, green, red. end is taken as at most 256.
    CNearestColorGrid(const uint8_t* palette, uint32_t start, uint32_t end);

    uint8_t Find(uint8_t red, uint8_t green, uint8_t blue);

    // The levels a cell spans in each channel (cells start at multiples of it).
    static constexpr uint32_t kCellSide = 8;

    // The entries kept for the cell holding the colour (building it when it is not yet built).
    uint32_t CandidateCount(uint8_t red, uint8_t green, uint8_t blue);

private:
    static uint32_t CellOf(uint8_t red, uint8_t green, uint8_t blue);
    void BuildCell(uint32_t cell);

    // The range's entries, each colour once at the lowest index it has (a later copy can never
    // be the answer): red << 24 | green << 16 | blue << 8 | index.
    std::vector<uint32_t> m_entries;
    // Red, green and blue of the same entries as floats, and each one's distance to the cell
    // being built.
    std::vector<float> m_channels[3];
    std::vector<float> m_nearDistance;
    // For each cell its candidates' first place in m_candidates and their count; kUnbuilt until
    // the cell is first asked.
    std::vector<uint32_t> m_cellFirst;
    std::vector<uint16_t> m_cellCount;
    std::vector<uint32_t> m_candidates;
};
