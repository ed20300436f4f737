// The sound stream on the headless device's clock: songs shorter and longer than the ring, ends,
// loops and offsets, the mute, queued sources and crossfades, and refills without a timer.
#include "StreamTestSupport.h"

#include <cstring>

namespace {

using namespace soundtest;

class SoundStream : public StreamTest
{
protected:
    // Plays a looping, queues b with weight 0 after before ms, and answers what was heard until
    // after ms more.
    std::vector<int16_t> PlayThenQueue(CSoundStream& stream, const std::vector<int16_t>& a,
                                       const std::vector<int16_t>& b, uint32_t before, uint32_t after, bool fromStart)
    {
        EXPECT_TRUE(stream.Play(WriteSong("a.wav", a).c_str(), 0, true));
        std::vector<int16_t> heard = Left(Run(&stream, before));
        EXPECT_TRUE(stream.QueueNext(WriteSong("b.wav", b).c_str(), 0.0f, fromStart));
        const std::vector<int16_t> more = Left(Run(&stream, after));
        heard.insert(heard.end(), more.begin(), more.end());
        return heard;
    }
};

constexpr size_t kRingFrames = CSoundStream::kRingBytes / 2;   // of a mono 16-bit song

TEST_F(SoundStream, SongsPlayOnceThenStopOrLoopWithoutASeam)
{
    struct Case
    {
        const char* what;
        int channels;
        size_t frames;
        bool loop;
        uint32_t ms;
    } cases[] = {
        {"mono song shorter than the ring, once", 1, 15000, false, 2000},
        {"mono song shorter than the ring, looping", 1, 15000, true, 3000},
        {"song of a few frames, looping", 1, 7, true, 1000},
        {"mono song longer than the ring, once", 1, 150000, false, 8000},
        {"mono song longer than the ring, looping", 1, 60000, true, 9000},
        {"stereo song longer than the ring, looping", 2, 40000, true, 5000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<int16_t> song = Pattern(c.frames * c.channels, 1);
        CSoundStream stream;
        ASSERT_TRUE(stream.Play(WriteSong("song.wav", song, c.channels).c_str(), 0, c.loop));
        EXPECT_TRUE(stream.IsPlaying());
        std::vector<int16_t> heard = Run(&stream, c.ms);
        if (c.channels == 1)
            heard = Left(heard);
        const size_t played = Frames(c.ms) * c.channels;
        ASSERT_EQ(heard.size(), played);
        if (c.loop) {
            EXPECT_EQ(FirstDifference(heard, Looped(song, 0, played)), played);
            EXPECT_TRUE(stream.IsPlaying());
        } else {
            EXPECT_EQ(FirstDifference(heard, song), song.size());
            EXPECT_TRUE(AllZero(heard, song.size()));
            EXPECT_FALSE(stream.IsPlaying());
        }
    }
}

TEST_F(SoundStream, AnOggSongLoopsAsLibvorbisfileDecodesIt)
{
    const std::string path = WriteFile("song.ogg", EncodeOgg(2, 22050, Pattern(2 * 30000, 18)));
    const std::string bytes = DecodeOggFile(path);
    std::vector<int16_t> decoded(bytes.size() / 2);
    std::memcpy(decoded.data(), bytes.data(), decoded.size() * 2);
    ASSERT_EQ(decoded.size(), 2u * 30000);
    CSoundStream stream;
    ASSERT_TRUE(stream.Play(path.c_str(), 0, true));
    const std::vector<int16_t> heard = Run(&stream, 4000);
    EXPECT_EQ(FirstDifference(heard, Looped(decoded, 0, heard.size())), heard.size());
}

TEST_F(SoundStream, AChainedOggSongPlaysEveryLinkToItsFullLength)
{
    std::string chained, bytes;
    if (!EncodeOggChain(m_dir, {{2, 22050, 40000}, {2, 22050, 25000}}, chained, bytes))
        GTEST_SKIP() << "oggenc and oggdec are not installed";
    std::vector<int16_t> decoded(bytes.size() / 2);
    std::memcpy(decoded.data(), bytes.data(), decoded.size() * 2);
    CSoundStream stream;
    ASSERT_TRUE(stream.Play(WriteFile("chained.ogg", chained).c_str(), 0, false));
    const std::vector<int16_t> heard = Run(&stream, 4000);
    EXPECT_EQ(FirstDifference(heard, decoded), decoded.size());
    EXPECT_TRUE(AllZero(heard, decoded.size()));
    EXPECT_FALSE(stream.IsPlaying());
}

TEST_F(SoundStream, AStartOffsetPlaysFromThereAndALoopGoesOnFromTheStart)
{
    const std::vector<int16_t> song = Pattern(40000, 3);
    const std::string path = WriteSong("song.wav", song);
    struct Case
    {
        uint32_t offset;
        bool loop;
        size_t expectedFirst;   // the frame heard first
    } cases[] = {
        {20000, true, 10000}, {20000, false, 10000}, {20001, true, 10000},   // half a frame goes
        {80000, true, 0},                                                     // at the end: the loop's start
        {500000, true, 0},                                                    // past the end, too
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.offset);
        CSoundStream stream;
        ASSERT_TRUE(stream.Play(path.c_str(), c.offset, c.loop));
        const std::vector<int16_t> heard = Left(Run(&stream, 4000));
        if (c.loop) {
            EXPECT_EQ(FirstDifference(heard, Looped(song, c.expectedFirst, heard.size())), heard.size());
        } else {
            const std::vector<int16_t> rest(song.begin() + static_cast<std::ptrdiff_t>(c.expectedFirst), song.end());
            EXPECT_EQ(FirstDifference(heard, rest), rest.size());
            EXPECT_TRUE(AllZero(heard, rest.size()));
        }
    }
    CSoundStream past;
    ASSERT_TRUE(past.Play(path.c_str(), 500000, false));
    EXPECT_TRUE(AllZero(Run(&past, 500)));
    EXPECT_FALSE(past.IsPlaying());
}

TEST_F(SoundStream, MinusThreeThousandStopsTheRingAndMinusTwoNineNineNineGoesOn)
{
    const std::vector<int16_t> song = Pattern(150000, 4);
    CSoundStream stream;
    ASSERT_TRUE(stream.Play(WriteSong("song.wav", song).c_str(), 0, false));
    std::vector<int16_t> heard = Left(Run(&stream, 1000));

    stream.SetVolume(-3000);
    EXPECT_TRUE(stream.IsMuted());
    EXPECT_TRUE(stream.IsPlaying());   // the song is kept
    EXPECT_TRUE(AllZero(Run(&stream, 3000)));

    stream.SetVolume(-2999);
    EXPECT_FALSE(stream.IsMuted());
    EXPECT_EQ(stream.GetVolume(), -2999);
    const std::vector<int16_t> quiet = Left(Run(&stream, 100));
    EXPECT_FALSE(AllZero(quiet));
    EXPECT_LT(std::abs(quiet[0]), std::abs(song[heard.size()]));   // 30 dB down
    heard.resize(heard.size() + quiet.size(), 0);

    // At full volume it goes on from where it was, across the ring's refills.
    stream.SetVolume(0);
    const std::vector<int16_t> rest = Left(Run(&stream, 3000));
    const std::vector<int16_t> expected(song.begin() + static_cast<std::ptrdiff_t>(heard.size()),
                                        song.begin() + static_cast<std::ptrdiff_t>(heard.size() + rest.size()));
    EXPECT_EQ(rest, expected);
}

TEST_F(SoundStream, ASongStartedWhileMutedWaitsAndAStoppedOneStaysSilent)
{
    const std::vector<int16_t> song = Pattern(150000, 5);
    const std::string path = WriteSong("song.wav", song);
    CSoundStream stream;
    stream.SetVolume(-3333);
    EXPECT_TRUE(stream.Play(path.c_str(), 0, false));
    EXPECT_FALSE(stream.IsPlaying());
    EXPECT_TRUE(AllZero(Run(&stream, 500)));
    // The volume back: the song starts from its beginning and is refilled past the first ring.
    stream.SetVolume(0);
    EXPECT_TRUE(stream.IsPlaying());
    const std::vector<int16_t> heard = Left(Run(&stream, 4000));
    EXPECT_EQ(FirstDifference(heard, song), heard.size());

    stream.Stop();
    EXPECT_FALSE(stream.IsPlaying());
    stream.SetVolume(-3000);
    stream.SetVolume(0);
    EXPECT_FALSE(stream.IsPlaying());
    EXPECT_TRUE(AllZero(Run(&stream, 1000)));
}

TEST_F(SoundStream, QueueNextRefusesAnotherFormatAndTheSongPlaysOn)
{
    const std::vector<int16_t> song = Pattern(150000, 6);
    CSoundStream idle;
    EXPECT_FALSE(idle.QueueNext(WriteSong("idle.wav", song).c_str(), 0.5f, false));   // nothing plays

    CSoundStream stream;
    ASSERT_TRUE(stream.Play(WriteSong("song.wav", song).c_str(), 0, true));
    std::vector<int16_t> heard = Left(Run(&stream, 700));
    struct Case
    {
        const char* what;
        std::string file;
    } cases[] = {
        {"another rate", WriteSong("rate.wav", song, 1, 11025)},
        {"two channels", WriteSong("stereo.wav", Pattern(20000, 7), 2)},
        {"8-bit samples", WriteFile("eight.wav", WaveBytes(1, 8, 22050, std::string(20000, '\x90')))},
        {"no such file", m_dir / "missing.wav"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(stream.QueueNext(c.file.c_str(), 0.0f, false));
        EXPECT_FALSE(stream.CompleteCrossfade());
        const std::vector<int16_t> more = Left(Run(&stream, 700));
        heard.insert(heard.end(), more.begin(), more.end());
    }
    EXPECT_EQ(FirstDifference(heard, Looped(song, 0, heard.size())), heard.size());
}

TEST_F(SoundStream, WithoutRefillsTheFirstRingRepeats)
{
    const std::vector<int16_t> song = Pattern(150000, 8);
    CSoundStream stream;
    ASSERT_TRUE(stream.Play(WriteSong("song.wav", song).c_str(), 0, false));
    const std::vector<int16_t> heard = Left(Run(nullptr, 6000));
    const std::vector<int16_t> ring(song.begin(), song.begin() + kRingFrames);
    EXPECT_EQ(FirstDifference(heard, Looped(ring, 0, heard.size())), heard.size());
}

// Where a capture turns from one source to another, both given sample for sample as they would
// be heard: the index of the first sample that is not the outgoing one, after which every sample
// is the incoming one.
void ExpectOneSwitch(const std::vector<int16_t>& heard, const std::vector<int16_t>& outgoing,
                     const std::vector<int16_t>& incoming, size_t& at)
{
    at = FirstDifference(heard, outgoing);
    ASSERT_LT(at, heard.size());
    for (size_t i = at; i < heard.size(); ++i)
        ASSERT_EQ(heard[i], incoming[i]) << i;
}

TEST_F(SoundStream, AQueuedMixJoinsAtThePlayingPositionAndTakesOverWhenCompleted)
{
    const std::vector<int16_t> a = Pattern(60000, 9);
    const std::vector<int16_t> b = Pattern(60000, 10);
    CSoundStream stream;
    const std::vector<int16_t> heard = PlayThenQueue(stream, a, b, 1000, 3000, false);
    // Weight 0 is the queued mix alone, at the same place of the piece.
    size_t at = 0;
    ExpectOneSwitch(heard, Looped(a, 0, heard.size()), Looped(b, 0, heard.size()), at);
    EXPECT_GT(at, Frames(1000));
    EXPECT_LE(at, Frames(1000) + kRingFrames);

    ASSERT_TRUE(stream.CompleteCrossfade());
    const size_t before = heard.size();
    const std::vector<int16_t> more = Left(Run(&stream, 4000));
    EXPECT_EQ(FirstDifference(more, Looped(b, before % b.size(), more.size())), more.size());
}

TEST_F(SoundStream, AMixQueuedFromItsStartPlaysWholeAfterTheSwitch)
{
    const std::vector<int16_t> a = Pattern(60000, 13);
    const std::vector<int16_t> b = Pattern(90000, 14);   // a longer piece
    CSoundStream stream;
    std::vector<int16_t> heard = PlayThenQueue(stream, a, b, 1500, 2500, true);
    ASSERT_TRUE(stream.CompleteCrossfade());
    const std::vector<int16_t> more = Left(Run(&stream, 9000));
    heard.insert(heard.end(), more.begin(), more.end());

    size_t at = FirstDifference(heard, Looped(a, 0, heard.size()));
    ASSERT_LT(at, heard.size());
    // From the switch on: the new piece from its beginning, whole, then again from its start.
    const std::vector<int16_t> tail(heard.begin() + static_cast<std::ptrdiff_t>(at), heard.end());
    ASSERT_GT(tail.size(), b.size() + 1000);
    EXPECT_EQ(FirstDifference(tail, Looped(b, 0, tail.size())), tail.size());
}

// A stream whose timer never starts.
class TimerlessStream : public CSoundStream
{
protected:
    bool StartRefillTimer() override { return false; }
};

TEST_F(SoundStream, WithoutATimerTheRefillFallsBackToUpdate)
{
    SetThreaded(true);
    const std::vector<int16_t> song = Pattern(150000, 15);
    TimerlessStream stream;
    EXPECT_TRUE(stream.IsThreaded());
    ASSERT_TRUE(stream.Play(WriteSong("song.wav", song).c_str(), 0, false));
    EXPECT_FALSE(stream.IsThreaded());
    const std::vector<int16_t> heard = Left(Run(&stream, 4000));
    EXPECT_EQ(FirstDifference(heard, song), heard.size());
}

} // namespace
