#include "app/WinMain.h"

#include "app/ApplicationBase.h"
#include "app/OwnFiles.h"
#include "app/WindowProc.h"
#include "foundation/FileSystem.h"
#include "foundation/LogSection.h"
#include "foundation/OpenFlags.h"
#include "foundation/PerformanceCounter.h"
#include "foundation/VirtualFile.h"
#include "foundation/Win32Services.h"
#include "graphics/ScreenFrame.h"
#include "platform/Events.h"
#include "platform/SingleInstanceLock.h"
#include "platform/Window.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

const char* const kAlreadyRunningCaption = "Program Already Running";
const char* const kAlreadyRunningText =
    "This program is already running.  Switch to its window, or close it before you start it again.";
const char* const kNotWritableCaption = "Error";
const char* const kNotWritableText =
    "The program's folder %s is not writable.  The game keeps its settings, statistics and screenshots beside "
    "the program: copy the folder with the program and its \"Data\" to a place where you may write, or give "
    "yourself the right to write in it, and start the game again.";
const char* const kInstanceLockName = "OrvexCurrentlyRunningMutex";

namespace {

const char* const kProductName = "Vantorel";
const char* const kProbeFileName = ownfiles::kWritableProbe;

// Held for the life of the process; the system releases it however the process ends.
platform::SingleInstanceLock s_instanceLock;

// Creates and deletes the probe file in the current folder. A file that cannot be created, or
// whose contents cannot be stored when it is closed, means the folder is not writable.
bool IsProgramFolderWritable()
{
    // The name is the probe's own: what lies under it (a leftover probe, a link to a device,
    // which a write refuses) goes first, as it would after the probe.
    CFileSystem::RemoveFile(kProbeFileName, VF_VERBATIM);
    CVirtualFile probe;
    if (!probe.Open(kProbeFileName, VF_CREATE | VF_WRITE | VF_VERBATIM))
        return false;
    const bool stored = probe.Close();
    CFileSystem::RemoveFile(kProbeFileName, VF_VERBATIM);
    return stored;
}

} // namespace

std::string FormatNotWritableText(const char* folder)
{
    std::string name = folder ? folder : "";
    // The folder as a person names it, without the separator the program's own paths end in.
    if (name.size() > 1 && name.back() == '/')
        name.pop_back();
    std::string text = kNotWritableText;
    if (const size_t at = text.find("%s"); at != std::string::npos)
        text.replace(at, 2, "\"" + name + "\"");
    return text;
}

void RunMainLoopPass()
{
    PumpWindowMessages();
    const bool active = IsApplicationActive();
    CApplicationBase* application = g_application;
    if (!application)
        return;
    application->SetActive(active);
    if (!active && !application->RunsWhenInactive())
        return;
    const int64_t start = GetPerformanceCounter();
    const double untilStep = application->Tick();
    // Active and no step due: wait for an event or for the step, whichever comes first, instead of
    // spinning (an inactive loop already sleeps in the pump). The tick's own time counts against
    // the wait; a wait that overshoots by a part of a millisecond is carried by the next tick, so
    // the stepping keeps its pace.
    const double spent = static_cast<double>(GetPerformanceCounter() - start) / static_cast<double>(GetPerformanceFrequency());
    const double wait = untilStep - spent;
    if (active && wait > 0.0)
        platform::WaitForEvent(static_cast<uint32_t>(std::ceil(std::min(wait, 0.1) * 1000.0)));
}

int WinMain(const char* commandLine, SetupGameFunction setupGame)
{
    // Only another holder refuses the start; a lock file that cannot be made does not.
    if (!s_instanceLock.Acquire(kInstanceLockName) && s_instanceLock.HeldElsewhere()) {
        ShowPlainMessageBox(kAlreadyRunningCaption, kAlreadyRunningText);
        return -1;
    }

    SetCommandLine(commandLine);

    if (!platform::CreateMainWindow(kProductName))
        FatalExit("FATAL ERROR", "Can't allocate my window");
    // The window was just shown and given the focus; later changes arrive as events.
    SetMainWindowState(true, false);

    SetCurrentDirectoryToExecutableFolder();
    if (!IsProgramFolderWritable()) {
        // The game could not start: the status says so to whoever started it.
        ShowPlainMessageBox(kNotWritableCaption, FormatNotWritableText(GetExecutableFolder().c_str()).c_str());
        return -1;
    }

    BeginLogSection("Setup Game");
    if (setupGame)
        setupGame();
    EndLogSection();

    if (g_application && g_application->HasDisplay() && !g_application->GetDisplay()->IsFullScreen())
        ResizeWindowForWindowedMode();

    for (;;)
        RunMainLoopPass();
}
