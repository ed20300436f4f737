#pragma once
// The headless audio device: no sound card, no clock of its own. Voices move only when the caller
// advances the device's time, and what was mixed can be captured for a test to read.
#include "platform/Mixer.h"

#include <cstdint>
#include <mutex>
#include <vector>

namespace platform {

class HeadlessMixer : public Mixer
{
public:
    // Mixes the output of the next ms milliseconds (whole frames; the remainder carries over to
    // the next call). Nothing happens while the device is closed.
    void Advance(uint32_t ms);

    // Capturing keeps every sample that Advance mixes (interleaved as the device's channels).
    void StartCapture();
    void StopCapture();
    std::vector<int16_t> TakeCaptured();

    // A device that cannot be opened, as on a machine without sound.
    void SetDeviceAvailable(bool available);

    // Back to a fresh start: closed, voices stopped, master volume 0, audible, the limiter at
    // unity, not capturing.
    void Reset();

protected:
    bool StartDevice(int channels) override;

private:
    std::mutex m_mutex;
    bool m_available = true;
    bool m_capturing = false;
    uint64_t m_carry = 0;   // thousandths of a frame not mixed yet
    std::vector<int16_t> m_captured;
    std::vector<int16_t> m_scratch;
};

} // namespace platform
