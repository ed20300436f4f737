// The blend-mode base: the routine table and its growth, the one-pair memo, opacity levels and
// steps, and saving and loading the state.
#include "blit/Blitter.h"
#include "foundation/FileBuf.h"
#include "graphics/Frame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

// A frame that counts how often its bits per pixel are asked: the routine scan asks, the memo does not.
class CCountingFrame : public CFrame
{
public:
    explicit CCountingFrame(uint32_t flags) { SetFormatFlags(flags); }
    uint32_t GetBitsPerPixel() const override
    {
        ++m_bitsAsked;
        return CFrame::GetBitsPerPixel();
    }
    mutable int m_bitsAsked = 0;
};

int g_calls = 0;
void RoutineA(CFrameInterface*, const CIntRect*, CFrameInterface*, const CIntRect*, CBlitter*)
{
    ++g_calls;
}
void RoutineB(CFrameInterface*, const CIntRect*, CFrameInterface*, const CIntRect*, CBlitter*)
{
    g_calls += 100;
}

class CTestBlitter : public CBlitter
{
};

// The opacity tables as the start-up set-up fills them.
void BuildTables()
{
    BuildAlphaScaleTables();
    BuildBlendStepTable();
}

} // namespace

TEST(Blitter, TheMemoSkipsTheScanForTheSamePair)
{
    CTestBlitter blitter;
    blitter.RegisterRoutine(16, 0, 16, 0, &RoutineA);
    blitter.RegisterRoutine(8, 2, 16, 0, &RoutineB);
    CCountingFrame plain16(kFrameDepth16), rle8(kFrameDepth8 | kFrameRunLength8 | kFrameEncodedByStage),
        plain8(kFrameDepth8);

    EXPECT_EQ(blitter.FindRoutine(&plain16, &plain16), &RoutineA);
    int scans = plain16.m_bitsAsked;
    EXPECT_GT(scans, 0);
    EXPECT_EQ(blitter.FindRoutine(&plain16, &plain16), &RoutineA);
    EXPECT_EQ(plain16.m_bitsAsked, scans);

    // Bits outside 0x1EE (the palette flag, the stage flag) do not change the pair.
    CCountingFrame withPalette(kFrameDepth16 | kFrameHasPalette);
    EXPECT_EQ(blitter.FindRoutine(&withPalette, &plain16), &RoutineA);
    EXPECT_EQ(withPalette.m_bitsAsked, 0);

    EXPECT_EQ(blitter.FindRoutine(&rle8, &plain16), &RoutineB);
    EXPECT_EQ(rle8.m_bitsAsked, 1);

    // No routine: null, and null again from the memo without a scan.
    EXPECT_EQ(blitter.FindRoutine(&plain8, &plain16), nullptr);
    EXPECT_EQ(plain8.m_bitsAsked, 1);
    EXPECT_EQ(blitter.FindRoutine(&plain8, &plain16), nullptr);
    EXPECT_EQ(plain8.m_bitsAsked, 1);
}

TEST(Blitter, RegisteringTheSameKeysReplacesTheRoutine)
{
    CTestBlitter blitter;
    blitter.RegisterRoutine(16, 0, 16, 0, &RoutineA);
    blitter.RegisterRoutine(24, 0, 16, 0, &RoutineA);
    CFrame plain16;
    plain16.Create(1, 1, 16);
    EXPECT_EQ(blitter.FindRoutine(&plain16, &plain16), &RoutineA);
    blitter.RegisterRoutine(16, 0, 16, 0, &RoutineB);
    EXPECT_EQ(blitter.GetRoutines().GetCount(), 2u);
    // A lookup made before the replacement does not answer for it.
    EXPECT_EQ(blitter.FindRoutine(&plain16, &plain16), &RoutineB);
}

TEST(Blitter, FrameBlitCallsTheRoutineWithPixelRectangles)
{
    struct Seen
    {
        CIntRect source, destination;
        CBlitter* blitter;
    };
    static Seen s_seen;
    CTestBlitter blitter;
    blitter.RegisterRoutine(16, 0, 16, 0,
                            [](CFrameInterface*, const CIntRect* s, CFrameInterface*, const CIntRect* d, CBlitter* b) {
                                s_seen = {*s, *d, b};
                            });
    CFrame source, destination;
    source.Create(10, 10, 16);
    source.SetOrigin(-5, -5);
    destination.Create(20, 20, 16);
    destination.SetOrigin(-10, -10);
    ASSERT_TRUE(destination.Blit(&source, CIntRect{-5, -5, 5, 5}, CIntRect{-12, 0, -2, 10}, &blitter));
    EXPECT_EQ(s_seen.source, (CIntRect{2, 0, 10, 10}));
    EXPECT_EQ(s_seen.destination, (CIntRect{0, 10, 8, 20}));
    EXPECT_EQ(s_seen.blitter, &blitter);
}

TEST(Blitter, RoutineArrayGrowsByAFifthAtLeastOne)
{
    CBlitRoutineArray array;
    std::vector<uint32_t> capacities;
    for (uint32_t i = 0; i < 22; ++i) {
        EXPECT_EQ(array.Add(BlitRoutineRecord{i, 0, 0, 0, nullptr}), i);
        if (capacities.empty() || capacities.back() != array.GetCapacity())
            capacities.push_back(array.GetCapacity());
    }
    EXPECT_EQ(capacities, (std::vector<uint32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 14, 16, 19, 22}));
    for (uint32_t i = 0; i < 22; ++i)
        EXPECT_EQ(array[i].m_sourceBits, i);
    array.Clear();
    EXPECT_EQ(array.GetCount(), 0u);
    EXPECT_EQ(array.GetCapacity(), 22u);
    array.Reserve(5);
    EXPECT_EQ(array.GetCapacity(), 22u);
}

TEST(Blitter, OpacityLevelsRoundHalfToEven)
{
    BuildTables();
    CTestBlitter blitter;
    const std::pair<float, int32_t> levels[] = {{0.0f, 0}, {0.5f, 128}, {1.0f, 255}, {0.390625f, 100},
                                               {0.00196078443f, 0}, {0.4f, 102}, {0.8f, 204}};
    for (auto [opacity, level] : levels) {
        blitter.SetOpacity(opacity);
        EXPECT_EQ(blitter.GetLevel(), level) << opacity;
        EXPECT_EQ(blitter.GetOpacity(), opacity);
        EXPECT_EQ(blitter.GetBlendStep(), 5u - (6u * static_cast<uint32_t>(level)) / 256u);
    }
    // lround would give 1 here: the product is exactly one half once made single precision.
    EXPECT_EQ(static_cast<float>(static_cast<double>(0.00196078443f) * 255.0), 0.5f);
    blitter.SetOpacity(0.0f);
    EXPECT_EQ(blitter.GetBlendStep(), 5u);
    blitter.SetOpacity(0.5f);
    EXPECT_EQ(blitter.GetBlendStep(), 2u);
    blitter.SetOpacity(1.0f);
    EXPECT_EQ(blitter.GetBlendStep(), 0u);
}

TEST(Blitter, OpacitiesOutsideZeroToOneAreClamped)
{
    BuildTables();
    CTestBlitter blitter;
    const std::pair<float, float> cases[] = {{-0.5f, 0.0f},
                                             {1.5f, 1.0f},
                                             {std::numeric_limits<float>::infinity(), 1.0f},
                                             {-std::numeric_limits<float>::infinity(), 0.0f},
                                             {std::numeric_limits<float>::quiet_NaN(), 0.0f}};
    for (auto [given, kept] : cases) {
        blitter.SetOpacity(given);
        EXPECT_EQ(blitter.GetOpacity(), kept);
        EXPECT_GE(blitter.GetLevel(), 0);
        EXPECT_LE(blitter.GetLevel(), 255);
    }
}

TEST(Blitter, StateRoundTripsThroughAStream)
{
    BuildTables();
    CTestBlitter blitter;
    blitter.SetOpacity(0.390625f);
    CFileBuf stream;
    ASSERT_TRUE(blitter.SaveState(stream));
    EXPECT_EQ(stream.GetSize(), 4u);
    CTestBlitter other;
    stream.Seek(0);
    ASSERT_TRUE(other.LoadState(stream));
    EXPECT_EQ(other.GetOpacity(), 0.390625f);
    EXPECT_EQ(other.GetLevel(), 100);
    EXPECT_EQ(other.GetBlendStep(), blitter.GetBlendStep());

    // Too few bytes: refused, nothing changes.
    CFileBuf shortStream;
    shortStream.Write("\x00\x00", 2);
    shortStream.Seek(0);
    EXPECT_FALSE(other.LoadState(shortStream));
    EXPECT_EQ(other.GetLevel(), 100);

    // A stored value that is not a number, or out of range, is clamped before it is used.
    for (uint32_t bits : {0x7FC00000u, 0x7F800000u, 0xC0000000u, 0x41200000u}) {
        CFileBuf bad;
        bad.Write(&bits, 4);
        bad.Seek(0);
        ASSERT_TRUE(other.LoadState(bad));
        EXPECT_GE(other.GetLevel(), 0);
        EXPECT_LE(other.GetLevel(), 255);
        EXPECT_LE(other.GetBlendStep(), 5u);
    }
}

TEST(OpacityTables, TheStepTableIsFilledOnce)
{
    BuildTables();
    g_blendStepForLevel[0] = 77;
    BuildBlendStepTable();
    EXPECT_EQ(g_blendStepForLevel[0], 77u);
    g_blendStepForLevel[0] = 5;
}
