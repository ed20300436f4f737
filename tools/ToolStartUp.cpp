#include "ToolStartUp.h"

#include "foundation/ConfigFile.h"
#include "foundation/Win32Services.h"
#include "platform/Platform.h"
#include "platform/TerminationSignals.h"
#include "platform/sdl/SdlBackend.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

const char* GetToolOption(int argc, char** argv, const char* name, const char* fallback)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return argv[i + 1];
    return fallback;
}

int GetToolOptionInt(int argc, char** argv, const char* name, int fallback)
{
    const char* value = GetToolOption(argc, argv, name, nullptr);
    return value ? std::atoi(value) : fallback;
}

bool HasToolSwitch(int argc, char** argv, const char* name)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return true;
    return false;
}

bool StartToolWindow(int argc, char** argv, const char* title, const char* settingsName)
{
    // A signal to stop closes the window, as for the game.
    platform::InstallTerminationHandlers();
    if (!HasToolSwitch(argc, argv, "--headless")) {
        std::string why;
        auto backend = platform::sdl::CreateSdlBackend(why);
        if (!backend) {
            std::fprintf(stderr, "No display (%s); try --headless or xvfb-run.\n", why.c_str());
            return false;
        }
        platform::InstallBackend(std::move(backend));
    }
    if (!platform::CreateMainWindow(title))
        FatalExit("FATAL ERROR", "Can't allocate my window");
    // The settings the mode set-up writes go to the temporary folder, not beside the program.
    static char settings[512];
    if (GetTempFolder(settings, sizeof settings - 64)) {
        std::strncat(settings, settingsName, 63);
        g_configFile.SetPath(settings);
    }
    return true;
}
