#include "platform/Mixer.h"

#include "platform/MixKernel.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace platform {

bool Mixer::OpenDevice(int channels)
{
    if (channels != 1 && channels != 2)
        return false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_open && m_channels == channels)
            return true;
    }
    CloseDevice();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_channels = channels;
    }
    if (!StartDevice(channels))
        return false;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_open = true;
    return true;
}

void Mixer::CloseDevice()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_open)
            return;
        m_open = false;
    }
    // Not under the lock: closing waits for a callback that may be waiting for it in Mix.
    StopDevice();
}

bool Mixer::IsDeviceOpen() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_open;
}

int Mixer::GetChannels() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_channels;
}

void Mixer::SetMasterVolume(int volume)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_masterVolume = std::clamp(volume, kVolumeMin, kVolumeMax);
    m_masterGain = GainOfVolume(m_masterVolume);
}

int Mixer::GetMasterVolume() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_masterVolume;
}

void Mixer::SetAudible(bool audible)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_audible = audible;
}

bool Mixer::IsAudible() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_audible;
}

std::shared_ptr<SoundBuffer> Mixer::CreateBuffer(const PcmFormat& format, uint32_t sizeBytes)
{
    if (!format.IsValid() || sizeBytes < static_cast<uint32_t>(format.BlockAlign()))
        return nullptr;
    try {
        auto buffer = std::make_shared<SoundBuffer>(format, sizeBytes);
        AddVoice(buffer);
        return buffer;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::shared_ptr<SoundBuffer> Mixer::DuplicateBuffer(const std::shared_ptr<SoundBuffer>& source)
{
    if (!source)
        return nullptr;
    try {
        auto buffer = std::make_shared<SoundBuffer>(*source);
        AddVoice(buffer);
        return buffer;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void Mixer::AddVoice(const std::shared_ptr<SoundBuffer>& voice)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    // Voices nobody holds any more go here as well as in Mix, so that a mixer nobody pulls from
    // does not keep a growing list.
    std::erase_if(m_voices, [](const std::weak_ptr<SoundBuffer>& weak) { return weak.expired(); });
    m_voices.push_back(voice);
}

size_t Mixer::Mix(int16_t* out, size_t frames)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const size_t count = frames * static_cast<size_t>(m_channels);
    m_accumulator.assign(count, 0);
    for (size_t i = 0; i < m_voices.size();) {
        if (auto voice = m_voices[i].lock()) {
            voice->MixInto(m_accumulator.data(), frames, m_channels, m_outputRate, m_masterGain);
            ++i;
        } else {
            m_voices.erase(m_voices.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    if (m_audible)
        LimitToPcm16(m_accumulator.data(), out, frames, m_channels, m_limiter);
    else
        std::memset(out, 0, count * sizeof(int16_t));
    return count;
}

uint64_t Mixer::GetLimitedFrameCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_limiter.limitedFrames;
}

void Mixer::ResetLimiter()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_limiter = PeakLimiter{};
}

void Mixer::StopAll()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (auto& weak : m_voices)
        if (auto voice = weak.lock())
            voice->Stop();
}

} // namespace platform
