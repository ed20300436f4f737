// SDL joysticks in the platform's shape, driven by one of SDL's virtual joysticks.
#if VANTOREL_HAVE_SDL
#include "platform/sdl/SdlJoysticks.h"

#include <SDL.h>
#include <gtest/gtest.h>

using platform::JoystickCaps;
using platform::JoystickState;
using platform::sdl::SdlJoysticks;

// SDL's device services keep a buffer of the system's D-Bus library (where a desktop session is
// found) until the process ends; it is not this program's to free.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libdbus-1.so\n";
}

namespace {

TEST(SdlJoysticks, AxisAndHatConversions)
{
    EXPECT_EQ(SdlJoysticks::ScaleAxis(-32768), 0u);
    EXPECT_EQ(SdlJoysticks::ScaleAxis(0), 32768u);
    EXPECT_EQ(SdlJoysticks::ScaleAxis(32767), 65535u);
    EXPECT_EQ(SdlJoysticks::ScaleAxis(-40000), 0u);
    EXPECT_EQ(SdlJoysticks::PovFromHat(SDL_HAT_CENTERED), platform::kPovCentered);
    EXPECT_EQ(SdlJoysticks::PovFromHat(SDL_HAT_UP), 0u);
    EXPECT_EQ(SdlJoysticks::PovFromHat(SDL_HAT_RIGHTUP), 4500u);
    EXPECT_EQ(SdlJoysticks::PovFromHat(SDL_HAT_RIGHT), 9000u);
    EXPECT_EQ(SdlJoysticks::PovFromHat(SDL_HAT_RIGHTDOWN), 13500u);
    EXPECT_EQ(SdlJoysticks::PovFromHat(SDL_HAT_DOWN), 18000u);
    EXPECT_EQ(SdlJoysticks::PovFromHat(SDL_HAT_LEFTDOWN), 22500u);
    EXPECT_EQ(SdlJoysticks::PovFromHat(SDL_HAT_LEFT), 27000u);
    EXPECT_EQ(SdlJoysticks::PovFromHat(SDL_HAT_LEFTUP), 31500u);
}

TEST(SdlJoysticks, VirtualDeviceFromPlugToUnplug)
{
    SdlJoysticks joysticks;
    const int before = joysticks.GetCount();
    const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 3, 40, 1);
    if (index < 0)
        GTEST_SKIP() << "SDL has no virtual joysticks: " << SDL_GetError();
    EXPECT_EQ(joysticks.GetCount(), before + 1);

    JoystickCaps caps;
    ASSERT_TRUE(joysticks.Open(index, caps));
    EXPECT_FALSE(caps.name.empty());
    EXPECT_EQ(caps.axisMax[0], 65535);
    EXPECT_EQ(caps.axisMax[2], 65535);
    EXPECT_EQ(caps.axisMin[3], 0);
    EXPECT_EQ(caps.axisMax[3], 0);   // the device has three axes: no rudder
    EXPECT_EQ(caps.buttonCount, 32);
    EXPECT_TRUE(caps.hasPov);

    SDL_Joystick* device = SDL_JoystickFromInstanceID(static_cast<SDL_JoystickID>(caps.instanceId));
    ASSERT_NE(device, nullptr);
    SDL_JoystickSetVirtualAxis(device, 0, -32768);
    SDL_JoystickSetVirtualAxis(device, 1, 32767);
    SDL_JoystickSetVirtualButton(device, 3, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(device, 35, SDL_PRESSED);   // beyond the mask
    SDL_JoystickSetVirtualHat(device, 0, SDL_HAT_RIGHTUP);
    JoystickState state;
    ASSERT_TRUE(joysticks.Poll(index, state));
    EXPECT_EQ(state.axes[0], 0u);
    EXPECT_EQ(state.axes[1], 65535u);
    EXPECT_EQ(state.axes[3], 32768u);
    EXPECT_EQ(state.buttons, 1u << 3);
    EXPECT_EQ(state.pov, 4500u);

    // Opening again finds the same device open.
    JoystickCaps again;
    ASSERT_TRUE(joysticks.Open(index, again));
    EXPECT_EQ(again.instanceId, caps.instanceId);

    ASSERT_EQ(SDL_JoystickDetachVirtual(index), 0);
    EXPECT_FALSE(joysticks.Poll(index, state));
    EXPECT_EQ(joysticks.GetCount(), before);
    EXPECT_FALSE(joysticks.Open(index, again));
}

} // namespace
#endif
