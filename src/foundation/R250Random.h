#pragma once
// The R250 random-number generator: a generalised feedback shift register over 250 words with
// taps 250 and 103, its words filled from a linear congruential sequence.
#include <cstdint>

class CR250Random
{
public:
    // Seeded from the millisecond tick count, which runs since boot, so runs differ.
    CR250Random();
    explicit CR250Random(uint32_t seed);

    // Starts the sequence of the seed afresh (tests and replays inject their seeds here).
    void Seed(uint32_t seed);

    // One draw: the raw 32-bit word.
    uint32_t NextWord();
    // An integer in [0, n); 0 for n = 0 without a draw.
    uint32_t NextBelow(uint32_t n);
    // An integer in [lo, hi], both ends included.
    int NextInRange(int lo, int hi);
    // A float in [lo, hi) (lo when lo = hi).
    float NextFloat(float lo, float hi);
    // The float of a word w: lo + (hi - lo) * w / 2^32, kept below hi.
    static float WordToFloat(uint32_t word, float lo, float hi);

    uint32_t GetSeed() const { return m_seed; }
    uint32_t GetDrawCount() const { return m_drawCount; }

    static constexpr int kWordCount = 250;
    static constexpr uint32_t kSecondTap = 103;

private:
    uint8_t m_initialised = 0;
    uint32_t m_drawCount = 0;
    uint32_t m_seed = 0;
    uint32_t m_state = 0;
    uint32_t m_index1 = 0;
    uint32_t m_index2 = kSecondTap;
    uint32_t m_words[kWordCount] = {};
};

// The game's generator (ball, bricks, sparks, power-ups and the like) and the general one (menus,
// the choice of demos, effects outside play).
extern CR250Random g_gameRandom;
extern CR250Random g_generalRandom;
