#pragma once
// A sound buffer: PCM bytes of one format that the engine locks and writes, played once or looped
// by the mixer with a volume, a pan and a frequency, and read through a play and a write cursor.
#include <cstdint>
#include <mutex>
#include <vector>

namespace platform {

struct PcmFormat
{
    int channels = 1;           // 1 or 2
    int bitsPerSample = 16;     // 8 (unsigned) or 16 (signed)
    int samplesPerSecond = 22050;

    int BlockAlign() const { return channels * bitsPerSample / 8; }
    bool IsValid() const;
};

constexpr int kVolumeMin = -10000;   // hundredths of a decibel: silence
constexpr int kVolumeMax = 0;
constexpr int kPanLeft = -10000;
constexpr int kPanRight = 10000;

class SoundBuffer
{
public:
    // sizeBytes is rounded down to whole frames.
    SoundBuffer(const PcmFormat& format, uint32_t sizeBytes);

    const PcmFormat& GetFormat() const { return m_format; }
    uint32_t GetSize() const { return static_cast<uint32_t>(m_data.size()); }

    // Gives the bytes from offset on, in one span or, when they wrap past the end, two. Writing
    // must keep clear of the part being played, as with any streaming buffer: the bytes
    // themselves are not guarded.
    bool Lock(uint32_t offset, uint32_t bytes, uint8_t** first, uint32_t* firstSize,
              uint8_t** second, uint32_t* secondSize);
    void Unlock() {}

    void Play(bool loop);
    void Stop();
    bool IsPlaying() const;
    bool IsLooping() const;

    void SetVolume(int hundredthsOfDecibel);    // clamped to kVolumeMin..kVolumeMax
    int GetVolume() const;
    void SetPan(int pan);                       // clamped to kPanLeft..kPanRight
    int GetPan() const;
    void SetFrequency(uint32_t samplesPerSecond);   // 0 restores the format's rate
    uint32_t GetFrequency() const;

    void SetPosition(uint32_t byteOffset);
    uint32_t GetPlayPosition() const;
    uint32_t GetWritePosition() const;

    // Adds the next frames of this voice to a stereo accumulator at the output rate (the mixer).
    void MixInto(int32_t* stereo, size_t frames, int outputRate);

private:
    void UpdateGains();

    mutable std::mutex m_mutex;   // the playing state is shared with the mixing thread
    PcmFormat m_format;
    std::vector<uint8_t> m_data;
    uint32_t m_frameCount;
    uint64_t m_position = 0;      // in frames, 16.16 fixed point
    bool m_playing = false;
    bool m_looping = false;
    int m_volume = 0;
    int m_pan = 0;
    uint32_t m_frequency;
    int m_gainLeft = 1 << 14;     // Q14
    int m_gainRight = 1 << 14;
};

} // namespace platform
