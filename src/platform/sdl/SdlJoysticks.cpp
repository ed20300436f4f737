#include "platform/sdl/SdlJoysticks.h"

#include <SDL.h>

namespace platform::sdl {

namespace {
constexpr int kAxes = 4;
constexpr int kButtons = 32;
} // namespace

SdlJoysticks::~SdlJoysticks()
{
    Shutdown();
}

void SdlJoysticks::Shutdown()
{
    for (auto& [id, joystick] : m_open)
        SDL_JoystickClose(joystick);
    m_open.clear();
    if (m_started)
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    m_started = false;
}

bool SdlJoysticks::Start()
{
    if (m_started)
        return true;
    if (m_failed)
        return false;
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
        m_failed = true;
        return false;
    }
    m_started = true;
    return true;
}

uint32_t SdlJoysticks::ScaleAxis(int value)
{
    if (value < -32768)
        value = -32768;
    if (value > 32767)
        value = 32767;
    return static_cast<uint32_t>(value + 32768);
}

uint32_t SdlJoysticks::PovFromHat(unsigned hat)
{
    switch (hat) {
    case SDL_HAT_UP: return 0;
    case SDL_HAT_RIGHTUP: return 4500;
    case SDL_HAT_RIGHT: return 9000;
    case SDL_HAT_RIGHTDOWN: return 13500;
    case SDL_HAT_DOWN: return 18000;
    case SDL_HAT_LEFTDOWN: return 22500;
    case SDL_HAT_LEFT: return 27000;
    case SDL_HAT_LEFTUP: return 31500;
    default: return kPovCentered;
    }
}

int SdlJoysticks::GetCount()
{
    if (!Start())
        return 0;
    // Notices devices plugged in or out since the last look.
    SDL_JoystickUpdate();
    const int count = SDL_NumJoysticks();
    return count > 0 ? count : 0;
}

bool SdlJoysticks::Open(int id, JoystickCaps& caps)
{
    if (id < 0 || id >= GetCount())
        return false;
    SDL_Joystick* joystick = nullptr;
    auto found = m_open.find(id);
    if (found != m_open.end()) {
        joystick = found->second;
        // The index may hold another device now.
        if (!SDL_JoystickGetAttached(joystick) ||
            SDL_JoystickInstanceID(joystick) != SDL_JoystickGetDeviceInstanceID(id)) {
            SDL_JoystickClose(joystick);
            m_open.erase(found);
            joystick = nullptr;
        }
    }
    if (!joystick) {
        joystick = SDL_JoystickOpen(id);
        if (!joystick)
            return false;
        m_open[id] = joystick;
    }
    caps = JoystickCaps{};
    const char* name = SDL_JoystickName(joystick);
    caps.name = name && *name ? name : "Unknown Joystick";
    caps.instanceId = static_cast<uint32_t>(SDL_JoystickInstanceID(joystick));
    const int axes = SDL_JoystickNumAxes(joystick);
    for (int a = 0; a < kAxes && a < axes; ++a)
        caps.axisMax[a] = 65535;
    const int buttons = SDL_JoystickNumButtons(joystick);
    caps.buttonCount = buttons < kButtons ? (buttons > 0 ? buttons : 0) : kButtons;
    caps.hasPov = SDL_JoystickNumHats(joystick) > 0;
    return true;
}

bool SdlJoysticks::Poll(int id, JoystickState& state)
{
    auto found = m_open.find(id);
    if (found == m_open.end())
        return false;
    SDL_Joystick* joystick = found->second;
    SDL_JoystickUpdate();
    if (!SDL_JoystickGetAttached(joystick))
        return false;
    state = JoystickState{};
    const int axes = SDL_JoystickNumAxes(joystick);
    for (int a = 0; a < kAxes && a < axes; ++a)
        state.axes[a] = ScaleAxis(SDL_JoystickGetAxis(joystick, a));
    const int buttons = SDL_JoystickNumButtons(joystick);
    for (int b = 0; b < kButtons && b < buttons; ++b)
        if (SDL_JoystickGetButton(joystick, b))
            state.buttons |= 1u << b;
    if (SDL_JoystickNumHats(joystick) > 0)
        state.pov = PovFromHat(SDL_JoystickGetHat(joystick, 0));
    return true;
}

void SdlJoysticks::Close(int id)
{
    auto found = m_open.find(id);
    if (found == m_open.end())
        return;
    SDL_JoystickClose(found->second);
    m_open.erase(found);
}

} // namespace platform::sdl
