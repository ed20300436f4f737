#pragma once
// Process services: the command line as one string, starting programs, opening documents, this
// process's id and whether another one runs.
#include <string>
#include <sys/types.h>

namespace platform {

// argv[1..] joined by spaces; an argument holding a blank (space or tab) or nothing at all is
// wrapped in double quotes, so that the engine's option parsing sees it as one value.
std::string JoinCommandLine(int argc, const char* const* argv);

// Starts program (a Windows-style path, resolved like every file name; a bare name is looked up
// in PATH) with argv {program, argument} (no argument when null) in folder (null: the current
// one). The child does not inherit the program's own descriptors. Returns the child's pid, or -1.
// A child whose pid nobody keeps (reap = true) is waited for in the background so it leaves no
// zombie.
pid_t LaunchProcess(const char* program, const char* argument, const char* folder, bool reap);

// Waits for a child started with reap = false. Returns its exit status, or -1 when it did not end
// normally or within timeoutMs (negative: no limit).
int WaitForProcess(pid_t pid, int timeoutMs = -1);

// This process's id.
long GetProcessId();
// Whether a process has the id (one of another user counts too): false only when none has it.
bool IsProcessRunning(long processId);

// Opens a document or an address the way the installed backend does (the headless backend only
// records it). False for an empty name or when nothing could be started.
bool OpenDocument(const char* document);
// Starts the desktop's opener (xdg-open) on the document; false for an empty name or when it
// cannot be started.
bool LaunchDocumentOpener(const char* document);

} // namespace platform
