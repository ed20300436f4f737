// The filtered scaling blend mode: the filter's worked weights and contributor lists, the worked
// pixel values, random images of many size pairs against a resampler written here from the
// filter and packing rules, the reuse of the lists, the hot spots, and the 8-bit path through
// the palette and the dithered depth conversion.
#include "RunLengthTestSupport.h"
#include "blit/ColorPacking.h"
#include "blit/modes/FilterResampler.h"
#include "blit/modes/FilterScaleBlitter.h"
#include "graphics/ScreenFrame.h"
#include "graphics/stages/DepthConvertStage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

using namespace rletest;
using frametest::ReadPixel;
using frametest::Snapshot;
using frametest::WritePixel;

namespace {

// The cubic with the single-precision constants of its two pieces, in double precision.
float ReferenceFilter(double t)
{
    const double x = t < 0 ? -t : t;
    if (x < 1.0)
        return static_cast<float>((7.0 * x * x * x - 12.0 * x * x + double{5.3333335f}) * double{0.16666667f});
    if (x < 2.0)
        return static_cast<float>(
            (double{-2.3333333f} * x * x * x + 12.0 * x * x - 20.0 * x + double{10.666667f}) * double{0.16666667f});
    return 0.0f;
}

struct Weight
{
    int32_t index;
    float weight;
};

// Output i of m from n pixels: centre i / s; radius 2, or 2 / s with the filter squeezed by s when
// shrinking; indexes mirrored once, then held inside.
std::vector<std::vector<Weight>> ReferenceWeights(uint32_t n, uint32_t m)
{
    const float s = static_cast<float>(m) / static_cast<float>(n);
    const double f = 1.0 / s;
    std::vector<std::vector<Weight>> lists(m);
    for (uint32_t i = 0; i < m; ++i) {
        const double center = i * f, radius = s < 1.0f ? 2.0 * f : 2.0;
        for (int64_t j = static_cast<int64_t>(std::ceil(center - radius)); j <= std::floor(center + radius); ++j) {
            int64_t index = j < 0 ? -j : j >= n ? 2 * int64_t{n} - j - 1 : j;
            index = std::clamp<int64_t>(index, 0, n - 1);
            const float w = s < 1.0f ? ReferenceFilter((center - j) * s) * s : ReferenceFilter(center - j);
            lists[i].push_back({static_cast<int32_t>(index), w});
        }
    }
    return lists;
}

// A channel sum back to its field: trunc(sum + 128.5) is the table index of v = index - 128,
// scaled by the float nearest 31/255 (63/255), half added, clamped and truncated.
uint32_t ReferencePack(double sum, float factor, double top)
{
    const int64_t index = std::clamp<int64_t>(static_cast<int64_t>(sum + 128.5), 0, 511);
    const double x = static_cast<double>(index - 128) * factor + 0.5;
    return static_cast<uint32_t>(std::clamp(x, 0.0, top));
}

// One pass over `lines` lines of pixels at line * lineStep + cell * cellStep.
std::vector<uint16_t> ReferencePass(const std::vector<uint16_t>& in, uint32_t lines, uint32_t inLength,
                                    size_t inLine, size_t inCell, uint32_t outLength, size_t outLine, size_t outCell)
{
    std::vector<uint16_t> out(static_cast<size_t>(lines) * outLength);
    const auto lists = ReferenceWeights(inLength, outLength);
    for (uint32_t line = 0; line < lines; ++line)
        for (uint32_t o = 0; o < outLength; ++o) {
            double b = 0, g = 0, r = 0;
            for (const Weight& w : lists[o]) {
                const uint32_t p = in[line * inLine + w.index * inCell];
                b += ((p & 31) * 8) * double{w.weight};
                g += (((p >> 5) & 63) * 4) * double{w.weight};
                r += ((p >> 11) * 8) * double{w.weight};
            }
            out[line * outLine + o * outCell] = static_cast<uint16_t>(
                ReferencePack(b, 0.12156863f, 31) | ReferencePack(g, 0.24705882f, 63) << 5 |
                ReferencePack(r, 0.12156863f, 31) << 11);
        }
    return out;
}

// Rows first into width x h, then columns into width x height.
std::vector<uint16_t> ReferenceResample(const std::vector<uint16_t>& source, uint32_t w, uint32_t h, uint32_t width,
                                        uint32_t height)
{
    const auto across = ReferencePass(source, h, w, w, 1, width, width, 1);
    return ReferencePass(across, width, h, 1, width, height, 1, width);
}

std::vector<uint16_t> PixelsOf(const CFrame& frame, const CIntRect& rect)
{
    std::vector<uint16_t> pixels;
    for (int32_t y = rect.m_top; y < rect.m_bottom; ++y)
        for (int32_t x = rect.m_left; x < rect.m_right; ++x)
            pixels.push_back(static_cast<uint16_t>(ReadPixel(frame, static_cast<uint32_t>(x), static_cast<uint32_t>(y))));
    return pixels;
}

void MakeFrame16(CFrame& frame, uint32_t width, uint32_t height, const std::vector<uint16_t>& pixels)
{
    frame.Create(width, height, 16);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x)
            WritePixel(frame, x, y, pixels[y * width + x]);
}

std::vector<uint16_t> RandomPixels(size_t count, std::mt19937& random)
{
    std::vector<uint16_t> pixels(count);
    for (uint16_t& p : pixels)
        p = static_cast<uint16_t>(random());
    return pixels;
}

// The palette of a test and the 5-6-5 table made from it, both restored afterwards.
class ScopedPaletteTables
{
public:
    template <class Entry>
    explicit ScopedPaletteTables(Entry entry) : m_palette(entry)
    {
        std::memcpy(m_saved, g_paletteToPixel16, sizeof m_saved);
        BuildPaletteToPixelTables(g_currentPalette);
    }
    ~ScopedPaletteTables() { std::memcpy(g_paletteToPixel16, m_saved, sizeof m_saved); }

private:
    frametest::ScopedCurrentPalette m_palette;
    uint32_t m_saved[256];
};

} // namespace

TEST(FilterResampler, WorkedWeightsAndMirroredEdges)
{
    // The worked weights to seven places (at 1 the outer piece applies).
    EXPECT_NEAR(CFilterResampler::Filter(0.0), 0.8888889, 1e-7);
    EXPECT_NEAR(CFilterResampler::Filter(1.0), 0.0555556, 1e-7);
    EXPECT_NEAR(CFilterResampler::Filter(-1.0), 0.0555556, 1e-7);
    EXPECT_EQ(CFilterResampler::Filter(2.0), 0.0f);
    EXPECT_EQ(CFilterResampler::Filter(-2.5), 0.0f);
    for (double t = -2.5; t <= 2.5; t += 0.0625)
        ASSERT_EQ(CFilterResampler::Filter(t), ReferenceFilter(t)) << t;

    CFilterResampler resampler;
    resampler.BuildHorizontalContributors(10, 10, 1.0f);
    const auto& lists = resampler.GetHorizontalContributors();
    ASSERT_EQ(lists.size(), 10u);
    const int32_t firstIndexes[] = {2, 1, 0, 1, 2}, middleIndexes[] = {3, 4, 5, 6, 7}, lastIndexes[] = {7, 8, 9, 9, 8};
    const float weights[] = {0.0f, CFilterResampler::Filter(1.0), CFilterResampler::Filter(0.0),
                             CFilterResampler::Filter(1.0), 0.0f};
    for (const auto& [output, indexes] : {std::pair{0u, firstIndexes}, {5u, middleIndexes}, {9u, lastIndexes}}) {
        ASSERT_EQ(lists[output].size(), 5u);
        for (uint32_t k = 0; k < 5; ++k) {
            EXPECT_EQ(lists[output][k].sourceIndex, indexes[k]) << output << " " << k;
            EXPECT_EQ(lists[output][k].weight, weights[k]) << output << " " << k;
        }
    }
    // Sizes where one mirror is not enough: every index stays inside the source.
    for (const auto& [n, m] : {std::pair{1u, 64u}, {2u, 64u}, {3u, 200u}, {64u, 1u}, {64u, 2u}, {1000u, 3u}}) {
        resampler.BuildVerticalContributors(n, m, static_cast<float>(m) / static_cast<float>(n));
        const auto expected = ReferenceWeights(n, m);
        const auto& built = resampler.GetVerticalContributors();
        ASSERT_EQ(built.size(), m);
        for (uint32_t i = 0; i < m; ++i) {
            ASSERT_EQ(built[i].size(), expected[i].size()) << n << "->" << m << " at " << i;
            for (size_t k = 0; k < built[i].size(); ++k) {
                ASSERT_GE(built[i][k].sourceIndex, 0);
                ASSERT_LT(built[i][k].sourceIndex, static_cast<int32_t>(n));
                ASSERT_EQ(built[i][k].sourceIndex, expected[i][k].index);
                ASSERT_EQ(built[i][k].weight, expected[i][k].weight);
            }
        }
    }
}

TEST(FilterResampler, WhiteLosesAStepAndBlackStays)
{
    CFilterResampler resampler;
    for (const auto& [colour, expected] : {std::pair<uint16_t, uint16_t>{0xFFFF, 0xEFBD}, {0x0000, 0x0000},
                                           // 5-bit values up to 18 and green up to 42 survive
                                           {(18 << 11) | (42 << 5) | 18, (18 << 11) | (42 << 5) | 18}}) {
        CFrame source, destination;
        MakeFrame16(source, 9, 7, std::vector<uint16_t>(63, colour));
        destination.Create(9, 7, 16);
        resampler.Resample(&destination, &source);
        EXPECT_EQ(PixelsOf(destination, {0, 0, 9, 7}), std::vector<uint16_t>(63, expected)) << std::hex << colour;
    }
}

TEST(FilterResampler, RandomImagesOfManySizesAndTheListsKept)
{
    std::mt19937 random(122);
    CFilterResampler resampler;
    const struct
    {
        uint32_t w, h, width, height;
    } sizes[] = {{7, 5, 13, 11}, {13, 11, 7, 5}, {1, 1, 64, 64}, {64, 64, 1, 1}, {2, 3, 1, 40},
                 {40, 1, 3, 2},  {16, 16, 16, 16}, {100, 7, 33, 20}, {5, 90, 5, 91}};
    for (const auto& size : sizes) {
        const auto pixels = RandomPixels(static_cast<size_t>(size.w) * size.h, random);
        CFrame source, destination;
        MakeFrame16(source, size.w, size.h, pixels);
        destination.Create(size.width, size.height, 16);
        resampler.Resample(&destination, &source);
        ASSERT_EQ(PixelsOf(destination, {0, 0, static_cast<int32_t>(size.width), static_cast<int32_t>(size.height)}),
                  ReferenceResample(pixels, size.w, size.h, size.width, size.height))
            << size.w << "x" << size.h << " -> " << size.width << "x" << size.height;
    }

    // The same sizes again build nothing; a new width rebuilds only the rows' lists, a new height
    // only the columns'.
    CFrame source, destination;
    MakeFrame16(source, 10, 8, RandomPixels(80, random));
    const auto resampleInto = [&](uint32_t width, uint32_t height) {
        destination.Create(width, height, 16);
        resampler.Resample(&destination, &source);
        return std::pair{resampler.GetHorizontalBuildCount(), resampler.GetVerticalBuildCount()};
    };
    const auto [across, down] = resampleInto(20, 12);
    EXPECT_EQ(resampleInto(20, 12), std::pair(across, down));
    EXPECT_EQ(resampleInto(25, 12), std::pair(across + 1, down));
    EXPECT_EQ(resampleInto(25, 9), std::pair(across + 1, down + 1));
}

TEST(FilterScaleBlitter, SixteenBitsOntoAFrameWithAHotSpot)
{
    std::mt19937 random(1222);
    for (float opacity : {1.0f, 0.5f}) {
        CScopedOpacity scoped(g_filterScaleBlitter, opacity);
        CFrame source, destination;
        const auto pixels = RandomPixels(30 * 20, random);
        MakeFrame16(source, 30, 20, pixels);
        source.SetOrigin(-7, -3);
        destination.Create(60, 40, 16);
        std::vector<uint16_t> background = RandomPixels(60 * 40, random);
        for (uint32_t i = 0; i < background.size(); ++i)
            WritePixel(destination, i % 60, i / 60, background[i]);
        destination.SetOrigin(-11, -4);
        // Source pixels (4, 2) .. (25, 18) onto destination pixels (9, 5) .. (49, 36).
        const CIntRect from{4, 2, 26, 19}, to{9, 5, 50, 37};
        ASSERT_TRUE(destination.BlitUnclipped(&source, from, to, &g_filterScaleBlitter));
        std::vector<uint16_t> cut;
        for (int32_t y = from.m_top; y < from.m_bottom; ++y)
            for (int32_t x = from.m_left; x < from.m_right; ++x)
                cut.push_back(pixels[y * 30 + x]);
        const auto scaled = ReferenceResample(cut, 22, 17, 41, 32);
        for (uint32_t y = 0; y < 40; ++y)
            for (uint32_t x = 0; x < 60; ++x) {
                const bool inside = x >= 9 && x < 50 && y >= 5 && y < 37;
                const uint16_t expected = inside ? scaled[(y - 5) * 41 + (x - 9)] : background[y * 60 + x];
                ASSERT_EQ(ReadPixel(destination, x, y), expected) << x << "," << y << " opacity " << opacity;
            }
        // Empty rectangles draw nothing.
        const auto before = Snapshot(destination);
        destination.BlitUnclipped(&source, from, CIntRect{9, 5, 9, 37}, &g_filterScaleBlitter);
        destination.BlitUnclipped(&source, CIntRect{4, 2, 4, 19}, to, &g_filterScaleBlitter);
        EXPECT_EQ(Snapshot(destination), before);
    }
}

TEST(FilterScaleBlitter, EightBitsGoThroughThePaletteAndComeBackDithered)
{
    // A palette of distinct colours whose entry 77 is exactly a 5-6-5 colour that both passes keep.
    ScopedPaletteTables palette([](uint32_t i, uint8_t& r, uint8_t& g, uint8_t& b) {
        frametest::RampEntry(i, r, g, b);
        if (i == 77) {
            r = 2 << 3;
            g = 10 << 2;
            b = 3 << 3;
        }
    });
    std::mt19937 random(8);
    CFrame source, destination;
    source.Create(20, 12, 8);
    for (uint32_t y = 0; y < 12; ++y)
        for (uint32_t x = 0; x < 20; ++x)
            WritePixel(source, x, y, 1 + random() % 254);
    MakePlainFrame(destination, 40, 30, 8, 0xC8);
    const CIntRect to{3, 4, 34, 21};
    ASSERT_TRUE(destination.BlitUnclipped(&source, CIntRect{0, 0, 20, 12}, to, &g_filterScaleBlitter));

    // Expected: the indices through the 5-6-5 table, resampled, then the dithered conversion.
    std::vector<uint16_t> expanded;
    for (uint32_t i = 0; i < 20 * 12; ++i)
        expanded.push_back(static_cast<uint16_t>(g_paletteToPixel16[ReadPixel(source, i % 20, i / 20)]));
    CFrame converted;
    MakeFrame16(converted, 31, 17, ReferenceResample(expanded, 20, 12, 31, 17));
    CDepthConvertStage dithered(true, 8);
    ASSERT_TRUE(dithered.Apply(&converted, CIntRect{0, 0, 31, 17}));
    ASSERT_EQ(converted.GetBitsPerPixel(), 8u);
    for (uint32_t y = 0; y < 30; ++y)
        for (uint32_t x = 0; x < 40; ++x) {
            const bool inside = x >= 3 && x < 34 && y >= 4 && y < 21;
            ASSERT_EQ(ReadPixel(destination, x, y), inside ? ReadPixel(converted, x - 3, y - 4) : 0xC8u)
                << x << "," << y;
        }

    // A picture of the one kept colour comes back as its own index everywhere.
    MakePlainFrame(source, 9, 5, 8, 77);
    ASSERT_TRUE(destination.BlitUnclipped(&source, CIntRect{0, 0, 9, 5}, CIntRect{0, 0, 40, 30}, &g_filterScaleBlitter));
    EXPECT_EQ(Snapshot(destination), std::vector<uint32_t>(40 * 30, 77));
}

TEST(FilterScaleBlitter, TheDisplayKeepsItsBrightness)
{
    CScreenFrame screen;
    screen.SetBrightness(1.5f);
    CFrame source, destination;
    MakeFrame16(source, 4, 4, std::vector<uint16_t>(16, 0x1234));
    destination.Create(8, 8, 16);
    ASSERT_TRUE(destination.BlitUnclipped(&source, CIntRect{0, 0, 4, 4}, CIntRect{0, 0, 8, 8}, &g_filterScaleBlitter));
    EXPECT_EQ(screen.GetBrightness(), 1.5f);
}
