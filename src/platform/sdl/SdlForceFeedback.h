#pragma once
// Force feedback through SDL's haptic interface: the mouse when SDL reports it as haptic, and as
// the joystick the first other haptic device. SDL's haptic part starts on the first open, never
// before the program asks.
#include "platform/ForceFeedback.h"

struct _SDL_Haptic;

namespace platform::sdl {

class SdlForceFeedback : public ForceFeedback
{
public:
    SdlForceFeedback() = default;
    ~SdlForceFeedback() override;
    SdlForceFeedback(const SdlForceFeedback&) = delete;
    SdlForceFeedback& operator=(const SdlForceFeedback&) = delete;

    bool OpenDevice(HapticDevice device) override;
    void CloseDevice(HapticDevice device) override;
    int CreateEffect(HapticDevice device, const HapticEffect& effect) override;
    void DestroyEffect(HapticDevice device, int effect) override;
    bool StartEffect(HapticDevice device, int effect) override;
    void StopEffect(HapticDevice device, int effect) override;
    int GetEffectStatus(HapticDevice device, int effect) override;
    // Closes both devices and stops SDL's haptic part (before SDL itself ends).
    void Shutdown();

private:
    bool Start();
    _SDL_Haptic*& Device(HapticDevice device) { return m_devices[device == HapticDevice::Mouse ? 0 : 1]; }

    bool m_started = false;
    bool m_failed = false;
    _SDL_Haptic* m_devices[2] = {};
};

} // namespace platform::sdl
