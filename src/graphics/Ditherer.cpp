#include "graphics/Ditherer.h"

#include "foundation/RoundHalfAway.h"
#include "graphics/PaletteTable.h"

#include <algorithm>
#include <cmath>

namespace {

// The entries a pixel may become: all but the transparent 0.
constexpr uint32_t kSearchStart = 1;
constexpr uint32_t kSearchEnd = 256;

} // namespace

CDitherer::CDitherer(uint32_t width, float snapThreshold, const CPaletteTable& palette, CPaletteTable& searchTable)
    : CDitherer(width, snapThreshold, &palette, &searchTable)
{
}

CDitherer::CDitherer(uint32_t width, float snapThreshold, uint32_t redSteps, uint32_t greenSteps, uint32_t blueSteps)
    : CDitherer(width, snapThreshold, nullptr, nullptr)
{
    m_steps[0] = static_cast<float>(std::max<uint32_t>(redSteps, 1));
    m_steps[1] = static_cast<float>(std::max<uint32_t>(greenSteps, 1));
    m_steps[2] = static_cast<float>(std::max<uint32_t>(blueSteps, 1));
}

CDitherer::CDitherer(uint32_t width, float snapThreshold, const CPaletteTable* palette, CPaletteTable* searchTable)
    : m_width(std::max<uint32_t>(width, 1))
    , m_bufferLength(m_width + 1)
    , m_thresholdSquared(snapThreshold * snapThreshold)
    , m_palette(palette)
    , m_searchTable(searchTable)
{
    m_error.assign(3 * size_t{m_bufferLength}, 0.0f);
    if (m_searchTable)
        m_find.emplace(*m_searchTable, kSearchStart, kSearchEnd);
    if (m_palette)
        for (uint32_t i = 0; i < 256; ++i) {
            uint8_t red, green, blue;
            m_palette->GetEntry(i, red, green, blue);
            m_entryChannels[3 * i] = red / 255.0f;
            m_entryChannels[3 * i + 1] = green / 255.0f;
            m_entryChannels[3 * i + 2] = blue / 255.0f;
        }
}

uint8_t CDitherer::Search(const float adjusted[3], float chosen[3])
{
    if (!m_palette) {
        for (int c = 0; c < 3; ++c)
            chosen[c] = std::trunc(adjusted[c] * m_steps[c]) / m_steps[c];
        return 0;
    }
    auto level = [](float c) { return static_cast<uint8_t>(RoundHalfAway(c * 255.0f)); };
    const uint8_t index = (*m_find)(level(adjusted[0]), level(adjusted[1]), level(adjusted[2]));
    const float* entry = &m_entryChannels[3 * size_t{index}];
    chosen[0] = entry[0];
    chosen[1] = entry[1];
    chosen[2] = entry[2];
    return index;
}

uint8_t CDitherer::Dither(float red, float green, float blue)
{
    // The pixel is worked in locals and the buffer through a plain pointer, so that no store to
    // the buffer makes the compiler read the ditherer's state again.
    float* const error = m_error.data();
    const uint32_t column = m_column;
    const uint32_t n = m_bufferLength;
    const uint32_t width = m_width;

    // Begin the pixel: take the error carried to it and move on to the next pixel's entry.
    const float incoming[3] = {red, green, blue};
    float adjusted[3];
    float* here = error + 3 * size_t{m_position};
    for (int c = 0; c < 3; ++c) {
        adjusted[c] = std::clamp(incoming[c] - here[c], 0.0f, 1.0f);
        here[c] = 0.0f;
    }
    const uint32_t position = m_position + 1 == n ? 0 : m_position + 1;
    m_position = position;
    m_column = column + 1 == width ? 0 : column + 1;

    float chosen[3];
    uint8_t index = Search(adjusted, chosen);
    float distance = 0.0f;
    for (int c = 0; c < 3; ++c)
        distance += (incoming[c] - chosen[c]) * (incoming[c] - chosen[c]);
    if (distance > m_thresholdSquared) {
        // Snap: match the pixel's own colour, and measure its error from that colour.
        for (int c = 0; c < 3; ++c)
            adjusted[c] = incoming[c];
        index = Search(adjusted, chosen);
    }
    for (int c = 0; c < 3; ++c)
        m_chosen[c] = chosen[c];

    // Spread the error: 7/16 to the right, 3/16, 5/16 and 1/16 to the row below. The buffer is
    // circular over width + 1 entries: the entry width - k ahead is the one k + 1 behind.
    auto ahead = [position, n](uint32_t k) { return position + k < n ? position + k : position + k - n; };
    float* const right = error + 3 * size_t{position};
    float* const belowLeft = error + 3 * size_t{ahead(width - 2)};
    float* const below = error + 3 * size_t{ahead(width - 1)};
    float* const belowRight = error + 3 * size_t{ahead(width)};
    for (int c = 0; c < 3; ++c) {
        const float e = chosen[c] - adjusted[c];
        right[c] += e * 0.4375f;
        if (column != 0)
            belowLeft[c] += e * 0.1875f;
        below[c] += e * 0.3125f;
        if (column + 1 < width)
            belowRight[c] += e * 0.0625f;
    }
    return index;
}

void CDitherer::DitherToGrid(float& red, float& green, float& blue)
{
    Dither(red, green, blue);
    red = m_chosen[0];
    green = m_chosen[1];
    blue = m_chosen[2];
}
