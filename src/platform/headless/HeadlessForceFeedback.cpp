#include "platform/headless/HeadlessForceFeedback.h"

#include <cstddef>

namespace platform {

bool HeadlessForceFeedback::OpenDevice(HapticDevice device)
{
    DeviceSlot& slot = Slot(device);
    slot.open = slot.plugged;
    return slot.open;
}

void HeadlessForceFeedback::CloseDevice(HapticDevice device)
{
    DeviceSlot& slot = Slot(device);
    slot.open = false;
    for (EffectRecord& record : slot.effects)
        record.alive = record.playing = false;
}

HeadlessForceFeedback::EffectRecord* HeadlessForceFeedback::Find(HapticDevice device, int effect)
{
    DeviceSlot& slot = Slot(device);
    if (!slot.open || effect < 0 || static_cast<size_t>(effect) >= slot.effects.size())
        return nullptr;
    EffectRecord& record = slot.effects[static_cast<size_t>(effect)];
    return record.alive ? &record : nullptr;
}

int HeadlessForceFeedback::CreateEffect(HapticDevice device, const HapticEffect& effect)
{
    DeviceSlot& slot = Slot(device);
    if (!slot.open)
        return -1;
    slot.effects.push_back(EffectRecord{effect});
    return static_cast<int>(slot.effects.size()) - 1;
}

void HeadlessForceFeedback::DestroyEffect(HapticDevice device, int effect)
{
    if (EffectRecord* record = Find(device, effect))
        record->alive = record->playing = false;
}

bool HeadlessForceFeedback::StartEffect(HapticDevice device, int effect)
{
    EffectRecord* record = Find(device, effect);
    if (!record)
        return false;
    record->playing = true;
    ++record->starts;
    return true;
}

void HeadlessForceFeedback::StopEffect(HapticDevice device, int effect)
{
    if (EffectRecord* record = Find(device, effect))
        record->playing = false;
}

int HeadlessForceFeedback::GetEffectStatus(HapticDevice device, int effect)
{
    EffectRecord* record = Find(device, effect);
    if (!record || !Slot(device).canTellStatus)
        return -1;
    return record->playing ? 1 : 0;
}

void HeadlessForceFeedback::PlugDevice(HapticDevice device, bool canTellStatus)
{
    DeviceSlot& slot = Slot(device);
    slot.plugged = true;
    slot.canTellStatus = canTellStatus;
}

void HeadlessForceFeedback::FinishEffect(HapticDevice device, int effect)
{
    if (EffectRecord* record = Find(device, effect))
        record->playing = false;
}

void HeadlessForceFeedback::Reset()
{
    m_devices[0] = DeviceSlot();
    m_devices[1] = DeviceSlot();
}

} // namespace platform
