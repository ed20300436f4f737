// "Blend Amplify Light", "Blend Black Bias" and "Blend Test Light": the amplify step against its
// formula, the worked values, the routines they share for ordinary sprites (level blend of RGB565,
// the 32-bit source-alpha composite), and what they draw without their tables.
#include "RunLengthTestSupport.h"
#include "SpanKernelTestSupport.h"
#include "blit/kernels/LightSpanKernels.h"
#include "blit/modes/AmplifyLightBlitter.h"
#include "blit/modes/TableBlendBlitter.h"

#include <gtest/gtest.h>

#include <vector>

using namespace rletest;
using frametest::AddLayer;
using frametest::MakeRunLengthFrame;
using frametest::ReadPixel;
using frametest::WritePixel;

namespace {

// v(d, s) as the formula states it, in single precision.
uint32_t AmplifyReference(uint32_t d, uint32_t s)
{
    const float k = 1.0f / 31.0f;
    const float product = static_cast<float>(d) * static_cast<float>(s) * k;
    const uint32_t v = static_cast<uint32_t>(static_cast<float>(d) + product + 0.5f);
    return v < 31 ? v : 31;
}

} // namespace

TEST(AmplifyLight, TheChannelTablesFollowTheFormula)
{
    for (uint32_t d = 0; d < 32; ++d)
        for (uint32_t s = 0; s < 32; ++s) {
            const uint32_t v = AmplifyReference(d, s);
            ASSERT_EQ(g_amplifyRed[d * 32 + s], v << 11) << d << " " << s;
            ASSERT_EQ(g_amplifyGreen[d * 32 + s], v << 6) << d << " " << s;
            ASSERT_EQ(g_amplifyBlue[d * 32 + s], v) << d << " " << s;
        }
    std::mt19937 random(9);
    for (int i = 0; i < 100000; ++i) {
        const uint32_t d = random() & 0xFFFF, s = random() & 0xFFFF;
        const uint32_t expected = AmplifyReference(d >> 11, s >> 11) << 11 |
                                  AmplifyReference(d >> 6 & 31, s >> 6 & 31) << 6 | AmplifyReference(d & 31, s & 31);
        ASSERT_EQ(AmplifyPixel565(d, s), expected) << std::hex << d << " " << s;
    }
}

TEST(AmplifyLight, RunLength16WorkedValuesAndTheWhiteLayer)
{
    // Three main pixels of one colour, then a translucent pixel (layer 4 with its alpha byte).
    struct Case
    {
        uint32_t colour;
        float opacity;
        std::vector<uint32_t> before, after;
    } cases[] = {
        {0xFFFF, 1.0f, {0x4208, 0x8410, 0x0000, 0x1234}, {0x8410, 0xFFDF, 0x0000, 0xFFFF}},
        {0x0000, 1.0f, {0xFFFF, 0x0020, 0x4208, 0x1234}, {0xFFDF, 0x0000, 0x4208, 0xFFFF}},
        {0xFFFF, 0.5f, {0x0000, 0x4208, 0xF800, 0x1234},
         {spantest::Reference565(0, 0xFFFF, 128), spantest::Reference565(0x4208, 0xFFFF, 128),
          spantest::Reference565(0xF800, 0xFFFF, 128), 0xFFFF}},
    };
    for (bool mmx : {false, true})
        for (const Case& c : cases) {
            auto blitter = BuiltWithMmx<CAmplifyLightBlitter>(mmx);
            CScopedOpacity opacity(*blitter, c.opacity);
            CFrame source, destination;
            MakeRunLengthFrame(source, 4, 16, kFrameRunLengthAlpha,
                               {{0x03, uint8_t(c.colour), uint8_t(c.colour >> 8), 0x81}});
            AddLayer(source, 4, {{0x83, 0x41, 0x00, 0x00}});
            AddLayer(source, 3, {{0x80}});
            destination.Create(4, 1, 16);
            SetPixelsOfRow(destination, c.before);
            ASSERT_TRUE(destination.DrawFrameAt(&source, 0, 0, blitter.get()));
            EXPECT_EQ(PixelsOfRow(destination), c.after) << std::hex << c.colour << " mmx " << mmx;
        }
}

TEST(AmplifyLight, AlphaComposite32To24ThresholdsAndLevel)
{
    // Source alphas 254, 252, 0, 253, 5 and 255 over a grey of 100; the colour is 200, 10, 250.
    const uint8_t alphas[] = {254, 252, 0, 253, 5, 255};
    auto blend = [](int d, int s, int a) { return d + (s - d) * a / 255; };
    struct Case
    {
        float opacity;
        std::vector<int> effective; // -1: copied, else the alpha blended with (0 leaves)
    } cases[] = {{1.0f, {-1, 252, 0, -1, 5, -1}}, {0.5f, {127, 126, 0, 126, 0, 128}}, {0.999f, {-1, -1, 0, -1, 0, -1}}};
    for (const Case& c : cases) {
        CScopedOpacity opacity(g_amplifyLightBlitter, c.opacity);
        CFrame source, destination;
        source.Create(6, 1, 32);
        MakePlainFrame(destination, 6, 1, 24, 100);
        for (uint32_t x = 0; x < 6; ++x)
            WritePixel(source, x, 0, 0x00FA0AC8u | uint32_t(alphas[x]) << 24);
        ASSERT_TRUE(destination.DrawFrameAt(&source, 0, 0, &g_amplifyLightBlitter));
        for (uint32_t x = 0; x < 6; ++x) {
            const int a = c.effective[x];
            const uint32_t expected = a < 0 ? 0xFA0AC8u
                                            : uint32_t(blend(100, 0xC8, a) | blend(100, 0x0A, a) << 8 |
                                                       blend(100, 0xFA, a) << 16);
            EXPECT_EQ(ReadPixel(destination, x, 0), expected) << "opacity " << c.opacity << " pixel " << x;
        }
    }
}

TEST(AmplifyLight, LevelBlit16CopiesAtOneAndRoundsOnlyInGroupsOfFour)
{
    // White over black, 5 pixels: at level 255 the integer step stops at F7DE, the groups reach
    // FFFF and the fifth pixel of a row takes the integer step.
    for (bool mmx : {false, true}) {
        auto blitter = BuiltWithMmx<CAmplifyLightBlitter>(mmx);
        CFrame source, destination;
        MakePlainFrame(source, 5, 2, 16, 0xFF);
        WritePixel(source, 1, 1, 0x1234);
        MakePlainFrame(destination, 5, 2, 16, 0);
        ASSERT_TRUE(destination.DrawFrameAt(&source, 0, 0, blitter.get()));
        EXPECT_EQ(frametest::Snapshot(destination), frametest::Snapshot(source)) << mmx;
        MakePlainFrame(destination, 5, 2, 16, 0);
        CScopedOpacity opacity(*blitter, 0.999f);
        ASSERT_EQ(blitter->GetLevel(), 255);
        ASSERT_TRUE(destination.DrawFrameAt(&source, 0, 0, blitter.get()));
        const std::vector<uint32_t> expected =
            mmx ? std::vector<uint32_t>{0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xF7DE} : std::vector<uint32_t>(5, 0xF7DE);
        EXPECT_EQ(PixelsOfRow(destination), expected) << mmx;
    }
}

TEST(AmplifyLight, Plain8UsesATableAndNeverAPalette)
{
    // A source holder serves only as a 256 x 256 table and only at opacity 1.0; a plain palette
    // in it, or no table at all, draws nothing.
    CPaletteTable* own = g_amplifyLightBlitter.GetLookupTable();
    struct Case
    {
        bool ownTable;
        int sourceKind;
        float opacity;
        bool draws;
    } cases[] = {{true, 0, 0.5f, true}, {false, 4, 1.0f, true}, {false, 4, 0.5f, false},
                 {false, 1, 1.0f, false}, {false, 0, 1.0f, false}};
    for (const Case& c : cases) {
        CFrame source, destination;
        source.Create(3, 1, 8);
        SetPixelsOfRow(source, {0, 7, 200});
        MakePlainFrame(destination, 3, 1, 8, 9);
        CPaletteTable* table = own;
        if (c.sourceKind != 0) {
            source.CreatePalette();
            table = source.GetPalette();
            table->Create(c.sourceKind);
        }
        if (c.ownTable)
            own->Create(4);
        if (table->GetSize() == 65536)
            for (uint32_t i = 0; i < 65536; ++i)
                table->GetData()[i] = static_cast<uint8_t>(i * 31 >> 8);
        CScopedOpacity opacity(g_amplifyLightBlitter, c.opacity);
        destination.DrawFrameAt(&source, 0, 0, &g_amplifyLightBlitter);
        const auto at = [](uint32_t s, uint32_t d) { return (s * 256 + d) * 31 >> 8 & 0xFF; };
        const std::vector<uint32_t> drawn{at(0, 9), at(7, 9), at(200, 9)};
        EXPECT_EQ(PixelsOfRow(destination), c.draws ? drawn : std::vector<uint32_t>(3, 9));
        own->Free();
    }
}

TEST(TableBlend, RunLength16AtFullLevelAndWithoutMainRows)
{
    // A fill of 8 white pixels over black at level 255: F7DE from the integer rows, FFFF from the
    // groups of four. Without main rows only the translucent layer draws; without alpha bytes it
    // does not draw either.
    for (bool mmx : {false, true}) {
        auto blitter = BuiltWithMmx<CTableBlendBlitter>(mmx);
        CScopedOpacity opacity(*blitter, 0.999f);
        CFrame source, destination;
        MakeRunLengthFrame(source, 8, 16, kFrameRunLengthAlpha, {{0x08, 0xFF, 0xFF}});
        MakePlainFrame(destination, 8, 1, 16, 0);
        ASSERT_TRUE(destination.DrawFrameAt(&source, 0, 0, blitter.get()));
        EXPECT_EQ(PixelsOfRow(destination), std::vector<uint32_t>(8, mmx ? 0xFFFF : 0xF7DE));
        source.AdoptPixels(nullptr, nullptr);
        AddLayer(source, 4, {{0x82, 0x41, 0x1F, 0x00, 0x85}});
        AddLayer(source, 3, {{0xFF}});
        MakePlainFrame(destination, 8, 1, 16, 0);
        ASSERT_TRUE(destination.DrawFrameAt(&source, 0, 0, blitter.get()));
        EXPECT_EQ(PixelsOfRow(destination), (std::vector<uint32_t>{0, 0, spantest::Reference565(0, 0x1F, 255), 0, 0, 0, 0, 0}));
        // Colours without their alpha bytes are no translucent layer.
        source.AdoptLayer(3, nullptr, nullptr);
        MakePlainFrame(destination, 8, 1, 16, 0);
        destination.DrawFrameAt(&source, 0, 0, blitter.get());
        EXPECT_EQ(PixelsOfRow(destination), std::vector<uint32_t>(8, 0));
    }
}
