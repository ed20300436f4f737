// The process entry: chooses the backend (a window where a display exists, headless otherwise or
// with --headless), then hands the joined command line to the program's entry.
#include "app/ApplicationBase.h"
#include "app/WinMain.h"
#include "foundation/R250Random.h"
#include "foundation/TextUtilities.h"
#include "platform/Platform.h"
#include "platform/TerminationSignals.h"
#include "platform/headless/HeadlessBackend.h"
#include "shell/DeveloperScript.h"
#include "shell/Game.h"
#include "shell/SetupGame.h"
#if VANTOREL_HAVE_SDL
#include "platform/sdl/SdlBackend.h"
#endif

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// With nobody to close the window, a headless run closes it itself this much virtual time after
// the main menu first shows, and at the latest after kHeadlessLimitSeconds.
constexpr uint64_t kHeadlessSeconds = 3;
constexpr uint64_t kHeadlessLimitSeconds = 60;
// A present moves the virtual clock on by a little more than one update step, so that every tick
// of a headless run has a step to run.
constexpr uint64_t kHeadlessPresentStep = 17000000;
constexpr uint32_t kScriptSeed = 0x5EED;

std::string s_headlessReason;
uint64_t s_headlessStart = 0;
std::chrono::steady_clock::time_point s_wallStart;
double s_wallToMenu = -1.0;

void CloseSoonAfterTheMenu()
{
    s_wallToMenu = std::chrono::duration<double>(std::chrono::steady_clock::now() - s_wallStart).count();
    platform::GetHeadlessBackend().QueueEventAt(platform::GetCounter() + kHeadlessSeconds * platform::GetCounterFrequency(),
                                                platform::Event::Simple(platform::EventType::Close));
}

void ReportHeadlessRun()
{
    const double seconds = static_cast<double>(platform::GetCounter() - s_headlessStart) /
                           static_cast<double>(platform::GetCounterFrequency());
    // Ended before the menu showed (another instance, a folder that is not writable, "/exit"):
    // the entry said why, or had nothing to say.
    if (s_wallToMenu < 0 && seconds < static_cast<double>(kHeadlessLimitSeconds))
        return;
    std::printf("Vantorel ran headless (%s): %d pages presented over %.2f s of virtual time, then the window "
                "was closed%s.\n",
                s_headlessReason.c_str(), platform::GetHeadlessBackend().GetMemoryDisplay().GetPresentCount(),
                seconds, g_application ? "" : " and the application shut down");
    if (s_wallToMenu >= 0)
        std::printf("The main menu first showed after %.0f ms of real time.\n", s_wallToMenu * 1000.0);
#if VANTOREL_HAVE_SDL
    std::printf("To get a window, run ./run.sh on a desktop, or under a virtual display with "
                "\"xvfb-run ./run.sh\", without --headless.\n");
#else
    std::printf("To get a window, build with SDL (cmake -DVANTOREL_SDL=ON, the default) and run "
                "where a display exists.\n");
#endif
    std::fflush(stdout);
}

// The argument after the switch; null when the switch is not there or is last.
const char* GetArgumentValue(int argc, char** argv, const char* argument)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], argument) == 0)
            return argv[i + 1];
    return nullptr;
}

bool HasArgument(int argc, char** argv, const char* argument)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], argument) == 0)
            return true;
    return false;
}

// The program's own options ("/RecordDemo") ignore case.
bool HasOption(int argc, char** argv, const char* option)
{
    for (int i = 1; i < argc; ++i)
        if (CompareTextNoCase(argv[i], option) == 0)
            return true;
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    // Before any other thread starts: a signal to stop then closes the window like the user does.
    platform::InstallTerminationHandlers();
    const std::string commandLine = platform::JoinCommandLine(argc, argv);

    // The developer's script runs on the virtual clock and ends the run itself.
    const char* script = GetArgumentValue(argc, argv, "--script");
    if (script) {
        std::string error;
        if (!LoadDeveloperScript(script, error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 2;
        }
    }

    bool headless = true;
    s_headlessReason = "--headless was given";
    if (!HasArgument(argc, argv, "--headless")) {
#if VANTOREL_HAVE_SDL
        std::string reason;
        if (auto backend = platform::sdl::CreateSdlBackend(reason)) {
            platform::InstallBackend(std::move(backend));
            headless = false;
        } else {
            s_headlessReason = "no display: " + reason;
        }
#else
        s_headlessReason = "built without SDL";
#endif
    }

    // A developer's recording runs on the virtual clock and ends itself; it seeds its own game.
    const bool recording = HasOption(argc, argv, "/RecordDemo");
    if (script || recording) {
        // A scripted run repeats exactly: the clock and the random numbers start the same way.
        platform::EnableVirtualClock();
        platform::SetVirtualPresentStep(headless ? kHeadlessPresentStep : 0);
        g_gameRandom.Seed(kScriptSeed);
        g_generalRandom.Seed(kScriptSeed + 1);
    } else if (headless) {
        platform::EnableVirtualClock();
        platform::SetVirtualPresentStep(kHeadlessPresentStep);
        s_headlessStart = platform::GetCounter();
        s_wallStart = std::chrono::steady_clock::now();
        SetFirstMainMenuDrawHandler(&CloseSoonAfterTheMenu);
        platform::GetHeadlessBackend().QueueEventAt(
            s_headlessStart + kHeadlessLimitSeconds * platform::GetCounterFrequency(),
            platform::Event::Simple(platform::EventType::Close));
        std::atexit(ReportHeadlessRun);
    }

    return WinMain(commandLine.c_str(), SetupGame);
}
