#pragma once
// A sound buffer (a voice of the mixer): PCM bytes of one format, played once or looped with a
// volume, a pan and a frequency, and read through a play and a write cursor. Duplicates share the
// PCM bytes of the buffer they were made from; each keeps its own cursor, flags and settings.
//
// The rule for callers: the PCM bytes are written between Lock and Unlock, which hold the mixer
// off this buffer's bytes (a streaming buffer is written while it plays, behind its play cursor).
// Between the two, call nothing else on the buffer. Everything may be called from any thread
// while the mixer runs; the cursors are read without waiting for the mixer.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace platform {

struct PcmFormat
{
    int channels = 1;           // 1 or 2
    int bitsPerSample = 16;     // 8 (unsigned, 0x80 silent) or 16 (signed)
    int samplesPerSecond = 22050;

    int BlockAlign() const { return channels * bitsPerSample / 8; }
    bool IsValid() const;
};

// Volumes in hundredths of a decibel. The gain is 10^(volume / 2000), except that the program's
// floor, kVolumeSilent and below, is silence rather than 33 dB down.
constexpr int kVolumeMin = -10000;
constexpr int kVolumeMax = 0;
constexpr int kVolumeSilent = -3333;
constexpr int kPanLeft = -10000;
constexpr int kPanRight = 10000;

// The Q16 gain of a volume (65536 at 0, 0 at kVolumeSilent and below).
int32_t GainOfVolume(int hundredthsOfDecibel);

class SoundBuffer
{
public:
    // sizeBytes is rounded down to whole frames; the bytes start silent.
    SoundBuffer(const PcmFormat& format, uint32_t sizeBytes);
    // A duplicate: shares the source's PCM, takes its volume, pan and frequency; stopped at 0.
    explicit SoundBuffer(const SoundBuffer& source);
    SoundBuffer& operator=(const SoundBuffer&) = delete;

    const PcmFormat& GetFormat() const { return m_format; }
    uint32_t GetSize() const { return m_frameCount * static_cast<uint32_t>(m_format.BlockAlign()); }
    // Whether both play the same PCM bytes.
    bool SharesDataWith(const SoundBuffer& other) const { return m_data == other.m_data; }

    // Gives the bytes from offset on, in one span or, when they wrap past the end, two, and keeps
    // the mixer from reading this buffer's bytes until Unlock. False (and nothing held) for an
    // offset or a count outside the buffer, or a wrap without a second span to take it.
    bool Lock(uint32_t offset, uint32_t bytes, uint8_t** first, uint32_t* firstSize,
              uint8_t** second, uint32_t* secondSize);
    // Lets the mixer read the bytes again; nothing when no lock is held.
    void Unlock();

    // Starts from the play cursor (SetPosition(0) first to play from the start).
    void Play(bool loop);
    // Stops where it is; the play cursor stays.
    void Stop();
    bool IsPlaying() const;
    bool IsLooping() const;

    void SetVolume(int hundredthsOfDecibel);    // clamped to kVolumeMin..kVolumeMax
    int GetVolume() const;
    void SetPan(int pan);                       // clamped to kPanLeft..kPanRight
    int GetPan() const;
    void SetFrequency(uint32_t samplesPerSecond);   // 0 restores the format's rate; at most 200000
    uint32_t GetFrequency() const;

    void SetPosition(uint32_t byteOffset);
    // The byte the mixer reads next.
    uint32_t GetPlayPosition() const;
    // The first byte that is safe to change while the buffer plays: one device period (the frames
    // the mixer took in its last pull, 10 ms before the first) ahead of the play cursor, within
    // the buffer; the play cursor itself while stopped.
    uint32_t GetWritePosition() const;

    // Adds the next frames of this voice, with the master gain, to an accumulator of outputChannels
    // interleaved values per frame at the output rate (the mixer).
    void MixInto(int32_t* accumulator, size_t frames, int outputChannels, int outputRate, int32_t masterGain);

private:
    void UpdateGains();
    // Makes the cursors readable without the lock (called with m_mutex held).
    void PublishCursors();

    mutable std::mutex m_mutex;   // the playing state is shared with the mixing thread
    std::mutex m_dataMutex;       // held by Lock until Unlock, and by the mixer while it reads
    std::unique_lock<std::mutex> m_dataLock;   // the writer's hold, touched only by its owner
    PcmFormat m_format;
    std::shared_ptr<std::vector<uint8_t>> m_data;
    uint32_t m_frameCount;
    uint64_t m_position = 0;      // in frames, 32.32 fixed point
    bool m_playing = false;
    bool m_looping = false;
    int m_volume = 0;
    int m_pan = 0;
    uint32_t m_frequency;
    int32_t m_gainLeft = 1 << 16; // Q16, volume and pan together
    int32_t m_gainRight = 1 << 16;
    int32_t m_gainCentre = 1 << 16;   // volume alone, for a mono device
    uint32_t m_periodFrames;          // source frames of one device period
    std::atomic<uint32_t> m_playFrame{0};
    std::atomic<uint32_t> m_leadFrames{0};   // write cursor - play cursor, 0 while stopped
};

} // namespace platform
