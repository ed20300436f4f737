#include "platform/headless/HeadlessMixer.h"

namespace platform {

void HeadlessMixer::Advance(uint32_t ms)
{
    if (!IsDeviceOpen())
        return;
    std::lock_guard<std::mutex> lock(m_mutex);
    const uint64_t total = static_cast<uint64_t>(ms) * static_cast<uint64_t>(GetOutputRate()) + m_carry;
    const size_t frames = static_cast<size_t>(total / 1000);
    m_carry = total % 1000;
    // Sized for stereo: the device may be reopened in the other layout meanwhile.
    m_scratch.resize(frames * 2);
    const size_t count = Mix(m_scratch.data(), frames);
    if (m_capturing)
        m_captured.insert(m_captured.end(), m_scratch.begin(), m_scratch.begin() + static_cast<std::ptrdiff_t>(count));
}

void HeadlessMixer::StartCapture()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_captured.clear();
    m_capturing = true;
}

void HeadlessMixer::StopCapture()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_capturing = false;
}

std::vector<int16_t> HeadlessMixer::TakeCaptured()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<int16_t> captured;
    captured.swap(m_captured);
    return captured;
}

void HeadlessMixer::SetDeviceAvailable(bool available)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_available = available;
}

void HeadlessMixer::Reset()
{
    CloseDevice();
    StopAll();
    SetMasterVolume(0);
    SetAudible(true);
    ResetLimiter();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_available = true;
    m_capturing = false;
    m_carry = 0;
    m_captured.clear();
}

bool HeadlessMixer::StartDevice(int)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_carry = 0;
    return m_available;
}

} // namespace platform
