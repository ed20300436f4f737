#include "platform/Mixer.h"

#include <algorithm>

namespace platform {

std::shared_ptr<SoundBuffer> Mixer::CreateBuffer(const PcmFormat& format, uint32_t sizeBytes)
{
    if (!format.IsValid() || sizeBytes < static_cast<uint32_t>(format.BlockAlign()))
        return nullptr;
    auto buffer = std::make_shared<SoundBuffer>(format, sizeBytes);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_voices.push_back(buffer);
    return buffer;
}

void Mixer::Mix(int16_t* stereo, size_t frames)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_accumulator.assign(frames * 2, 0);
    for (size_t i = 0; i < m_voices.size();) {
        if (auto voice = m_voices[i].lock()) {
            voice->MixInto(m_accumulator.data(), frames, m_outputRate);
            ++i;
        } else {
            m_voices.erase(m_voices.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    for (size_t i = 0; i < frames * 2; ++i)
        stereo[i] = static_cast<int16_t>(std::clamp(m_accumulator[i], -32768, 32767));
}

void Mixer::StopAll()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (auto& weak : m_voices)
        if (auto voice = weak.lock())
            voice->Stop();
}

} // namespace platform
