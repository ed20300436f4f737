#include "graphics/Ditherer.h"

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
    for (std::vector<float>& channel : m_error)
        channel.assign(m_bufferLength, 0.0f);
    if (m_searchTable)
        m_find.emplace(*m_searchTable, kSearchStart, kSearchEnd);
}

uint8_t CDitherer::Search()
{
    if (!m_palette) {
        for (int c = 0; c < 3; ++c)
            m_chosen[c] = std::trunc(m_adjusted[c] * m_steps[c]) / m_steps[c];
        return 0;
    }
    auto level = [](float c) { return static_cast<uint8_t>(std::lround(c * 255.0f)); };
    const uint8_t index = (*m_find)(level(m_adjusted[0]), level(m_adjusted[1]), level(m_adjusted[2]));
    uint8_t red, green, blue;
    m_palette->GetEntry(index, red, green, blue);
    m_chosen[0] = red / 255.0f;
    m_chosen[1] = green / 255.0f;
    m_chosen[2] = blue / 255.0f;
    return index;
}

uint8_t CDitherer::Dither(float red, float green, float blue)
{
    // Begin the pixel: take the error carried to it and move on to the next pixel's entry.
    const uint32_t column = m_column;
    const float incoming[3] = {red, green, blue};
    for (int c = 0; c < 3; ++c) {
        m_incoming[c] = incoming[c];
        float value = incoming[c] - m_error[c][m_position];
        m_error[c][m_position] = 0.0f;
        m_adjusted[c] = std::clamp(value, 0.0f, 1.0f);
    }
    m_position = m_position + 1 == m_bufferLength ? 0 : m_position + 1;
    m_column = m_column + 1 == m_width ? 0 : m_column + 1;

    uint8_t index = Search();
    float distance = 0.0f;
    for (int c = 0; c < 3; ++c)
        distance += (m_incoming[c] - m_chosen[c]) * (m_incoming[c] - m_chosen[c]);
    if (distance > m_thresholdSquared) {
        // Snap: match the pixel's own colour, and measure its error from that colour.
        for (int c = 0; c < 3; ++c)
            m_adjusted[c] = m_incoming[c];
        index = Search();
    }

    // Spread the error: 7/16 to the right, 3/16, 5/16 and 1/16 to the row below. The buffer is
    // circular over width + 1 entries: the entry width - k ahead is the one k + 1 behind.
    const uint32_t n = m_bufferLength;
    auto ahead = [this, n](uint32_t k) { return m_position + k < n ? m_position + k : m_position + k - n; };
    const uint32_t belowLeft = ahead(m_width - 2), below = ahead(m_width - 1), belowRight = ahead(m_width);
    for (int c = 0; c < 3; ++c) {
        const float e = m_chosen[c] - m_adjusted[c];
        m_error[c][m_position] += e * 0.4375f;
        if (column != 0)
            m_error[c][belowLeft] += e * 0.1875f;
        m_error[c][below] += e * 0.3125f;
        if (column + 1 < m_width)
            m_error[c][belowRight] += e * 0.0625f;
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
