// The run-length row walkers, through the blend modes that use them: for random encodings of
// random pictures, every source rectangle from every left edge to every right edge must equal
// the picture decoded first and clipped after, with the main pixels and the translucent layer's
// pixels worked out here from the pixel rules. Also rows that break the format.
#include "RunLengthTestSupport.h"
#include "SpanKernelTestSupport.h"
#include "blit/kernels/RunLengthWalker.h"
#include "blit/modes/CopyBlitter.h"
#include "blit/modes/LevelBlitRoutines.h"
#include "blit/modes/TransparentMaskBlitter.h"
#include "foundation/CpuInfo.h"

#include <gtest/gtest.h>

#include <vector>

using namespace rletest;

namespace {

uint32_t Widen565(uint32_t v)
{
    return (v & 0x1F) << 3 | ((v >> 5) & 0x3F) << 10 | ((v >> 8) & 0xF8) << 16;
}

void Store(uint8_t* d, uint32_t value, uint32_t bytes)
{
    std::memcpy(d, &value, bytes);
}

void Blend24(uint8_t* d, uint32_t colour, uint32_t a)
{
    for (int c = 0; c < 3; ++c)
        d[c] = spantest::Reference24(d[c], static_cast<int>(colour >> (8 * c) & 0xFF), static_cast<int>(a));
}

void Blend565(uint8_t* d, uint32_t colour, uint32_t a)
{
    uint16_t pixel;
    std::memcpy(&pixel, d, 2);
    Store(d, spantest::Reference565(pixel, colour, a), 2);
}

// What a main or layer pixel does to destination pixel d at level L.
using MainRule = void (*)(uint8_t* d, uint32_t value, uint32_t level);
using LayerRule = void (*)(uint8_t* d, uint32_t value, uint32_t alpha, uint32_t level);

struct WalkCase
{
    const char* name;
    uint32_t sourceDepth, flags, destinationDepth;
    bool plainRoutines; // a blend mode built as on a processor without MMX
    float opacity;
    MainRule main;
    LayerRule layer; // null: no translucent layer
};

const WalkCase kCases[] = {
    {"8 onto 8, copied", 8, kFrameRunLength8, 8, false, 1.0f, [](uint8_t* d, uint32_t v, uint32_t) { *d = uint8_t(v); },
     nullptr},
    {"16 onto 16, copied", 16, kFrameRunLengthAlpha, 16, false, 1.0f,
     [](uint8_t* d, uint32_t v, uint32_t) { Store(d, v, 2); }, nullptr},
    {"16 onto 16 at a level, layer by alpha", 16, kFrameRunLengthAlpha, 16, true, 0.6f,
     [](uint8_t* d, uint32_t v, uint32_t level) { Blend565(d, v, level); },
     [](uint8_t* d, uint32_t v, uint32_t a, uint32_t level) { Blend565(d, v, a * level / 255); }},
    {"16 onto 24, layer opaque", 16, kFrameRunLengthAlpha, 24, false, 1.0f,
     [](uint8_t* d, uint32_t v, uint32_t) { Store(d, Widen565(v), 3); },
     [](uint8_t* d, uint32_t v, uint32_t, uint32_t) { Store(d, Widen565(v), 3); }},
    {"16 onto 32, layer alpha in byte 3", 16, kFrameRunLengthAlpha, 32, false, 1.0f,
     [](uint8_t* d, uint32_t v, uint32_t) { Store(d, Widen565(v) | 0xFF000000u, 4); },
     [](uint8_t* d, uint32_t v, uint32_t a, uint32_t) { Store(d, Widen565(v) | a << 24, 4); }},
    {"24 onto 24, layer by alpha", 24, kFrameRunLengthAlpha, 24, false, 1.0f,
     [](uint8_t* d, uint32_t v, uint32_t) { Store(d, v, 3); },
     [](uint8_t* d, uint32_t v, uint32_t a, uint32_t) { Blend24(d, v, a); }},
    {"24 onto 24 at a level", 24, kFrameRunLengthAlpha, 24, false, 0.6f,
     [](uint8_t* d, uint32_t v, uint32_t level) { Blend24(d, v, level); },
     [](uint8_t* d, uint32_t v, uint32_t a, uint32_t level) { Blend24(d, v, a * level / 255); }},
    {"24 onto 32, byte 3 kept", 24, kFrameRunLengthAlpha, 32, false, 1.0f,
     [](uint8_t* d, uint32_t v, uint32_t) { Store(d, v, 3); },
     [](uint8_t* d, uint32_t v, uint32_t a, uint32_t) { Blend24(d, v, a); }},
    {"24 onto 32 at a level, byte 3 kept", 24, kFrameRunLengthAlpha, 32, false, 0.6f,
     [](uint8_t* d, uint32_t v, uint32_t level) { Blend24(d, v, level); },
     [](uint8_t* d, uint32_t v, uint32_t a, uint32_t level) { Blend24(d, v, a * level / 255); }},
};

// The blend mode of a case: the general copy blend mode where it has the pair, else the default.
CBlitter& BlitterFor(const WalkCase& c, CBlitter& plain)
{
    if (c.plainRoutines)
        return plain;
    const bool copy = c.flags == kFrameRunLength8 || (c.sourceDepth == 16 && c.destinationDepth != 16);
    return copy ? static_cast<CBlitter&>(g_copyBlitter) : g_transparentMaskBlitter;
}

} // namespace

TEST(RunLengthWalkers, EveryClipEqualsDecodeThenClip)
{
    OverrideCpuHasMmx(false);
    CTransparentMaskBlitter plain;
    OverrideCpuHasMmx(std::nullopt);
    std::mt19937 random(17);
    constexpr uint32_t kWidth = 70, kHeight = 3;
    for (const WalkCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const uint32_t valueMask = c.sourceDepth == 8 ? 0xFF : c.sourceDepth == 16 ? 0xFFFF : 0xFFFFFF;
        const Picture main = RandomPicture(kWidth, kHeight, valueMask, random);
        const Picture layer = RandomPicture(kWidth, kHeight, valueMask, random);
        CFrame source;
        MakeFrame(source, c.sourceDepth, c.flags, main, random, c.layer ? &layer : nullptr);
        CBlitter& blitter = BlitterFor(c, plain);
        CScopedOpacity opacity(blitter, c.opacity);
        const uint32_t level = static_cast<uint32_t>(blitter.GetLevel());
        const uint32_t bytes = c.destinationDepth / 8;
        for (int32_t left = 0; left < int32_t(kWidth); ++left)
            for (int32_t right = left + 1; right <= int32_t(kWidth); ++right) {
                const int32_t at = (left * 3 + right) % 5; // destination left, sometimes left of the source's
                CFrame destination;
                MakePlainFrame(destination, kWidth + 5, kHeight + 2, c.destinationDepth, 0);
                const size_t size = size_t(kWidth + 5) * (kHeight + 2) * bytes;
                for (size_t i = 0; i < size; ++i)
                    destination.GetPixels()[i] = static_cast<uint8_t>(random());
                std::vector<uint8_t> expected(destination.GetPixels(), destination.GetPixels() + size);
                auto pixel = [&](int32_t x, uint32_t r) {
                    return &expected[((r + 1) * (kWidth + 5) + uint32_t(at + x - left)) * bytes];
                };
                for (uint32_t r = 0; r < kHeight; ++r)
                    for (int32_t x = left; x < right; ++x)
                        if (main[r][x].covered)
                            c.main(pixel(x, r), main[r][x].value, level);
                for (uint32_t r = 0; c.layer && r < kHeight; ++r)
                    for (int32_t x = left; x < right; ++x)
                        if (layer[r][x].covered)
                            c.layer(pixel(x, r), layer[r][x].value, layer[r][x].alpha, level);
                ASSERT_TRUE(destination.Blit(&source, CIntRect{left, 0, right, int32_t(kHeight)},
                                             CIntRect{at, 1, at + right - left, int32_t(kHeight) + 1}, &blitter));
                ASSERT_EQ(std::memcmp(destination.GetPixels(), expected.data(), size), 0)
                    << "columns " << left << " to " << right;
            }
    }
}

TEST(RunLengthWalkers, NarrowWholeFramesEqualTheDecodedPicture)
{
    // Sprites no wider than a few dozen pixels take their own row loop when drawn whole: every
    // width on both sides of where it takes over, at every depth, onto a destination of random
    // bytes that must keep every byte outside the covered pixels.
    OverrideCpuHasMmx(false);
    CTransparentMaskBlitter plain;
    OverrideCpuHasMmx(std::nullopt);
    std::mt19937 random(31);
    constexpr uint32_t kHeight = 4;
    for (const WalkCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const uint32_t valueMask = c.sourceDepth == 8 ? 0xFF : c.sourceDepth == 16 ? 0xFFFF : 0xFFFFFF;
        CBlitter& blitter = BlitterFor(c, plain);
        CScopedOpacity opacity(blitter, c.opacity);
        const uint32_t level = static_cast<uint32_t>(blitter.GetLevel());
        const uint32_t bytes = c.destinationDepth / 8;
        for (uint32_t width = 1; width <= 40; ++width)
            for (int trial = 0; trial < 3; ++trial) {
                const Picture main = RandomPicture(width, kHeight, valueMask, random);
                const Picture layer = RandomPicture(width, kHeight, valueMask, random);
                CFrame source;
                MakeFrame(source, c.sourceDepth, c.flags, main, random, c.layer ? &layer : nullptr);
                const int32_t at = trial; // destination left
                const uint32_t destinationWidth = width + 4;
                CFrame destination;
                MakePlainFrame(destination, destinationWidth, kHeight + 2, c.destinationDepth, 0);
                const size_t size = size_t(destinationWidth) * (kHeight + 2) * bytes;
                for (size_t i = 0; i < size; ++i)
                    destination.GetPixels()[i] = static_cast<uint8_t>(random());
                std::vector<uint8_t> expected(destination.GetPixels(), destination.GetPixels() + size);
                auto pixel = [&](uint32_t x, uint32_t r) {
                    return &expected[((r + 1) * destinationWidth + uint32_t(at) + x) * bytes];
                };
                for (uint32_t r = 0; r < kHeight; ++r)
                    for (uint32_t x = 0; x < width; ++x) {
                        if (main[r][x].covered)
                            c.main(pixel(x, r), main[r][x].value, level);
                        if (c.layer && layer[r][x].covered)
                            c.layer(pixel(x, r), layer[r][x].value, layer[r][x].alpha, level);
                    }
                const int32_t w = static_cast<int32_t>(width), h = static_cast<int32_t>(kHeight);
                ASSERT_TRUE(destination.Blit(&source, CIntRect{0, 0, w, h}, CIntRect{at, 1, at + w, h + 1}, &blitter));
                ASSERT_EQ(std::memcmp(destination.GetPixels(), expected.data(), size), 0)
                    << "width " << width << " trial " << trial;
            }
    }
}

TEST(RunLengthWalkers, RowsThatOverrunTheWidthStopAtTheRectangle)
{
    // Runs that claim more pixels than the row has (a fill of 63 and a literal of 63 in a row of
    // 5): nothing is written past the destination rectangle, in either form.
    spantest::CFencedPage page;
    const SpanTable& fill8 = g_spanKernels[kSpanFill8];
    const SpanTable& copy8 = g_spanKernels[kSpanCopy8];
    const uint8_t fill[] = {0x3F, 9};
    for (bool clip : {false, true}) {
        uint8_t* row = page.Place(5, true);
        if (clip)
            WalkRunLengthRow<1, 1, true>(fill, RunLengthColumns{0, 0, 5}, row, fill8, copy8);
        else
            WalkRunLengthRow<1, 1, false>(fill, RunLengthColumns{0, 0, 5}, row, fill8, copy8);
        EXPECT_EQ(std::vector<uint8_t>(row, row + 5), std::vector<uint8_t>(5, 9));
        EXPECT_TRUE(page.OutsideUntouched());
    }
    std::vector<uint8_t> literal = {0x7F};
    for (int i = 0; i < 63; ++i)
        literal.push_back(static_cast<uint8_t>(i));
    uint8_t* row = page.Place(5, true);
    WalkRunLengthRow<1, 1, true>(literal.data(), RunLengthColumns{-2, 0, 5}, row, fill8, copy8);
    EXPECT_EQ(std::vector<uint8_t>(row, row + 5), (std::vector<uint8_t>{2, 3, 4, 5, 6}));
    EXPECT_TRUE(page.OutsideUntouched());
}

TEST(RunLengthWalkers, ARowEndsWhereItReachesTheRightEdge)
{
    // Codes and alpha bytes sit against an inaccessible page: a walker that read one byte past
    // the skip that reaches the right edge, or one alpha byte too many, would fault.
    spantest::CFencedPage codePage, alphaPage;
    const uint8_t codes[] = {0x42, 0x1F, 0x00, 0x00, 0xF8, 0x83};
    const uint8_t alphas[] = {0x11, 0x22};
    uint8_t* placedCodes = codePage.Place(sizeof codes, true);
    std::memcpy(placedCodes, codes, sizeof codes);
    uint8_t* placedAlphas = alphaPage.Place(sizeof alphas, true);
    std::memcpy(placedAlphas, alphas, sizeof alphas);
    for (bool clip : {false, true}) {
        uint32_t destination[5] = {};
        uint8_t* row = reinterpret_cast<uint8_t*>(destination);
        if (clip)
            WalkRunLengthAlphaRow<2, 4, true>(placedCodes, placedAlphas, RunLengthColumns{0, 0, 5}, row,
                                              Fill16As32Alpha, Expand16To32Alpha);
        else
            WalkRunLengthAlphaRow<2, 4, false>(placedCodes, placedAlphas, RunLengthColumns{0, 0, 5}, row,
                                               Fill16As32Alpha, Expand16To32Alpha);
        EXPECT_EQ(destination[0], 0x110000F8u);
        EXPECT_EQ(destination[1], 0x22F80000u);
        EXPECT_EQ(destination[2], 0u);
    }
    // A literal cut at the right edge leaves its last values unread and ends the row.
    const uint8_t literalRow[] = {0x81, 0x44, 1, 2, 3, 4, 0x3F};
    uint8_t cut[4] = {};
    WalkRunLengthRow<1, 1, true>(literalRow, RunLengthColumns{0, 2, 4}, cut, g_spanKernels[kSpanFill8],
                                 g_spanKernels[kSpanCopy8]);
    EXPECT_EQ(std::vector<uint8_t>(cut, cut + 4), (std::vector<uint8_t>{0, 0, 2, 3}));
}
