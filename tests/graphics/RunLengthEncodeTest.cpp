// The run-length stage: the rows the row encoder writes for worked examples, and for random
// sprites that every band's rows decode (by the row format alone) back to the source pixels.
#include "LoadTestSupport.h"
#include "graphics/FrameLoadStage.h"
#include "graphics/RunLengthEncoder.h"
#include "graphics/stages/RunLengthEncodeStage.h"

#include <gtest/gtest.h>

#include <vector>

using namespace frametest;
using namespace loadtest;

namespace {

std::vector<uint8_t> EncodeBytes(const std::vector<uint8_t>& row, uint32_t fill)
{
    std::vector<uint32_t> keys;
    for (uint8_t v : row)
        keys.push_back(v == 0 ? kTransparentKey : v);
    std::vector<uint8_t> out;
    EncodeRunLengthRow(row.data(), 1, keys.data(), static_cast<uint32_t>(row.size()), fill, out);
    return out;
}

std::vector<uint8_t> Row(std::initializer_list<std::pair<uint32_t, uint8_t>> stretches)
{
    std::vector<uint8_t> row;
    for (auto [count, value] : stretches)
        row.insert(row.end(), count, value);
    return row;
}

// Restores the fill threshold a test changes.
struct FillThreshold
{
    explicit FillThreshold(uint32_t value) : m_saved(CRunLengthEncodeStage::GetFillThreshold())
    {
        CRunLengthEncodeStage::SetFillThreshold(value);
    }
    ~FillThreshold() { CRunLengthEncodeStage::SetFillThreshold(m_saved); }
    uint32_t m_saved;
};

CFrameLoadStage* ListWith(CFrameLoadStage& list, uint32_t mode, int32_t target)
{
    list.SetPreferredDepth(target);
    list.InsertStage(new CRunLengthEncodeStage(mode));
    return &list;
}

// The value of layer `layer` (0 main) at (x, y), decoded.
RunPixel LayerPixel(const CFrame& frame, uint32_t layer, uint32_t x, uint32_t y, uint32_t valueBytes)
{
    const uint8_t* blocks[5] = {frame.GetPixels(), frame.GetLayer1Pixels(), frame.GetLayer2Pixels(),
                                frame.GetLayer3Pixels(), frame.GetLayer4Pixels()};
    const uint32_t* rows[5] = {frame.GetRowOffsets(), frame.GetLayer1RowOffsets(), frame.GetLayer2RowOffsets(),
                               frame.GetLayer3RowOffsets(), frame.GetLayer4RowOffsets()};
    if (!blocks[layer])
        return {};
    return DecodeRow(blocks[layer], rows[layer], y, frame.GetWidth(), valueBytes)[x];
}

} // namespace

TEST(RunLengthEncoder, WorkedRows)
{
    struct Case
    {
        std::vector<uint8_t> row;
        uint32_t fill;
        std::vector<uint8_t> expected;
    };
    std::vector<uint8_t> tenSevens(10, 7);
    std::vector<uint8_t> literal = {0x4A};
    literal.insert(literal.end(), tenSevens.begin(), tenSevens.end());
    literal.insert(literal.begin(), 0x94);
    std::vector<uint8_t> distinct;
    for (int i = 1; i <= 70; ++i)
        distinct.push_back(static_cast<uint8_t>(i));
    std::vector<uint8_t> distinctRuns = {0x7F};
    distinctRuns.insert(distinctRuns.end(), distinct.begin(), distinct.begin() + 63);
    distinctRuns.push_back(0x47);
    distinctRuns.insert(distinctRuns.end(), distinct.begin() + 63, distinct.end());
    const Case cases[] = {
        {Row({{20, 0}, {10, 7}}), 8, {0x94, 0x0A, 7}},
        {Row({{20, 0}, {10, 7}}), 64, literal},
        {Row({{200, 0}}), 8, {0xFF, 0xC9}},
        {distinct, 8, distinctRuns},
        // A literal stops in front of exactly F equal pixels, which then form a literal of their own.
        {Row({{1, 1}, {1, 2}, {8, 5}}), 8, {0x42, 1, 2, 0x48, 5, 5, 5, 5, 5, 5, 5, 5}},
        {Row({{1, 1}, {9, 5}}), 8, {0x41, 1, 0x09, 5}},
        // Runs never carry more than 63 drawn pixels.
        {Row({{100, 9}}), 8, {0x3F, 9, 0x25, 9}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EncodeBytes(c.row, c.fill), c.expected) << "row of " << c.row.size();
}

TEST(RunLengthStage, PlainImagesRoundTrip)
{
    for (uint32_t depth : {8u, 16u}) {
        CFrame frame;
        frame.Create(150, 6, depth);
        FillPattern(frame, depth);
        // Transparent holes and long stretches.
        for (uint32_t x = 10; x < 140; ++x) {
            WritePixel(frame, x, 1, 0);
            WritePixel(frame, x, 2, 0x55);
        }
        const std::vector<uint32_t> source = Snapshot(frame);
        CFrameLoadStage list;
        ListWith(list, 0, static_cast<int32_t>(depth));
        EXPECT_TRUE(list.ApplyAll(&frame));
        EXPECT_EQ(frame.GetFormatFlags() & 0x20FF,
                  kFrameEncodedByStage | (depth == 8 ? kFrameRunLength8 | kFrameDepth8 : kFrameRunLengthAlpha | kFrameDepth16));
        for (uint32_t y = 0; y < 6; ++y) {
            std::vector<RunPixel> row = DecodeRow(frame.GetPixels(), frame.GetRowOffsets(), y, 150, depth / 8);
            for (uint32_t x = 0; x < 150; ++x)
                ASSERT_EQ(row[x].m_covered ? row[x].m_value : 0u, source[y * 150 + x]) << depth << " " << x << "," << y;
        }
        EXPECT_FALSE(list.ApplyAll(&frame)) << "an encoded image is refused";
    }
}

TEST(RunLengthStage, TwoBandsSplitOpaqueAndTranslucentPixels)
{
    for (int32_t target : {16, 24}) {
        for (uint32_t seed = 1; seed <= 3; ++seed) {
            CFrame frame;
            RandomSprite(frame, 97, 7, seed);
            const std::vector<uint32_t> source = Snapshot(frame);
            CFrameLoadStage list;
            ASSERT_TRUE(ListWith(list, 1, target)->ApplyAll(&frame));
            ASSERT_EQ(frame.GetFormatFlags() & kFrameRunLengthMask, kFrameRunLengthAlpha);
            for (uint32_t y = 0; y < 7; ++y)
                for (uint32_t x = 0; x < 97; ++x) {
                    const uint32_t pixel = source[y * 97 + x];
                    const uint8_t alpha = pixel >> 24;
                    const RunPixel main = LayerPixel(frame, 0, x, y, 4);
                    const RunPixel colors = LayerPixel(frame, 4, x, y, 4);
                    const RunPixel alphas = LayerPixel(frame, 3, x, y, 4);
                    ASSERT_EQ(main.m_covered, alpha > 250) << x << "," << y;
                    ASSERT_EQ(colors.m_covered, alpha > 5 && alpha <= 250) << x << "," << y;
                    ASSERT_EQ(alphas.m_covered, colors.m_covered);
                    // A fill run stands for pixels equal in the target's colour (and, translucent,
                    // in the top five bits of alpha).
                    auto color = [&](uint32_t v) {
                        return target == 16 ? PackRgbToPixel16((v >> 16) & 255, (v >> 8) & 255, v & 255) : v & 0xFFFFFF;
                    };
                    if (main.m_covered) {
                        EXPECT_EQ(color(main.m_value), color(pixel)) << x << "," << y;
                    }
                    if (colors.m_covered) {
                        EXPECT_EQ(color(colors.m_value), color(pixel)) << x << "," << y;
                        EXPECT_EQ(alphas.m_value >> 27, pixel >> 27u);
                    }
                }
        }
    }
}

TEST(RunLengthStage, FiveBandsPlaceEachAlphaInItsLayer)
{
    ScopedCurrentPalette palette(RampEntry);
    const uint8_t alphas[] = {0, 25, 26, 76, 77, 127, 128, 178, 179, 229, 230, 255};
    const uint32_t expectedLayer[] = {9, 9, 1, 1, 2, 2, 3, 3, 4, 4, 0, 0}; // 9: dropped
    CFrame frame;
    Fill32(frame, 12, 1, [&](uint32_t x, uint32_t) { return Bgra(0, 255, static_cast<uint8_t>(x), alphas[x]); });
    CFrameLoadStage list;
    ASSERT_TRUE(ListWith(list, 0, 8)->ApplyAll(&frame));
    EXPECT_EQ(frame.GetFormatFlags() & kFrameRunLengthMask, kFrameRunLength8);
    for (uint32_t x = 0; x < 12; ++x)
        for (uint32_t layer = 0; layer <= 4; ++layer)
            EXPECT_EQ(LayerPixel(frame, layer, x, 0, 4).m_covered, layer == expectedLayer[x]) << x << " " << layer;

    // Alpha 128 everywhere: skip runs in the main rows, every pixel in layer 3, the others empty.
    CFrame half;
    Fill32(half, 40, 2, [](uint32_t x, uint32_t) { return Bgra(static_cast<uint8_t>(x * 6), 1, 2, 128); });
    CFrameLoadStage again;
    ASSERT_TRUE(ListWith(again, 0, 8)->ApplyAll(&half));
    EXPECT_EQ(half.GetLayer4Pixels(), nullptr);
    EXPECT_EQ(half.GetLayer2Pixels(), nullptr);
    EXPECT_EQ(half.GetLayer1Pixels(), nullptr);
    for (uint32_t x = 0; x < 40; ++x) {
        EXPECT_FALSE(LayerPixel(half, 0, x, 1, 4).m_covered);
        EXPECT_TRUE(LayerPixel(half, 3, x, 1, 4).m_covered);
    }
}

TEST(RunLengthStage, AlphaFiveIsDroppedAndSixIsTranslucent)
{
    CFrame frame;
    Fill32(frame, 2, 1, [](uint32_t x, uint32_t) { return Bgra(10, 20, 30, x == 0 ? 5 : 6); });
    CFrameLoadStage list;
    ASSERT_TRUE(ListWith(list, 1, 16)->ApplyAll(&frame));
    EXPECT_FALSE(LayerPixel(frame, 4, 0, 0, 4).m_covered);
    EXPECT_TRUE(LayerPixel(frame, 4, 1, 0, 4).m_covered);
    EXPECT_TRUE(LayerPixel(frame, 3, 1, 0, 4).m_covered);
    EXPECT_FALSE(LayerPixel(frame, 0, 1, 0, 4).m_covered);
}

TEST(RunLengthStage, TwentyFourBitImagesBecomeThirtyTwoBitFirst)
{
    CFrame frame;
    frame.Create(3, 1, 24);
    WritePixel(frame, 1, 0, 0x0A0B0C);
    CFrameLoadStage list;
    ASSERT_TRUE(ListWith(list, 1, 16)->ApplyAll(&frame));
    EXPECT_FALSE(LayerPixel(frame, 0, 0, 0, 4).m_covered) << "black is transparent";
    EXPECT_EQ(LayerPixel(frame, 0, 1, 0, 4).m_value, 0xFF0A0B0Cu);

    // No encoding for 24-bit images on a 24-bit target: a plain 32-bit image is left.
    CFrame wide;
    wide.Create(2, 1, 24);
    CFrameLoadStage none;
    EXPECT_FALSE(ListWith(none, 1, 24)->ApplyAll(&wide));
    EXPECT_EQ(wide.GetFormatFlags() & (kFrameRunLengthMask | kFrameDepthMask), kFrameDepth32);
}
