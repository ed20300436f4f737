#include "sound/SoundStream.h"

#include "foundation/ConfigFile.h"
#include "foundation/LogSection.h"
#include "platform/Mixer.h"
#include "sound/DirectSoundSystem.h"
#include "sound/SoundStreamState.h"

#include <algorithm>
#include <new>

namespace {

bool SameFormat(const WaveFormat& a, const WaveFormat& b)
{
    return a.averageBytesPerSecond == b.averageBytesPerSecond && a.channels == b.channels &&
           a.bitsPerSample == b.bitsPerSample && a.samplesPerSecond == b.samplesPerSecond;
}

CWaveSource* OpenSong(const char* fileName)
{
    BeginLogSection("Stream sound");
    CWaveSource* source = OpenWaveSource(fileName, CSoundStream::kOpenFlags);
    EndLogSection();
    return source;
}

} // namespace

CSoundStream::CSoundStream()
{
    // Without a device the stream has nothing to play into and stays inert.
    if (!CDirectSoundSystem::GetDeviceMixer())
        return;
    m_state.reset(new (std::nothrow) State);
    if (m_state)
        m_state->threaded = ReadConfigInt(g_configFile.GetPath(), "Options", "Use Threaded Stream", 1) != 0;
}

CSoundStream::~CSoundStream()
{
    if (!m_state)
        return;
    std::lock_guard<std::mutex> lock(m_state->lock);
    if (m_state->playing) {
        m_state->stopRequested = true;
        FinishStop();
    }
    StopTimer();
    m_state->ring.reset();
    DeleteSources();
}

bool CSoundStream::Play(const char* fileName, uint32_t startOffset, bool loop)
{
    if (!m_state || !fileName || !*fileName)
        return false;
    State& s = *m_state;
    std::lock_guard<std::mutex> lock(s.lock);
    if (s.playing) {
        s.stopRequested = true;
        RefillStep();
    }
    s.stopRequested = false;
    platform::Mixer* mixer = CDirectSoundSystem::GetDeviceMixer();
    if (!mixer) {
        s.stopRequested = true;
        return false;
    }
    DeleteSources();
    s.current.reset(OpenSong(fileName));
    if (!s.current) {
        s.stopRequested = true;
        return false;
    }
    s.current->GetWaveFormat(s.format);
    s.total = s.current->GetPCMLength();
    // A whole frame, within the song: an odd offset would swap the bytes of every sample.
    const uint32_t offset = std::min(startOffset - startOffset % std::max<uint32_t>(s.format.blockAlign, 1), s.total);
    s.remaining = s.total - offset;
    s.looping = loop;
    s.ending = false;
    s.bytesToPlay = 0;
    s.lastPlayCursor = 0;

    s.ring.reset();
    s.ring = mixer->CreateBuffer({s.format.channels, s.format.bitsPerSample, static_cast<int>(s.format.samplesPerSecond)},
                                 kRingBytes);
    if (!s.ring) {
        s.stopRequested = true;
        return false;
    }
    if (offset != 0)
        s.current->Seek(offset);
    const uint32_t written = FillRing(0, kRingBytes);
    if (written == 0) {
        DeleteSources();
        s.stopRequested = true;
        return false;
    }
    s.writePosition = written % kRingBytes;

    // A timer that cannot start leaves the refill to Update rather than ending the program.
    if (s.threaded && !s.timer.IsRunning() && !StartRefillTimer())
        s.threaded = false;

    s.ring->SetVolume(s.volume);
    if (!s.muted) {
        s.ring->Play(true);
        s.playing = true;
    }
    return true;
}

bool CSoundStream::QueueNext(const char* fileName, float weight, bool fromStart)
{
    if (!m_state || !fileName || !*fileName)
        return false;
    State& s = *m_state;
    {
        std::lock_guard<std::mutex> lock(s.lock);
        s.weight = weight;
    }
    // Opened before the lock is taken, so that the refill is not held up by the file.
    std::unique_ptr<CWaveSource> source(OpenSong(fileName));
    if (!source)
        return false;
    WaveFormat format;
    source->GetWaveFormat(format);
    std::lock_guard<std::mutex> lock(s.lock);
    // The crossfade mixes 16-bit samples only.
    if (!s.current || format.bitsPerSample != 16 || !SameFormat(format, s.format))
        return false;
    s.next = std::move(source);
    s.nextFromStart = fromStart;
    s.nextAligned = false;
    s.nextRead = 0;
    return true;
}

bool CSoundStream::SetCrossfadeWeight(float weight)
{
    if (!m_state)
        return false;
    std::lock_guard<std::mutex> lock(m_state->lock);
    m_state->weight = weight;
    return true;
}

bool CSoundStream::CompleteCrossfade()
{
    if (!m_state)
        return false;
    State& s = *m_state;
    std::lock_guard<std::mutex> lock(s.lock);
    if (!s.next)
        return false;
    if (s.nextFromStart) {
        // A song queued from its own start is not where the old one was: its own counts hold.
        s.total = s.next->GetPCMLength();
        s.remaining = s.total - std::min(s.nextRead, s.total);
    }
    // Otherwise the two are mixes of one piece, of one length, at one position.
    s.current = std::move(s.next);
    s.current->GetWaveFormat(s.format);
    return true;
}

void CSoundStream::Update()
{
    if (!m_state)
        return;
    std::lock_guard<std::mutex> lock(m_state->lock);
    if (!m_state->threaded)
        RefillStep();
    if (m_state->stopRequested && m_state->current)
        FinishStop();
}

void CSoundStream::Stop()
{
    if (!m_state)
        return;
    std::lock_guard<std::mutex> lock(m_state->lock);
    if (!m_state->playing)
        return;
    m_state->stopRequested = true;
    FinishStop();
}

void CSoundStream::SetVolume(int volume)
{
    if (!m_state)
        return;
    State& s = *m_state;
    std::lock_guard<std::mutex> lock(s.lock);
    if (volume == s.volume)
        return;
    s.volume = volume;
    if (volume <= kMuteVolume) {
        if (!s.muted) {
            s.muted = true;
            if (s.ring)
                s.ring->Stop();
        }
        return;
    }
    if (s.muted) {
        s.muted = false;
        // Only a song that is still there goes on (also one started while muted); a stopped
        // stream's ring holds nothing to hear.
        if (s.ring && s.current && !s.stopRequested) {
            s.ring->Play(true);
            s.playing = true;
        }
    }
    if (s.ring)
        s.ring->SetVolume(volume);
}

int CSoundStream::GetVolume() const
{
    return m_state ? m_state->volume.load() : 0;
}

bool CSoundStream::IsMuted() const
{
    return m_state && m_state->muted;
}

bool CSoundStream::IsPlaying() const
{
    return m_state && m_state->playing;
}

bool CSoundStream::IsThreaded() const
{
    return m_state && m_state->threaded;
}

bool CSoundStream::StartRefillTimer()
{
    return m_state->timer.Start(kRefillPeriodMs, [this] { RunTimerStep(); });
}

void CSoundStream::RunTimerStep()
{
    // A step that is under way (or a main-thread call) is not waited for: the next tick comes.
    if (!m_state || !m_state->lock.try_lock())
        return;
    RefillStep();
    m_state->lock.unlock();
}

void CSoundStream::StopTimer()
{
    // The timer thread only tries the lock, so it cannot be waiting for the one held here.
    m_state->timer.Stop();
}

void CSoundStream::DeleteSources()
{
    m_state->current.reset();
    m_state->next.reset();
}

void CSoundStream::FinishStop()
{
    RefillStep();
    StopTimer();
    DeleteSources();
}
