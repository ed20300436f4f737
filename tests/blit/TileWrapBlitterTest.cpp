// The tile and wrap blend modes: the worked values, random textures, rectangles and coordinates
// of every depth against a sampler written here from the wrapping rules, the recolouring of
// run-length frames, and the guards (empty textures, far offsets, rows outside the texture).
#include "RunLengthTestSupport.h"
#include "blit/modes/TileBlitter.h"
#include "blit/modes/WrapBlitter.h"
#include "blit/modes/WrapXBlitter.h"
#include "blit/modes/WrapYBlitter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

using namespace rletest;
using frametest::FillPattern;
using frametest::ReadPixel;
using frametest::Snapshot;
using frametest::WritePixel;

namespace {

void FillRandom(CFrame& frame, std::mt19937& random)
{
    for (uint32_t y = 0; y < frame.GetHeight(); ++y)
        for (uint32_t x = 0; x < frame.GetWidth(); ++x)
            WritePixel(frame, x, y, static_cast<uint32_t>(random()));
}

// The largest power of two not above the size, less one.
int64_t Mask(uint32_t size)
{
    int64_t power = 1;
    while (power * 2 <= size)
        power *= 2;
    return power - 1;
}

enum class Wrap
{
    Both,
    Columns,
    Rows
};

// What a wrap draw of the texture into the rectangle leaves, from the destination before it.
// opaque: bits or'ed into every texture pixel (the alpha byte of a 24-bit texture on 32 bits).
std::vector<uint32_t> ExpectedWrap(const CFrame& texture, int32_t left, int32_t top, const CFrame& destination,
                                   const CIntRect& to, Wrap wrap, uint32_t opaque = 0)
{
    std::vector<uint32_t> pixels = Snapshot(destination);
    const int64_t wm = Mask(texture.GetWidth()), hm = Mask(texture.GetHeight());
    for (int32_t k = 0; k < to.GetHeight(); ++k)
        for (int32_t i = 0; i < to.GetWidth(); ++i) {
            int64_t sx = (int64_t{left} + i) & wm, sy = (int64_t{top} + k) & hm;
            if (wrap == Wrap::Columns)
                sy = std::clamp<int64_t>(int64_t{top} + k, 0, texture.GetHeight() - 1);
            if (wrap == Wrap::Rows) {
                sx = i;
                if (sx >= texture.GetWidth())
                    continue;
            }
            pixels[static_cast<size_t>(to.m_top + k) * destination.GetWidth() + to.m_left + i] =
                ReadPixel(texture, static_cast<uint32_t>(sx), static_cast<uint32_t>(sy)) | opaque;
        }
    return pixels;
}

// What a tile draw leaves: pixel (i, k) of the rectangle shows source pixel ((i + left) mod w,
// (k + top) mod h), where both are not negative; run-length sources only where covered.
std::vector<uint32_t> ExpectedTiles(const std::vector<std::vector<uint32_t>>& tile,
                                    const std::vector<std::vector<bool>>& covered, int32_t left, int32_t top,
                                    const CFrame& destination, const CIntRect& to)
{
    std::vector<uint32_t> pixels = Snapshot(destination);
    const int64_t th = static_cast<int64_t>(tile.size()), tw = static_cast<int64_t>(tile[0].size());
    for (int32_t k = 0; k < to.GetHeight(); ++k)
        for (int32_t i = 0; i < to.GetWidth(); ++i) {
            const int64_t sx = int64_t{i} + left, sy = int64_t{k} + top;
            if (sx < 0 || sy < 0 || !covered[sy % th][sx % tw])
                continue;
            pixels[static_cast<size_t>(to.m_top + k) * destination.GetWidth() + to.m_left + i] = tile[sy % th][sx % tw];
        }
    return pixels;
}

std::vector<std::vector<uint32_t>> PlainTile(const CFrame& frame)
{
    std::vector<std::vector<uint32_t>> tile(frame.GetHeight());
    for (uint32_t y = 0; y < frame.GetHeight(); ++y)
        for (uint32_t x = 0; x < frame.GetWidth(); ++x)
            tile[y].push_back(ReadPixel(frame, x, y));
    return tile;
}

} // namespace

TEST(WrapBlitter, WorkedValuesOfTheSixteenBitTexture)
{
    CFrame texture, destination;
    texture.Create(64, 64, 16);
    for (uint32_t y = 0; y < 64; ++y)
        for (uint32_t x = 0; x < 64; ++x)
            WritePixel(texture, x, y, y * 64 + x);
    MakePlainFrame(destination, 14, 4, 16, 0xEE);
    destination.BlitUnclipped(&texture, CIntRect{70, -1, 80, 1}, CIntRect{2, 1, 12, 3}, &g_wrapBlitter);
    for (uint32_t i = 0; i < 10; ++i) {
        EXPECT_EQ(ReadPixel(destination, 2 + i, 1), 63u * 64 + 6 + i); // row 63 from column 6
        EXPECT_EQ(ReadPixel(destination, 2 + i, 2), 6 + i);             // then row 0
    }
    EXPECT_EQ(ReadPixel(destination, 1, 1), 0xEEEEu);
    EXPECT_EQ(ReadPixel(destination, 12, 2), 0xEEEEu);
    EXPECT_EQ(ReadPixel(destination, 2, 0), 0xEEEEu);
}

TEST(WrapBlitter, RandomTexturesOfEveryDepthAndForm)
{
    std::mt19937 random(121);
    const struct
    {
        CBlitter* blitter;
        Wrap wrap;
    } modes[] = {{&g_wrapBlitter, Wrap::Both}, {&g_wrapXBlitter, Wrap::Columns}, {&g_wrapYBlitter, Wrap::Rows}};
    const int32_t farCoordinates[] = {INT32_MIN, INT32_MAX, -1, 0};
    for (const auto& mode : modes)
        for (uint32_t depth : {8u, 16u, 24u})
            for (int round = 0; round < 60; ++round) {
                CScopedOpacity opacity(*mode.blitter, round % 2 == 0 ? 1.0f : 0.3f);
                CFrame texture, destination;
                // Powers of two and other sizes (whose first 2^n pixels repeat).
                const uint32_t width = round % 3 == 0 ? 1u << (random() % 7) : 1 + random() % 70;
                const uint32_t height = round % 3 == 0 ? 1u << (random() % 7) : 1 + random() % 70;
                texture.Create(width, height, depth);
                FillRandom(texture, random);
                destination.Create(50, 30, depth);
                FillRandom(destination, random);
                const int32_t l = static_cast<int32_t>(random() % 50), t = static_cast<int32_t>(random() % 30);
                const CIntRect to{l, t, l + 1 + static_cast<int32_t>(random() % (50 - l)),
                                  t + 1 + static_cast<int32_t>(random() % (30 - t))};
                int32_t left = static_cast<int32_t>(random() % 2001) - 1000;
                int32_t top = static_cast<int32_t>(random() % 2001) - 1000;
                if (round < 4) {
                    left = farCoordinates[round];
                    top = farCoordinates[3 - round];
                }
                const auto expected = ExpectedWrap(texture, left, top, destination, to, mode.wrap);
                // Only the left and top of the source rectangle count.
                ASSERT_TRUE(destination.BlitUnclipped(&texture, CIntRect{left, top, left, top}, to, mode.blitter));
                ASSERT_EQ(Snapshot(destination), expected)
                    << "wrap " << int(mode.wrap) << " depth " << depth << " round " << round << " texture " << width
                    << "x" << height << " at " << left << "," << top;
            }
}

// On a 32-bit display the window textures (24-bit, or 32-bit where translucent) wrap onto 32-bit
// frames: a 24-bit texel gets alpha 255, a 32-bit one is copied.
TEST(WrapBlitter, TexturesWrapOntoThirtyTwoBitFrames)
{
    std::mt19937 random(122);
    for (uint32_t depth : {24u, 32u})
        for (int round = 0; round < 20; ++round) {
            CFrame texture, destination;
            texture.Create(1u << (random() % 6), 1 + random() % 40, depth);
            FillRandom(texture, random);
            destination.Create(40, 20, 32);
            FillRandom(destination, random);
            const CIntRect to{3, 2, 3 + 1 + static_cast<int32_t>(random() % 37), 2 + 1 + static_cast<int32_t>(random() % 18)};
            const int32_t left = static_cast<int32_t>(random() % 201) - 100, top = static_cast<int32_t>(random() % 201) - 100;
            const auto expected = ExpectedWrap(texture, left, top, destination, to, Wrap::Both, depth == 24 ? 0xFF000000u : 0);
            ASSERT_TRUE(destination.BlitUnclipped(&texture, CIntRect{left, top, left, top}, to, &g_wrapBlitter));
            ASSERT_EQ(Snapshot(destination), expected) << depth << " round " << round;
        }
}

TEST(WrapBlitter, DrawsNothingWithoutATextureOrInsideRectangle)
{
    for (CBlitter* blitter : std::initializer_list<CBlitter*>{&g_wrapBlitter, &g_wrapXBlitter, &g_wrapYBlitter}) {
        CFrame texture, empty, destination;
        texture.Create(8, 8, 16);
        FillPattern(texture);
        MakePlainFrame(destination, 10, 10, 16, 0x5A);
        const auto before = Snapshot(destination);
        const BlitRoutine routine = blitter->FindRoutine(&texture, &destination);
        ASSERT_NE(routine, nullptr);
        const CIntRect from{0, 0, 8, 8};
        const CIntRect outside{5, 5, 11, 8};
        routine(&texture, &from, &destination, &outside, blitter);
        const CIntRect inside{0, 0, 10, 10};
        routine(&empty, &from, &destination, &inside, blitter);
        EXPECT_EQ(Snapshot(destination), before);
    }
}

TEST(WrapBlitter, RecoloursARunLengthFrameAndKeepsItsRuns)
{
    std::mt19937 random(1216);
    for (int round = 0; round < 30; ++round) {
        const uint32_t width = 20 + random() % 60, height = 1 + random() % 6;
        const Picture main = RandomPicture(width, height, 0xFFFF, random);
        const Picture layer = RandomPicture(width, height, 0xFFFF, random);
        CFrame frame, texture;
        MakeFrame(frame, 16, kFrameRunLengthAlpha, main, random, &layer);
        texture.Create(16, round % 2 == 0 ? 8 : 5, 16); // 5 rows repeat their first 4
        FillRandom(texture, random);
        const int32_t left = static_cast<int32_t>(random() % 200) - 100, top = static_cast<int32_t>(random() % 200) - 100;

        std::vector<std::vector<DecodedPixel>> before[2];
        for (uint32_t r = 0; r < height; ++r) {
            before[0].push_back(DecodeFrameRow(frame, 0, r, 2));
            before[1].push_back(DecodeFrameRow(frame, 4, r, 2));
        }
        uint32_t alphaBytes = 0; // the whole block of layer 3, its size first
        std::memcpy(&alphaBytes, frame.GetLayer3Pixels(), 4);
        const std::vector<uint8_t> alphas(frame.GetLayer3Pixels(), frame.GetLayer3Pixels() + alphaBytes);

        ASSERT_TRUE(frame.BlitUnclipped(&texture, CIntRect{left, top, left + 1, top + 1}, CIntRect{0, 0, 1, 1},
                                        &g_wrapBlitter));
        const int64_t hm = Mask(texture.GetHeight());
        for (uint32_t layerIndex = 0; layerIndex < 2; ++layerIndex)
            for (uint32_t r = 0; r < height; ++r) {
                const auto after = DecodeFrameRow(frame, layerIndex == 0 ? 0 : 4, r, 2);
                for (uint32_t x = 0; x < width; ++x) {
                    const DecodedPixel& was = before[layerIndex][r][x];
                    const DecodedPixel& now = after[x];
                    ASSERT_EQ(now.covered, was.covered) << round << " " << r << " " << x;
                    ASSERT_EQ(now.literal, was.literal);
                    ASSERT_EQ(now.runStart, was.runStart);
                    ASSERT_EQ(now.runLength, was.runLength);
                    if (!now.covered)
                        continue;
                    // A fill run takes the texture at its first column, a literal pixel its own.
                    const int64_t column = (int64_t{left} + (now.literal ? x : now.runStart)) & 15;
                    const int64_t row = (int64_t{top} + r) & hm;
                    ASSERT_EQ(now.value, ReadPixel(texture, static_cast<uint32_t>(column), static_cast<uint32_t>(row)))
                        << "round " << round << " layer " << layerIndex << " row " << r << " column " << x;
                }
            }
        EXPECT_EQ(std::vector<uint8_t>(frame.GetLayer3Pixels(), frame.GetLayer3Pixels() + alphaBytes), alphas);
    }
}

TEST(TileBlitter, TilesStartBeforeTheRectangleAndRepeatAcrossIt)
{
    std::mt19937 random(1215);
    // The worked case: a 32-pixel tile, source left 8: tiles at -8, 24, 56 and 88 of a
    // 100-pixel-wide rectangle. Then offsets that leave columns and rows untouched, far offsets,
    // a hot spot, and every depth.
    const struct
    {
        int32_t left, top;
        uint32_t depth;
        int16_t hotX, hotY;
    } cases[] = {{8, 0, 16, 0, 0},          {-5, -2, 16, 0, 0}, {32 * 1000 + 3, 64 * 5000, 16, 0, 0},
                 {-200, 1, 16, 0, 0},       {13, 7, 8, -4, -9}, {40, 33, 24, 2, 3}};
    for (const auto& c : cases) {
        CFrame tile, destination;
        tile.Create(32, 20, c.depth);
        FillRandom(tile, random);
        tile.SetOrigin(c.hotX, c.hotY);
        destination.Create(120, 50, c.depth);
        FillRandom(destination, random);
        const CIntRect to{7, 3, 107, 48};
        const std::vector<std::vector<bool>> covered(20, std::vector<bool>(32, true));
        const auto expected = ExpectedTiles(PlainTile(tile), covered, c.left, c.top, destination, to);
        ASSERT_TRUE(destination.BlitUnclipped(&tile, CIntRect{c.left, c.top, c.left + 1, c.top + 1}, to,
                                              &g_tileBlitter));
        EXPECT_EQ(Snapshot(destination), expected) << c.left << "," << c.top << " depth " << c.depth;
    }
}

TEST(TileBlitter, RunLengthTilesKeepTheirHoles)
{
    std::mt19937 random(4);
    const Picture picture = RandomPicture(23, 9, 0xFFFF, random);
    CFrame tile, destination;
    MakeFrame(tile, 16, kFrameRunLengthAlpha, picture, random);
    destination.Create(80, 40, 16);
    FillRandom(destination, random);
    std::vector<std::vector<uint32_t>> values(9);
    std::vector<std::vector<bool>> covered(9);
    for (uint32_t y = 0; y < 9; ++y)
        for (const Pixel& p : picture[y]) {
            values[y].push_back(p.value);
            covered[y].push_back(p.covered);
        }
    const CIntRect to{1, 2, 79, 37};
    const auto expected = ExpectedTiles(values, covered, 5, -3, destination, to);
    ASSERT_TRUE(destination.BlitUnclipped(&tile, CIntRect{5, -3, 6, -2}, to, &g_tileBlitter));
    EXPECT_EQ(Snapshot(destination), expected);
}

TEST(TileBlitter, ATileOfNoSizeOrARectangleOutsideDrawsNothing)
{
    CFrame empty, tile, destination;
    tile.Create(4, 4, 16);
    FillPattern(tile);
    MakePlainFrame(destination, 10, 10, 16, 0x33);
    const auto before = Snapshot(destination);
    const CIntRect from{0, 0, 1, 1}, inside{0, 0, 10, 10}, outside{-4, 0, 10, 10};
    TileBlit(&empty, &from, &destination, &inside, &g_tileBlitter); // would never advance
    TileBlit(&tile, &from, &destination, &outside, &g_tileBlitter);
    EXPECT_EQ(Snapshot(destination), before);
}
