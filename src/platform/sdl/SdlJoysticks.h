#pragma once
// Joysticks and game pads through SDL's joystick interface, in the platform's shape: axes 0 to 3 as
// X, Y, Z, R scaled to 0..65535, the first 32 buttons as a mask and the first hat as a
// point-of-view angle. SDL's joystick part starts on first use, never before the program asks.
#include "platform/Joystick.h"

#include <cstdint>
#include <map>

struct _SDL_Joystick;

namespace platform::sdl {

class SdlJoysticks : public Joysticks
{
public:
    SdlJoysticks() = default;
    ~SdlJoysticks() override;
    SdlJoysticks(const SdlJoysticks&) = delete;
    SdlJoysticks& operator=(const SdlJoysticks&) = delete;

    int GetCount() override;
    bool Open(int id, JoystickCaps& caps) override;
    bool Poll(int id, JoystickState& state) override;
    void Close(int id) override;
    // Closes every device and stops SDL's joystick part (before SDL itself ends).
    void Shutdown();

    // SDL's axis value (-32768..32767) on the 0..65535 scale.
    static uint32_t ScaleAxis(int value);
    // SDL's hat bits as hundredths of a degree clockwise from up; kPovCentered when centred.
    static uint32_t PovFromHat(unsigned hat);

private:
    bool Start();

    bool m_started = false;
    bool m_failed = false;
    std::map<int, _SDL_Joystick*> m_open;   // by device index
};

} // namespace platform::sdl
