#pragma once
// SIGTERM and SIGINT end the program the way closing its window does: a Close event is posted and
// the program's own shut-down runs. A message box open at that moment is ended first (a desktop's
// box runs in a child process of ours, which is stopped), so a script that stops the program never
// hangs on a box nobody sees. Should the program still run some seconds later, or a second signal
// come, the process ends at once with status 128 + the signal.
//
// The rule: install once, early in the program, before other threads start.
namespace platform {

// False when the handlers could not be installed (the signals then keep their default action).
bool InstallTerminationHandlers();

// Around a blocking message box: a box may run in child processes made in between, which a
// termination signal stops. Boxes do not nest.
void BeginModalBox();
void EndModalBox();

// Stops the processes this process started since BeginModalBox that run its own program (the
// box's), and answers how many were signalled. Used by the signal watcher; tests call it.
int EndModalBoxProcesses();

} // namespace platform
