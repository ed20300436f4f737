// "Normal Scale": nearest-neighbour sampling in 16.16 steps for the five pairs, against a sampler
// written here from the pixel rule, its worked values, and the edges (empty rectangles, strong
// magnification from a far left edge, 1 -> 64 and 64 -> 1).
#include "blit/ColorPacking.h"
#include "blit/modes/NormalScaleBlitter.h"
#include "graphics/Frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

namespace {

// Destination position i of a rectangle starting at `start` samples offset
// floor((start + i * floor(source * 65536 / destination)) / 65536), at most the last pixel.
uint32_t ReferenceOffset(uint32_t start, uint32_t i, uint32_t source, uint32_t destination)
{
    const uint64_t step = (static_cast<uint64_t>(source) << 16) / destination;
    return static_cast<uint32_t>(std::min<uint64_t>((start + i * step) >> 16, source - 1));
}

void FillRandom(CFrame& frame, std::mt19937& random)
{
    const size_t bytes = static_cast<size_t>(frame.GetPitch()) * frame.GetHeight() * frame.GetBytesPerPixel();
    for (size_t i = 0; i < bytes; ++i)
        frame.GetPixels()[i] = static_cast<uint8_t>(random());
}

const uint8_t* PixelAt(const CFrame& frame, int32_t x, int32_t y)
{
    return frame.GetPixels() + (static_cast<size_t>(y) * frame.GetPitch() + x) * frame.GetBytesPerPixel();
}

// Draws through the routine of the pair, with the rectangles as given (no clipping): true when
// the pair has a routine.
bool Scale(CFrame& source, const CIntRect& from, CFrame& destination, const CIntRect& to)
{
    return destination.BlitUnclipped(&source, from, to, &g_normalScaleBlitter);
}

// What the destination must hold after a scaled draw, from a copy taken before it.
void ExpectScaled(const CFrame& source, const CIntRect& from, const CFrame& destination, const CIntRect& to,
                  const std::vector<uint8_t>& before)
{
    const uint32_t sb = source.GetBytesPerPixel(), db = destination.GetBytesPerPixel();
    const uint32_t dw = to.GetWidth(), dh = to.GetHeight(), sw = from.GetWidth(), sh = from.GetHeight();
    for (int32_t y = 0; y < destination.GetHeight(); ++y)
        for (int32_t x = 0; x < destination.GetWidth(); ++x) {
            const uint8_t* got = PixelAt(destination, x, y);
            std::vector<uint8_t> want(before.begin() + (got - destination.GetPixels()),
                                      before.begin() + (got - destination.GetPixels()) + db);
            if (x >= to.m_left && x < to.m_right && y >= to.m_top && y < to.m_bottom) {
                const uint32_t column = from.m_left + ReferenceOffset(from.m_left, x - to.m_left, sw, dw);
                const uint32_t row = from.m_top + ReferenceOffset(from.m_top, y - to.m_top, sh, dh);
                const uint8_t* s = PixelAt(source, column, row);
                if (sb == 1 && db == 2) {
                    want[0] = static_cast<uint8_t>(g_paletteToPixel16[*s]);
                    want[1] = static_cast<uint8_t>(g_paletteToPixel16[*s] >> 8);
                } else {
                    std::memcpy(want.data(), s, std::min(sb, db)); // 24 -> 32 keeps byte 3
                }
            }
            ASSERT_EQ(std::memcmp(got, want.data(), db), 0) << "pixel " << x << "," << y;
        }
}

struct Pair
{
    uint32_t sourceDepth, destinationDepth;
};
const Pair kPairs[] = {{8, 8}, {8, 16}, {16, 16}, {24, 24}, {24, 32}};

// The palette-to-pixel table filled with distinct values for the duration of a test.
class CScopedPaletteTable
{
public:
    CScopedPaletteTable()
    {
        std::memcpy(m_saved, g_paletteToPixel16, sizeof m_saved);
        for (uint32_t i = 0; i < 256; ++i)
            g_paletteToPixel16[i] = (i * 0x9E37u + 0x1234u) & 0xFFFF;
    }
    ~CScopedPaletteTable() { std::memcpy(g_paletteToPixel16, m_saved, sizeof m_saved); }

private:
    uint32_t m_saved[256];
};

} // namespace

TEST(NormalScaleBlitter, WorkedColumns)
{
    // Source column values are their own index (16-bit), so each destination pixel names its sample.
    const struct
    {
        int32_t left, sourceWidth, destinationWidth;
        std::vector<uint16_t> firstColumns;
    } cases[] = {
        {0, 4, 8, {0, 0, 1, 1, 2, 2, 3, 3}},
        {0, 3, 2, {0, 1}},
        // The accumulator starts at 100 / 65536 of a pixel: column 1 already takes left + 1.
        {100, 999, 1000, {100, 101, 101}},
        // The accumulator passes 2^31 at column 2: it must not turn negative.
        {0, 65535, 3, {0, 21845, 43690}},
    };
    for (const auto& c : cases) {
        CFrame source, destination;
        source.Create(c.left + c.sourceWidth, 1, 16);
        destination.Create(c.destinationWidth, 1, 16);
        for (int32_t x = 0; x < c.left + c.sourceWidth; ++x) {
            const uint16_t v = static_cast<uint16_t>(x);
            std::memcpy(source.GetPixels() + 2 * x, &v, 2);
        }
        ASSERT_TRUE(Scale(source, {c.left, 0, c.left + c.sourceWidth, 1}, destination, {0, 0, c.destinationWidth, 1}));
        for (size_t i = 0; i < c.firstColumns.size(); ++i) {
            uint16_t got;
            std::memcpy(&got, destination.GetPixels() + 2 * i, 2);
            EXPECT_EQ(got, c.firstColumns[i]) << c.sourceWidth << "->" << c.destinationWidth << " column " << i;
        }
    }
}

TEST(NormalScaleBlitter, EveryPairMatchesTheSamplerOnRandomRectangles)
{
    CScopedPaletteTable table;
    std::mt19937 random(18);
    for (const Pair& pair : kPairs)
        for (int round = 0; round < 40; ++round) {
            CFrame source, destination;
            source.Create(37, 29, pair.sourceDepth);
            destination.Create(50, 40, pair.destinationDepth);
            FillRandom(source, random);
            FillRandom(destination, random);
            auto rect = [&random](int32_t width, int32_t height) {
                const int32_t left = static_cast<int32_t>(random() % width), top = static_cast<int32_t>(random() % height);
                return CIntRect{left, top, left + 1 + static_cast<int32_t>(random() % (width - left)),
                                top + 1 + static_cast<int32_t>(random() % (height - top))};
            };
            const CIntRect from = rect(37, 29);
            CIntRect to = rect(50, 40);
            if (round % 4 == 0) // 1:1, which is drawn as row copies
                to = {to.m_left % 13, to.m_top % 11, to.m_left % 13 + from.GetWidth(), to.m_top % 11 + from.GetHeight()};
            const size_t bytes = 50 * 40 * pair.destinationDepth / 8;
            const std::vector<uint8_t> before(destination.GetPixels(), destination.GetPixels() + bytes);
            ASSERT_TRUE(Scale(source, from, destination, to));
            ExpectScaled(source, from, destination, to, before);
            if (HasFatalFailure())
                FAIL() << pair.sourceDepth << "->" << pair.destinationDepth << " round " << round;
        }
}

TEST(NormalScaleBlitter, OneToSixtyFourAndBackStayInsideTheFrames)
{
    CScopedPaletteTable table;
    std::mt19937 random(64);
    for (const Pair& pair : kPairs)
        for (const auto& [sourceSize, destinationSize] : {std::pair{1, 64}, std::pair{64, 1}}) {
            // Frames of exactly the rectangles' size, so that any sample outside them is a heap
            // overflow for the address sanitizer.
            CFrame source, destination;
            source.Create(sourceSize, sourceSize, pair.sourceDepth);
            destination.Create(destinationSize, destinationSize, pair.destinationDepth);
            FillRandom(source, random);
            const size_t bytes = static_cast<size_t>(destinationSize) * destinationSize * pair.destinationDepth / 8;
            const std::vector<uint8_t> before(destination.GetPixels(), destination.GetPixels() + bytes);
            const CIntRect from{0, 0, sourceSize, sourceSize}, to{0, 0, destinationSize, destinationSize};
            ASSERT_TRUE(Scale(source, from, destination, to));
            ExpectScaled(source, from, destination, to, before);
        }
}

TEST(NormalScaleBlitter, AFarLeftEdgeUnderStrongMagnificationKeepsToTheRectangle)
{
    // One column at left 601 stretched onto 1000: the accumulator reaches 601 + 999 * 65 = 65536,
    // one pixel past the column; the sample stays on it (and inside the frame, 602 wide).
    for (const bool vertical : {false, true}) {
        CFrame source, destination;
        source.Create(vertical ? 1 : 602, vertical ? 602 : 1, 16);
        destination.Create(vertical ? 1 : 1000, vertical ? 1000 : 1, 16);
        const uint16_t marked = 0xBEEF;
        std::memcpy(source.GetPixels() + 2 * 601, &marked, 2);
        const CIntRect from = vertical ? CIntRect{0, 601, 1, 602} : CIntRect{601, 0, 602, 1};
        const CIntRect to = vertical ? CIntRect{0, 0, 1, 1000} : CIntRect{0, 0, 1000, 1};
        ASSERT_TRUE(Scale(source, from, destination, to));
        for (int i = 0; i < 1000; ++i) {
            uint16_t got;
            std::memcpy(&got, destination.GetPixels() + 2 * i, 2);
            ASSERT_EQ(got, marked) << (vertical ? "row " : "column ") << i;
        }
    }
}

TEST(NormalScaleBlitter, EmptyRectanglesDrawNothingAndOpacityChangesNothing)
{
    std::mt19937 random(5);
    CFrame source, destination, reference;
    source.Create(8, 8, 16);
    destination.Create(16, 16, 16);
    reference.Create(16, 16, 16);
    FillRandom(source, random);
    const std::vector<uint8_t> untouched(destination.GetPixels(), destination.GetPixels() + 16 * 16 * 2);
    for (const CIntRect& to : {CIntRect{0, 3, 16, 3}, CIntRect{4, 0, 4, 16}, CIntRect{5, 5, 2, 9}})
        Scale(source, {0, 0, 8, 8}, destination, to);
    Scale(source, {3, 3, 3, 8}, destination, {0, 0, 16, 16});      // source of width 0
    Scale(source, {0, 0, 8, 9}, destination, {0, 0, 16, 16});      // source reaching past its frame
    EXPECT_EQ(std::memcmp(destination.GetPixels(), untouched.data(), untouched.size()), 0);

    BuildAlphaScaleTables();
    ASSERT_TRUE(Scale(source, {1, 2, 7, 6}, reference, {0, 0, 13, 11}));
    g_normalScaleBlitter.SetOpacity(0.5f);
    const bool drawn = Scale(source, {1, 2, 7, 6}, destination, {0, 0, 13, 11});
    const uint32_t* publishedRow = g_currentAlphaRow;
    g_normalScaleBlitter.SetOpacity(1.0f);
    g_currentAlphaRow = g_alphaScaleTables[255];
    ASSERT_TRUE(drawn);
    EXPECT_EQ(publishedRow, g_alphaScaleTables[128]);
    EXPECT_EQ(std::memcmp(destination.GetPixels(), reference.GetPixels(), 16 * 16 * 2), 0);
}
