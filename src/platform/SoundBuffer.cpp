#include "platform/SoundBuffer.h"

#include "platform/MixKernel.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

int32_t ToQ16(double gain)
{
    return static_cast<int32_t>(std::lround(gain * kUnityGain));
}

int32_t Combine(int32_t gain, int32_t master)
{
    return static_cast<int32_t>((static_cast<int64_t>(gain) * master + kUnityGain / 2) >> 16);
}

} // namespace

bool PcmFormat::IsValid() const
{
    return (channels == 1 || channels == 2) && (bitsPerSample == 8 || bitsPerSample == 16) &&
           samplesPerSecond > 0 && samplesPerSecond <= 200000;
}

int32_t GainOfVolume(int volume)
{
    if (volume <= kVolumeSilent)
        return 0;
    return ToQ16(std::pow(10.0, std::min(volume, kVolumeMax) / 2000.0));
}

SoundBuffer::SoundBuffer(const PcmFormat& format, uint32_t sizeBytes)
    : m_format(format.IsValid() ? format : PcmFormat{}),
      m_frameCount(sizeBytes / static_cast<uint32_t>(m_format.BlockAlign())),
      m_frequency(static_cast<uint32_t>(m_format.samplesPerSecond)),
      m_periodFrames(m_frequency / 100)
{
    m_data = std::make_shared<std::vector<uint8_t>>(static_cast<size_t>(m_frameCount) * m_format.BlockAlign(),
                                                    m_format.bitsPerSample == 8 ? 0x80 : 0);
}

SoundBuffer::SoundBuffer(const SoundBuffer& source)
{
    std::lock_guard<std::mutex> lock(source.m_mutex);
    m_format = source.m_format;
    m_data = source.m_data;
    m_frameCount = source.m_frameCount;
    m_volume = source.m_volume;
    m_pan = source.m_pan;
    m_frequency = source.m_frequency;
    m_gainLeft = source.m_gainLeft;
    m_gainRight = source.m_gainRight;
    m_gainCentre = source.m_gainCentre;
    m_periodFrames = m_frequency / 100;
}

bool SoundBuffer::Lock(uint32_t offset, uint32_t bytes, uint8_t** first, uint32_t* firstSize,
                       uint8_t** second, uint32_t* secondSize)
{
    uint32_t size = GetSize();
    if (!first || !firstSize || offset >= size || bytes > size)
        return false;
    uint32_t head = std::min(bytes, size - offset);
    uint32_t rest = bytes - head;
    if (rest && !second)
        return false;
    *first = m_data->data() + offset;
    *firstSize = head;
    if (second)
        *second = rest ? m_data->data() : nullptr;
    if (secondSize)
        *secondSize = rest;
    m_dataLock = std::unique_lock<std::mutex>(m_dataMutex);
    return true;
}

void SoundBuffer::Unlock()
{
    if (m_dataLock.owns_lock())
        m_dataLock.unlock();
}

void SoundBuffer::Play(bool loop)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_playing = m_frameCount > 0;
    m_looping = loop;
    PublishCursors();
}

void SoundBuffer::Stop()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_playing = false;
    PublishCursors();
}

bool SoundBuffer::IsPlaying() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_playing;
}

bool SoundBuffer::IsLooping() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_looping;
}

void SoundBuffer::SetVolume(int volume)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_volume = std::clamp(volume, kVolumeMin, kVolumeMax);
    UpdateGains();
}

int SoundBuffer::GetVolume() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_volume;
}

void SoundBuffer::SetPan(int pan)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pan = std::clamp(pan, kPanLeft, kPanRight);
    UpdateGains();
}

int SoundBuffer::GetPan() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_pan;
}

void SoundBuffer::SetFrequency(uint32_t frequency)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_frequency = frequency ? std::min<uint32_t>(frequency, 200000)
                            : static_cast<uint32_t>(m_format.samplesPerSecond);
}

uint32_t SoundBuffer::GetFrequency() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_frequency;
}

void SoundBuffer::SetPosition(uint32_t byteOffset)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    uint32_t frame = byteOffset / static_cast<uint32_t>(m_format.BlockAlign());
    m_position = static_cast<uint64_t>(m_frameCount ? frame % m_frameCount : 0) << 32;
    PublishCursors();
}

uint32_t SoundBuffer::GetPlayPosition() const
{
    return m_playFrame.load() * static_cast<uint32_t>(m_format.BlockAlign());
}

uint32_t SoundBuffer::GetWritePosition() const
{
    if (m_frameCount == 0)
        return 0;
    const uint32_t frame = (m_playFrame.load() + m_leadFrames.load()) % m_frameCount;
    return frame * static_cast<uint32_t>(m_format.BlockAlign());
}

void SoundBuffer::PublishCursors()
{
    m_playFrame.store(static_cast<uint32_t>(m_position >> 32));
    // While playing, the bytes just ahead of the play cursor are already on their way out.
    m_leadFrames.store(m_playing && m_frameCount ? std::min(m_periodFrames, m_frameCount - 1) : 0);
}

void SoundBuffer::UpdateGains()
{
    const int32_t gain = GainOfVolume(m_volume);
    // Panning attenuates the far side only, by the pan's value in hundredths of a decibel.
    const double left = m_pan > 0 ? std::pow(10.0, -m_pan / 2000.0) : 1.0;
    const double right = m_pan < 0 ? std::pow(10.0, m_pan / 2000.0) : 1.0;
    m_gainCentre = gain;
    m_gainLeft = Combine(gain, ToQ16(left));
    m_gainRight = Combine(gain, ToQ16(right));
}

void SoundBuffer::MixInto(int32_t* accumulator, size_t frames, int outputChannels, int outputRate,
                          int32_t masterGain)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_playing || m_frameCount == 0 || outputRate <= 0)
        return;
    const MixSource source{m_data->data(), m_frameCount, m_format.channels, m_format.bitsPerSample, m_looping};
    const bool stereo = outputChannels == 2;
    const int32_t left = Combine(stereo ? m_gainLeft : m_gainCentre, masterGain);
    const int32_t right = Combine(m_gainRight, masterGain);
    const uint64_t step = ResampleStep(m_frequency, outputRate);
    {
        std::lock_guard<std::mutex> data(m_dataMutex);
        // A one-shot voice stops after its last frame, its cursor back at the start.
        m_playing = MixVoice(source, m_position, step, left, right, accumulator, stereo ? 2 : 1, frames);
    }
    const uint64_t period = (static_cast<uint64_t>(frames) * step + 0xFFFFFFFFull) >> 32;
    m_periodFrames = static_cast<uint32_t>(std::min<uint64_t>(period, m_frameCount));
    PublishCursors();
}

} // namespace platform
