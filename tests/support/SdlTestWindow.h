#pragma once
// The SDL backend's real window for input tests under an X server (xvfb-run), whose input xdotool
// gives: the checks that let such a test run, and the window opened as the game opens it.
#if VANTOREL_HAVE_SDL
#include "TestSupport.h"
#include "app/WindowProc.h"
#include "platform/Platform.h"
#include "platform/sdl/SdlBackend.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace testsupport {

// Empty when a display, xdotool and the SDL backend are there (the backend is then installed);
// else why the test cannot run here.
inline std::string InstallSdlBackendForInput()
{
    if (!std::getenv("DISPLAY"))
        return "needs a display: run under xvfb-run";
    if (RunCommand("command -v xdotool >/dev/null 2>&1") != 0)
        return "needs xdotool";
    std::string why;
    auto backend = platform::sdl::CreateSdlBackend(why);
    if (!backend)
        return why;
    platform::InstallBackend(std::move(backend));
    return "";
}

// The main window, windowed, with a presented 640 x 480 16-bit page; the application counts as
// active.
inline void OpenSdlTestWindow(const char* title)
{
    ASSERT_TRUE(platform::CreateMainWindow(title));
    platform::Display& display = platform::GetDisplay();
    ASSERT_TRUE(display.Open());
    ASSERT_TRUE(display.SetFullScreen(false));
    ASSERT_TRUE(display.CreatePages({640, 480, 16}, 0, false));
    ASSERT_TRUE(display.Present());
    SetMainWindowState(true, false);
}

} // namespace testsupport
#endif
