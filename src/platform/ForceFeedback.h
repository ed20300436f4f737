#pragma once
// Force feedback: tactile effects on a force-feedback mouse or joystick, where the system has such
// a device and supports the effect; otherwise every call refuses. An effect is made once on a
// device from its parameters and then started (repeating until stopped) and stopped by its handle.
#include <cstdint>

namespace platform {

enum class HapticDevice
{
    Mouse,
    Joystick,
};

enum class HapticKind
{
    Constant,
    Sine,
    Triangle,
    SawtoothUp,
    SawtoothDown,
    Rumble,
};

struct HapticEffect
{
    HapticKind kind = HapticKind::Constant;
    float strength = 1.0f;      // 0..1
    uint32_t durationMs = 100;  // one repetition
};

class ForceFeedback
{
public:
    virtual ~ForceFeedback() = default;
    // Opens the system's force-feedback device of that kind; false when there is none.
    virtual bool OpenDevice(HapticDevice device) = 0;
    // Stops and releases its effects too.
    virtual void CloseDevice(HapticDevice device) = 0;
    // A handle of the effect made on the open device; -1 when the device cannot play it.
    virtual int CreateEffect(HapticDevice device, const HapticEffect& effect) = 0;
    virtual void DestroyEffect(HapticDevice device, int effect) = 0;
    // Starts the effect, repeating until stopped; false when the device refuses.
    virtual bool StartEffect(HapticDevice device, int effect) = 0;
    virtual void StopEffect(HapticDevice device, int effect) = 0;
    // 1 playing, 0 not playing, -1 when the device cannot tell.
    virtual int GetEffectStatus(HapticDevice device, int effect) = 0;
};

// No force-feedback device: every call refuses.
class NullForceFeedback : public ForceFeedback
{
public:
    bool OpenDevice(HapticDevice) override { return false; }
    void CloseDevice(HapticDevice) override {}
    int CreateEffect(HapticDevice, const HapticEffect&) override { return -1; }
    void DestroyEffect(HapticDevice, int) override {}
    bool StartEffect(HapticDevice, int) override { return false; }
    void StopEffect(HapticDevice, int) override {}
    int GetEffectStatus(HapticDevice, int) override { return -1; }
};

} // namespace platform
