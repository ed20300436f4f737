#pragma once
// Our own mixer: sums every playing sound buffer into 16-bit samples of 1 or 2 channels at the
// output rate, through a master gain. The backends give it a device: the SDL backend pulls Mix
// from its audio callback, the headless backend when a test advances its clock.
//
// The rule for callers: without an open device nothing is heard, but buffers can still be made
// and Mix still mixes (tests and benchmarks call it directly). Device calls belong to one thread;
// everything else may be called from any thread.
#include "platform/MixKernel.h"
#include "platform/SoundBuffer.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace platform {

constexpr int kOutputRate = 22050;

class Mixer
{
public:
    explicit Mixer(int outputRate = kOutputRate) : m_outputRate(outputRate) {}
    virtual ~Mixer() = default;
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    int GetOutputRate() const { return m_outputRate; }

    // Opens the device with 1 or 2 channels, reopening it when it is open with the other count.
    // False when it cannot be opened: there is no device then, until an open succeeds.
    bool OpenDevice(int channels);
    void CloseDevice();
    bool IsDeviceOpen() const;
    // The channel count of the device, or of Mix when none is open.
    int GetChannels() const;

    // The master volume in hundredths of a decibel, over every voice (clamped as a voice's is).
    void SetMasterVolume(int hundredthsOfDecibel);
    int GetMasterVolume() const;
    // Not audible: the output is silence while the voices go on playing (the program is behind
    // another one). Audible at start.
    void SetAudible(bool audible);
    bool IsAudible() const;

    // A new buffer, silent and stopped, mixed for as long as someone holds it. Null for a bad
    // format, fewer bytes than one frame, or no memory.
    std::shared_ptr<SoundBuffer> CreateBuffer(const PcmFormat& format, uint32_t sizeBytes);
    // A buffer sharing the source's PCM (see SoundBuffer); null without a source or memory.
    std::shared_ptr<SoundBuffer> DuplicateBuffer(const std::shared_ptr<SoundBuffer>& source);

    // Writes frames of GetChannels() interleaved samples, brought to 16 bits once by the peak
    // limiter (MixKernel.h); answers the count of samples written. Room for two channels is
    // always enough.
    size_t Mix(int16_t* out, size_t frames);
    // Frames the limiter has written below unity gain since the mixer was made: 0 while every
    // sum fitted in 16 bits.
    uint64_t GetLimitedFrameCount() const;

    void StopAll();

protected:
    // The backend's device: after StartDevice answers true the device may call Mix at any time;
    // after StopDevice returns it no longer does.
    virtual bool StartDevice(int /*channels*/) { return true; }
    virtual void StopDevice() {}
    // The limiter at unity with nothing counted, as at the start.
    void ResetLimiter();

private:
    void AddVoice(const std::shared_ptr<SoundBuffer>& voice);

    mutable std::mutex m_mutex;
    int m_outputRate;
    int m_channels = 2;
    bool m_open = false;
    bool m_audible = true;
    int m_masterVolume = 0;
    int32_t m_masterGain = 1 << 16;
    PeakLimiter m_limiter;
    std::vector<std::weak_ptr<SoundBuffer>> m_voices;
    std::vector<int32_t> m_accumulator;
};

} // namespace platform
