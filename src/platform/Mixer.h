#pragma once
// Our own mixer: sums every playing sound buffer into 16-bit stereo at the output rate. The SDL
// backend calls Mix from its audio callback; the headless backend when a test asks for samples.
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

    int GetOutputRate() const { return m_outputRate; }

    // A new buffer, silent and stopped, mixed for as long as the caller holds it.
    std::shared_ptr<SoundBuffer> CreateBuffer(const PcmFormat& format, uint32_t sizeBytes);

    // Writes frames of interleaved stereo, clamped to 16 bits.
    void Mix(int16_t* stereo, size_t frames);

    void StopAll();

private:
    std::mutex m_mutex;
    int m_outputRate;
    std::vector<std::weak_ptr<SoundBuffer>> m_voices;
    std::vector<int32_t> m_accumulator;
};

} // namespace platform
