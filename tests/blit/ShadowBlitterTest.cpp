// "Blit As Shadow": the span tables against the darkening rules on every kernel path, the worked
// values, whole and clipped draws of random run-length sprites in the plain and the grouped form
// against a renderer written here from the decoded runs, and what other opacities draw.
#include "RunLengthTestSupport.h"
#include "SpanKernelTestSupport.h"
#include "blit/kernels/ShadowSpanKernels.h"
#include "blit/modes/ShadowBlitter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace rletest;
using frametest::AddLayer;
using frametest::MakeRunLengthFrame;

namespace {

// Darkening toward black by alpha a, in the grouped (rounded) or the integer step.
uint16_t Darken(uint32_t d, uint32_t a, bool rounded)
{
    return rounded ? spantest::ReferenceRounded565(d, 0, a) : spantest::Reference565(d, 0, a);
}

// The alpha that a translucent pixel darkens by at strength s: fill runs (a * s) >> 8; literal
// runs floor(a * s / 255), or (a * s) >> 8 inside a rounded group.
uint32_t LayerAlpha(uint32_t a, uint32_t s, bool literal, bool grouped)
{
    return literal && !grouped ? a * s / 255 : (a * s) >> 8;
}

std::vector<SpanKernelPath> AvailablePaths()
{
    std::vector<SpanKernelPath> paths;
    for (SpanKernelPath path : {SpanKernelPath::Portable, SpanKernelPath::Sse2, SpanKernelPath::Avx2})
        if (IsSpanKernelPathAvailable(path))
            paths.push_back(path);
    return paths;
}

struct ScopedStrength
{
    explicit ScopedStrength(uint32_t strength) { g_shadowStrength = strength; }
    ~ScopedStrength() { g_shadowStrength = kShadowStrength; }
};

// Draws the source whole at (x, y) of the destination, or the given rectangles unclipped.
void DrawShadow(CFrame& destination, CFrame& source, const CIntRect& from, const CIntRect& to, CBlitter& blitter)
{
    destination.BlitUnclipped(&source, from, to, &blitter);
}

// What a shadow draw of the rectangles leaves, from the destination before it: main pixels, then
// layer pixels, each span of a run (cut at the rectangle) grouped by fours in the grouped form.
std::vector<uint32_t> ExpectedShadow(const CFrame& source, const CIntRect& from, const CIntRect& to,
                                     std::vector<uint32_t> pixels, uint32_t destinationWidth, uint32_t strength,
                                     bool grouped)
{
    const int32_t dx = to.m_left - from.m_left, dy = to.m_top - from.m_top;
    for (uint32_t layer : {0u, 4u})
        for (int32_t y = from.m_top; y < from.m_bottom; ++y) {
            const auto row = DecodeFrameRow(source, layer, static_cast<uint32_t>(y), 2);
            for (int32_t x = from.m_left; x < from.m_right; ++x) {
                const DecodedPixel& p = row[static_cast<uint32_t>(x)];
                if (!p.covered)
                    continue;
                const int32_t spanStart = std::max<int32_t>(p.runStart, from.m_left);
                const int32_t spanEnd = std::min<int32_t>(p.runStart + p.runLength, from.m_right);
                const bool inGroup = grouped && x - spanStart < (spanEnd - spanStart) / 4 * 4;
                uint32_t a = strength;
                if (layer == 4) {
                    const uint8_t alpha =
                        source.GetLayer3Pixels()[source.GetLayer3RowOffsets()[y] + p.alphaIndex];
                    a = LayerAlpha(alpha, strength, p.literal, inGroup);
                }
                uint32_t& d = pixels[static_cast<size_t>(y + dy) * destinationWidth + static_cast<size_t>(x + dx)];
                d = Darken(d, a, inGroup);
            }
        }
    return pixels;
}

} // namespace

TEST(ShadowSpans, DarkenByTheirRulesOnEveryPath)
{
    BuildAlphaScaleTables();
    struct Table
    {
        const SpanTable& table;
        SpanOperands operands;
        bool grouped;
    } tables[] = {
        {ShadowSpan16Color, SpanOperands::Value, false},      {ShadowSpan16Src, SpanOperands::Source, false},
        {ShadowSpan16ColorMmx, SpanOperands::Value, true},    {ShadowSpan16SrcMmx, SpanOperands::Source, true},
        {ShadowSpan16ColorAlpha, SpanOperands::ValueAlpha, false},
        {ShadowSpan16ColorAlphaMmx, SpanOperands::ValueAlpha, true},
        {ShadowSpan16Alpha, SpanOperands::SourceAlpha, false},
        {ShadowSpan16AlphaMmx, SpanOperands::SourceAlpha, true},
    };
    std::mt19937 random(119);
    std::vector<uint32_t> lengths;
    for (uint32_t n = 0; n <= 70; ++n)
        lengths.push_back(n);
    lengths.push_back(1283); // past the 640 black pixels the translucent rows blend toward
    for (SpanKernelPath path : AvailablePaths()) {
        spantest::CScopedPath scopedPath(path);
        for (uint32_t strength : {kShadowStrength, 37u})
            for (const Table& t : tables)
                for (uint32_t n : lengths) {
                    ScopedStrength scopedStrength(strength);
                    std::vector<uint16_t> d(n + 1), source(n + 1);
                    std::vector<uint8_t> alpha(n + 1);
                    for (uint32_t i = 0; i <= n; ++i) {
                        d[i] = static_cast<uint16_t>(random());
                        source[i] = static_cast<uint16_t>(random());
                        alpha[i] = static_cast<uint8_t>(random());
                    }
                    const uint32_t fillAlpha = random() & 0x1FF; // only the low byte counts
                    std::vector<uint16_t> expected = d;
                    const uint32_t groupedPixels = t.grouped ? n / 4 * 4 : 0;
                    for (uint32_t i = 0; i < n; ++i) {
                        uint32_t a = strength;
                        if (t.operands == SpanOperands::ValueAlpha)
                            a = ((fillAlpha & 0xFF) * strength) >> 8;
                        else if (t.operands == SpanOperands::SourceAlpha)
                            a = LayerAlpha(alpha[i], strength, true, i < groupedPixels);
                        expected[i] = Darken(d[i], a, i < groupedPixels);
                    }
                    spantest::CallSpan(t.table, t.operands, std::min(n, kLongestSpan), d.data(), source.data(),
                                       alpha.data(), 0xFFFF, fillAlpha, n);
                    ASSERT_EQ(d, expected) << "path " << int(path) << " strength " << strength << " n " << n
                                           << " grouped " << t.grouped << " operands " << int(t.operands);
                }
    }
}

TEST(ShadowBlitter, WorkedValues)
{
    // Main row: white, black and a colour under a fill run of 3; a skip; layer pixels of alpha 0
    // and 255 (a literal run) under the last two.
    for (bool mmx : {false, true}) {
        auto blitter = BuiltWithMmx<CShadowBlitter>(mmx);
        CScopedOpacity opacity(*blitter, 1.0f);
        CFrame source, destination;
        MakeRunLengthFrame(source, 6, 16, kFrameRunLengthAlpha, {{0x03, 0x34, 0x12, 0x83}});
        AddLayer(source, 4, {{0x84, 0x42, 0x00, 0x00, 0x00, 0x00}});
        AddLayer(source, 3, {{0x00, 0xFF}});
        destination.Create(6, 1, 16);
        SetPixelsOfRow(destination, {0xFFFF, 0x0000, 0x8410, 0xFFFF, 0xFFFF, 0xFFFF});
        ASSERT_TRUE(destination.DrawFrameAt(&source, 0, 0, blitter.get()));
        // White becomes red 19, green 38, blue 19; the colour of the source is never drawn; alpha
        // 0 leaves the pixel; alpha 255 darkens by floor(255 * 100 / 255) = 100 as well.
        EXPECT_EQ(PixelsOfRow(destination),
                  (std::vector<uint32_t>{0x9CD3, 0x0000, Darken(0x8410, 100, false), 0xFFFF, 0xFFFF, 0x9CD3}))
            << "mmx " << mmx;
    }
    CFrame plain, destination;
    plain.Create(4, 4, 16);
    destination.Create(4, 4, 16);
    EXPECT_EQ(g_shadowBlitter.FindRoutine(&plain, &destination), nullptr);
}

TEST(ShadowBlitter, RandomSpritesWholeAndClippedInBothForms)
{
    std::mt19937 random(5119);
    constexpr uint32_t kWidth = 75, kHeight = 4, kDestinationWidth = 90, kDestinationHeight = 7;
    for (bool mmx : {false, true})
        for (SpanKernelPath path : AvailablePaths()) {
            spantest::CScopedPath scopedPath(path);
            auto blitter = BuiltWithMmx<CShadowBlitter>(mmx);
            CScopedOpacity opacity(*blitter, 1.0f);
            for (int round = 0; round < 40; ++round) {
                const Picture main = RandomPicture(kWidth, kHeight, 0xFFFF, random);
                const Picture layer = RandomPicture(kWidth, kHeight, 0xFFFF, random);
                CFrame source, destination;
                MakeFrame(source, 16, kFrameRunLengthAlpha, main, random, round % 3 == 0 ? nullptr : &layer);
                destination.Create(kDestinationWidth, kDestinationHeight, 16);
                for (uint32_t y = 0; y < kDestinationHeight; ++y)
                    for (uint32_t x = 0; x < kDestinationWidth; ++x)
                        frametest::WritePixel(destination, x, y, random() & 0xFFFF);
                const bool whole = round % 2 == 0;
                const int32_t left = whole ? 0 : static_cast<int32_t>(random() % kWidth);
                const int32_t right = whole ? static_cast<int32_t>(kWidth) : left + 1 + static_cast<int32_t>(random() % (kWidth - left));
                const int32_t top = static_cast<int32_t>(random() % kHeight);
                const CIntRect from{left, top, right, static_cast<int32_t>(kHeight)};
                const int32_t atX = static_cast<int32_t>(random() % (kDestinationWidth - from.GetWidth() + 1));
                const CIntRect to{atX, 2, atX + from.GetWidth(), 2 + from.GetHeight()};
                const auto expected = ExpectedShadow(source, from, to, frametest::Snapshot(destination),
                                                     kDestinationWidth, kShadowStrength, mmx);
                DrawShadow(destination, source, from, to, *blitter);
                ASSERT_EQ(frametest::Snapshot(destination), expected)
                    << "mmx " << mmx << " path " << int(path) << " round " << round;
            }
        }
}

TEST(ShadowBlitter, OtherOpacitiesScaleTheStrength)
{
    std::mt19937 random(50);
    const Picture main = RandomPicture(40, 3, 0xFFFF, random);
    const Picture layer = RandomPicture(40, 3, 0xFFFF, random);
    for (bool mmx : {false, true})
        for (float value : {0.5f, 0.0f, 0.2f}) {
            auto blitter = BuiltWithMmx<CShadowBlitter>(mmx);
            CScopedOpacity opacity(*blitter, value);
            CFrame source, destination;
            MakeFrame(source, 16, kFrameRunLengthAlpha, main, random, &layer);
            MakePlainFrame(destination, 40, 3, 16, 0xFF);
            const CIntRect whole{0, 0, 40, 3};
            const uint32_t strength = kShadowStrength * static_cast<uint32_t>(blitter->GetLevel()) / 255;
            const auto expected =
                ExpectedShadow(source, whole, whole, frametest::Snapshot(destination), 40, strength, mmx);
            DrawShadow(destination, source, whole, whole, *blitter);
            EXPECT_EQ(frametest::Snapshot(destination), expected) << "opacity " << value << " mmx " << mmx;
        }
}
