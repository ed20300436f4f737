#include "platform/SoundBuffer.h"

#include <algorithm>
#include <cmath>

namespace platform {

bool PcmFormat::IsValid() const
{
    return (channels == 1 || channels == 2) && (bitsPerSample == 8 || bitsPerSample == 16) &&
           samplesPerSecond > 0 && samplesPerSecond <= 200000;
}

SoundBuffer::SoundBuffer(const PcmFormat& format, uint32_t sizeBytes)
    : m_format(format.IsValid() ? format : PcmFormat{}),
      m_frameCount(sizeBytes / static_cast<uint32_t>(m_format.BlockAlign())),
      m_frequency(static_cast<uint32_t>(m_format.samplesPerSecond))
{
    m_data.assign(static_cast<size_t>(m_frameCount) * m_format.BlockAlign(),
                  m_format.bitsPerSample == 8 ? 0x80 : 0);
}

bool SoundBuffer::Lock(uint32_t offset, uint32_t bytes, uint8_t** first, uint32_t* firstSize,
                       uint8_t** second, uint32_t* secondSize)
{
    uint32_t size = GetSize();
    if (!first || !firstSize || offset >= size || bytes > size)
        return false;
    uint32_t head = std::min(bytes, size - offset);
    *first = m_data.data() + offset;
    *firstSize = head;
    uint32_t rest = bytes - head;
    if (second)
        *second = rest ? m_data.data() : nullptr;
    if (secondSize)
        *secondSize = rest;
    return rest == 0 || second != nullptr;
}

void SoundBuffer::Play(bool loop)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_playing = m_frameCount > 0;
    m_looping = loop;
}

void SoundBuffer::Stop()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_playing = false;
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
    m_position = static_cast<uint64_t>(m_frameCount ? frame % m_frameCount : 0) << 16;
}

uint32_t SoundBuffer::GetPlayPosition() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<uint32_t>(m_position >> 16) * static_cast<uint32_t>(m_format.BlockAlign());
}

uint32_t SoundBuffer::GetWritePosition() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    uint32_t frame = static_cast<uint32_t>(m_position >> 16);
    // While playing, the bytes just ahead of the play cursor are already on their way out.
    if (m_playing && m_frameCount)
        frame = (frame + std::min<uint32_t>(m_frequency / 100, m_frameCount - 1)) % m_frameCount;
    return frame * static_cast<uint32_t>(m_format.BlockAlign());
}

void SoundBuffer::UpdateGains()
{
    double gain = std::pow(10.0, m_volume / 2000.0);
    double left = gain, right = gain;
    if (m_pan > 0)
        left *= std::pow(10.0, -m_pan / 2000.0);
    else if (m_pan < 0)
        right *= std::pow(10.0, m_pan / 2000.0);
    m_gainLeft = static_cast<int>(std::lround(left * (1 << 14)));
    m_gainRight = static_cast<int>(std::lround(right * (1 << 14)));
}

void SoundBuffer::MixInto(int32_t* stereo, size_t frames, int outputRate)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_playing || m_frameCount == 0 || outputRate <= 0)
        return;
    const uint64_t step = (static_cast<uint64_t>(m_frequency) << 16) / static_cast<uint64_t>(outputRate);
    const uint64_t end = static_cast<uint64_t>(m_frameCount) << 16;
    const int align = m_format.BlockAlign();
    const bool eight = m_format.bitsPerSample == 8;
    for (size_t i = 0; i < frames; ++i) {
        if (m_position >= end)
            m_position %= end;
        const uint8_t* p = m_data.data() + static_cast<size_t>(m_position >> 16) * align;
        int left, right;
        if (eight) {
            left = (p[0] - 128) << 8;
            right = m_format.channels == 2 ? (p[1] - 128) << 8 : left;
        } else {
            left = static_cast<int16_t>(p[0] | (p[1] << 8));
            right = m_format.channels == 2 ? static_cast<int16_t>(p[2] | (p[3] << 8)) : left;
        }
        stereo[2 * i] += (left * m_gainLeft) >> 14;
        stereo[2 * i + 1] += (right * m_gainRight) >> 14;
        m_position += step;
        if (m_position >= end) {
            if (!m_looping) {
                // A sound played once stops after its last frame, its cursor back at the start.
                m_playing = false;
                m_position = 0;
                return;
            }
            m_position %= end;
        }
    }
}

} // namespace platform
