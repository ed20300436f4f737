// Stage lists (order, requests, locks, target depth) and the small stages, against values worked
// out by hand.
#include "LoadTestSupport.h"
#include "graphics/Color.h"
#include "graphics/FrameLoadStage.h"
#include "graphics/stages/AlphaThresholdStage.h"
#include "graphics/stages/CropStage.h"
#include "graphics/stages/DepthConvertStage.h"
#include "graphics/stages/RunLengthEncodeStage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

using namespace frametest;
using namespace loadtest;

namespace {

std::vector<int32_t> Types(const CFrameLoadStage& list)
{
    std::vector<int32_t> types;
    for (const CFrameLoadStage* at = list.GetNext(); at; at = at->GetNext())
        types.push_back(at->GetType());
    return types;
}

uint32_t RunLengthMode(const CFrameLoadStage& list)
{
    return static_cast<const CRunLengthEncodeStage*>(list.FindStage(kStageRunLength))->GetMode();
}

} // namespace

TEST(StageList, StagesStayInTypeOrderAndUnique)
{
    DisplayDepth depth(16);
    CFrameLoadStage list;
    for (int32_t request : {8, 12, 3, 7, 6})
        EXPECT_TRUE(list.AddStage(request)) << request;
    EXPECT_EQ(Types(list), (std::vector<int32_t>{3, 6, 7, 8, 11}));
    EXPECT_FALSE(list.AddStage(11)) << "a second conversion stage";
    EXPECT_FALSE(list.AddStage(9)) << "a second run-length stage";
    EXPECT_FALSE(list.AddStage(1));
    EXPECT_FALSE(list.AddStage(13));
    EXPECT_TRUE(list.RemoveStage(11));
    EXPECT_FALSE(list.RemoveStage(11));
    EXPECT_TRUE(list.AddStage(12));
    EXPECT_TRUE(static_cast<CDepthConvertStage*>(list.FindStage(11))->IsDithered());

    list.SetLocked(true);
    EXPECT_FALSE(list.AddStage(2));
    EXPECT_FALSE(list.RemoveStage(3));
    list.Clear();
    EXPECT_EQ(Types(list).size(), 5u);
    list.SetLocked(false);
    list.Clear();
    EXPECT_TRUE(Types(list).empty());
}

TEST(StageList, BlackBiasBringsUnpremultiplyExceptOnEightBitTargets)
{
    {
        DisplayDepth depth(16);
        CFrameLoadStage list;
        EXPECT_TRUE(list.AddStage(4));
        EXPECT_EQ(Types(list), (std::vector<int32_t>{4, 7}));
    }
    DisplayDepth depth(8);
    CFrameLoadStage list;
    EXPECT_TRUE(list.AddStage(4));
    EXPECT_EQ(Types(list), (std::vector<int32_t>{4}));
}

TEST(StageList, TargetDepthAndRunLengthModes)
{
    DisplayDepth depth(8);
    CFrameLoadStage list;
    EXPECT_EQ(list.GetTargetDepth(), 8);
    list.SetPreferredDepth(24);
    EXPECT_EQ(list.GetTargetDepth(), 24);
    list.InsertStage(new CDepthConvertStage(false, 16));
    EXPECT_EQ(list.GetTargetDepth(), 16);
    list.AddStage(8);
    EXPECT_EQ(RunLengthMode(list), CRunLengthEncodeStage::kTwoBands);

    // On an 8-bit display even request 9 gives the layered form, which has routines there.
    CFrameLoadStage eight;
    eight.AddStage(9);
    EXPECT_EQ(RunLengthMode(eight), CRunLengthEncodeStage::kFiveBands);
    SetDisplayBitsPerPixel(16);
    CFrameLoadStage sixteen;
    sixteen.AddStage(9);
    EXPECT_EQ(RunLengthMode(sixteen), CRunLengthEncodeStage::kTwoBands);
}

TEST(StageList, CopiesKeepParametersAndSkipTypesPresent)
{
    CFrameLoadStage source;
    source.InsertStage(new CAlphaThresholdStage(3));
    source.InsertStage(new CDepthConvertStage(true, 24));
    CFrameLoadStage copy;
    copy.InsertStage(new CAlphaThresholdStage(9));
    copy.AddStagesFrom(source);
    EXPECT_EQ(Types(copy), (std::vector<int32_t>{3, 11}));
    EXPECT_EQ(static_cast<CAlphaThresholdStage*>(copy.FindStage(3))->GetThreshold(), 9u);
    auto* conversion = static_cast<CDepthConvertStage*>(copy.FindStage(11));
    EXPECT_EQ(conversion->GetConversionDepth(), 24);
    EXPECT_TRUE(conversion->IsDithered());
}

TEST(Stages, SmallStagesOnThirtyTwoBitPixels)
{
    struct Case
    {
        int32_t request;
        uint32_t before, after;
    };
    const Case cases[] = {
        {3, Bgra(9, 9, 9, 4), Bgra(9, 9, 9, 0)},       {3, Bgra(9, 9, 9, 5), Bgra(9, 9, 9, 5)},
        {5, Bgra(14, 3, 0, 200), 0},                   {5, Bgra(15, 3, 0, 200), Bgra(15, 3, 0, 200)},
        {7, Bgra(64, 64, 64, 128), Bgra(128, 128, 128, 128)}, {7, Bgra(200, 10, 90, 100), Bgra(255, 13, 115, 100)},
        {7, Bgra(10, 20, 30, 0), Bgra(10, 20, 30, 0)}, {7, Bgra(10, 20, 30, 255), Bgra(10, 20, 30, 255)},
    };
    for (const Case& c : cases) {
        CFrameLoadStage list;
        ASSERT_TRUE(list.AddStage(c.request));
        CFrame frame;
        Fill32(frame, 1, 1, [&](uint32_t, uint32_t) { return c.before; });
        EXPECT_TRUE(list.ApplyAll(&frame));
        EXPECT_EQ(ReadPixel(frame, 0, 0), c.after) << "stage " << c.request << " on " << std::hex << c.before;
        // Only 32-bit images are theirs.
        CFrame plain;
        plain.Create(1, 1, 24);
        EXPECT_FALSE(list.ApplyAll(&plain)) << c.request;
    }
}

TEST(Stages, CenterHotSpotHalvesDownward)
{
    CFrameLoadStage list;
    list.AddStage(2);
    CFrame frame;
    frame.Create(5, 3, 8);
    EXPECT_TRUE(list.ApplyAll(&frame));
    EXPECT_EQ(frame.GetLeft(), -2);
    EXPECT_EQ(frame.GetTop(), -1);
}

TEST(Stages, BlackBiasByTarget)
{
    {
        // True-colour target: the 24-bit image becomes 32-bit, alpha the brightest component.
        DisplayDepth depth(16);
        CFrameLoadStage list;
        list.InsertStage(new CDepthConvertStage(false, 32));
        list.AddStage(4);
        EXPECT_TRUE(list.RemoveStage(7)) << "black bias brought un-premultiply; here it runs alone";
        CFrame frame;
        frame.Create(2, 1, 24);
        WritePixel(frame, 1, 0, 50 | (100 << 8) | (200 << 16));
        EXPECT_TRUE(list.ApplyAll(&frame));
        ASSERT_EQ(frame.GetBitsPerPixel(), 32u);
        EXPECT_EQ(ReadPixel(frame, 0, 0) >> 24, 0u);
        EXPECT_EQ(ReadPixel(frame, 1, 0), Bgra(50, 100, 200, 200));
    }
    // 8-bit target: dark pixels go, whatever their depth.
    DisplayDepth depth(8);
    ScopedCurrentPalette palette([](uint32_t i, uint8_t& r, uint8_t& g, uint8_t& b) { r = g = b = i < 8 ? 39 : 40; });
    CFrameLoadStage list;
    list.AddStage(4);
    CFrame indices;
    indices.Create(3, 1, 8);
    WritePixel(indices, 0, 0, 7);
    WritePixel(indices, 1, 0, 8);
    EXPECT_TRUE(list.ApplyAll(&indices));
    EXPECT_EQ(Snapshot(indices), (std::vector<uint32_t>{0, 8, 0}));
    CFrame wide;
    Fill32(wide, 2, 1, [](uint32_t x, uint32_t) { return x == 0 ? Bgra(39, 0, 39, 255) : Bgra(40, 0, 0, 255); });
    EXPECT_TRUE(list.ApplyAll(&wide));
    EXPECT_EQ(Snapshot(wide), (std::vector<uint32_t>{0, Bgra(40, 0, 0, 255)}));
    CFrame empty;
    EXPECT_FALSE(list.ApplyAll(&empty)) << "black bias refuses an empty image";
}

TEST(Stages, CropKeepsPixelsInPlaceAndEmptiesBlankImages)
{
    CFrame frame;
    Fill32(frame, 6, 5, [](uint32_t x, uint32_t y) { return (x == 2 && y == 1) || (x == 4 && y == 3) ? Bgra(1, 2, 3, 9) : 0; });
    frame.SetOrigin(-10, -20);
    CFrameLoadStage list;
    list.AddStage(6);
    EXPECT_TRUE(list.ApplyAll(&frame));
    EXPECT_EQ(frame.GetWidth(), 3);
    EXPECT_EQ(frame.GetHeight(), 3);
    EXPECT_EQ(frame.GetLeft(), -8);
    EXPECT_EQ(frame.GetTop(), -19);
    EXPECT_EQ(ReadPixel(frame, 0, 0), Bgra(1, 2, 3, 9));
    EXPECT_EQ(ReadPixel(frame, 2, 2), Bgra(1, 2, 3, 9));

    CFrame blank;
    blank.Create(4, 4, 32);
    EXPECT_TRUE(list.ApplyAll(&blank));
    EXPECT_EQ(blank.GetPixels(), nullptr);
    EXPECT_EQ(blank.GetWidth(), 0);
}

TEST(Stages, OpaqueBoundsAsEveryPixelLookedAt)
{
    // Frames of every depth with nothing, one pixel, a few pixels or everything showing (at 32 bits
    // by alpha alone, colour bytes of hidden pixels set), against a look at every pixel.
    std::mt19937 random(6);
    for (uint32_t depth : {8u, 16u, 24u, 32u})
        for (uint32_t showing : {0u, 1u, 3u, 40u, 1000u})
            for (uint32_t trial = 0; trial < 4; ++trial) {
                const uint32_t width = 1 + random() % 37, height = 1 + random() % 9, bytes = depth / 8;
                CFrame frame;
                frame.Create(width, height, depth);
                for (uint32_t i = 0; i < showing; ++i) {
                    uint8_t* at = frame.GetPixels() + (random() % (width * height)) * bytes;
                    at[random() % bytes] = static_cast<uint8_t>(1 + random() % 255);
                    if (depth == 32)
                        at[3] = static_cast<uint8_t>(random() % 2 ? 1 + random() % 255 : 0);
                }
                int32_t left = int32_t(width), top = int32_t(height), right = 0, bottom = 0;
                for (uint32_t y = 0; y < height; ++y)
                    for (uint32_t x = 0; x < width; ++x) {
                        const uint32_t pixel = ReadPixel(frame, x, y);
                        if (depth == 32 ? (pixel >> 24) != 0 : pixel != 0) {
                            left = std::min(left, int32_t(x));
                            top = std::min(top, int32_t(y));
                            right = std::max(right, int32_t(x) + 1);
                            bottom = int32_t(y) + 1;
                        }
                    }
                CIntRect bounds;
                frame.GetOpaqueBounds(bounds);
                const CIntRect want = right > left ? CIntRect{left, top, right, bottom} : CIntRect{};
                EXPECT_EQ(bounds, want) << depth << " bits, " << width << " x " << height << ", " << showing << " set";
            }
}

TEST(Stages, DefaultListOnATwentyFourBitImageFailsYetCropsEncodesAndConverts)
{
    DisplayDepth depth(16);
    CFrame frame;
    frame.Create(8, 4, 24);
    for (uint32_t x = 2; x < 6; ++x)
        WritePixel(frame, x, 1, 0xFF00FF);
    EXPECT_FALSE(CFrame::GetDefaultLoadStages()->ApplyAll(&frame));
    EXPECT_EQ(frame.GetWidth(), 4);
    EXPECT_EQ(frame.GetHeight(), 1);
    EXPECT_EQ(frame.GetFormatFlags() & (kFrameRunLengthMask | kFrameDepthMask), kFrameRunLengthAlpha | kFrameDepth16);
    CColor color;
    ASSERT_TRUE(frame.GetPixelColor(2, 1, color));
    EXPECT_EQ(color.GetPixel16(), 0xF81F);

    // An empty image: the hot-spot, crop and conversion stages still succeed.
    for (int32_t request : {2, 6, 11}) {
        CFrameLoadStage list;
        list.AddStage(request);
        CFrame empty;
        EXPECT_TRUE(list.ApplyAll(&empty)) << request;
    }
}
