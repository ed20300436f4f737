// Clicks of a real X server on a dialog's button, through the SDL backend, the message pump and the
// screen window updated 60 times a second: xdotool's clicks last no time at all, and every one of
// them must count. Skipped without a display (run under xvfb-run) or xdotool.
#if VANTOREL_HAVE_SDL
#include "InputTestSupport.h"
#include "SdlTestWindow.h"
#include "ui/JButton.h"
#include "ui/controls/JDialog.h"

#include <chrono>
#include <filesystem>
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

const char* const kTitle = "Vantorel Click Test";

using SdlClicks = uitest::ToolkitTest;

TEST_F(SdlClicks, TwentyQuickClicksOnADialogButtonAreTwentyClicks)
{
    if (const std::string why = testsupport::InstallSdlBackendForInput(); !why.empty())
        GTEST_SKIP() << why;
    ASSERT_NO_FATAL_FAILURE(testsupport::OpenSdlTestWindow(kTitle));

    CFrame target;
    target.Create(640, 480, 16);
    int clicks = 0;
    {
        CScreenWindow screen(&target, nullptr);
        auto* dialog = new CJDialog(&screen, "Clicks");
        dialog->SetRect({100, 100, 400, 300});
        screen.AddChild(dialog, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
        auto* button = new CJButton(dialog, "Count", nullptr);
        button->SetRect({50, 60, 150, 90});
        dialog->AddChild(button, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
        button->SetAction(new uitest::CountingAction(&clicks));

        // The loop of the game: pump, one update, about 60 times a second.
        const auto runFor = [&](int milliseconds, int until, const std::function<bool()>& done = [] { return false; }) {
            const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
            while (std::chrono::steady_clock::now() < end && clicks < until && !done()) {
                PumpWindowMessages();
                screen.Update(1.0f / 60.0f);
                std::this_thread::sleep_for(std::chrono::milliseconds(16));
            }
        };
        runFor(300, 0);  // the window is mapped
        const std::string window = "$(xdotool search --sync --name '" + std::string(kTitle) + "' | head -1)";
        ASSERT_EQ(testsupport::RunCommand("xdotool windowfocus --sync " + window + " >/dev/null 2>&1"), 0);
        ASSERT_EQ(testsupport::RunCommand("xdotool mousemove --sync --window " + window + " 200 175"), 0);
        runFor(200, 0);
        ASSERT_EQ(clicks, 0);
        // One xdotool run per click (its own repeat now and then loses its last click), in the
        // background while the loop runs; every second click is a double click. On a loaded machine
        // starting twenty xdotools takes seconds: the loop runs until the last has clicked.
        const testsupport::TempDir folder;
        const std::string finished = folder / "finished";
        ASSERT_EQ(testsupport::RunCommand("(for i in $(seq 20); do xdotool click 1; sleep 0.04; done; touch '" +
                                          finished + "') >/dev/null 2>&1 &"),
                  0);
        runFor(60000, 21, [&] { return std::filesystem::exists(finished); });
        runFor(300, 21);  // what the server still has, and no more
    }
    EXPECT_EQ(clicks, 20);
}

} // namespace
#endif
