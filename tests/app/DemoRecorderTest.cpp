// Demo recording and playback: a scripted scene recorded and replayed frame for frame (compared by
// a hash of every frame), item references across a reordered collection, the frame and end rules
// of playback, appended clips, and random bytes played to their end.
#include "AppTestSupport.h"
#include "app/DemoRecorder.h"
#include "app/ReplayCallback.h"
#include "app/ReplayStream.h"
#include "graphics/Color.h"
#include "graphics/Frame.h"
#include "objects/ValueNameList.h"

#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

using DemoRecorder = AppFixture;

constexpr int kWidth = 64;
constexpr int kHeight = 48;
// Points are recorded within these bounds, which hold every point the scene draws at.
constexpr int kLow = -16;
constexpr int kHigh = 80;

// The scene's stamps: names with a colour (0xRRGGBB). Playback may use another list of them.
CStringList* s_stamps = nullptr;

CFrame* Target()
{
    return static_cast<CFrame*>(CDemoRecorder::GetInstance()->GetContext());
}

CColor ColorOf(uint32_t rgb)
{
    CColor color;
    color.Set(static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb));
    return color;
}

// --- The scene's three replayed calls: each reads what its live form writes and draws the same.

void FillFromStream(CReplayStream& stream);
void StampFromStream(CReplayStream& stream);
void DotsFromStream(CReplayStream& stream);
CReplayCallback s_fill(&FillFromStream, "TestScene::FillFromStream", 3);
CReplayCallback s_stamp(&StampFromStream, "TestScene::StampFromStream", 3);
CReplayCallback s_dots(&DotsFromStream, "TestScene::DotsFromStream", 3);

CReplayStream* Recording()
{
    CDemoRecorder* recorder = CDemoRecorder::GetInstance();
    return recorder->IsRecording() ? recorder->GetStream() : nullptr;
}

void Fill(CFrame& frame, const CColor& color, CFloatPoint from, CFloatPoint to)
{
    if (CReplayStream* stream = Recording()) {
        stream->BeginRecord(&s_fill, CReplayStream::kDrawRecord);
        stream->WriteColor(color);
        stream->WriteQuantizedPoint(from, kLow, kHigh, 0, 0);
        stream->WriteQuantizedPoint(to, kLow, kHigh, 0, 0);
    }
    CIntRect rect;
    rect.Set(static_cast<int32_t>(from.m_x), static_cast<int32_t>(from.m_y), static_cast<int32_t>(to.m_x),
             static_cast<int32_t>(to.m_y));
    CColor drawn;
    drawn.SetFromPixel565(color.GetPixel16());
    frame.FillRect(rect, drawn);
}

void FillFromStream(CReplayStream& stream)
{
    CColor color;
    CFloatPoint from, to;
    stream.ReadColor(color);
    stream.ReadQuantizedPoint(from, kLow, kHigh, 0, 0);
    stream.ReadQuantizedPoint(to, kLow, kHigh, 0, 0);
    CIntRect rect;
    rect.Set(static_cast<int32_t>(from.m_x), static_cast<int32_t>(from.m_y), static_cast<int32_t>(to.m_x),
             static_cast<int32_t>(to.m_y));
    if (CFrame* target = Target())
        target->FillRect(rect, color);
}

void DrawStamp(CFrame& frame, int index, CFloatPoint at)
{
    if (index < 0 || static_cast<uint32_t>(index) >= s_stamps->GetCount())
        return;
    CIntRect rect;
    rect.Set(static_cast<int32_t>(at.m_x), static_cast<int32_t>(at.m_y), static_cast<int32_t>(at.m_x) + 4,
             static_cast<int32_t>(at.m_y) + 4);
    frame.FillRect(rect, ColorOf(s_stamps->GetValue(static_cast<uint32_t>(index))));
}

void Stamp(CFrame& frame, int index, CFloatPoint at)
{
    if (CReplayStream* stream = Recording()) {
        stream->BeginRecord(&s_stamp, CReplayStream::kDrawRecord);
        stream->WriteObjectReference(index, s_stamps);
        stream->WriteQuantizedPoint(at, kLow, kHigh, 0, 0);
    }
    DrawStamp(frame, index, at);
}

void StampFromStream(CReplayStream& stream)
{
    const int index = stream.ReadObjectReference(s_stamps);
    CFloatPoint at;
    stream.ReadQuantizedPoint(at, kLow, kHigh, 0, 0);
    if (CFrame* target = Target())
        DrawStamp(*target, index, at);
}

void Dots(CFrame& frame, const std::vector<std::pair<int, int>>& dots, bool white)
{
    if (CReplayStream* stream = Recording()) {
        stream->BeginRecord(&s_dots, CReplayStream::kDrawRecord);
        stream->WriteByte(static_cast<uint8_t>(dots.size()));
        stream->WriteBool(white);
        for (auto [x, y] : dots) {
            stream->WriteBits(static_cast<uint32_t>(x), 6);
            stream->WriteBits(static_cast<uint32_t>(y), 6);
        }
    }
    for (auto [x, y] : dots)
        frame.SetPixel(x, y, white ? g_colorWhite : g_colorBlack);
}

void DotsFromStream(CReplayStream& stream)
{
    uint8_t count = 0;
    stream.ReadByte(count);
    const bool white = stream.ReadBool();
    for (uint8_t i = 0; i < count; ++i) {
        const int x = static_cast<int>(stream.ReadBits(6));
        const int y = static_cast<int>(stream.ReadBits(6));
        if (CFrame* target = Target())
            target->SetPixel(x, y, white ? g_colorWhite : g_colorBlack);
    }
}

uint64_t Hash(const CFrame& frame)
{
    uint64_t hash = 1469598103934665603ull;
    for (int y = 0; y < frame.GetHeight(); ++y)
        for (int x = 0; x < frame.GetWidth(); ++x) {
            hash ^= frame.GetRawPixel(x, y);
            hash *= 1099511628211ull;
        }
    return hash;
}

// One frame of the scripted scene, drawn live (and recorded while the recorder records).
void DrawSceneFrame(CFrame& frame, std::mt19937& random)
{
    auto coordinate = [&](int limit) { return static_cast<float>(random() % (limit + 20)) - 10.0f; };
    Fill(frame, ColorOf(0x102030), {0, 0}, {kWidth, kHeight});
    for (int i = 0; i < 3; ++i)
        Fill(frame, ColorOf(random() & 0xFFFFFF), {coordinate(kWidth), coordinate(kHeight)},
             {coordinate(kWidth), coordinate(kHeight)});
    for (int i = 0; i < 4; ++i)
        Stamp(frame, static_cast<int>(random() % 5) - 1, {coordinate(kWidth), coordinate(kWidth)});
    std::vector<std::pair<int, int>> dots;
    for (int i = 0; i < 6; ++i)
        dots.emplace_back(random() % kWidth, random() % kHeight);
    Dots(frame, dots, random() & 1);
}

struct FinishCounter : CDemoFinishCallback
{
    explicit FinishCounter(int& count) : m_count(count) {}
    void OnPlaybackFinished() override { ++m_count; }
    int& m_count;
};

class Recorder
{
public:
    Recorder()
        : m_recorder(CDemoRecorder::GetInstance())
    {
        m_recorder->SetFinishCallback(nullptr);
        m_recorder->Stop();
        m_recorder->SetFinishCallback(new FinishCounter(finished));
    }
    ~Recorder() { m_recorder->SetFinishCallback(nullptr); }
    CDemoRecorder* operator->() { return m_recorder; }
    int finished = 0;

private:
    CDemoRecorder* m_recorder;
};

CStringList MakeStamps(std::initializer_list<std::pair<const char*, uint32_t>> stamps)
{
    CStringList list;
    for (auto [name, rgb] : stamps)
        list.Add(name, rgb);
    return list;
}

} // namespace

TEST_F(DemoRecorder, RecordedSceneReplaysFrameForFrame)
{
    TestApplication app;
    Recorder recorder;
    CStringList recordedStamps = MakeStamps({{"Red", 0xFF0000}, {"Green", 0x00FF00}, {"Blue", 0x0000FF}, {"Gold", 0xFFD700}});
    s_stamps = &recordedStamps;

    CFrame live;
    live.Create(kWidth, kHeight, 16);
    std::mt19937 random(2023);
    std::vector<uint64_t> recorded;
    recorder->StartRecording();
    for (int f = 0; f < 12; ++f) {
        recorder->PlayFrame();
        DrawSceneFrame(live, random);
        recorded.push_back(Hash(live));
        recorder->EndFrame();
    }
    ASSERT_TRUE(recorder->SaveRecording("scene.dem", VF_VERBATIM));
    EXPECT_EQ(recorder->GetState(), CDemoRecorder::kIdle);
    EXPECT_GT(std::set<uint64_t>(recorded.begin(), recorded.end()).size(), 10u);

    // Played back with the stamps in another order (and one more): the same frames.
    CStringList playbackStamps =
        MakeStamps({{"Gold", 0xFFD700}, {"Blue", 0x0000FF}, {"Silver", 0xC0C0C0}, {"Green", 0x00FF00}, {"Red", 0xFF0000}});
    for (CStringList* stamps : {&recordedStamps, &playbackStamps}) {
        s_stamps = stamps;
        CFrame replayed;
        replayed.Create(kWidth, kHeight, 16);
        ASSERT_TRUE(recorder->StartPlayback(&replayed, "scene.dem", VF_VERBATIM));
        EXPECT_EQ(app.GetFramesPerDraw(), 2u);
        std::vector<uint64_t> played;
        while (recorder->IsPlaying()) {
            recorder->PlayFrame();
            if (recorder->IsPlaying())
                played.push_back(Hash(replayed));
            recorder->EndFrame();
        }
        EXPECT_EQ(played, recorded);
        EXPECT_EQ(app.GetFramesPerDraw(), 1u);
    }
    EXPECT_EQ(recorder.finished, 2);
    s_stamps = nullptr;
}

TEST_F(DemoRecorder, OneFramePerCallAndTheEndFoundAfterTheLast)
{
    TestApplication app;
    Recorder recorder;
    recorder->StartRecording();
    recorder->EndFrame();
    recorder->EndFrame();
    ASSERT_TRUE(recorder->SaveRecording("two.dem", VF_VERBATIM));
    // The reset record, then two frame ends: one byte each (the index width is small).
    const std::string bytes = testsupport::ReadFileBytes("two.dem");
    EXPECT_EQ(bytes.size(), 3u);

    ASSERT_TRUE(recorder->StartPlayback(nullptr, "two.dem", VF_VERBATIM));
    recorder->PlayFrame();
    EXPECT_EQ(recorder->GetStream()->GetReadPosition(), 2u);
    recorder->PlayFrame();
    EXPECT_TRUE(recorder->IsPlaying());
    EXPECT_EQ(recorder.finished, 0);
    recorder->PlayFrame();
    EXPECT_FALSE(recorder->IsPlaying());
    EXPECT_EQ(recorder.finished, 1);
    recorder->PlayFrame();
    EXPECT_EQ(recorder.finished, 1);

    // Ticks: one update each, a draw every second stepping tick while playing.
    ASSERT_TRUE(recorder->StartPlayback(nullptr, "two.dem", VF_VERBATIM));
    app.SetMeasureRealTime(false);
    app.Prime();
    for (int i = 0; i < 4; ++i)
        app.Tick();
    EXPECT_EQ(app.updates.size(), 4u);
    EXPECT_EQ(app.draws, 2);
    recorder->Stop();
    EXPECT_EQ(recorder.finished, 2);
    app.draws = 0;
    app.Tick();
    EXPECT_EQ(app.draws, 1);
}

TEST_F(DemoRecorder, StopAppendAndMissingFiles)
{
    TestApplication app;
    Recorder recorder;
    // Stop while idle still calls back and draws every tick.
    app.SetFramesPerDraw(2);
    recorder->Stop();
    EXPECT_EQ(recorder.finished, 1);
    EXPECT_EQ(app.GetFramesPerDraw(), 1u);

    recorder->StartRecording();
    recorder->EndFrame();
    ASSERT_TRUE(recorder->SaveRecording("clip.dem", VF_VERBATIM));
    EXPECT_FALSE(recorder->SaveRecording("again.dem", VF_VERBATIM)); // nothing is being recorded

    // Appending to an idle recorder only adds bytes.
    const uint32_t length = recorder->GetStream()->GetLength();
    ASSERT_TRUE(recorder->AppendFile("clip.dem", VF_VERBATIM));
    EXPECT_EQ(recorder->GetStream()->GetLength(), length + 2);
    recorder->PlayFrame();
    EXPECT_EQ(recorder->GetState(), CDemoRecorder::kIdle);
    EXPECT_EQ(recorder.finished, 1);

    // A clip appended while playing plays on in the same stream.
    ASSERT_TRUE(recorder->StartPlayback(&app, "clip.dem", VF_VERBATIM));
    EXPECT_EQ(recorder->GetContext(), &app);
    ASSERT_TRUE(recorder->AppendFile("clip.dem", VF_VERBATIM));
    int frames = 0;
    while (recorder->IsPlaying() && frames < 10) {
        recorder->PlayFrame();
        ++frames;
    }
    EXPECT_EQ(frames, 3); // two frames, then the end

    // Files that cannot be opened change nothing.
    ASSERT_TRUE(recorder->StartPlayback(nullptr, "clip.dem", VF_VERBATIM));
    const uint32_t position = recorder->GetStream()->GetReadPosition();
    EXPECT_FALSE(recorder->StartPlayback(nullptr, "missing.dem", VF_VERBATIM));
    EXPECT_FALSE(recorder->AppendFile("missing.dem", VF_VERBATIM));
    EXPECT_TRUE(recorder->IsPlaying());
    EXPECT_EQ(recorder->GetStream()->GetReadPosition(), position);
    EXPECT_EQ(recorder->GetStream()->GetLength(), 2u);
    recorder->Stop();
}

TEST_F(DemoRecorder, DamagedAndRandomStreamsEndWithoutHarm)
{
    TestApplication app;
    Recorder recorder;
    CStringList stamps = MakeStamps({{"Red", 0xFF0000}, {"Blue", 0x0000FF}});
    s_stamps = &stamps;
    CFrame target;
    target.Create(kWidth, kHeight, 16);

    // A record index past the functions ends playback at once.
    const uint32_t functions = recorder->GetStream()->GetFunctions().GetCount();
    const uint32_t width = recorder->GetStream()->GetIndexWidth();
    int expectedFinishes = 300;
    if (functions < (1u << width)) {
        testsupport::WriteFileBytes("bad.dem", std::string(1, static_cast<char>((1u << width) - 1)) + "rest");
        ASSERT_TRUE(recorder->StartPlayback(&target, "bad.dem", VF_VERBATIM));
        recorder->PlayFrame();
        EXPECT_FALSE(recorder->IsPlaying());
        EXPECT_EQ(recorder.finished, 1);
        ++expectedFinishes;
    }

    std::mt19937 random(99);
    for (int round = 0; round < 300; ++round) {
        std::string bytes(random() % 600, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random());
        testsupport::WriteFileBytes("random.dem", bytes);
        ASSERT_TRUE(recorder->StartPlayback(&target, "random.dem", VF_VERBATIM));
        size_t calls = 0;
        while (recorder->IsPlaying() && calls <= bytes.size() + 1) {
            recorder->PlayFrame();
            recorder->EndFrame();
            ++calls;
        }
        ASSERT_FALSE(recorder->IsPlaying()) << "round " << round;
    }
    EXPECT_EQ(recorder.finished, expectedFinishes);
    EXPECT_EQ(app.GetFramesPerDraw(), 1u);
    s_stamps = nullptr;
}

TEST_F(DemoRecorder, RecordingIsADeveloperSwitch)
{
    EXPECT_FALSE(CDemoRecorder::IsRecordingRequested());
    SetCommandLine("/RecordDemo");
    EXPECT_TRUE(CDemoRecorder::IsRecordingRequested());
    SetCommandLine("");
}
