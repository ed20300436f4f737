#include "platform/sdl/SdlForceFeedback.h"

#include <SDL.h>

#include <algorithm>

namespace platform::sdl {

namespace {

// Periodic effects repeat twenty times a second.
constexpr Uint16 kPeriodMs = 50;

Uint16 Magnitude(float strength)
{
    return static_cast<Uint16>(std::clamp(strength, 0.0f, 1.0f) * 32767.0f);
}

Uint32 PeriodicType(HapticKind kind)
{
    switch (kind) {
    case HapticKind::Sine: return SDL_HAPTIC_SINE;
    case HapticKind::Triangle: return SDL_HAPTIC_TRIANGLE;
    case HapticKind::SawtoothUp: return SDL_HAPTIC_SAWTOOTHUP;
    case HapticKind::SawtoothDown: return SDL_HAPTIC_SAWTOOTHDOWN;
    default: return 0;
    }
}

// The SDL effect of the parameters, and the feature bit the device needs for it.
SDL_HapticEffect Describe(const HapticEffect& effect, unsigned& feature)
{
    SDL_HapticEffect sdl;
    SDL_memset(&sdl, 0, sizeof sdl);
    const Uint32 length = std::min<Uint32>(effect.durationMs, 0x7FFF);
    const Uint16 magnitude = Magnitude(effect.strength);
    if (effect.kind == HapticKind::Rumble) {
        feature = SDL_HAPTIC_LEFTRIGHT;
        sdl.leftright.type = SDL_HAPTIC_LEFTRIGHT;
        sdl.leftright.length = length;
        sdl.leftright.large_magnitude = magnitude;
        sdl.leftright.small_magnitude = magnitude;
    } else if (effect.kind == HapticKind::Constant) {
        feature = SDL_HAPTIC_CONSTANT;
        sdl.constant.type = SDL_HAPTIC_CONSTANT;
        sdl.constant.direction.type = SDL_HAPTIC_CARTESIAN;
        sdl.constant.direction.dir[0] = 1;
        sdl.constant.length = length;
        sdl.constant.level = static_cast<Sint16>(magnitude);
    } else {
        feature = PeriodicType(effect.kind);
        sdl.periodic.type = static_cast<Uint16>(feature);
        sdl.periodic.direction.type = SDL_HAPTIC_CARTESIAN;
        sdl.periodic.direction.dir[0] = 1;
        sdl.periodic.length = length;
        sdl.periodic.period = kPeriodMs;
        sdl.periodic.magnitude = static_cast<Sint16>(magnitude);
    }
    return sdl;
}

} // namespace

SdlForceFeedback::~SdlForceFeedback()
{
    Shutdown();
}

void SdlForceFeedback::Shutdown()
{
    CloseDevice(HapticDevice::Mouse);
    CloseDevice(HapticDevice::Joystick);
    if (m_started)
        SDL_QuitSubSystem(SDL_INIT_HAPTIC);
    m_started = false;
}

bool SdlForceFeedback::Start()
{
    if (m_started)
        return true;
    if (m_failed)
        return false;
    if (SDL_InitSubSystem(SDL_INIT_HAPTIC) != 0) {
        m_failed = true;
        return false;
    }
    m_started = true;
    return true;
}

bool SdlForceFeedback::OpenDevice(HapticDevice device)
{
    if (Device(device))
        return true;
    if (!Start())
        return false;
    SDL_Haptic* haptic = nullptr;
    if (device == HapticDevice::Mouse) {
        if (SDL_MouseIsHaptic() == SDL_TRUE)
            haptic = SDL_HapticOpenFromMouse();
    } else {
        SDL_Haptic* mouse = m_devices[0];
        const int mouseIndex = mouse ? SDL_HapticIndex(mouse) : -1;
        for (int i = 0; i < SDL_NumHaptics() && !haptic; ++i)
            if (i != mouseIndex)
                haptic = SDL_HapticOpen(i);
    }
    Device(device) = haptic;
    return haptic != nullptr;
}

void SdlForceFeedback::CloseDevice(HapticDevice device)
{
    if (SDL_Haptic*& haptic = Device(device)) {
        SDL_HapticStopAll(haptic);
        SDL_HapticClose(haptic);
        haptic = nullptr;
    }
}

int SdlForceFeedback::CreateEffect(HapticDevice device, const HapticEffect& effect)
{
    SDL_Haptic* haptic = Device(device);
    if (!haptic)
        return -1;
    unsigned feature = 0;
    SDL_HapticEffect sdl = Describe(effect, feature);
    if (!feature || !(SDL_HapticQuery(haptic) & feature))
        return -1;
    const int id = SDL_HapticNewEffect(haptic, &sdl);
    return id >= 0 ? id : -1;
}

void SdlForceFeedback::DestroyEffect(HapticDevice device, int effect)
{
    if (SDL_Haptic* haptic = Device(device); haptic && effect >= 0)
        SDL_HapticDestroyEffect(haptic, effect);
}

bool SdlForceFeedback::StartEffect(HapticDevice device, int effect)
{
    SDL_Haptic* haptic = Device(device);
    return haptic && effect >= 0 && SDL_HapticRunEffect(haptic, effect, SDL_HAPTIC_INFINITY) == 0;
}

void SdlForceFeedback::StopEffect(HapticDevice device, int effect)
{
    if (SDL_Haptic* haptic = Device(device); haptic && effect >= 0)
        SDL_HapticStopEffect(haptic, effect);
}

int SdlForceFeedback::GetEffectStatus(HapticDevice device, int effect)
{
    SDL_Haptic* haptic = Device(device);
    if (!haptic || effect < 0 || !(SDL_HapticQuery(haptic) & SDL_HAPTIC_STATUS))
        return -1;
    const int status = SDL_HapticGetEffectStatus(haptic, effect);
    return status < 0 ? -1 : status;
}

} // namespace platform::sdl
