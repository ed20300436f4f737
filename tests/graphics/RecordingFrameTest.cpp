// The recording frame: what is recorded replays on the target it has then, in step and with the
// blitter state of the moment it was recorded.
#include "FrameTestSupport.h"
#include "blit/Blitter.h"
#include "graphics/Color.h"
#include "graphics/RecordingFrame.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using frametest::ReadPixel;

// A blitter whose one routine (16 to 16 bits) notes the opacity and rectangles it was called with.
struct BlitCall
{
    float opacity;
    CIntRect from, to;
};
std::vector<BlitCall> g_calls;

void NoteBlit(CFrameInterface*, const CIntRect* from, CFrameInterface*, const CIntRect* to, CBlitter* blitter)
{
    g_calls.push_back({blitter->GetOpacity(), *from, *to});
}

class NotingBlitter : public CBlitter
{
public:
    NotingBlitter() { RegisterRoutine(16, 0, 16, 0, &NoteBlit); }
};

CColor Rgba(uint8_t r, uint8_t g, uint8_t b, uint8_t a)
{
    CColor c;
    c.ConstructRgba(r, g, b, a);
    return c;
}

TEST(RecordingFrame, DrawsNothingWhileRecordingAndAnEmptyListReplaysNothing)
{
    CFrame target;
    target.Create(8, 8, 16);
    frametest::FillPattern(target);
    const auto before = frametest::Snapshot(target);
    CRecordingFrame recorder(&target);
    recorder.ResetRecording();
    recorder.EndRecording();
    recorder.Replay();
    EXPECT_EQ(frametest::Snapshot(target), before);

    recorder.ResetRecording();
    recorder.FillRect({0, 0, 8, 8}, Rgba(255, 255, 255, 255));
    recorder.SetPixel(1, 1, Rgba(0, 0, 0, 255));
    recorder.EndRecording();
    EXPECT_EQ(frametest::Snapshot(target), before);
    recorder.Replay();
    EXPECT_EQ(ReadPixel(target, 0, 0), 0xFFFFu);
    EXPECT_EQ(ReadPixel(target, 1, 1), 0u);
}

TEST(RecordingFrame, ABlitReplaysWithItsRecordedOpacityEveryTimeAndTheBlitterKeepsItsOwn)
{
    CFrame source, target;
    source.Create(4, 4, 16);
    target.Create(16, 16, 16);
    NotingBlitter blitter;
    blitter.SetOpacity(0.5f);
    CRecordingFrame recorder(&target);
    recorder.ResetRecording();
    EXPECT_TRUE(recorder.Blit(&source, {0, 0, 4, 4}, {2, 3, 6, 7}, &blitter));
    recorder.EndRecording();
    g_calls.clear();
    blitter.SetOpacity(0.75f);
    recorder.Replay();
    recorder.Replay();
    ASSERT_EQ(g_calls.size(), 2u);
    for (const BlitCall& call : g_calls) {
        EXPECT_EQ(call.opacity, 0.5f);
        EXPECT_EQ(call.from, (CIntRect{0, 0, 4, 4}));
        EXPECT_EQ(call.to, (CIntRect{2, 3, 6, 7}));
    }
    EXPECT_EQ(blitter.GetOpacity(), 0.75f);
    EXPECT_EQ(blitter.GetLevel(), 191);
}

TEST(RecordingFrame, ColoursReplayOpaqueWhateverAlphaTheyWereRecordedWith)
{
    CFrame target;
    target.Create(4, 4, 16);
    CRecordingFrame recorder(&target);
    recorder.ResetRecording();
    recorder.FillRect({0, 0, 4, 2}, Rgba(255, 0, 0, 0));
    recorder.DrawLine(0, 3, 3, 3, Rgba(0, 0, 255, 10));
    recorder.EndRecording();
    recorder.Replay();
    EXPECT_EQ(ReadPixel(target, 3, 1), 0xF800u);
    EXPECT_EQ(ReadPixel(target, 2, 3), 0x001Fu);
    EXPECT_EQ(ReadPixel(target, 2, 2), 0u);
}

TEST(RecordingFrame, RemapsAndAntialiasedLinesReplayInStepWithTheRecordsAfterThem)
{
    frametest::ScopedCurrentPalette palette(frametest::RampEntry);
    // Colours rebuilt on replay find their index through the inverse table, as on an 8-bit display.
    g_inverseColorTable15.BuildInverseColorTable(g_currentPalette, 5, 1, 256);
    struct FreeTable
    {
        ~FreeTable() { g_inverseColorTable15.Free(); }
    } freeTable;
    CFrame target, direct;
    target.Create(16, 16, 8);
    direct.Create(16, 16, 8);
    CPaletteTable remap;
    remap.Create(2);
    remap.GetData()[0] = 9;
    CRecordingFrame recorder(&target);
    recorder.ResetRecording();
    recorder.ApplyRemapTableToRect({0, 0, 4, 4}, remap);
    recorder.DrawAntialiasedLine(1.0f, 8.0f, 14.0f, 12.0f, Rgba(200, 55, 40, 255));
    recorder.SetPixel(15, 15, Rgba(200, 55, 232, 255));
    recorder.EndRecording();
    recorder.Replay();

    direct.ApplyRemapTableToRect({0, 0, 4, 4}, remap);
    direct.DrawAntialiasedLine(1.0f, 8.0f, 14.0f, 12.0f, Rgba(200, 55, 40, 255));
    direct.SetPixel(15, 15, Rgba(200, 55, 232, 255));
    EXPECT_EQ(frametest::Snapshot(target), frametest::Snapshot(direct));
    EXPECT_EQ(ReadPixel(target, 3, 3), 9u);
    EXPECT_EQ(ReadPixel(target, 15, 15), 200u);
}

TEST(RecordingFrame, AListCutShortReplaysUpToWhereItStops)
{
    CFrame target;
    target.Create(4, 4, 16);
    CRecordingFrame recorder(&target);
    recorder.ResetRecording();
    recorder.SetPixel(0, 0, Rgba(255, 255, 255, 255));
    recorder.SetPixel(1, 0, Rgba(255, 255, 255, 255));
    recorder.Replay();   // no end word
    EXPECT_EQ(ReadPixel(target, 1, 0), 0xFFFFu);
    recorder.SetTarget(nullptr);
    recorder.Replay();
}

} // namespace
