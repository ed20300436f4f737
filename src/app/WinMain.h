#pragma once
// The program's entry: one instance only, the main window, the program's folder as the current
// folder and a test that it is writable, the game's set-up, then the endless main loop. The program
// ends inside the window procedure (a close request) or on a fatal error.
#include <string>

// Creates the application object and runs its Init (the game shell's set-up).
using SetupGameFunction = void (*)();

// Returns -1 when another instance runs or the program's folder is not writable; otherwise it
// never returns.
int WinMain(const char* commandLine, SetupGameFunction setupGame);

// One pass of the main loop: pump the events, tell the application whether it is active, and tick
// it when it is active or runs while inactive; when no step is due then, wait for the next event
// or the next step.
void RunMainLoopPass();

// The texts of the start-up refusals.
extern const char* const kAlreadyRunningCaption;
extern const char* const kAlreadyRunningText;
extern const char* const kNotWritableCaption;
extern const char* const kNotWritableText;   // "%s" stands for the folder
// The refusal for a folder that is not writable, naming it (in double quotes).
std::string FormatNotWritableText(const char* folder);
// The name of the lock that tells a running instance.
extern const char* const kInstanceLockName;
