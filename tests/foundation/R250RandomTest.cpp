#include "foundation/R250Random.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <vector>

namespace {

// A second, plain implementation of the generator from its description: words filled from the
// last to the first by the LCG, the diagonal made independent, taps 250 and 103.
class ReferenceR250
{
public:
    explicit ReferenceR250(uint32_t seed)
    {
        uint64_t state = seed;
        for (int i = 249; i >= 0; --i) {
            const uint64_t v = state * 1103515245ull + 12345ull;
            state = v & 0xFFFFFFFFull;
            m_words[i] = static_cast<uint32_t>((v >> 16) & 0xFFFFFFFFull);
        }
        for (int k = 0; k < 32; ++k) {
            const uint32_t mask = 0xFFFFFFFFu >> k;
            const uint32_t bit = 0x80000000u >> k;
            m_words[3 + 7 * k] = (m_words[3 + 7 * k] & mask) | bit;
        }
    }

    uint32_t Next()
    {
        const uint32_t w = m_words[m_a] ^ m_words[m_b];
        m_words[m_a] = w;
        m_a = (m_a + 1) % 250;
        m_b = (m_b + 1) % 250;
        return w;
    }

private:
    uint32_t m_words[250];
    int m_a = 0;
    int m_b = 103;
};

TEST(R250Random, MatchesTheReference)
{
    for (uint32_t seed : {0u, 1u, 12345u, 0xDEADBEEFu, 0xFFFFFFFFu}) {
        CR250Random random(seed);
        ReferenceR250 reference(seed);
        for (int i = 0; i < 20000; ++i)
            ASSERT_EQ(random.NextWord(), reference.Next()) << "seed " << seed << " draw " << i;
        EXPECT_EQ(random.GetDrawCount(), 20000u);
        EXPECT_EQ(random.GetSeed(), seed);
    }
}

TEST(R250Random, PinnedValues)
{
    // Computed once by an independent script from the same description.
    CR250Random zero(0);
    EXPECT_EQ(zero.NextWord(), 0x2ca56ef7u);
    EXPECT_EQ(zero.NextWord(), 0x9286a67du);
    CR250Random one(1);
    EXPECT_EQ(one.NextWord(), 0x2ea21c16u);
    EXPECT_EQ(one.NextWord(), 0xc1104f5du);
    CR250Random beef(0xDEADBEEFu);
    uint32_t last = 0;
    for (int i = 0; i < 1000; ++i)
        last = beef.NextWord();
    EXPECT_EQ(last, 0x08faebffu);
}

TEST(R250Random, DerivedDraws)
{
    CR250Random random(777);
    ReferenceR250 reference(777);
    for (int i = 0; i < 1000; ++i) {
        EXPECT_EQ(random.NextBelow(1), 0u); // one draw each
        reference.Next();
    }
    const uint32_t drawsBefore = random.GetDrawCount();
    EXPECT_EQ(random.NextBelow(0), 0u);
    EXPECT_EQ(random.GetDrawCount(), drawsBefore); // no draw for 0
    for (int i = 0; i < 1000; ++i) {
        EXPECT_EQ(random.NextInRange(5, 5), 5);
        reference.Next();
    }
    EXPECT_EQ(static_cast<uint32_t>(random.NextInRange(0, static_cast<int>(0xFFFFFFFFu))), reference.Next()); // the raw word
    const uint32_t w = reference.Next();
    EXPECT_EQ(random.NextBelow(6), static_cast<uint32_t>((uint64_t{6} * w) >> 32));
    const uint32_t w2 = reference.Next();
    EXPECT_EQ(random.NextInRange(-10, 10), -10 + static_cast<int>((uint64_t{21} * w2) >> 32));

    std::vector<int> seen(21, 0);
    for (int i = 0; i < 21000; ++i) {
        const int v = random.NextInRange(-10, 10);
        ASSERT_GE(v, -10);
        ASSERT_LE(v, 10);
        ++seen[static_cast<size_t>(v + 10)];
        const float f = random.NextFloat(2.0f, 3.0f);
        ASSERT_GE(f, 2.0f);
        ASSERT_LT(f, 3.0f);
        ASSERT_LT(random.NextBelow(7), 7u);
    }
    for (int count : seen)
        EXPECT_GT(count, 700); // every value turns up about 1000 times
    EXPECT_EQ(random.NextFloat(4.0f, 4.0f), 4.0f);
}

TEST(R250Random, FloatsStayBelowTheUpperEnd)
{
    EXPECT_EQ(CR250Random::WordToFloat(0, 1.0f, 2.0f), 1.0f);
    EXPECT_LT(CR250Random::WordToFloat(0xFFFFFFFFu, 0.0f, 1.0f), 1.0f);
    EXPECT_LT(CR250Random::WordToFloat(0xFFFFFFFFu, 100.0f, 101.0f), 101.0f);
    EXPECT_GE(CR250Random::WordToFloat(0xFFFFFFFFu, 100.0f, 101.0f), 100.0f);
    EXPECT_FLOAT_EQ(CR250Random::WordToFloat(0x80000000u, -1.0f, 1.0f), 0.0f);
}

TEST(R250Random, SeedsCanBeInjectedIntoTheGlobalGenerators)
{
    g_gameRandom.Seed(42);
    g_generalRandom.Seed(43);
    ReferenceR250 game(42);
    ReferenceR250 general(43);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(g_gameRandom.NextWord(), game.Next());
        EXPECT_EQ(g_generalRandom.NextWord(), general.Next());
    }
    CR250Random a(9), b(9);
    a.NextWord();
    a.Seed(9); // re-seeding starts the sequence afresh
    for (int i = 0; i < 300; ++i)
        EXPECT_EQ(a.NextWord(), b.NextWord());
}

TEST(R250Random, DefaultSeedIsTheTickCount)
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const uint32_t before = static_cast<uint32_t>(static_cast<uint64_t>(now.tv_sec) * 1000 + static_cast<uint64_t>(now.tv_nsec) / 1000000);
    CR250Random random;
    clock_gettime(CLOCK_MONOTONIC, &now);
    const uint32_t after = static_cast<uint32_t>(static_cast<uint64_t>(now.tv_sec) * 1000 + static_cast<uint64_t>(now.tv_nsec) / 1000000);
    EXPECT_LE(random.GetSeed() - before, after - before); // within [before, after], wrap-safe
}

} // namespace
