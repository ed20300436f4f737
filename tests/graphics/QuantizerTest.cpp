// The median-cut quantizer, and the ditherer against a plain Floyd-Steinberg over a whole image
// array written here.
#include "graphics/ColorHistogram.h"
#include "graphics/Ditherer.h"
#include "graphics/PaletteTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <set>
#include <vector>

namespace {

// The colours as (blue, green, red) triples, sorted.
std::vector<std::array<int, 3>> Quantize(const CColorHistogram& histogram, uint32_t maxColors)
{
    uint8_t bytes[256 * 3];
    uint32_t count = 99;
    QuantizeHistogram(histogram, maxColors, bytes, count);
    std::vector<std::array<int, 3>> colours;
    for (uint32_t i = 0; i < count; ++i)
        colours.push_back({bytes[i * 3], bytes[i * 3 + 1], bytes[i * 3 + 2]});
    std::sort(colours.begin(), colours.end());
    return colours;
}

} // namespace

TEST(ColorQuantizer, BoxesOfOneTwoAndNoColours)
{
    CColorHistogram histogram;
    EXPECT_TRUE(Quantize(histogram, 256).empty());
    for (int i = 0; i < 50; ++i)
        histogram.AddColor(200, 100, 50);
    for (uint32_t maxColors : {1u, 256u})
        EXPECT_EQ(Quantize(histogram, maxColors), (std::vector<std::array<int, 3>>{{48, 100, 200}}));
    EXPECT_TRUE(Quantize(histogram, 0).empty());
    histogram.AddColor(3, 250, 129);
    for (uint32_t maxColors : {2u, 3u, 256u})
        EXPECT_EQ(Quantize(histogram, maxColors), (std::vector<std::array<int, 3>>{{48, 100, 200}, {128, 248, 0}}));
    // One colour allowed: the mean of both cells by count, rounded.
    EXPECT_EQ(Quantize(histogram, 1),
              (std::vector<std::array<int, 3>>{{(25 + 632 * 4) / 51, (25 + 1312 * 4) / 51, (25 + 2500 * 4) / 51}}));
}

TEST(ColorQuantizer, TheBoxOfLargestErrorSplitsFirst)
{
    // Red cells 0 and 1 (a tight pair) and 40 and 63 (a far pair): the first cut parts the pairs,
    // the second the far pair, whose error is larger.
    CColorHistogram histogram;
    for (int cell : {0, 1, 40, 63})
        histogram.AddColor(static_cast<uint8_t>(cell * 4), 0, 0);
    auto reds = [&](uint32_t maxColors) {
        std::vector<int> result;
        for (const auto& c : Quantize(histogram, maxColors))
            result.push_back(c[2]);
        std::sort(result.begin(), result.end());
        return result;
    };
    EXPECT_EQ(reds(2), (std::vector<int>{2, 206}));
    EXPECT_EQ(reds(3), (std::vector<int>{2, 160, 252}));

    // As a palette from entry 250 on: the colours, then black up to the white entry 255.
    CPaletteTable palette;
    palette.BuildFromHistogram(histogram, 250, 3);
    const uint8_t expected[] = {0, 0, 2, 0, 0, 160, 0, 0, 252, 0, 0, 0, 0, 0, 0, 255, 255, 255};
    EXPECT_EQ(std::vector<uint8_t>(palette.GetData() + 250 * 3, palette.GetData() + 768),
              std::vector<uint8_t>(std::begin(expected), std::end(expected)));
    // No colour is written past entry 255.
    palette.BuildFromHistogram(histogram, 254, 300);
    EXPECT_EQ(palette.GetData()[254 * 3 + 2] + palette.GetData()[255 * 3 + 2], 2 + 206);
}

namespace {

// A palette of the given 0xRRGGBB entries, the rest black.
void MakePalette(CPaletteTable& palette, std::initializer_list<int> greysAndColours)
{
    palette.Create(1);
    uint32_t i = 0;
    for (int c : greysAndColours)
        palette.SetEntry(i++, static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c));
    for (; i < 256; ++i)
        palette.SetEntry(i, 0, 0, 0);
}

// Floyd-Steinberg in scan order over the whole image: the right-hand share goes to the next pixel
// in scan order, the shares below only to pixels that exist.
std::vector<int> ReferenceDither(CPaletteTable& palette, const std::vector<std::array<float, 3>>& image, int width)
{
    std::vector<std::array<float, 3>> error(image.size() + width + 2);
    std::vector<int> indices;
    for (int p = 0; p < static_cast<int>(image.size()); ++p) {
        float adjusted[3];
        long want[3];
        for (int c = 0; c < 3; ++c) {
            adjusted[c] = std::clamp(image[p][c] - error[p][c], 0.0f, 1.0f);
            want[c] = std::lround(adjusted[c] * 255.0f);
        }
        int best = 1;
        long bestDistance = -1;
        uint8_t e[3];
        for (int i = 1; i < 256; ++i) {
            palette.GetEntry(static_cast<uint32_t>(i), e[0], e[1], e[2]);
            const long d = 30 * (want[0] - e[0]) * (want[0] - e[0]) + 59 * (want[1] - e[1]) * (want[1] - e[1]) +
                           11 * (want[2] - e[2]) * (want[2] - e[2]);
            if (bestDistance < 0 || d < bestDistance) {
                bestDistance = d;
                best = i;
            }
        }
        indices.push_back(best);
        palette.GetEntry(static_cast<uint32_t>(best), e[0], e[1], e[2]);
        for (int c = 0; c < 3; ++c) {
            const float spread = e[c] / 255.0f - adjusted[c];
            error[p + 1][c] += spread * 0.4375f;
            if (p % width != 0)
                error[p + width - 1][c] += spread * 0.1875f;
            error[p + width][c] += spread * 0.3125f;
            if (p % width + 1 < width)
                error[p + width + 1][c] += spread * 0.0625f;
        }
    }
    return indices;
}

} // namespace

TEST(Ditherer, MatchesPlainFloydSteinbergOverAnImage)
{
    CPaletteTable palette;
    MakePalette(palette, {0, 0, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0x808080, 0xFFFF00, 0x4020C8});
    std::mt19937 random(9);
    for (int width : {1, 2, 3, 7, 16}) {
        std::vector<std::array<float, 3>> image(width * 6);
        for (auto& pixel : image)
            for (float& c : pixel)
                c = static_cast<float>(random() % 1000) / 999.0f;
        CDitherer ditherer(static_cast<uint32_t>(width), 100.0f, palette, palette);
        std::vector<int> indices;
        for (const auto& pixel : image)
            indices.push_back(ditherer.Dither(pixel[0], pixel[1], pixel[2]));
        EXPECT_EQ(indices, ReferenceDither(palette, image, width)) << "width " << width;
    }
}

TEST(Ditherer, ExactMatchesSpreadNoErrorAndSnappedPixelsIgnoreTheCarriedError)
{
    CPaletteTable palette;
    MakePalette(palette, {0, 0, 0xFFFFFF, 0x666666});
    const float grey = 102.0f / 255.0f;
    CDitherer exact(4, 100.0f, palette, palette);
    for (float v : {grey, 1.0f, 0.0f, grey, grey, 1.0f, 0.0f, 0.0f})
        EXPECT_EQ(exact.Dither(v, v, v), v == grey ? 3 : v == 1.0f ? 2 : 1);
    // A grey between entries 3 and 2 alternates between them, but with a threshold of 0 every
    // pixel snaps to its own nearest entry.
    CDitherer dithered(8, 100.0f, palette, palette), snapping(8, 0.0f, palette, palette);
    std::set<int> seen;
    for (int i = 0; i < 8; ++i) {
        seen.insert(dithered.Dither(0.72f, 0.72f, 0.72f));
        EXPECT_EQ(snapping.Dither(0.72f, 0.72f, 0.72f), 2);
    }
    EXPECT_EQ(seen, (std::set<int>{2, 3}));
}
