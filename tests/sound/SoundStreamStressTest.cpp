// The stream shared between the main thread, its refill timer and the device: random use for
// ThreadSanitizer (and AddressSanitizer) to find what is touched without the lock.
#include "StreamTestSupport.h"

#include "platform/PeriodicTimer.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <random>
#include <thread>

namespace {

using namespace soundtest;

// The real 50 ms timer, and a second one that runs the same step every millisecond so that the
// steps meet the main thread's calls often.
class BusyStream : public CSoundStream
{
public:
    ~BusyStream() override { m_extra.Stop(); }

protected:
    bool StartRefillTimer() override
    {
        if (!m_extra.IsRunning())
            m_extra.Start(1, [this] { RunTimerStep(); });
        return CSoundStream::StartRefillTimer();
    }

private:
    platform::PeriodicTimer m_extra;
};

TEST_F(StreamTest, RandomPlaysQueuesFadesAndDeletesAgainstTheTimer)
{
    SetThreaded(true);
    const std::string songs[] = {
        WriteSong("a.wav", Pattern(30000, 1)),
        WriteSong("b.wav", Pattern(30000, 2)),
        WriteSong("long.wav", Pattern(90000, 3)),
        WriteSong("stereo.wav", Pattern(60000, 4), 2),
        WriteSong("slow.wav", Pattern(20000, 5), 1, 11025),
        WriteFile("ogg.wav", EncodeOgg(1, 22050, Pattern(30000, 6))),
        m_dir / "missing.wav",
    };
    std::atomic<bool> done{false};
    // The device plays a hundred times faster than real time, so that the rings are refilled
    // again and again while it reads them.
    std::thread device([&done] {
        while (!done) {
            Device().Advance(10);
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
    });
    std::mt19937 random(2718);
    auto pick = [&random](uint32_t n) { return static_cast<uint32_t>(random() % n); };
    auto stream = std::make_unique<BusyStream>();
    int plays = 0;
    for (int i = 0; i < 10000; ++i) {
        const uint32_t op = pick(1000);
        const std::string& song = songs[pick(std::size(songs))];
        if (op < 15) {
            plays += stream->Play(song.c_str(), pick(4) == 0 ? pick(200000) : 0, pick(2) == 0) ? 1 : 0;
        } else if (op < 100) {
            stream->QueueNext(song.c_str(), static_cast<float>(pick(101)) / 100.0f, pick(2) == 0);
        } else if (op < 400) {
            stream->SetCrossfadeWeight(static_cast<float>(pick(101)) / 100.0f);
        } else if (op < 500) {
            stream->CompleteCrossfade();
        } else if (op < 600) {
            stream->SetVolume(-static_cast<int>(pick(3300)));
        } else if (op < 610) {
            stream->Stop();
        } else if (op < 850) {
            stream->Update();
        } else if (op < 997) {
            (void)stream->IsPlaying();
            (void)stream->IsMuted();
            (void)stream->GetVolume();
        } else {
            stream = std::make_unique<BusyStream>();
        }
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    stream->Stop();
    EXPECT_FALSE(stream->IsPlaying());
    done = true;
    device.join();
    EXPECT_GT(plays, 50);
}

} // namespace
