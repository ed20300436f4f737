// The blend rows of the span kernel table against the reference rules: every pair of field values
// at every alpha through the real kernels, and the worked examples of each row family.
#include "SpanKernelTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using namespace spantest;

namespace {

const SpanKernelPath kPaths[] = {SpanKernelPath::Portable, SpanKernelPath::Sse2, SpanKernelPath::Avx2};

// A 565 pixel for field value f of 0..63: red f & 31, green f, blue f >> 1. Over all pairs
// (f_s, f_d) every pair of red, of green and of blue values occurs.
uint16_t FieldPixel(uint32_t f)
{
    return static_cast<uint16_t>((f & 31) << 11 | f << 5 | f >> 1);
}

// Runs operation `op` over `count` pixels in runs of `run` pixels, and compares with the
// reference rules.
void ExpectRowMatches(uint32_t op, std::vector<uint16_t> destination, const std::vector<uint16_t>& source,
                      const std::vector<uint8_t>& alpha, uint32_t value, uint32_t alphaByte, uint32_t level, uint32_t run)
{
    std::vector<uint16_t> expected = destination;
    const size_t count = destination.size();
    for (size_t at = 0; at < count; at += run) {
        const uint32_t n = static_cast<uint32_t>(std::min<size_t>(run, count - at));
        CallSpan(g_spanKernels[op], GetSpanOperands(op), n, &destination[at], &source[at], &alpha[at], value,
                 alphaByte, n);
        ReferenceRun(op, reinterpret_cast<uint8_t*>(&expected[at]), reinterpret_cast<const uint8_t*>(&source[at]),
                     &alpha[at], value, alphaByte, level, n, nullptr, nullptr);
    }
    for (size_t i = 0; i < count; ++i)
        if (destination[i] != expected[i]) {
            ADD_FAILURE() << "operation " << op << " run " << run << " pixel " << i << " got " << std::hex
                          << destination[i] << " expected " << expected[i];
            return;
        }
}

} // namespace

// Rows 12..23 with every source and destination field value at every alpha (or level); the
// grouped rows both in whole groups (runs of 60) and as single pixels (runs of 3).
TEST(SpanKernelBlend, Rgb565RowsMatchTheRulesForEveryFieldPair)
{
    std::vector<uint16_t> destination, source;
    for (uint32_t fs = 0; fs < 64; ++fs)
        for (uint32_t fd = 0; fd < 64; ++fd) {
            source.push_back(FieldPixel(fs));
            destination.push_back(FieldPixel(fd));
        }
    const std::vector<uint16_t> column(destination.begin(), destination.begin() + 64); // fd = 0..63
    for (SpanKernelPath path : kPaths) {
        CScopedPath scopedPath(path);
        if (!scopedPath.IsAvailable())
            continue;
        CScopedLevel level(0);
        for (uint32_t a = 0; a < 256; ++a) {
            level.Set(a);
            const std::vector<uint8_t> alphaA(destination.size(), static_cast<uint8_t>(a));
            const std::vector<uint8_t> alpha255(destination.size(), 255);
            for (uint32_t op = kSpanBlend16SrcAlpha; op <= kSpanBlend16ColorAlphaLevelMmx; ++op) {
                const bool grouped = op >= kSpanBlend16SrcAlphaMmx;
                if (!grouped && path != SpanKernelPath::Portable)
                    continue; // one implementation only
                const uint32_t kind = (op - kSpanBlend16SrcAlpha) % 6;
                // Alpha rows take a; level rows take the level a with full alpha bytes.
                const std::vector<uint8_t>& alpha = kind == 0 ? alphaA : alpha255;
                const uint32_t alphaByte = kind == 1 ? a : 255;
                for (uint32_t run : grouped ? std::vector<uint32_t>{60, 3} : std::vector<uint32_t>{63}) {
                    if (kind % 2 == 0) {
                        ExpectRowMatches(op, destination, source, alpha, 0, alphaByte, a, run);
                    } else {
                        // A constant colour: every colour field value over every destination value.
                        for (uint32_t fs = 0; fs < 64; ++fs)
                            ExpectRowMatches(op, column, column, alpha, FieldPixel(fs), alphaByte, a, run);
                    }
                }
            }
        }
    }
}

// Rows 26..31: every source and destination byte at every alpha.
TEST(SpanKernelBlend, TwentyFourBitRowsMatchTheRuleForEveryByte)
{
    std::vector<uint8_t> destination(3 * 256), source(3 * 256), alpha(256), expected(3 * 256);
    for (uint32_t d = 0; d < 256; ++d) {
        destination[3 * d] = destination[3 * d + 1] = destination[3 * d + 2] = static_cast<uint8_t>(d);
    }
    for (uint32_t a = 0; a < 256; ++a) {
        std::fill(alpha.begin(), alpha.end(), static_cast<uint8_t>(a));
        for (uint32_t s = 0; s < 256; ++s) {
            std::fill(source.begin(), source.end(), static_cast<uint8_t>(s));
            std::vector<uint8_t> result = destination;
            for (uint32_t at = 0; at < 256; at += 64)
                g_spanKernels[kSpanBlend24SrcAlpha][63].sourceAlpha(&result[3 * at], &source[3 * at], &alpha[at], 64);
            for (uint32_t d = 0; d < 256; ++d)
                for (uint32_t c = 0; c < 3; ++c)
                    if (result[3 * d + c] != Reference24(static_cast<int>(d), static_cast<int>(s), static_cast<int>(a)))
                        FAIL() << "d " << d << " s " << s << " a " << a;
        }
    }
}

TEST(SpanKernelBlend, WorkedExamplesOfTheIntegerStep)
{
    struct Case
    {
        uint16_t source, destination;
        uint32_t alpha;
        uint16_t expected;
    };
    const Case cases[] = {
        {0xFFFF, 0x0000, 255, 0xF7DE}, {0xFFFF, 0x0000, 128, 0x7BEF}, {0xFFFF, 0x0000, 7, 0x0000},
        {0xFFFF, 0x0000, 4, 0x0000},   {0xFFFF, 0x0000, 3, 0x0000},   {0x0000, 0xFFFF, 255, 0x0000},
        {0x0000, 0xFFFF, 128, 0x7BEF}, {0xFFFF, 0x8410, 255, 0xF7DE}, {0xF81F, 0x07E0, 128, 0x7BEF},
    };
    for (const Case& c : cases) {
        uint16_t d = c.destination;
        g_spanKernels[kSpanBlend16SrcAlpha][1].sourceAlpha(&d, &c.source, reinterpret_cast<const uint8_t*>(&c.alpha), 1);
        EXPECT_EQ(d, c.expected) << std::hex << c.source << " over " << c.destination << " at " << std::dec << c.alpha;
        d = c.destination;
        // Bits 16-31 of the colour and 8-31 of the alpha are ignored.
        g_spanKernels[kSpanBlend16ColorAlpha][1].valueAlpha(&d, 0xABCD0000u | c.source, 0x100u | c.alpha, 1);
        EXPECT_EQ(d, c.expected);
    }
    // At level 100 an alpha of 200 weighs 78 (w5 9, w6 19); the level rows weigh 100.
    CScopedLevel level(100);
    const uint16_t white = 0xFFFF;
    const uint8_t alpha200 = 200;
    uint16_t d = 0;
    g_spanKernels[kSpanBlend16SrcAlphaLevel][1].sourceAlpha(&d, &white, &alpha200, 1);
    EXPECT_EQ(d, (9 * 31 / 32) << 11 | (19 * 63 / 64) << 5 | (9 * 31 / 32));
    d = 0;
    g_spanKernels[kSpanBlend16ColorAlphaLevel][1].valueAlpha(&d, white, 200, 1);
    EXPECT_EQ(d, (9 * 31 / 32) << 11 | (19 * 63 / 64) << 5 | (9 * 31 / 32));
    d = 0;
    g_spanKernels[kSpanBlend16SrcLevel][1].source(&d, &white, 1);
    EXPECT_EQ(d, (12 * 31 / 32) << 11 | (25 * 63 / 64) << 5 | (12 * 31 / 32));
}

TEST(SpanKernelBlend, WorkedExamplesOfTheGroupedRows)
{
    std::vector<uint16_t> white(17, 0xFFFF);
    std::vector<uint8_t> alpha255(17, 255), alpha128(17, 128);
    for (SpanKernelPath path : kPaths) {
        CScopedPath scopedPath(path);
        if (!scopedPath.IsAvailable())
            continue;
        SCOPED_TRACE(int(path));
        auto run = [&](uint32_t entry, const std::vector<uint8_t>& alpha) {
            std::vector<uint16_t> d(entry, 0);
            g_spanKernels[kSpanBlend16SrcAlphaMmx][entry].sourceAlpha(d.data(), white.data(), alpha.data(), entry);
            return d;
        };
        // Seventeen white pixels over black: sixteen in groups, the last with the integer step.
        std::vector<uint16_t> expected(16, 0xFFFF);
        expected.push_back(0xF7DE);
        EXPECT_EQ(run(17, alpha255), expected);
        expected.assign(16, 0x8410);
        expected.push_back(0x7BEF);
        EXPECT_EQ(run(17, alpha128), expected);
        EXPECT_EQ(run(3, alpha255), std::vector<uint16_t>(3, 0xF7DE));
        EXPECT_EQ(run(4, alpha255), std::vector<uint16_t>(4, 0xFFFF));
        expected.assign(4, 0xFFFF);
        expected.push_back(0xF7DE);
        EXPECT_EQ(run(5, alpha255), expected);
        expected.assign(4, 0x8410);
        expected.insert(expected.end(), 3, 0x7BEF);
        EXPECT_EQ(run(7, alpha128), expected);

        // The rounded step at other alphas: 200 and 4.
        std::vector<uint16_t> d(4, 0);
        g_spanKernels[kSpanBlend16ColorAlphaMmx][4].valueAlpha(d.data(), 0xFFFF, 200, 4);
        EXPECT_EQ(d, std::vector<uint16_t>(4, 0xCE59));
        d.assign(4, 0);
        g_spanKernels[kSpanBlend16ColorAlphaMmx][4].valueAlpha(d.data(), 0xFFFF, 4, 4);
        EXPECT_EQ(d, std::vector<uint16_t>(4, 0x0020));

        // Level 128, alpha 255: the groups weigh 127 (w5 15, w6 31), the single pixels 128 (16, 32).
        // Black over white tells the two apart: with the other weight each would give the other.
        CScopedLevel level(128);
        const std::vector<uint16_t> black(5, 0);
        d.assign(5, 0xFFFF);
        g_spanKernels[kSpanBlend16SrcAlphaLevelMmx][5].sourceAlpha(d.data(), black.data(), alpha255.data(), 5);
        EXPECT_EQ(d, std::vector<uint16_t>({0x8410, 0x8410, 0x8410, 0x8410, 0x7BEF}));
        EXPECT_EQ(ReferenceRounded565(0xFFFF, 0, 128), 0x7BEF);
        EXPECT_EQ(Reference565(0xFFFF, 0, 127), 0x8410);
        // Level 255, alpha 255: the groups weigh 254, which has the weights of 255.
        level.Set(255);
        d.assign(4, 0);
        g_spanKernels[kSpanBlend16SrcAlphaLevelMmx][4].sourceAlpha(d.data(), white.data(), alpha255.data(), 4);
        EXPECT_EQ(d, std::vector<uint16_t>(4, 0xFFFF));
    }
}

TEST(SpanKernelBlend, WorkedExamplesOfTheTwentyFourBitStep)
{
    const uint8_t source[3] = {0xFF, 0x00, 0x80};
    const uint8_t destination[3] = {0x00, 0xFF, 0x80};
    struct Case
    {
        uint32_t alpha;
        uint8_t expected[3];
    };
    const Case cases[] = {{128, {0x7F, 0x80, 0x80}}, {255, {0xFE, 0x01, 0x80}}, {0, {0x00, 0xFF, 0x80}}};
    for (const Case& c : cases) {
        uint8_t d[4] = {destination[0], destination[1], destination[2], 0x77};
        const uint8_t alpha = static_cast<uint8_t>(c.alpha);
        g_spanKernels[kSpanBlend24SrcAlpha][1].sourceAlpha(d, source, &alpha, 1);
        EXPECT_EQ(std::vector<uint8_t>(d, d + 4), std::vector<uint8_t>({c.expected[0], c.expected[1], c.expected[2], 0x77}));
        std::memcpy(d, destination, 3);
        g_spanKernels[kSpanBlend24ColorAlpha][1].valueAlpha(d, 0xEE8000FF, 0x100 | c.alpha, 1);
        EXPECT_EQ(std::vector<uint8_t>(d, d + 4), std::vector<uint8_t>({c.expected[0], c.expected[1], c.expected[2], 0x77}));
    }
    // Level 0 leaves the destination; level 100 turns alpha 200 into 78.
    CScopedLevel level(0);
    uint8_t d[3] = {0x00, 0xFF, 0x80};
    g_spanKernels[kSpanBlend24SrcLevel][1].source(d, source, 1);
    EXPECT_EQ(std::vector<uint8_t>(d, d + 3), std::vector<uint8_t>(destination, destination + 3));
    level.Set(100);
    const uint8_t alpha200 = 200;
    g_spanKernels[kSpanBlend24SrcAlphaLevel][1].sourceAlpha(d, source, &alpha200, 1);
    EXPECT_EQ(std::vector<uint8_t>(d, d + 3), std::vector<uint8_t>({255 * 78 / 256, 255 - 255 * 78 / 256, 0x80}));
}
