// The five screen blend modes: the 5-5-5 conversion, the clamped level and its steps, the worked
// values, every pixel of the plain rows against per-channel arithmetic written here, and the
// grouped rows (portable and SSE2) against a reference that takes the destination address.
#include "blit/ColorPacking.h"
#include "blit/modes/BrightenBlitter555.h"
#include "blit/modes/BrightenBlitter565.h"
#include "blit/modes/ConvertBlitter555.h"
#include "blit/modes/DarkenBlitter555.h"
#include "blit/modes/DarkenBlitter565.h"
#include "foundation/CpuInfo.h"
#include "graphics/Frame.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

using Op = ScreenLevelOp;
const Op kOps[] = {Op::Convert555, Op::Brighten555, Op::Darken555, Op::Brighten565, Op::Darken565};

int Clamp(int v, int top)
{
    return v < 0 ? 0 : v > top ? top : v;
}

// The pixel a 5-6-5 pixel becomes at a level. Plain: 5-5-5 channels (green's top five bits)
// moved by level / 8. Group: the 5-6-5 channels moved (green by level / 4), then green halved.
uint16_t Reference(Op op, uint32_t p, int level, bool group)
{
    const int sign = op == Op::Brighten555 || op == Op::Brighten565 ? 1 : -1;
    const int s5 = op == Op::Convert555 ? 0 : sign * (level / 8), s6 = op == Op::Convert555 ? 0 : sign * (level / 4);
    const int r = static_cast<int>(p >> 11 & 31), g = static_cast<int>(p >> 5 & 63), b = static_cast<int>(p & 31);
    if (op == Op::Brighten565 || op == Op::Darken565)
        return static_cast<uint16_t>(Clamp(r + s5, 31) << 11 | Clamp(g + s6, 63) << 5 | Clamp(b + s5, 31));
    const int green = group ? Clamp(g + s6, 63) / 2 : Clamp(g / 2 + s5, 31);
    return static_cast<uint16_t>(Clamp(r + s5, 31) << 10 | green << 5 | Clamp(b + s5, 31));
}

// The grouped row: pixel i is a group pixel when it lies at or after the first pixel whose address
// is a multiple of 8 and inside the whole fours counted from there.
bool IsGroupPixel(const uint8_t* row, uint32_t i, uint32_t n)
{
    uint32_t first = 0;
    while (first < n && reinterpret_cast<uintptr_t>(row + 2 * first) % 8 != 0)
        ++first;
    return i >= first && i < first + (n - first) / 4 * 4;
}

uint16_t Load(const uint8_t* row, uint32_t i)
{
    uint16_t v;
    std::memcpy(&v, row + 2 * i, 2);
    return v;
}

void Store(uint8_t* row, uint32_t i, uint16_t v)
{
    std::memcpy(row + 2 * i, &v, 2);
}

ScreenLevelSteps StepsFor(int level)
{
    return {static_cast<uint32_t>(level) / 8, static_cast<uint32_t>(level) / 4};
}

CBlitter& Instance(Op op)
{
    switch (op) {
    case Op::Convert555: return g_convertBlitter555;
    case Op::Brighten555: return g_brightenBlitter555;
    case Op::Darken555: return g_darkenBlitter555;
    case Op::Brighten565: return g_brightenBlitter565;
    default: return g_darkenBlitter565;
    }
}

// Sets the level of the operation's class (the convert-only class has none).
void SetLevel(Op op, int level)
{
    if (op != Op::Convert555)
        static_cast<CScreenLevelBlitter&>(Instance(op)).SetLevel(level);
}

std::vector<SpanKernelPath> AvailablePaths()
{
    std::vector<SpanKernelPath> paths;
    // The wider paths group with SSE2 as well.
    for (SpanKernelPath path : {SpanKernelPath::Portable, SpanKernelPath::Sse2})
        if (IsSpanKernelPathAvailable(path))
            paths.push_back(path);
    return paths;
}

// A one-row 16-bit blit of the pixels through the blitter; the row starts `left` pixels into
// the frame, so its address modulo 8 follows left.
std::vector<uint16_t> BlitRow(CBlitter& blitter, const std::vector<uint16_t>& pixels, int32_t left, CFrame& destination)
{
    const int32_t n = static_cast<int32_t>(pixels.size());
    CFrame source;
    source.Create(n, 1, 16);
    destination.Create(left + n, 1, 16);
    std::memcpy(source.GetPixels(), pixels.data(), 2 * pixels.size());
    EXPECT_TRUE(destination.BlitUnclipped(&source, {0, 0, n, 1}, {left, 0, left + n, 1}, &blitter));
    std::vector<uint16_t> out(pixels.size());
    std::memcpy(out.data(), destination.GetPixels() + 2 * left, 2 * pixels.size());
    return out;
}

} // namespace

TEST(ScreenLevelBlitter, SetLevelClampsAndPublishesTheClassSteps)
{
    const struct
    {
        int32_t level, stored;
        uint32_t step5, step6;
    } cases[] = {{-5, 0, 0, 0}, {300, 255, 31, 63}, {12, 12, 1, 3}, {255, 255, 31, 63}, {0, 0, 0, 0}};
    for (Op op : {Op::Brighten555, Op::Darken555, Op::Brighten565, Op::Darken565})
        for (const auto& c : cases) {
            SetLevel(op, c.level);
            EXPECT_EQ(static_cast<CScreenLevelBlitter&>(Instance(op)).GetScreenLevel(), c.stored);
            EXPECT_EQ(GetScreenLevelSteps(op).step5, c.step5) << c.level;
            EXPECT_EQ(GetScreenLevelSteps(op).step6, c.step6) << c.level;
        }
    // The steps belong to the class: a second instance's level is the first one's too.
    g_brightenBlitter565.SetLevel(40);
    CBrightenBlitter565 other;
    other.SetLevel(80);
    EXPECT_EQ(GetScreenLevelSteps(Op::Brighten565).step5, 10u);
    EXPECT_EQ(GetScreenLevelSteps(Op::Darken565).step5, 0u);
    g_brightenBlitter565.SetLevel(0);
}

TEST(ScreenLevelBlitter, WorkedValues)
{
    const struct
    {
        Op op;
        int32_t level;
        uint16_t in, out;
    } cases[] = {
        {Op::Convert555, 0, 0xFFFF, 0x7FFF},    {Op::Convert555, 0, 0xF800, 0x7C00},
        {Op::Convert555, 0, 0x07E0, 0x03E0},    {Op::Convert555, 0, 0x0020, 0x0000},
        {Op::Convert555, 0, 0x001F, 0x001F},    {Op::Brighten565, 255, 0x0000, 0xFFFF}, {Op::Brighten565, 255, 0x1234, 0xFFFF},
        {Op::Darken565, 255, 0xFFFF, 0x0000},   {Op::Darken565, 255, 0x8410, 0x0000},
        {Op::Brighten565, 8, 0x0000, 0x0841},   {Op::Brighten565, 8, 0xFFFF, 0xFFFF},
        {Op::Darken555, 16, 0x0000, 0x0000},    {Op::Darken555, 16, 0xFFFF, 0x77BD},
    };
    for (const auto& c : cases) {
        SetLevel(c.op, c.level);
        CFrame destination;
        // Three pixels: the single-pixel rule at any address.
        EXPECT_EQ(BlitRow(Instance(c.op), {c.in, c.in, c.in}, 0, destination),
                  (std::vector<uint16_t>{c.out, c.out, c.out}))
            << static_cast<int>(c.op) << " level " << c.level << " pixel " << c.in;
        SetLevel(c.op, 0);
    }
}

TEST(ScreenLevelBlitter, PlainRowsMatchTheChannelArithmeticForEveryPixel)
{
    std::vector<uint8_t> source(2 * 65536), destination(2 * 65536);
    for (uint32_t p = 0; p < 65536; ++p)
        Store(source.data(), p, static_cast<uint16_t>(p));
    for (SpanKernelPath path : AvailablePaths())
        for (Op op : kOps)
            for (int level : {0, 4, 8, 12, 37, 100, 200, 255}) {
                screenlevel::PlainRow(op, destination.data(), source.data(), 65536, StepsFor(level), path);
                for (uint32_t p = 0; p < 65536; ++p)
                    ASSERT_EQ(Load(destination.data(), p), Reference(op, p, level, false))
                        << static_cast<int>(op) << " level " << level << " pixel " << p;
            }
}

TEST(ScreenLevelBlitter, RowsOfAnyLengthAtAnyAddress)
{
    std::mt19937 random(555);
    // Room for 48 pixels at every byte offset 0..7 from an 8-byte boundary.
    alignas(16) uint8_t source[2 * 48 + 16], destination[2 * 48 + 16];
    for (SpanKernelPath path : AvailablePaths())
        for (Op op : kOps)
            for (bool grouped : {false, true})
                for (uint32_t offset = 0; offset < 8; ++offset)
                    for (uint32_t n = 0; n <= 48; ++n) {
                        const int level = static_cast<int>(random() % 256);
                        uint8_t* d = destination + offset;
                        const uint8_t* s = source + (offset * 3 + n) % 8; // sources at any address
                        for (uint8_t& b : source)
                            b = static_cast<uint8_t>(random());
                        std::memset(destination, 0xA5, sizeof destination);
                        if (grouped)
                            screenlevel::GroupedRow(op, d, s, n, StepsFor(level), path);
                        else
                            screenlevel::PlainRow(op, d, s, n, StepsFor(level), path);
                        for (uint32_t i = 0; i < n; ++i)
                            ASSERT_EQ(Load(d, i), Reference(op, Load(s, i), level, grouped && IsGroupPixel(d, i, n)))
                                << "path " << static_cast<int>(path) << " op " << static_cast<int>(op) << " grouped "
                                << grouped << " offset " << offset << " n " << n << " pixel " << i;
                        for (uint32_t k = 0; k < sizeof destination; ++k) {
                            if (k < offset || k >= offset + 2 * n) {
                                ASSERT_EQ(destination[k], 0xA5) << "byte " << k << " outside the row";
                            }
                        }
                    }
}

TEST(ScreenLevelBlitter, TheGroupedBrighten565EqualsThePlainOneAtEveryLevel)
{
    alignas(16) static uint8_t source[2 * 65536], grouped[2 * 65536], plain[2 * 65536];
    for (uint32_t p = 0; p < 65536; ++p)
        Store(source, p, static_cast<uint16_t>(p));
    for (SpanKernelPath path : AvailablePaths())
        for (int level = 0; level < 256; ++level) {
            screenlevel::GroupedRow(Op::Brighten565, grouped + 2, source, 65535, StepsFor(level), path);
            screenlevel::PlainRow(Op::Brighten565, plain + 2, source, 65535, StepsFor(level), SpanKernelPath::Portable);
            ASSERT_EQ(std::memcmp(grouped, plain, sizeof plain), 0) << "level " << level;
        }
}

TEST(ScreenLevelBlitter, The555GreenRuleOfTheGroups)
{
    // Level 12 (step5 1, step6 3) and an odd 6-bit green of 1: a group gives (1 + 3) >> 1 = 2, a
    // single pixel (1 >> 1) + 1 = 1.
    const uint16_t pixel = 1 << 5;
    for (bool mmx : {true, false}) {
        OverrideCpuHasMmx(mmx);
        CBrightenBlitter555 blitter;
        OverrideCpuHasMmx(std::nullopt);
        blitter.SetLevel(12);
        CFrame destination;
        // Four pixels at an 8-byte-aligned start form one group; three never do.
        const std::vector<uint16_t> four = BlitRow(blitter, {pixel, pixel, pixel, pixel}, 0, destination);
        ASSERT_EQ(reinterpret_cast<uintptr_t>(destination.GetPixels()) % 8, 0u);
        EXPECT_EQ(four, std::vector<uint16_t>(4, mmx ? 0x0441 : 0x0421)) << mmx;
        EXPECT_EQ(BlitRow(blitter, {pixel, pixel, pixel}, 0, destination), std::vector<uint16_t>(3, 0x0421)) << mmx;
        // One pixel to the right, the first three are singles and the fourth waits for alignment.
        EXPECT_EQ(BlitRow(blitter, {pixel, pixel, pixel, pixel}, 1, destination), std::vector<uint16_t>(4, 0x0421));
        blitter.SetLevel(0);
    }
}

TEST(ScreenLevelBlitter, EightAndTwentyFourBitSourcesOnlyConvert)
{
    uint32_t saved15[256], saved16[256];
    std::memcpy(saved15, g_paletteToPixel15, sizeof saved15);
    std::memcpy(saved16, g_paletteToPixel16, sizeof saved16);
    for (uint32_t i = 0; i < 256; ++i) {
        g_paletteToPixel15[i] = 0xABCD0000 | (i * 97) % 0x8000; // high bits are not pixel bits
        g_paletteToPixel16[i] = 0x12340000 | (i * 251 + 7) % 0x10000;
    }
    CFrame source8, source24;
    source8.Create(256, 1, 8);
    source24.Create(3, 1, 24);
    for (uint32_t i = 0; i < 256; ++i)
        source8.GetPixels()[i] = static_cast<uint8_t>(i);
    const uint8_t bgr[] = {255, 255, 255, 4, 2, 4, 0, 0, 255};
    std::memcpy(source24.GetPixels(), bgr, sizeof bgr);

    for (Op op : kOps) {
        const bool is555 = op == Op::Convert555 || op == Op::Brighten555 || op == Op::Darken555;
        CBlitter& blitter = Instance(op);
        for (int level : {0, 200}) {
            SetLevel(op, level);
            blitter.SetOpacity(level == 0 ? 1.0f : 0.3f); // the opacity changes nothing either
            CFrame destination;
            destination.Create(256, 2, 16);
            ASSERT_TRUE(destination.BlitUnclipped(&source8, {0, 0, 256, 1}, {0, 0, 256, 1}, &blitter));
            ASSERT_TRUE(destination.BlitUnclipped(&source24, {0, 0, 3, 1}, {0, 1, 3, 2}, &blitter));
            blitter.SetOpacity(1.0f);
            for (uint32_t i = 0; i < 256; ++i)
                ASSERT_EQ(Load(destination.GetPixels(), i), (is555 ? g_paletteToPixel15 : g_paletteToPixel16)[i] & 0xFFFF)
                    << i;
            const uint8_t* row1 = destination.GetPixels() + 2 * 256;
            // Without the per-channel tables: white packs to all ones, (4, 2, 4) rounds up, red alone.
            const std::vector<uint16_t> want24 = is555 ? std::vector<uint16_t>{0x7FFF, 0x0401, 0x7C00}
                                                       : std::vector<uint16_t>{0xFFFF, 0x0821, 0xF800};
            EXPECT_EQ((std::vector<uint16_t>{Load(row1, 0), Load(row1, 1), Load(row1, 2)}), want24);
        }
        SetLevel(op, 0);
    }
    std::memcpy(g_paletteToPixel15, saved15, sizeof saved15);
    std::memcpy(g_paletteToPixel16, saved16, sizeof saved16);
}
