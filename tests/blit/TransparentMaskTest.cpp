// The default blend mode "Transparent Mask": what it leaves out, what it does with the opacity,
// the pairs it has no routine for, the routine it picks on a processor without MMX, and 32-bit
// pictures composited by their alpha.
#include "RunLengthTestSupport.h"
#include "SpanKernelTestSupport.h"
#include "blit/ColorPacking.h"
#include "blit/modes/CopyBlitter.h"
#include "blit/modes/LevelBlitRoutines.h"
#include "blit/modes/MaskBlitRoutines.h"
#include "blit/modes/TransparentMaskBlitter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace rletest;

TEST(TransparentMask, Index0AndPixel0AreLeftOut)
{
    CFrame source;
    source.Create(4, 1, 8);
    SetPixelsOfRow(source, {0, 5, 0, 255});
    source.CreatePalette();
    source.GetPalette()->SetEntry(5, 0x11, 0x22, 0x33);
    source.GetPalette()->SetEntry(255, 0xAA, 0xBB, 0xCC);
    g_paletteToPixel16[5] = 0x1234;
    g_paletteToPixel16[255] = 0xABCD;
    struct Case
    {
        uint32_t depth;
        std::vector<uint32_t> expected; // over a destination of bytes 0x66
    } cases[] = {{8, {0x66, 5, 0x66, 255}},
                 {16, {0x6666, 0x1234, 0x6666, 0xABCD}},
                 {24, {0x666666, 0x112233, 0x666666, 0xAABBCC}}, // the palette's bytes in its order
                 {32, {0x66666666, 0xFF112233, 0x66666666, 0xFFAABBCC}}};
    for (const Case& c : cases)
        for (float value : {1.0f, 0.5f}) {
            CScopedOpacity opacity(g_transparentMaskBlitter, value);
            CFrame destination;
            MakePlainFrame(destination, 4, 1, c.depth, 0x66);
            ASSERT_TRUE(destination.DrawFrameAt(&source, 0, 0, &g_transparentMaskBlitter));
            EXPECT_EQ(PixelsOfRow(destination), c.expected) << c.depth << " at " << value;
        }
    g_paletteToPixel16[5] = g_paletteToPixel16[255] = 0;

    // 16-bit pixels: 0 left out, the others widened by shifts onto 24 bits.
    CFrame wide;
    wide.Create(3, 1, 16);
    SetPixelsOfRow(wide, {0xFFFF, 0, 0x0001});
    for (uint32_t depth : {16u, 24u})
        for (float value : {1.0f, 0.5f}) {
            CScopedOpacity opacity(g_transparentMaskBlitter, value);
            CFrame destination;
            MakePlainFrame(destination, 3, 1, depth, 0x66);
            ASSERT_TRUE(destination.DrawFrameAt(&wide, 0, 0, &g_transparentMaskBlitter));
            const std::vector<uint32_t> expected16{0xFFFF, 0x6666, 0x0001}, expected24{0xF8FCF8, 0x666666, 0x000008};
            EXPECT_EQ(PixelsOfRow(destination), depth == 16 ? expected16 : expected24) << value;
        }
}

TEST(TransparentMask, NoPaletteOrNoRoutineDrawsNothing)
{
    CFrame indices, wide, destination;
    indices.Create(2, 1, 8);
    SetPixelsOfRow(indices, {3, 4});
    wide.Create(2, 1, 16);
    SetPixelsOfRow(wide, {0x1234, 0x5678});
    for (uint32_t depth : {24u, 32u}) {
        MakePlainFrame(destination, 2, 1, depth, 0x66);
        EXPECT_TRUE(destination.DrawFrameAt(&indices, 0, 0, &g_transparentMaskBlitter));
        EXPECT_EQ(PixelsOfRow(destination), std::vector<uint32_t>(2, depth == 24 ? 0x666666 : 0x66666666)) << depth;
    }
    MakePlainFrame(destination, 2, 1, 8, 0x66);
    EXPECT_FALSE(destination.DrawFrameAt(&wide, 0, 0, &g_transparentMaskBlitter));
    EXPECT_EQ(PixelsOfRow(destination), std::vector<uint32_t>(2, 0x66));
}

TEST(TransparentMask, RunLength24OntoFourBytePixels)
{
    // A literal run of 5 pixels lands at 4-byte steps with every byte 3 kept, clipped or not.
    CFrame source;
    frametest::MakeRunLengthFrame(source, 6, 24, kFrameRunLengthAlpha,
                                  {{0x81, 0x45, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}});
    for (int32_t left : {0, 2}) {
        CFrame destination;
        MakePlainFrame(destination, 6, 1, 32, 0x66);
        ASSERT_TRUE(destination.Blit(&source, CIntRect{left, 0, 6, 1}, CIntRect{left, 0, 6, 1}, &g_transparentMaskBlitter));
        std::vector<uint32_t> expected = {0x66666666, 0x66030201, 0x66060504, 0x66090807, 0x660C0B0A, 0x660F0E0D};
        for (int32_t x = 0; x < left; ++x)
            expected[x] = 0x66666666;
        EXPECT_EQ(PixelsOfRow(destination), expected) << left;
    }
}

TEST(TransparentMask, TheRunLength16RoutineFollowsTheProcessor)
{
    CFrame source, destination;
    frametest::MakeRunLengthFrame(source, 2, 16, kFrameRunLengthAlpha, {{0x02, 0x34, 0x12}});
    destination.Create(2, 1, 16);
    for (bool mmx : {false, true}) {
        auto blitter = BuiltWithMmx<CTransparentMaskBlitter>(mmx);
        EXPECT_EQ(blitter->FindRoutine(&source, &destination), mmx ? &LevelBlitRle16Mmx : &LevelBlitRle16);
    }
}

TEST(TransparentMask, RectanglesOutsideTheFramesDrawNothing)
{
    // Routines called other than through a frame's blit, with rectangles reaching past a frame.
    CFrame plain, encoded, destination;
    MakePlainFrame(plain, 2, 2, 16, 0x11);
    frametest::MakeRunLengthFrame(encoded, 2, 16, kFrameRunLengthAlpha, {{0x02, 0x34, 0x12}, {0x02, 0x34, 0x12}});
    MakePlainFrame(destination, 2, 2, 16, 0x66);
    const CIntRect inside{0, 0, 2, 2};
    for (const CIntRect outside : {CIntRect{0, 0, 5, 2}, CIntRect{-1, 0, 1, 2}, CIntRect{0, 1, 2, 3}}) {
        MaskBlit16To16(&plain, &outside, &destination, &inside, &g_transparentMaskBlitter);
        MaskBlit16To16(&plain, &inside, &destination, &outside, &g_transparentMaskBlitter);
        LevelBlitRle16(&encoded, &outside, &destination, &inside, &g_transparentMaskBlitter);
        LevelBlitRle16(&encoded, &inside, &destination, &outside, &g_transparentMaskBlitter);
    }
    EXPECT_EQ(frametest::Snapshot(destination), std::vector<uint32_t>(4, 0x6666));
}

// A 32-bit picture over frames of every depth, through the default and the copy blend mode:
// alpha 255 draws the colour, 0 leaves the pixel, 128 mixes d + (s - d) * 128 / 255 (a 32-bit
// pixel's alpha covered as "over" does; 16 bits mixed in widened channels; 8 bits through the
// blend tables at the nearest fifth, three fifths here). At opacity 0.5 the alpha counts half.
TEST(TransparentMask, ThirtyTwoBitPicturesCompositeByTheirAlphaOntoEveryDepth)
{
    const uint8_t red = 0xFA, green = 0x0A, blue = 0xC8;
    const uint32_t colour = uint32_t{red} << 16 | uint32_t{green} << 8 | blue;
    CFrame source;
    source.Create(3, 1, 32);
    SetPixelsOfRow(source, {0xFF000000u | colour, 0x80000000u | colour, colour});
    auto mix = [](uint32_t d, uint32_t s, uint32_t a) { return static_cast<uint32_t>(int(d) + (int(s) - int(d)) * int(a) / 255); };
    auto mixBytes = [&](uint32_t d, uint32_t s, uint32_t a) {
        return mix(d & 0xFF, s & 0xFF, a) | mix(d >> 8 & 0xFF, s >> 8 & 0xFF, a) << 8 |
               mix(d >> 16 & 0xFF, s >> 16 & 0xFF, a) << 16;
    };
    // 8 bits: an inverse table whose every entry is 77, and blend tables telling operands apart.
    spantest::CScopedBlendTables tables;
    g_inverseColorTable15.Create(5);
    std::memset(g_inverseColorTable15.GetData(), 77, 32768);
    const uint32_t under16 = 0x8410; // grey fields shifting to 128, 128, 128
    for (CBlitter* blitter : {static_cast<CBlitter*>(&g_transparentMaskBlitter), static_cast<CBlitter*>(&g_copyBlitter)})
        for (uint32_t depth : {8u, 16u, 24u, 32u}) {
            if (depth == 32 && blitter == &g_copyBlitter)
                continue; // the copy blend mode copies same-depth pictures
            for (float opacity : {1.0f, 0.5f}) {
                CScopedOpacity scoped(*blitter, opacity);
                // Level 128: alpha a counts floor(a * 128 / 255).
                const uint32_t half = opacity == 1.0f ? 128 : 64, whole = opacity == 1.0f ? 255 : 128;
                CFrame destination;
                MakePlainFrame(destination, 3, 1, depth, 0x40);
                if (depth == 16)
                    SetPixelsOfRow(destination, {under16, under16, under16});
                ASSERT_TRUE(destination.DrawFrameAt(&source, 0, 0, blitter));
                std::vector<uint32_t> expected;
                switch (depth) {
                case 8:
                    expected = {opacity == 1.0f ? 77u : uint32_t{Alpha40_60.GetData()[0x40 * 256 + 77]},
                                uint32_t{(opacity == 1.0f ? Alpha40_60.GetData()[0x40 * 256 + 77]
                                                          : Alpha20_80.GetData()[77 * 256 + 0x40])},
                                0x40};
                    break;
                case 16:
                    expected = {PackRgbToPixel16(mix(0x80, red, whole), mix(0x80, green, whole), mix(0x80, blue, whole)),
                                PackRgbToPixel16(mix(0x80, red, half), mix(0x80, green, half), mix(0x80, blue, half)),
                                under16};
                    if (opacity == 1.0f)
                        expected[0] = PackRgbToPixel16(red, green, blue);
                    break;
                case 24:
                    expected = {opacity == 1.0f ? colour : mixBytes(0x404040, colour, whole),
                                mixBytes(0x404040, colour, half), 0x404040};
                    break;
                default:
                    expected = {opacity == 1.0f ? 0xFF000000u | colour : mix(0x40, 0xFF, whole) << 24 | mixBytes(0x404040, colour, whole),
                                mix(0x40, 0xFF, half) << 24 | mixBytes(0x404040, colour, half), 0x40404040};
                }
                EXPECT_EQ(PixelsOfRow(destination), expected) << depth << " bits, opacity " << opacity;
            }
        }
    g_inverseColorTable15.Free();
}
