// Real key and mouse input through the SDL backend: an X server (xvfb-run) and xdotool deliver
// them, the message pump turns them into the keyboard and mouse state. Skipped without a display.
#if VANTOREL_HAVE_SDL
#include "TestSupport.h"
#include "app/Keyboard.h"
#include "app/Mouse.h"
#include "app/WindowProc.h"
#include "SdlTestWindow.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

// SDL's desktop services keep a buffer of the system's D-Bus library until the process ends; it is
// not this program's to free.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libdbus-1.so\n";
}

namespace {

const char* const kTitle = "Vantorel Input Smoke Test";

// Pumps until the condition holds or the time has passed.
bool PumpUntil(const std::function<bool()>& condition, int milliseconds = 2000)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) {
        PumpWindowMessages();
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

int Xdotool(const std::string& arguments)
{
    return testsupport::RunCommand("xdotool " + arguments + " >/dev/null 2>&1");
}

std::string DrainRing()
{
    std::string text;
    while (int c = g_keyboard.ReadChar())
        text += static_cast<char>(c);
    return text;
}

TEST(SdlInputSmoke, KeysAndMouseReachTheInputState)
{
    if (const std::string why = testsupport::InstallSdlBackendForInput(); !why.empty())
        GTEST_SKIP() << why;
    ASSERT_NO_FATAL_FAILURE(testsupport::OpenSdlTestWindow(kTitle));
    PumpUntil([] { return false; }, 300);   // let the window be mapped
    const std::string window = "$(xdotool search --sync --name '" + std::string(kTitle) + "' | head -1)";
    ASSERT_EQ(Xdotool("windowfocus --sync " + window), 0);
    PumpUntil([] { return false; }, 300);
    g_keyboard = CKeyboard();
    g_mouse = CMouse();

    // Right Ctrl is key number 285; with it held Tab gives 9 through the key map.
    ASSERT_EQ(Xdotool("keydown Control_R"), 0);
    EXPECT_TRUE(PumpUntil([] { return g_keyboard.IsKeyDown(285); }));
    ASSERT_EQ(Xdotool("key Tab"), 0);
    EXPECT_TRUE(PumpUntil([] { return g_keyboard.GetTypeAheadCount() > 0; }));
    ASSERT_EQ(Xdotool("keyup Control_R"), 0);
    EXPECT_TRUE(PumpUntil([] { return !g_keyboard.IsKeyDown(285); }));
    EXPECT_EQ(DrainRing(), "\t");
    // Typed text, and a special key that types nothing but a control code.
    ASSERT_EQ(Xdotool("type xY"), 0);
    ASSERT_EQ(Xdotool("key Prior"), 0);
    EXPECT_TRUE(PumpUntil([] { return g_keyboard.GetTypeAheadCount() >= 3; }));
    EXPECT_EQ(DrainRing(), "xY\x07");
    EXPECT_TRUE(g_keyboard.TakeKey(45));   // X was pressed (and released) since

    ASSERT_EQ(Xdotool("mousemove --window " + window + " 100 120"), 0);
    EXPECT_TRUE(PumpUntil([] { return g_mouse.GetX() == 100 && g_mouse.GetY() == 120; }))
        << g_mouse.GetX() << "," << g_mouse.GetY();
    ASSERT_EQ(Xdotool("mousedown 3"), 0);
    EXPECT_TRUE(PumpUntil([] { return g_mouse.GetButtons() == 2; }));
    ASSERT_EQ(Xdotool("mouseup 3"), 0);
    EXPECT_TRUE(PumpUntil([] { return g_mouse.GetButtons() == 0; }));
    ASSERT_EQ(Xdotool("click --repeat 2 --delay 60 1"), 0);
    EXPECT_TRUE(PumpUntil([] { return g_mouse.GetDoubleClicks() == 1; }));
    PumpUntil([] { return g_mouse.GetButtons() == 0; });
    EXPECT_TRUE(g_mouse.TakeDoubleClick(1));
    ASSERT_EQ(Xdotool("click 4"), 0);
    EXPECT_TRUE(PumpUntil([] { return g_mouse.GetWheel() >= 1.0f; }));
    EXPECT_EQ(g_mouse.TakeWheelNotches(), 1);
}

} // namespace
#endif
