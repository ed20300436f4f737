// The general copy blend mode: copies of every depth onto itself without a colour key, the
// conversions between depths with their worked values, the tables of the 8-bit display, and
// run-length sources against the same pictures as plain pixels.
#include "BlitTableTestSupport.h"
#include "RunLengthTestSupport.h"
#include "SpanKernelTestSupport.h"
#include "blit/modes/CopyBlitter.h"
#include "blit/modes/TransparentMaskBlitter.h"
#include "graphics/Frame.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(CopyBlitter, CopiesEveryPixelOfTheSameDepth)
{
    // Rows short enough for a kernel made for their length, and longer ones.
    for (uint32_t width : {1u, 5u, 16u, 21u, 22u, 63u, 64u, 70u})
        for (uint32_t depth : {8u, 16u, 24u, 32u}) {
            CFrame source, destination;
            source.Create(width, 4, depth);
            destination.Create(width + 2, 4, depth);
            const uint32_t bytes = depth / 8, size = width * 4 * bytes;
            for (uint32_t i = 0; i < size; ++i)
                source.GetPixels()[i] = static_cast<uint8_t>(i % 3); // zeros included: no colour key
            std::memset(destination.GetPixels(), 0xFF, (width + 2) * 4 * bytes);
            ASSERT_TRUE(destination.DrawFrameAt(&source, 1, 0, &g_copyBlitter)) << depth;
            for (uint32_t r = 0; r < 4; ++r) {
                const uint8_t* row = destination.GetPixels() + r * (width + 2) * bytes;
                EXPECT_EQ(std::memcmp(row + bytes, source.GetPixels() + r * width * bytes, width * bytes), 0)
                    << depth << " width " << width;
                EXPECT_EQ(row[0], 0xFF);
                EXPECT_EQ(row[(width + 2) * bytes - 1], 0xFF) << depth << " width " << width;
            }
        }
}

namespace {

using namespace rletest;

// One pixel of the source depth converted through g_copyBlitter onto the destination depth.
uint32_t Convert(uint32_t sourceDepth, uint32_t destinationDepth, uint32_t pixel, CBlitter& blitter = g_copyBlitter)
{
    CFrame source, destination;
    source.Create(1, 1, sourceDepth);
    frametest::WritePixel(source, 0, 0, pixel);
    MakePlainFrame(destination, 1, 1, destinationDepth, 0xEE);
    destination.DrawFrameAt(&source, 0, 0, &blitter);
    return frametest::ReadPixel(destination, 0, 0);
}

} // namespace

TEST(CopyBlitter, ConversionsWidenByShiftsAndPackByRounding)
{
    EXPECT_EQ(Convert(16, 24, 0xF800), 0xF80000u); // red in byte 2
    EXPECT_EQ(Convert(16, 24, 0x07E0), 0x00FC00u);
    EXPECT_EQ(Convert(16, 24, 0x001F), 0x0000F8u);
    EXPECT_EQ(Convert(16, 32, 0xFFFF), 0xFFF8FCF8u);
    EXPECT_EQ(Convert(24, 32, 0x000000), 0xFF000000u);
    EXPECT_EQ(Convert(24, 16, 0xFFFFFF), 0xFFFFu);
    EXPECT_EQ(Convert(24, 16, 0x040204), 0x0821u); // bytes blue 4, green 2, red 4: rounded arithmetic
    EXPECT_EQ(Convert(24, 16, 0xF8FCF8), 0xFFFFu);
    BuildDerivedPaletteTables(); // the 8-bit display's packing tables
    EXPECT_EQ(Convert(24, 16, 0xFFFFFF), 0xFFFFu);
    EXPECT_EQ(Convert(24, 16, 0x040204), 0x0000u);
    EXPECT_EQ(Convert(24, 16, 0xF8FCF8), 0xF7DEu);
    EXPECT_EQ(Convert(24, 16, Convert(16, 24, 0xFFFF)), 0xF7DEu);
    blittest::ForgetEightBitTables();
    // Every value is written, 0 included.
    for (uint32_t depth : {8u, 16u, 24u, 32u})
        EXPECT_EQ(Convert(depth, depth, 0), 0u) << depth;
    EXPECT_EQ(Convert(16, 24, 0), 0u);
}

// Every 16-bit pixel widened to 24 bits and packed again: the arithmetic packer undoes the shifts,
// the 8-bit display's tables (31/255 and 63/255 to nearest) take a level off upper fields.
TEST(CopyBlitter, WideningAndPackingAreInverseOnlyWithoutTheTables)
{
    CFrame all, wide, back;
    all.Create(256, 256, 16);
    for (uint32_t v = 0; v < 65536; ++v)
        frametest::WritePixel(all, v & 255, v >> 8, v);
    wide.Create(256, 256, 24);
    back.Create(256, 256, 16);
    ASSERT_TRUE(wide.DrawFrameAt(&all, 0, 0, &g_copyBlitter));
    auto nearest = [](uint32_t field, uint32_t bits) {
        const uint32_t top = (1u << bits) - 1, widened = field << (8 - bits);
        return (widened * top * 2 + 255) / 510; // floor(widened * top / 255 + 0.5)
    };
    for (bool tables : {false, true}) {
        if (tables)
            BuildDerivedPaletteTables();
        ASSERT_TRUE(back.DrawFrameAt(&wide, 0, 0, &g_copyBlitter));
        for (uint32_t v = 0; v < 65536; ++v) {
            const uint32_t want = tables ? nearest(v >> 11, 5) << 11 | nearest(v >> 5 & 63, 6) << 5 | nearest(v & 31, 5) : v;
            ASSERT_EQ(frametest::ReadPixel(back, v & 255, v >> 8), want) << std::hex << v << (tables ? " tables" : "");
        }
    }
    blittest::ForgetEightBitTables();
}

TEST(CopyBlitter, TablesOfThe8BitDisplay)
{
    // Without the inverse colour tables (other displays) conversions to 8 bits draw nothing.
    EXPECT_EQ(Convert(16, 8, 0x1234), 0xEEu);
    EXPECT_EQ(Convert(24, 8, 0x123456), 0xEEu);
    g_inverseColorTable16.Create(7);
    g_inverseColorTable15.Create(5);
    for (uint32_t i = 0; i < 65536; ++i)
        g_inverseColorTable16.GetData()[i] = static_cast<uint8_t>(i * 7 >> 4);
    for (uint32_t i = 0; i < 32768; ++i)
        g_inverseColorTable15.GetData()[i] = static_cast<uint8_t>(i * 5 >> 5);
    BuildDerivedPaletteTables();
    EXPECT_EQ(Convert(16, 8, 0x1234), (0x1234u * 7 >> 4) & 0xFF);
    // Bytes blue 0x56, green 0x34, red 0x12 round to 5-bit fields 11, 6, 2.
    const uint32_t index15 = 2 << 10 | 6 << 5 | 11;
    EXPECT_EQ(Convert(24, 8, 0x123456), (index15 * 5 >> 5) & 0xFF);
    blittest::ForgetEightBitTables();
}

TEST(CopyBlitter, EightBitOpacityAndPalettes)
{
    // 8 -> 8: a copy at exactly 1.0; any other opacity mixes the source over the destination (0xEE)
    // by its nearest fifth through the blend tables. Without the tables only the stronger half
    // draws, as a copy; index 0 never draws.
    EXPECT_EQ(Convert(8, 8, 200), 200u);
    const struct
    {
        float opacity;
        uint32_t withoutTables;
        uint32_t (*withTables)();
    } cases[] = {
        {0.01f, 0xEE, [] { return 0xEEu; }},
        {0.2f, 0xEE, [] { return uint32_t{Alpha20_80.GetData()[200 * 256 + 0xEE]}; }},
        {0.4f, 0xEE, [] { return uint32_t{Alpha40_60.GetData()[200 * 256 + 0xEE]}; }},
        {0.5f, 200, [] { return uint32_t{Alpha40_60.GetData()[0xEE * 256 + 200]}; }},
        {0.8f, 200, [] { return uint32_t{Alpha20_80.GetData()[0xEE * 256 + 200]}; }},
        {0.95f, 200, [] { return 200u; }},
    };
    for (const auto& c : cases) {
        CScopedOpacity opacity(g_copyBlitter, c.opacity);
        EXPECT_EQ(Convert(8, 8, 200), c.withoutTables) << c.opacity << " no table";
        spantest::CScopedBlendTables tables;
        EXPECT_EQ(Convert(8, 8, 200), c.withTables()) << c.opacity;
        EXPECT_EQ(Convert(8, 8, 0), 0xEEu) << c.opacity;
    }
    // 8 -> 24/32: the blend mode's own palette wins over the frame's; neither draws nothing.
    CFrame source, destination;
    source.Create(2, 1, 8);
    SetPixelsOfRow(source, {1, 0});
    MakePlainFrame(destination, 2, 1, 32, 0xEE);
    destination.DrawFrameAt(&source, 0, 0, &g_copyBlitter);
    EXPECT_EQ(PixelsOfRow(destination), std::vector<uint32_t>(2, 0xEEEEEEEE));
    source.CreatePalette();
    source.GetPalette()->SetEntry(1, 0x10, 0x20, 0x30);
    destination.DrawFrameAt(&source, 0, 0, &g_copyBlitter);
    EXPECT_EQ(PixelsOfRow(destination)[0], 0xFF102030u);
    g_copyBlitter.GetLookupTable()->Create(1);
    g_copyBlitter.GetLookupTable()->SetEntry(1, 0xAA, 0xBB, 0xCC);
    destination.DrawFrameAt(&source, 0, 0, &g_copyBlitter);
    EXPECT_EQ(PixelsOfRow(destination)[0], 0xFFAABBCCu);
    g_copyBlitter.GetLookupTable()->Free();
}

TEST(CopyBlitter, RunLengthAndPlainFramesGiveTheSameBytes)
{
    // A fully covered picture as run-length rows and as plain pixels, onto 16, 24 and 32 bits;
    // and a picture with holes against plain pixels of 0 there drawn by the default blend mode.
    std::mt19937 random(41);
    Picture picture = RandomPicture(50, 4, 0xFFFF, random);
    for (bool holes : {false, true}) {
        for (Row& row : picture)
            for (Pixel& pixel : row) {
                pixel.covered = holes ? pixel.covered && pixel.value != 0 : true;
                pixel.value = holes && !pixel.covered ? 0 : pixel.value;
            }
        CFrame encoded, plain;
        MakeFrame(encoded, 16, kFrameRunLengthAlpha, picture, random);
        plain.Create(50, 4, 16);
        for (uint32_t r = 0; r < 4; ++r)
            for (uint32_t x = 0; x < 50; ++x)
                frametest::WritePixel(plain, x, r, picture[r][x].value);
        CBlitter& plainBlitter = holes ? static_cast<CBlitter&>(g_transparentMaskBlitter) : g_copyBlitter;
        for (uint32_t depth : holes ? std::vector<uint32_t>{16, 24} : std::vector<uint32_t>{16, 24, 32}) {
            CFrame first, second;
            MakePlainFrame(first, 50, 4, depth, 0x77);
            MakePlainFrame(second, 50, 4, depth, 0x77);
            ASSERT_TRUE(first.Blit(&encoded, CIntRect{3, 0, 48, 4}, CIntRect{1, 0, 46, 4}, &g_copyBlitter));
            ASSERT_TRUE(second.Blit(&plain, CIntRect{3, 0, 48, 4}, CIntRect{1, 0, 46, 4}, &plainBlitter));
            EXPECT_EQ(frametest::Snapshot(first), frametest::Snapshot(second)) << depth << " holes " << holes;
        }
    }
}

TEST(CopyBlitter, AFrameDrawnOntoItselfMovesLikeMemmove)
{
    for (uint32_t depth : {8u, 16u, 24u, 32u})
        for (auto [dx, dy] : {std::pair{2, 0}, {-2, 0}, {0, 1}, {0, -1}, {1, 2}, {-1, -1}}) {
            CFrame frame, copy;
            frame.Create(9, 5, depth);
            for (uint32_t i = 0; i < 9 * 5 * depth / 8; ++i)
                frame.GetPixels()[i] = static_cast<uint8_t>(i * 7 + 1);
            copy.CopyFrom(&frame);
            const CIntRect from{2, 1, 7, 4}, to{2 + dx, 1 + dy, 7 + dx, 4 + dy};
            ASSERT_TRUE(copy.Blit(&frame, from, to, &g_copyBlitter));
            ASSERT_TRUE(frame.Blit(&frame, from, to, &g_copyBlitter));
            EXPECT_EQ(frametest::Snapshot(frame), frametest::Snapshot(copy)) << depth << " by " << dx << ", " << dy;
        }
}

// A faded copy (a disabled button's image) fades at every depth: 24-bit and 32-bit copies at an
// opacity below 1.0 move each byte by trunc((s - d) * level / 256), as 16-bit ones blend.
TEST(CopyBlitter, SameDepthCopiesFadeByTheOpacity)
{
    CScopedOpacity opacity(g_copyBlitter, 0.5f); // level 128
    auto fade = [](uint32_t d, uint32_t s) { return static_cast<uint32_t>(int(d) + (int(s) - int(d)) * 128 / 256); };
    EXPECT_EQ(Convert(24, 24, 0xFF0080), fade(0xEE, 0xFF) << 16 | fade(0xEE, 0x00) << 8 | fade(0xEE, 0x80));
    EXPECT_EQ(Convert(32, 32, 0x10FF0080),
              fade(0xEE, 0x10) << 24 | fade(0xEE, 0xFF) << 16 | fade(0xEE, 0x00) << 8 | fade(0xEE, 0x80));
}
