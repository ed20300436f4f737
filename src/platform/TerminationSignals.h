#pragma once
// SIGTERM, SIGINT and SIGHUP (a closed terminal) end the program the way closing its window does:
// a Close event is posted and the program's own shut-down runs (a game in progress is suspended
// and saved). A message box open at that moment is ended first (a desktop's box runs in a child
// process of ours, which is stopped), so a script that stops the program never hangs on a box
// nobody sees.
//
// A further signal ends the process at once (status 128 + the signal), except while the
// shut-down answering the first one runs: that shut-down, and the save in it, is let finish. A
// program that does not end within some seconds of the first signal is ended all the same.
//
// SIGXFSZ and SIGPIPE are ignored, so that a write the system refuses fails as a write.
//
// The handlers only set atomics and post a semaphore (both safe in a signal handler); a watcher
// thread and the main loop act on them. The rule: install once, early in the program, before
// other threads start.
namespace platform {

// False when the handlers could not be installed (the signals then keep their default action).
bool InstallTerminationHandlers();

// Called by the program's shut-down as it begins: from then on a further signal lets it finish.
void NoteShutDownStarted();

// Around a blocking message box: a box may run in child processes made in between, which a
// termination signal stops. Boxes do not nest.
void BeginModalBox();
void EndModalBox();

// Stops the processes this process started since BeginModalBox that run its own program (the
// box's), and answers how many were signalled. Used by the signal watcher; tests call it.
int EndModalBoxProcesses();

} // namespace platform
