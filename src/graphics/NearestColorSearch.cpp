#include "graphics/NearestColorSearch.h"

#include "foundation/CpuInfo.h"
#include "graphics/PaletteTable.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#if defined(__x86_64__)
#include <immintrin.h>
#define VANTOREL_NEAREST_X86 1
#endif

namespace {

// Every lane measures one entry. A distance is at most 100 * 255^2 < 2^23, so the distance
// shifted left by 8 with the index below it still fits a signed 32-bit lane, and the smallest
// such key is the nearest entry with the lowest index among equals: one minimum answers both.
constexpr uint32_t kGroup = 8;

uint32_t Key(uint32_t distance, uint32_t index)
{
    return distance << 8 | index;
}

// A slot holds a colour (bits 8-31) and its answer (bits 0-7). An empty slot holds a colour that
// belongs to another slot, which no question asked of this slot can match: colour 0 (slot 0)
// everywhere but in slot 0, which holds colour 1.
std::vector<uint32_t> EmptyMemo()
{
    std::vector<uint32_t> memo(size_t{1} << CNearestColorSearch::kMemoBits, 0);
    static_assert(CNearestColorSearch::MemoSlot(0) == 0 && CNearestColorSearch::MemoSlot(1) != 0);
    memo[CNearestColorSearch::MemoSlot(0)] = 1u << 8;
    return memo;
}

uint32_t Square(int32_t d)
{
    return static_cast<uint32_t>(d * d);
}

CNearestColorSearch::Lanes WidestLanes()
{
    if (CNearestColorSearch::IsAvailable(CNearestColorSearch::Lanes::Avx2))
        return CNearestColorSearch::Lanes::Avx2;
    if (CNearestColorSearch::IsAvailable(CNearestColorSearch::Lanes::Sse2))
        return CNearestColorSearch::Lanes::Sse2;
    return CNearestColorSearch::Lanes::Portable;
}

} // namespace

CNearestColorSearch::CNearestColorSearch(const uint8_t* palette, uint32_t start, uint32_t end)
    : m_start(start), m_end(std::min<uint32_t>(end, 256)), m_lanes(WidestLanes()), m_memo(EmptyMemo()),
      m_grid(palette, start, end)
{
    std::memcpy(m_palette.data(), palette, m_palette.size());
    // The entries by green, which weighs most: the search starts at the query's green and stops
    // where the green difference alone is further than the best entry found.
    std::vector<uint32_t> order;
    for (uint32_t i = m_start; i < m_end; ++i)
        order.push_back(i);
    if (order.empty())
        order.push_back(m_start & 0xFF); // an empty range answers its start, as the linear search does
    auto green = [this](uint32_t i) { return m_palette[3 * i + 1]; };
    std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) { return green(a) < green(b); });
    // The last group is filled up with copies of the last entry: the same key, so no other answer.
    while (order.size() % kGroup != 0)
        order.push_back(order.back());

    const size_t count = order.size();
    m_redGreen.resize(2 * count);
    m_blue.resize(2 * count);
    m_index.resize(count);
    for (size_t k = 0; k < count; ++k) {
        const uint8_t* entry = &m_palette[3 * order[k]];
        m_redGreen[2 * k] = entry[2];
        m_redGreen[2 * k + 1] = entry[1];
        m_blue[2 * k] = entry[0];
        m_blue[2 * k + 1] = 0;
        m_index[k] = static_cast<int32_t>(order[k]);
    }
    m_groupCount = static_cast<uint32_t>(count / kGroup);
    m_groupGreen.resize(2 * size_t{m_groupCount});
    for (uint32_t j = 0; j < m_groupCount; ++j) {
        m_groupGreen[2 * j] = green(order[j * kGroup]);
        m_groupGreen[2 * j + 1] = green(order[j * kGroup + kGroup - 1]);
    }
    // The group of the first entry whose green is at least g: every group before it lies below g,
    // every group after it at or above.
    for (uint32_t g = 0, k = 0; g < 256; ++g) {
        while (k < count && green(order[k]) < g)
            ++k;
        m_groupOfGreen[g] = static_cast<uint8_t>(std::min<size_t>(k, count - 1) / kGroup);
    }
}

bool CNearestColorSearch::IsFor(const uint8_t* palette, uint32_t start, uint32_t end) const
{
    return start == m_start && std::min<uint32_t>(end, 256) == m_end && std::memcmp(palette, m_palette.data(), m_palette.size()) == 0;
}

bool CNearestColorSearch::IsAvailable(Lanes lanes)
{
    switch (lanes) {
    case Lanes::Portable:
        return true;
#if VANTOREL_NEAREST_X86
    case Lanes::Sse2:
        return true;
    case Lanes::Avx2:
        return CpuHasAvx2();
#endif
    default:
        return false;
    }
}

void CNearestColorSearch::SetLanes(Lanes lanes)
{
    if (IsAvailable(lanes))
        m_lanes = lanes;
}

uint8_t CNearestColorSearch::FindAndRemember(uint32_t color)
{
    const uint8_t index = m_grid.Find(static_cast<uint8_t>(color >> 16), static_cast<uint8_t>(color >> 8),
                                      static_cast<uint8_t>(color));
    m_memo[MemoSlot(color)] = color << 8 | index;
    return index;
}

uint8_t CNearestColorSearch::Measure(uint8_t red, uint8_t green, uint8_t blue) const
{
    uint32_t key;
    switch (m_lanes) {
#if VANTOREL_NEAREST_X86
    case Lanes::Sse2: key = MeasureSse2(red, green, blue); break;
    case Lanes::Avx2: key = MeasureAvx2(red, green, blue); break;
#endif
    default: key = MeasurePortable(red, green, blue); break;
    }
    return static_cast<uint8_t>(key);
}

template <class MeasureGroup>
uint32_t CNearestColorSearch::Nearest(uint32_t green, MeasureGroup measureGroup) const
{
    // Outward from the query's green, one group at a time on each side, while the green
    // difference alone could still reach the best distance (reaching it exactly may still give a
    // lower index, so equal does not stop).
    const int32_t first = m_groupOfGreen[green];
    uint32_t best = measureGroup(static_cast<uint32_t>(first));
    int32_t below = first - 1;
    uint32_t above = static_cast<uint32_t>(first) + 1;
    for (;;) {
        const uint32_t bestDistance = best >> 8;
        const bool goBelow = below >= 0 && 59 * Square(static_cast<int32_t>(green) - m_groupGreen[2 * below + 1]) <= bestDistance;
        const bool goAbove = above < m_groupCount && 59 * Square(m_groupGreen[2 * above] - static_cast<int32_t>(green)) <= bestDistance;
        if (!goBelow && !goAbove)
            return best;
        if (goBelow)
            best = std::min(best, measureGroup(static_cast<uint32_t>(below--)));
        if (goAbove)
            best = std::min(best, measureGroup(above++));
    }
}

uint32_t CNearestColorSearch::MeasurePortable(uint32_t red, uint32_t green, uint32_t blue) const
{
    return Nearest(green, [&](uint32_t group) {
        uint32_t best = UINT32_MAX;
        for (size_t k = size_t{group} * kGroup; k < size_t{group + 1} * kGroup; ++k) {
            const uint32_t distance = 30 * Square(m_redGreen[2 * k] - static_cast<int32_t>(red)) +
                                      59 * Square(m_redGreen[2 * k + 1] - static_cast<int32_t>(green)) +
                                      11 * Square(m_blue[2 * k] - static_cast<int32_t>(blue));
            best = std::min(best, Key(distance, static_cast<uint32_t>(m_index[k])));
        }
        return best;
    });
}

#if VANTOREL_NEAREST_X86

uint32_t CNearestColorSearch::MeasureSse2(uint32_t red, uint32_t green, uint32_t blue) const
{
    // madd multiplies word pairs and adds each pair into a 32-bit lane: (dR, dG) . (30 dR, 59 dG)
    // and (dB, 0) . (11 dB, 0).
    const __m128i queryRedGreen = _mm_set1_epi32(static_cast<int>(red | green << 16));
    const __m128i queryBlue = _mm_set1_epi32(static_cast<int>(blue));
    const __m128i weightRedGreen = _mm_set1_epi32(30 | 59 << 16);
    const __m128i weightBlue = _mm_set1_epi32(11);
    auto keys = [&](size_t k) {
        __m128i rg, b, index;
        std::memcpy(&rg, &m_redGreen[2 * k], 16);
        std::memcpy(&b, &m_blue[2 * k], 16);
        std::memcpy(&index, &m_index[k], 16);
        const __m128i dRedGreen = _mm_sub_epi16(rg, queryRedGreen);
        const __m128i dBlue = _mm_sub_epi16(b, queryBlue);
        const __m128i distance = _mm_add_epi32(_mm_madd_epi16(dRedGreen, _mm_mullo_epi16(dRedGreen, weightRedGreen)),
                                               _mm_madd_epi16(dBlue, _mm_mullo_epi16(dBlue, weightBlue)));
        return _mm_or_si128(_mm_slli_epi32(distance, 8), index);
    };
    return Nearest(green, [&](uint32_t group) {
        const __m128i low = keys(size_t{group} * kGroup), high = keys(size_t{group} * kGroup + 4);
        const __m128i smaller = _mm_cmplt_epi32(low, high);
        const __m128i best = _mm_or_si128(_mm_and_si128(smaller, low), _mm_andnot_si128(smaller, high));
        alignas(16) uint32_t lanes[4];
        std::memcpy(lanes, &best, 16);
        return std::min({lanes[0], lanes[1], lanes[2], lanes[3]});
    });
}

__attribute__((target("avx2"))) uint32_t CNearestColorSearch::MeasureAvx2(uint32_t red, uint32_t green,
                                                                         uint32_t blue) const
{
    const __m256i queryRedGreen = _mm256_set1_epi32(static_cast<int>(red | green << 16));
    const __m256i queryBlue = _mm256_set1_epi32(static_cast<int>(blue));
    const __m256i weightRedGreen = _mm256_set1_epi32(30 | 59 << 16);
    const __m256i weightBlue = _mm256_set1_epi32(11);
    return Nearest(green, [&](uint32_t group) __attribute__((target("avx2"))) {
        const size_t k = size_t{group} * kGroup;
        __m256i rg, b, index;
        std::memcpy(&rg, &m_redGreen[2 * k], 32);
        std::memcpy(&b, &m_blue[2 * k], 32);
        std::memcpy(&index, &m_index[k], 32);
        const __m256i dRedGreen = _mm256_sub_epi16(rg, queryRedGreen);
        const __m256i dBlue = _mm256_sub_epi16(b, queryBlue);
        const __m256i distance =
            _mm256_add_epi32(_mm256_madd_epi16(dRedGreen, _mm256_mullo_epi16(dRedGreen, weightRedGreen)),
                             _mm256_madd_epi16(dBlue, _mm256_mullo_epi16(dBlue, weightBlue)));
        const __m256i keys = _mm256_or_si256(_mm256_slli_epi32(distance, 8), index);
        __m128i half = _mm_min_epi32(_mm256_castsi256_si128(keys), _mm256_extracti128_si256(keys, 1));
        half = _mm_min_epi32(half, _mm_shuffle_epi32(half, _MM_SHUFFLE(1, 0, 3, 2)));
        half = _mm_min_epi32(half, _mm_shuffle_epi32(half, _MM_SHUFFLE(2, 3, 0, 1)));
        return static_cast<uint32_t>(_mm_cvtsi128_si32(half));
    });
}

#endif // VANTOREL_NEAREST_X86

CNearestColorFinder::CNearestColorFinder(CPaletteTable& table, uint32_t start, uint32_t end)
    : m_table(&table), m_start(start), m_end(end), m_search(NearestColorSearchFor(table, start, end))
{
}

uint8_t CNearestColorFinder::FindInTable(uint8_t red, uint8_t green, uint8_t blue) const
{
    return m_table->FindNearest(red, green, blue, m_start, m_end);
}

std::shared_ptr<CNearestColorSearch> NearestColorSearchFor(const CPaletteTable& palette, uint32_t start, uint32_t end)
{
    if (palette.GetKind() != 1 || palette.IsEmpty())
        return nullptr;
    // A few searches stay made: the conversions ask for the same palette frame after frame, the
    // ditherer over one range and the encoder over another.
    static std::mutex s_mutex;
    static std::array<std::shared_ptr<CNearestColorSearch>, 4> s_made;
    static uint32_t s_next = 0;
    std::lock_guard<std::mutex> lock(s_mutex);
    for (const auto& made : s_made)
        if (made && made->IsFor(palette.GetData(), start, end))
            return made;
    auto search = std::make_shared<CNearestColorSearch>(palette.GetData(), start, end);
    s_made[s_next] = search;
    s_next = (s_next + 1) % s_made.size();
    return search;
}
