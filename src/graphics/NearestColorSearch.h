#pragma once
// The nearest-colour search of a palette for code that searches it many times over: the frame
// conversions, the ditherer and the table builders. It answers exactly what
// CPaletteTable::FindNearest answers for a palette (kind 1): among the entries start .. end - 1
// the one with the smallest 30 dR^2 + 59 dG^2 + 11 dB^2, the lowest index on ties. It is faster in
// three ways: it measures only the entries whose green lies close enough to matter, eight of them
// a step in vector lanes, and it remembers its answers, since pictures repeat their colours. Find
// measures through a grid of cells that keeps, for each part of the colour cube, only the entries
// that can be nearest there.
//
// The one rule a caller must know: the search copies the palette's entries when it is made, so a
// palette changed afterwards is not seen. NearestColorSearchFor hands out a search for the
// palette's present entries, a new one whenever they changed.
#include "graphics/NearestColorGrid.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class CPaletteTable;

class CNearestColorSearch
{
public:
    // palette: 256 entries of blue, green, red. end is taken as at most 256; start < end.
    CNearestColorSearch(const uint8_t* palette, uint32_t start, uint32_t end);

    // The nearest entry, remembered for the next time the colour is asked, measured through the
    // grid. Inline, since the ditherer asks it for every pixel.
    uint8_t Find(uint8_t red, uint8_t green, uint8_t blue)
    {
        const uint32_t color = uint32_t{red} << 16 | uint32_t{green} << 8 | blue;
        const uint32_t slot = m_memo[MemoSlot(color)];
        return slot >> 8 == color ? static_cast<uint8_t>(slot) : FindAndRemember(color);
    }
    // The nearest entry, measured every time.
    uint8_t Measure(uint8_t red, uint8_t green, uint8_t blue) const;

    // Whether the search was made for these entries and this range.
    bool IsFor(const uint8_t* palette, uint32_t start, uint32_t end) const;

    // How the distances are measured; all give the same answers. The widest the processor has is
    // taken when a search is made; tests and benchmarks choose the others.
    enum class Lanes
    {
        Portable, // one entry at a time
        Sse2,     // four entries a step (x86-64)
        Avx2      // eight entries a step (x86-64 with AVX2)
    };
    static bool IsAvailable(Lanes lanes);
    void SetLanes(Lanes lanes);

    // Remembered answers, found by a hash of the colour.
    static constexpr uint32_t kMemoBits = 14;
    static constexpr uint32_t MemoSlot(uint32_t color)
    {
        return (color * 2654435761u) >> (32 - kMemoBits);
    }

private:
    uint8_t FindAndRemember(uint32_t color);
    // The smallest key (distance << 8 | index) of the groups that can hold the nearest entry;
    // measureGroup(j) gives group j's smallest.
    template <class MeasureGroup>
    uint32_t Nearest(uint32_t green, MeasureGroup measureGroup) const;
    uint32_t MeasurePortable(uint32_t red, uint32_t green, uint32_t blue) const;
    uint32_t MeasureSse2(uint32_t red, uint32_t green, uint32_t blue) const;
    uint32_t MeasureAvx2(uint32_t red, uint32_t green, uint32_t blue) const;

    std::array<uint8_t, 768> m_palette;
    uint32_t m_start;
    uint32_t m_end;
    Lanes m_lanes;
    // The entries in lanes, ordered by green in groups of 8 (the last group filled up with copies
    // of its last entry): (red, green) word pairs, (blue, 0) word pairs and each entry's index;
    // each group's lowest and highest green; and the group a search starts from for each green.
    std::vector<int16_t> m_redGreen;
    std::vector<int16_t> m_blue;
    std::vector<int32_t> m_index;
    uint32_t m_groupCount = 0;
    std::vector<int16_t> m_groupGreen;
    std::array<uint8_t, 256> m_groupOfGreen{};
    // Remembered answers, found by a hash of the colour: the colour in bits 8-31, the answer in
    // bits 0-7.
    std::vector<uint32_t> m_memo;
    CNearestColorGrid m_grid;
};

// A search over the palette's present entries and the range, shared by the callers that ask for
// the same ones; a palette that is not kind 1 or has no data gives null.
std::shared_ptr<CNearestColorSearch> NearestColorSearchFor(const CPaletteTable& palette, uint32_t start,
                                                           uint32_t end);

// FindNearest (start, end) of a table for the many colours of one picture or table: through a
// shared search when the table is a palette, else through the table's own lookup.
class CNearestColorFinder
{
public:
    CNearestColorFinder(CPaletteTable& table, uint32_t start, uint32_t end);
    uint8_t operator()(uint8_t red, uint8_t green, uint8_t blue) const
    {
        return m_search ? m_search->Find(red, green, blue) : FindInTable(red, green, blue);
    }

private:
    uint8_t FindInTable(uint8_t red, uint8_t green, uint8_t blue) const;

    CPaletteTable* m_table;
    uint32_t m_start, m_end;
    std::shared_ptr<CNearestColorSearch> m_search;
};
