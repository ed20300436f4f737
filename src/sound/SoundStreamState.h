#pragma once
// The inside of a CSoundStream, shared by its two source files. The lock is the stream's whole
// coordination with its timer thread: the timer only tries it and skips a step it cannot take;
// the main thread waits for it before it touches a source, the ring or a count.
#include "platform/PeriodicTimer.h"
#include "sound/SoundStream.h"
#include "sound/WaveSource.h"

#include <atomic>
#include <memory>
#include <mutex>

namespace platform {
class SoundBuffer;
}

struct CSoundStream::State
{
    std::mutex lock;
    platform::PeriodicTimer timer;
    bool threaded = true;

    // Read without the lock by the getters; written under it.
    std::atomic<int> volume{0};
    std::atomic<bool> muted{false};
    std::atomic<bool> playing{false};

    std::unique_ptr<CWaveSource> current;
    std::unique_ptr<CWaveSource> next;
    WaveFormat format;           // of the current source, and so of the ring
    bool nextFromStart = false;
    bool nextAligned = false;
    uint32_t nextRead = 0;       // bytes the next source gave since it was queued
    float weight = 1.0f;
    uint32_t total = 0;          // PCM bytes of the current source
    uint32_t remaining = 0;      // of those, not read yet

    std::shared_ptr<platform::SoundBuffer> ring;
    uint32_t writePosition = 0;
    uint32_t lastPlayCursor = 0;
    int64_t bytesToPlay = 0;     // after the song's end: valid bytes still ahead of the play cursor
    bool stopRequested = false;
    bool ending = false;
    bool looping = false;
};
