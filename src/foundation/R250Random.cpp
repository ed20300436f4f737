#include "foundation/R250Random.h"

#include "platform/Time.h"

#include <cmath>

namespace {

inline uint32_t Successor(uint32_t index)
{
    return index + 1 == CR250Random::kWordCount ? 0 : index + 1;
}

} // namespace

CR250Random g_gameRandom;
CR250Random g_generalRandom;

CR250Random::CR250Random()
{
    // The tick count runs since boot, so every run starts elsewhere.
    Seed(platform::GetTickCount());
}

CR250Random::CR250Random(uint32_t seed)
{
    Seed(seed);
}

void CR250Random::Seed(uint32_t seed)
{
    m_initialised = 1;
    m_drawCount = 0;
    m_seed = seed;
    m_state = seed;
    m_index1 = 0;
    m_index2 = kSecondTap;
    for (int i = kWordCount; i-- > 0;) {
        const uint64_t v = static_cast<uint64_t>(m_state) * 1103515245u + 12345u;
        m_state = static_cast<uint32_t>(v);
        m_words[i] = static_cast<uint32_t>(v >> 16);
    }
    // Make the 32 words on this diagonal linearly independent, so the register spans every bit.
    for (int k = 0; k < 32; ++k) {
        uint32_t& word = m_words[3 + 7 * k];
        word = (word & (0xFFFFFFFFu >> k)) | (0x80000000u >> k);
    }
}

uint32_t CR250Random::NextWord()
{
    const uint32_t w = m_words[m_index1] ^ m_words[m_index2];
    m_words[m_index1] = w;
    m_index1 = Successor(m_index1);
    m_index2 = Successor(m_index2);
    ++m_drawCount;
    return w;
}

uint32_t CR250Random::NextBelow(uint32_t n)
{
    if (n == 0)
        return 0;
    return static_cast<uint32_t>((static_cast<uint64_t>(n) * NextWord()) >> 32);
}

int CR250Random::NextInRange(int lo, int hi)
{
    const uint32_t span = static_cast<uint32_t>(hi) - static_cast<uint32_t>(lo);
    const uint32_t w = NextWord();
    if (span < 0xFFFFFFFFu)
        return static_cast<int>(static_cast<uint32_t>(lo) + static_cast<uint32_t>((static_cast<uint64_t>(span + 1) * w) >> 32));
    return static_cast<int>(static_cast<uint32_t>(lo) + w);
}

float CR250Random::WordToFloat(uint32_t word, float lo, float hi)
{
    const double fraction = static_cast<double>(word) * (1.0 / 4294967296.0);
    float value = static_cast<float>(static_cast<double>(lo) + (static_cast<double>(hi) - lo) * fraction);
    // Rounding to float can reach hi itself; the range is half-open.
    if (lo < hi && value >= hi)
        value = std::nextafter(hi, lo);
    return value;
}

float CR250Random::NextFloat(float lo, float hi)
{
    return WordToFloat(NextWord(), lo, hi);
}
