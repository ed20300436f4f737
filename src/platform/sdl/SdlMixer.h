#pragma once
// The mixer on SDL's audio device: 16-bit samples at the mixer's rate, 1 or 2 channels, pulled by
// SDL's audio callback. SDL converts to whatever the sound card takes. Usable without a window.
#include "platform/Mixer.h"

#include <cstdint>

namespace platform::sdl {

class SdlMixer : public Mixer
{
public:
    SdlMixer() = default;
    ~SdlMixer() override;

protected:
    // False when no sound device can be there or SDL cannot open one.
    bool StartDevice(int channels) override;
    void StopDevice() override;

private:
    uint32_t m_device = 0;
};

} // namespace platform::sdl
