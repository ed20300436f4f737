#pragma once
// Joysticks in the shape of the old multimedia joystick service: devices by index, axes X, Y, Z, R
// scaled to 0..65535, a button mask and a point-of-view hat in hundredths of a degree.
#include <cstdint>
#include <string>

namespace platform {

constexpr uint32_t kPovCentered = 0xFFFF;

struct JoystickCaps
{
    std::string name;           // never empty: "Unknown Joystick" when the device has none
    int axisMin[4] = {};        // X, Y, Z, R; min = max = 0 for an absent axis
    int axisMax[4] = {};
    int buttonCount = 0;
    bool hasPov = false;
};

struct JoystickState
{
    uint32_t axes[4] = {32768, 32768, 32768, 32768};
    uint32_t buttons = 0;       // bit n = button n held
    uint32_t pov = kPovCentered;
};

class Joysticks
{
public:
    virtual ~Joysticks() = default;
    virtual int GetCount() = 0;
    // Opens (or finds already open) device id and reads its capabilities.
    virtual bool Open(int id, JoystickCaps& caps) = 0;
    // Reads the current state of an opened device; false when it is gone.
    virtual bool Poll(int id, JoystickState& state) = 0;
    virtual void Close(int id) = 0;
};

} // namespace platform
