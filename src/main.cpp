// Program entry. For now it opens the window and runs until it is closed; the application
// framework takes over from here once it exists.
#include "foundation/Win32Services.h"
#include "platform/Platform.h"
#if VANTOREL_HAVE_SDL
#include "platform/sdl/SdlBackend.h"
#endif

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

constexpr int kHeadlessSeconds = 3;

// Until the game draws, the page is a plain dark blue, so that the window can be told from the
// desktop behind it.
void PresentPlainPage()
{
    platform::Display& display = platform::GetDisplay();
    uint8_t* pixels = nullptr;
    int pitch = 0;
    if (display.Lock(pixels, pitch)) {
        const platform::DisplayMode mode = display.GetPageMode();
        const uint16_t darkBlue = 0x0008;   // RGB565
        for (int y = 0; y < mode.height; ++y) {
            uint8_t* row = pixels + static_cast<size_t>(y) * pitch;
            for (int x = 0; x < mode.width; ++x) {
                row[2 * x] = static_cast<uint8_t>(darkBlue & 0xFF);
                row[2 * x + 1] = static_cast<uint8_t>(darkBlue >> 8);
            }
        }
        display.Unlock();
    }
    display.Present();
}

int RunHeadless(const std::string& why)
{
    platform::EnableVirtualClock();
    const uint64_t start = platform::GetCounter();
    const uint64_t end = start + kHeadlessSeconds * platform::GetCounterFrequency();
    int frames = 0, events = 0;
    bool closed = false;
    while (!closed && platform::GetCounter() < end) {
        platform::Event event;
        while (platform::PollEvent(event)) {
            ++events;
            if (event.type == platform::EventType::Close)
                closed = true;
        }
        PresentPlainPage();   // moves the virtual clock on by one frame
        ++frames;
    }
    std::printf("Vantorel ran headless (%s): window \"Vantorel\" on the headless backend, %d frames "
                "presented over %d s of virtual time, %d events.\n",
                why.c_str(), frames, kHeadlessSeconds, events);
#if VANTOREL_HAVE_SDL
    std::printf("To get a window, run ./run.sh on a desktop, or under a virtual display with "
                "\"xvfb-run ./run.sh\", without --headless.\n");
#else
    std::printf("To get a window, build with SDL (cmake -DVANTOREL_SDL=ON, the default) and run "
                "where a display exists.\n");
#endif
    return 0;
}

int RunWindowed()
{
    std::printf("Vantorel: window open; close it to quit.\n");
    std::fflush(stdout);
    for (;;) {
        platform::Event event;
        bool any = false;
        while (platform::PollEvent(event)) {
            any = true;
            if (event.type == platform::EventType::Close)
                return 0;
        }
        if (!any)
            platform::Sleep(10);
    }
}

} // namespace

int main(int argc, char** argv)
{
    std::string commandLine = platform::JoinCommandLine(argc, argv);
    SetCommandLine(commandLine.c_str());

    std::string why = "--headless was given";
    if (!HasCommandLineOption("--headless")) {
#if VANTOREL_HAVE_SDL
        std::string reason;
        if (auto backend = platform::sdl::CreateSdlBackend(reason))
            platform::InstallBackend(std::move(backend));
        else
            why = "no display: " + reason;
#else
        why = "built without SDL";
#endif
    }
    const bool headless = std::string(platform::GetBackend().GetName()) == "headless";

    if (!platform::CreateMainWindow("Vantorel"))
        FatalExit("FATAL ERROR", "Can't allocate my window");
    platform::Display& display = platform::GetDisplay();
    if (!display.Open() || !display.SetFullScreen(false) || !display.CreatePages({640, 480, 16}, 0, true))
        FatalExit("FATAL ERROR", "Couldn't set the screen mode.");
    PresentPlainPage();

    return headless ? RunHeadless(why) : RunWindowed();
}
