#include "graphics/NearestColorGrid.h"

#include <algorithm>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

constexpr uint32_t kCellBits = 3;
constexpr uint32_t kCellSide = CNearestColorGrid::kCellSide;
static_assert(kCellSide == 1u << kCellBits);
constexpr uint32_t kCellsPerAxis = 256 >> kCellBits;
constexpr uint32_t kUnbuilt = UINT32_MAX;

constexpr float kWeights[3] = {30.0f, 59.0f, 11.0f}; // red, green, blue

uint32_t Square(int32_t d)
{
    return static_cast<uint32_t>(d * d);
}

} // namespace

CNearestColorGrid::CNearestColorGrid(const uint8_t* palette, uint32_t start, uint32_t end)
    : m_cellFirst(kCellsPerAxis * kCellsPerAxis * kCellsPerAxis, kUnbuilt),
      m_cellCount(m_cellFirst.size(), 0)
{
    end = std::min<uint32_t>(end, 256);
    std::vector<uint32_t> indices;
    for (uint32_t i = start; i < end; ++i)
        indices.push_back(i);
    if (indices.empty())
        indices.push_back(start & 0xFF); // an empty range answers its start, as the linear search does
    std::vector<uint32_t> seen;
    for (uint32_t i : indices) {
        const uint8_t* e = palette + 3 * i;
        const uint32_t color = uint32_t{e[2]} << 24 | uint32_t{e[1]} << 16 | uint32_t{e[0]} << 8;
        if (std::find(seen.begin(), seen.end(), color) != seen.end())
            continue;
        seen.push_back(color);
        m_entries.push_back(color | i);
    }
    // The channels once more, one array each, filled up to a whole group of eight with copies of
    // the last entry (a copy changes no bound, and only real entries become candidates).
    const size_t padded = (m_entries.size() + 7) / 8 * 8;
    for (int c = 0; c < 3; ++c) {
        m_channels[c].resize(padded);
        for (size_t k = 0; k < padded; ++k)
            m_channels[c][k] = static_cast<float>(m_entries[std::min(k, m_entries.size() - 1)] >> (24 - 8 * c) & 0xFF);
    }
    m_nearDistance.resize(padded);
}

uint32_t CNearestColorGrid::CellOf(uint8_t red, uint8_t green, uint8_t blue)
{
    return ((uint32_t{red} >> kCellBits) * kCellsPerAxis + (uint32_t{green} >> kCellBits)) * kCellsPerAxis +
           (uint32_t{blue} >> kCellBits);
}

void CNearestColorGrid::BuildCell(uint32_t cell)
{
    const float low[3] = {static_cast<float>(cell / (kCellsPerAxis * kCellsPerAxis) * kCellSide),
                          static_cast<float>(cell / kCellsPerAxis % kCellsPerAxis * kCellSide),
                          static_cast<float>(cell % kCellsPerAxis * kCellSide)};
    const float high[3] = {low[0] + (kCellSide - 1), low[1] + (kCellSide - 1), low[2] + (kCellSide - 1)};
    // For every colour of the cell, the nearest entry lies no further than the entry whose
    // furthest corner is nearest (the bound); an entry whose nearest point of the cell lies
    // further than the bound can never be the answer there. Equal to the bound is kept: it may
    // tie and win on its lower index. The distances are below 2^24, so floats hold them exactly;
    // the loops run over whole groups of eight, in vector lanes.
    const size_t padded = m_channels[0].size();
    float bound;
#if defined(__x86_64__)
    __m128 lowLanes[3], highLanes[3], weightLanes[3];
    for (int c = 0; c < 3; ++c) {
        lowLanes[c] = _mm_set1_ps(low[c]);
        highLanes[c] = _mm_set1_ps(high[c]);
        weightLanes[c] = _mm_set1_ps(kWeights[c]);
    }
    const __m128 zero = _mm_setzero_ps();
    __m128 boundLanes = _mm_set1_ps(1e30f);
    for (size_t k = 0; k < padded; k += 4) {
        __m128 nearSum = zero, farSum = zero;
        for (int c = 0; c < 3; ++c) {
            const __m128 v = _mm_loadu_ps(&m_channels[c][k]);
            const __m128 nearest = _mm_add_ps(_mm_max_ps(_mm_sub_ps(lowLanes[c], v), zero),
                                              _mm_max_ps(_mm_sub_ps(v, highLanes[c]), zero));
            const __m128 furthest = _mm_max_ps(_mm_sub_ps(v, lowLanes[c]), _mm_sub_ps(highLanes[c], v));
            nearSum = _mm_add_ps(nearSum, _mm_mul_ps(weightLanes[c], _mm_mul_ps(nearest, nearest)));
            farSum = _mm_add_ps(farSum, _mm_mul_ps(weightLanes[c], _mm_mul_ps(furthest, furthest)));
        }
        _mm_storeu_ps(&m_nearDistance[k], nearSum);
        boundLanes = _mm_min_ps(boundLanes, farSum);
    }
    alignas(16) float lanes[4];
    _mm_store_ps(lanes, boundLanes);
    bound = std::min(std::min(lanes[0], lanes[1]), std::min(lanes[2], lanes[3]));
#else
    bound = 1e30f;
    for (size_t k = 0; k < padded; ++k) {
        float nearSum = 0.0f, farSum = 0.0f;
        for (int c = 0; c < 3; ++c) {
            const float v = m_channels[c][k];
            const float nearest = std::max(low[c] - v, 0.0f) + std::max(v - high[c], 0.0f);
            const float furthest = std::max(v - low[c], high[c] - v);
            nearSum += kWeights[c] * (nearest * nearest);
            farSum += kWeights[c] * (furthest * furthest);
        }
        m_nearDistance[k] = nearSum;
        bound = std::min(bound, farSum);
    }
#endif
    m_cellFirst[cell] = static_cast<uint32_t>(m_candidates.size());
    for (size_t k = 0; k < m_entries.size(); ++k)
        if (m_nearDistance[k] <= bound)
            m_candidates.push_back(m_entries[k]);
    m_cellCount[cell] = static_cast<uint16_t>(m_candidates.size() - m_cellFirst[cell]);
}

uint8_t CNearestColorGrid::Find(uint8_t red, uint8_t green, uint8_t blue)
{
    const uint32_t cell = CellOf(red, green, blue);
    if (m_cellFirst[cell] == kUnbuilt)
        BuildCell(cell);
    // A distance is below 2^23, so distance << 8 | index orders by distance, then by index.
    const uint32_t* candidate = m_candidates.data() + m_cellFirst[cell];
    const uint32_t* const last = candidate + m_cellCount[cell];
    uint32_t best = UINT32_MAX;
    for (; candidate != last; ++candidate) {
        const uint32_t e = *candidate;
        const uint32_t distance = 30 * Square(static_cast<int32_t>(e >> 24) - red) +
                                  59 * Square(static_cast<int32_t>(e >> 16 & 0xFF) - green) +
                                  11 * Square(static_cast<int32_t>(e >> 8 & 0xFF) - blue);
        best = std::min(best, distance << 8 | (e & 0xFF));
    }
    return static_cast<uint8_t>(best);
}

uint32_t CNearestColorGrid::CandidateCount(uint8_t red, uint8_t green, uint8_t blue)
{
    const uint32_t cell = CellOf(red, green, blue);
    if (m_cellFirst[cell] == kUnbuilt)
        BuildCell(cell);
    return m_cellCount[cell];
}
