#include "app/WinMain.h"

#include "app/ApplicationBase.h"
#include "app/SubsystemCalls.h"
#include "app/WindowProc.h"
#include "foundation/LogSection.h"
#include "foundation/OpenFlags.h"
#include "foundation/VirtualFile.h"
#include "foundation/Win32Services.h"
#include "platform/SingleInstanceLock.h"
#include "platform/Window.h"

const char* const kAlreadyRunningCaption = "Program Already Running";
const char* const kAlreadyRunningText =
    "This program is already running.  Click on the button on the Windows task bar to activate it.";
const char* const kNotWritableCaption = "Error";
const char* const kNotWritableText =
    "Executable path is not writable.  If you launched the application directly from the CD, please run the "
    "installer to install the application.";
const char* const kInstanceLockName = "OrvexCurrentlyRunningMutex";

namespace {

const char* const kProductName = "Vantorel";
const char* const kProbeFileName = "TestDestinationReadibility.txt";

// Held for the life of the process; the system releases it however the process ends.
platform::SingleInstanceLock s_instanceLock;

// Creates and deletes the probe file in the current folder. A file that cannot be created, or
// whose contents cannot be stored when it is closed, means the folder is not writable.
bool IsProgramFolderWritable()
{
    CVirtualFile probe;
    if (!probe.Open(kProbeFileName, VF_CREATE | VF_WRITE | VF_VERBATIM))
        return false;
    const bool stored = probe.Close();
    RemoveVerbatimFile(kProbeFileName);
    return stored;
}

} // namespace

void RunMainLoopPass()
{
    PumpWindowMessages();
    const bool active = IsApplicationActive();
    if (CApplicationBase* application = g_application) {
        application->SetActive(active);
        if (active || application->RunsWhenInactive())
            application->Tick();
    }
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
        ShowPlainMessageBox(kNotWritableCaption, kNotWritableText);
        return 0;
    }

    BeginLogSection("Setup Game");
    if (setupGame)
        setupGame();
    EndLogSection();

    if (g_application && g_application->HasDisplay() && !IsDisplayFullScreen(g_application->GetDisplay()))
        ResizeWindowForWindowedMode();

    for (;;)
        RunMainLoopPass();
}
