// Animation sequences: the frame for the time and for a fraction, offsets and bounds, the property
// file and its older line, and the load stages the options choose.
#include "LoadTestSupport.h"
#include "SequenceTestSupport.h"
#include "blit/BlitTypeList.h"
#include "blit/Blitter.h"
#include "graphics/stages/AlphaThresholdStage.h"
#include "graphics/stages/DepthConvertStage.h"
#include "graphics/stages/RunLengthEncodeStage.h"
#include "objects/ObjectTextStream.h"
#include "objects/PropertyDescriptor.h"

#include <cmath>
#include <filesystem>
#include <limits>
#include <set>
#include <string>

using namespace seqtest;

namespace {

// A sequence of count frames, frame i being 1 + i pixels wide so that frames tell apart.
void MakeSequence(CSequence& sequence, uint32_t count, float rate)
{
    sequence.SetPropertiesToDefaults();
    for (uint32_t i = 0; i < count; ++i)
        sequence.AddFrame(SolidFrame(1 + i, 2, 32, 0xFF000000u | i, static_cast<int16_t>(-3 - i), -1));
    sequence.SetFramesPerSecond(rate);
}

int IndexOf(const CSequence& sequence, const CFrame* frame)
{
    for (uint32_t i = 0; i < sequence.GetFrameCount(); ++i)
        if (sequence.GetFrame(i) == frame)
            return static_cast<int>(i);
    return -1;
}

std::string BlitTypeName(const CSequence& sequence)
{
    const char* name = CBlitter::GetRegistry().GetItemName(sequence.GetBlitTypeIndex());
    return name ? name : "";
}

bool ReadText(CSequence& sequence, const std::string& lines)
{
    const std::string path = "Sequence.txt";
    testsupport::WriteFileBytes(path, "CSequence\r\n{\r\n" + lines + "}\r\n");
    return sequence.LoadFromFile(path.c_str(), 0);
}

} // namespace

TEST(Sequence, FrameForTheTimeRoundsHalfToEvenAndWraps)
{
    TickZeroClock clock;
    CSequence sequence;
    MakeSequence(sequence, 4, 15.0f);
    // 15 frames a second: frame k is due at k x 66.67 ms, rounded to nearest (ties to even).
    const struct
    {
        uint64_t ms;
        int frame;
    } cases[] = {{0, 0}, {33, 0}, {34, 1}, {100, 2}, {233, 3}, {234, 0}, {300, 0}, {1000, 3},
                 // The masked tick count wraps: the animation jumps back to frame 0.
                 {(1u << 24) - 1, 2}, {1u << 24, 0}, {(1u << 24) + 34, 1}};
    for (const auto& c : cases) {
        clock.SetMilliseconds(c.ms);
        EXPECT_EQ(IndexOf(sequence, sequence.GetCurrentFrame()), c.frame) << c.ms << " ms";
    }
    // A negative or broken rate never indexes before the first frame.
    clock.SetMilliseconds(500);
    for (float rate : {-15.0f, std::numeric_limits<float>::quiet_NaN(), -std::numeric_limits<float>::infinity()}) {
        sequence.SetFramesPerSecond(rate);
        EXPECT_EQ(IndexOf(sequence, sequence.GetCurrentFrame()), 0) << rate;
    }
    sequence.SetFramesPerSecond(std::numeric_limits<float>::max());
    EXPECT_NE(sequence.GetCurrentFrame(), nullptr);

    CSequence empty;
    empty.SetPropertiesToDefaults();
    EXPECT_EQ(empty.GetCurrentFrame(), nullptr);
    EXPECT_EQ(empty.GetFrameAtFraction(0.5f), nullptr);
}

TEST(Sequence, FrameAtFraction)
{
    const struct
    {
        uint32_t count;
        float fraction;
        int frame;
    } cases[] = {{4, 1.0f, 3}, {5, 0.5f, 2}, {4, 0.0f, 0}, {4, 0.99f, 3}, {4, 0.25f, 1},
                 {4, 7.5f, 3}, {4, -0.5f, 0}, {4, std::numeric_limits<float>::quiet_NaN(), 0}};
    for (const auto& c : cases) {
        CSequence sequence;
        MakeSequence(sequence, c.count, 15.0f);
        EXPECT_EQ(IndexOf(sequence, sequence.GetFrameAtFraction(c.fraction)), c.frame) << c.count << " x " << c.fraction;
    }
}

TEST(Sequence, OffsetSettersMoveTheFramesByTheChange)
{
    CSequence sequence;
    MakeSequence(sequence, 3, 15.0f);
    sequence.AddFrame(nullptr);
    EXPECT_EQ(sequence.GetFrameCount(), 4u);
    // Frame i spans x from -3 - i to -2, y from -1 to 1.
    EXPECT_EQ(sequence.GetBounds(), (CIntRect{-5, -1, -2, 1}));
    CObjectTextStream unused;
    const CPropertyDescriptor* x = CSequence::GetStaticClassRecord()->FindProperty("X Offset");
    const CPropertyDescriptor* y = CSequence::GetStaticClassRecord()->FindProperty("Y Offset");
    ASSERT_TRUE(x && y);
    x->ParseValue(&sequence, "3", unused);
    EXPECT_EQ(sequence.GetFrame(0)->GetLeft(), -6);
    x->ParseValue(&sequence, "5", unused);
    EXPECT_EQ(sequence.GetFrame(0)->GetLeft(), -8);   // 2 further for the change from 3 to 5
    EXPECT_EQ(sequence.GetFrame(2)->GetLeft(), -10);
    y->ParseValue(&sequence, "-4", unused);
    EXPECT_EQ(sequence.GetFrame(1)->GetTop(), 3);
    EXPECT_EQ(sequence.GetBounds(), (CIntRect{-10, 3, -7, 5}));
    EXPECT_EQ(sequence.GetXOffset(), 5);
}

TEST(Sequence, OlderBlackBiasLineChoosesTheBlitType)
{
    filetest::WorkFolder folder;
    CSequence sequence;
    ASSERT_TRUE(ReadText(sequence, "\tLoad Black Bias=1\r\n\tFrames Per Second=24\r\n"));
    EXPECT_EQ(BlitTypeName(sequence), "Blend Black Bias");
    EXPECT_EQ(sequence.GetFramesPerSecond(), 24.0f);
    ASSERT_TRUE(ReadText(sequence, "\tBlit Type=Blend Amplify Light\r\n\tLoad Black Bias=0\r\n"));
    EXPECT_EQ(BlitTypeName(sequence), "Blend Amplify Light");
    ASSERT_TRUE(ReadText(sequence, "\tLoad Black Bias=0\r\n"));
    EXPECT_EQ(BlitTypeName(sequence), "Transparent Mask");
}

TEST(Sequence, MissingPropertiesFileIsCreatedWithTheDefaults)
{
    filetest::WorkFolder folder;
    CSequence sequence;
    MakeSequence(sequence, 2, 40.0f);
    sequence.ReadProperties("Resources", "Power Ups/Gun");
    EXPECT_EQ(sequence.GetFrameCount(), 0u);
    const std::string path = "Resources/Power Ups/-Gun/Properties.txt";
    ASSERT_TRUE(std::filesystem::exists(path));
    const std::string text = testsupport::ReadFileBytes(path);
    for (const char* line : {"CSequence\r\n", "Frames Per Second=15\r\n", "Blit Type=Transparent Mask\r\n",
                             "X Offset=0\r\n", "Center Hot Spot=1\r\n", "Crop Clor 0=1\r\n", "Use 8 Bit Alpha=0\r\n",
                             "Do Dither=1\r\n", "Loss Less=0\r\n", "Quality=65\r\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;

    // An existing file is read, not rewritten.
    testsupport::WriteFileBytes(path, "CSequence\r\n{\r\n\tFrames Per Second=30\r\n\tQuality=101\r\n}\r\n");
    sequence.ReadProperties("Resources", "Power Ups/Gun");
    EXPECT_EQ(sequence.GetFramesPerSecond(), 30.0f);
    EXPECT_EQ(sequence.GetQuality(), 100u);
    EXPECT_EQ(testsupport::ReadFileBytes(path).find("Quality=65"), std::string::npos);
}

TEST(Sequence, PropertiesThatCanNeitherBeReadNorCreatedEndTheProgram)
{
    filetest::WorkFolder folder;
    testsupport::WriteFileBytes("Resources", "a file where the folder should be");
    CSequence sequence;
    EXPECT_EXIT(sequence.ReadProperties("Resources", "Ball"), testing::ExitedWithCode(255),
                "Can't Read Or Save Properties: The sequence \"Resources/Ball\" has no Properties.txt");
}

TEST(Sequence, LoadStagesFollowTheOptions)
{
    loadtest::DisplayDepth depth(16);
    const uint32_t defaults = CSequence::kCenterHotSpot | CSequence::kBlendedWithBlack | CSequence::kCropColor0 |
                              CSequence::kDoDither;
    const struct
    {
        uint32_t flags;
        const char* blitType;
        std::set<int32_t> types;
    } cases[] = {
        {defaults, "Transparent Mask", {2, 3, 6, 7, 8, 11}},
        {defaults & ~CSequence::kCenterHotSpot, "Transparent Mask", {3, 6, 7, 8, 11}},
        {defaults & ~CSequence::kBlendedWithBlack, "Transparent Mask", {2, 3, 6, 8, 11}},
        {defaults & ~CSequence::kCropColor0, "Transparent Mask", {2, 3, 7, 8, 11}},
        // Black bias on a true-colour display brings the un-premultiplying back with it.
        {defaults, "Blend Black Bias", {2, 3, 4, 6, 7, 8, 11}},
        {defaults, "Blend Amplify Light", {2, 3, 5, 6, 8, 11}},
        {0, "Transparent Mask", {3, 8, 11}},
    };
    for (const auto& c : cases) {
        CSequence sequence;
        sequence.SetPropertiesToDefaults();
        sequence.SetLoadFlags(c.flags);
        ASSERT_TRUE(sequence.SetBlitTypeByName(c.blitType));
        CFrameLoadStage list;
        sequence.GetLoadStages(list, nullptr);
        std::set<int32_t> types;
        for (const CFrameLoadStage* stage = list.GetNext(); stage; stage = stage->GetNext())
            types.insert(stage->GetType());
        EXPECT_EQ(types, c.types) << std::hex << c.flags << " " << c.blitType;
        const auto* conversion = static_cast<const CDepthConvertStage*>(list.FindStage(kStageDepthConvert));
        ASSERT_NE(conversion, nullptr);
        EXPECT_EQ(conversion->IsDithered(), (c.flags & CSequence::kDoDither) != 0);
        EXPECT_EQ(conversion->GetConversionDepth(), 16);
    }

    // 8-bit alpha: the alpha-blended encoding and the lower threshold; a given list's depth stays.
    CSequence sequence;
    sequence.SetPropertiesToDefaults();
    sequence.SetLoadFlags(defaults | CSequence::kUse8BitAlpha);
    CFrameLoadStage given, list;
    given.InsertStage(new CDepthConvertStage(false, 24));
    sequence.GetLoadStages(list, &given);
    EXPECT_EQ(list.GetTargetDepth(), 24);
    sequence.GetLoadStages(list, nullptr);
    const auto* threshold = static_cast<const CAlphaThresholdStage*>(list.FindStage(kStageAlphaThreshold));
    ASSERT_NE(threshold, nullptr);
    EXPECT_EQ(threshold->GetThreshold(), 3u);
    const auto* encoding = static_cast<const CRunLengthEncodeStage*>(list.FindStage(kStageRunLength));
    ASSERT_NE(encoding, nullptr);
    EXPECT_EQ(encoding->GetMode(), CRunLengthEncodeStage::kTwoBands);
}
