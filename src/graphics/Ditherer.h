#pragma once
// Error-diffusion dithering (Floyd-Steinberg) of a true-colour image onto a palette, one pixel at
// a time in row order. The error of the rows still to come is kept in a circular buffer of
// width + 1 entries per channel. A pixel whose nearest entry lies further from its own colour than
// the snap threshold is matched again without the error carried to it ("snaps"), so that errors
// do not smear across hard edges.
//
// Without a palette the ditherer quantises each channel to a grid of a given number of steps
// (trunc(c x steps) / steps), for the 5-6-5 and 5-5-5 layouts of 16-bit displays.
//
// The palette and the search table must outlive the ditherer, and keep their entries while it
// works (it reads them once, when it is made).
#include "graphics/NearestColorSearch.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class CPaletteTable;

class CDitherer
{
public:
    // palette: the kind-1 palette whose entries are returned; searchTable: the table searched for
    // the nearest entry (the palette itself or an inverse colour table over it). A width of 0
    // counts as 1. The threshold is a distance in channel units of 0..1.
    CDitherer(uint32_t width, float snapThreshold, const CPaletteTable& palette, CPaletteTable& searchTable);
    // A ditherer onto the grid of redSteps, greenSteps and blueSteps steps a channel (each at
    // least 1).
    CDitherer(uint32_t width, float snapThreshold, uint32_t redSteps, uint32_t greenSteps, uint32_t blueSteps);

    // The palette index (from entries 1 to 255) for the next pixel; channels 0..1. 0 for a grid
    // ditherer.
    uint8_t Dither(float red, float green, float blue);
    // The grid colour (channels 0..1) chosen for the next pixel, in place of its colour.
    void DitherToGrid(float& red, float& green, float& blue);

private:
    CDitherer(uint32_t width, float snapThreshold, const CPaletteTable* palette, CPaletteTable* searchTable);
    // The nearest entry (or grid colour) to the adjusted colour, and its colour.
    uint8_t Search(const float adjusted[3], float chosen[3]);

    uint32_t m_width;
    uint32_t m_bufferLength;
    uint32_t m_position = 0; // the buffer entry of the next pixel
    uint32_t m_column = 0;   // the column of the next pixel
    // The error, red, green and blue of each buffer entry side by side.
    std::vector<float> m_error;
    float m_chosen[3] = {}; // the colour chosen for the last pixel
    float m_thresholdSquared;
    const CPaletteTable* m_palette;
    CPaletteTable* m_searchTable;
    // The search table's search, made once for the whole picture.
    std::optional<CNearestColorFinder> m_find;
    float m_steps[3] = {1.0f, 1.0f, 1.0f};
    // The palette's entries as channels of 0..1, red, green and blue.
    std::array<float, 768> m_entryChannels{};
};
