#pragma once
// Force feedback without a device, unless a test plugs one in: then effects are made, started and
// stopped in memory, and the test reads what was asked of the device.
#include "platform/ForceFeedback.h"

#include <vector>

namespace platform {

class HeadlessForceFeedback : public ForceFeedback
{
public:
    struct EffectRecord
    {
        HapticEffect effect;
        bool alive = true;
        bool playing = false;
        int starts = 0;
    };

    bool OpenDevice(HapticDevice device) override;
    void CloseDevice(HapticDevice device) override;
    int CreateEffect(HapticDevice device, const HapticEffect& effect) override;
    void DestroyEffect(HapticDevice device, int effect) override;
    bool StartEffect(HapticDevice device, int effect) override;
    void StopEffect(HapticDevice device, int effect) override;
    int GetEffectStatus(HapticDevice device, int effect) override;

    // Test hooks. A plugged device opens; one that cannot tell its effects' status answers -1.
    void PlugDevice(HapticDevice device, bool canTellStatus = true);
    bool IsOpen(HapticDevice device) const { return Slot(device).open; }
    // Every effect made on the device, by handle (destroyed ones stay, not alive).
    const std::vector<EffectRecord>& GetEffects(HapticDevice device) const { return Slot(device).effects; }
    // The effect ends by itself, as a finite one does.
    void FinishEffect(HapticDevice device, int effect);
    // No device, no effects.
    void Reset();

private:
    struct DeviceSlot
    {
        bool plugged = false;
        bool canTellStatus = true;
        bool open = false;
        std::vector<EffectRecord> effects;
    };

    DeviceSlot& Slot(HapticDevice device) { return m_devices[device == HapticDevice::Mouse ? 0 : 1]; }
    const DeviceSlot& Slot(HapticDevice device) const { return m_devices[device == HapticDevice::Mouse ? 0 : 1]; }
    // The live effect of an open device; null otherwise.
    EffectRecord* Find(HapticDevice device, int effect);

    DeviceSlot m_devices[2];
};

} // namespace platform
