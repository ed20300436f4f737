#include "platform/Process.h"

#include "platform/Backend.h"
#include "platform/Files.h"
#include "platform/Time.h"

#include <cerrno>
#include <cstring>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace platform {

std::string JoinCommandLine(int argc, const char* const* argv)
{
    std::string line;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i] ? argv[i] : "";
        if (i > 1)
            line += ' ';
        if (*arg == 0 || std::strpbrk(arg, " \t")) {
            line += '"';
            line += arg;
            line += '"';
        } else {
            line += arg;
        }
    }
    return line;
}

pid_t LaunchProcess(const char* program, const char* argument, const char* folder, bool reap)
{
    if (!program || !*program)
        return -1;
    std::string path = ResolvePath(program);
    std::string dir = folder && *folder ? ResolvePath(folder) : std::string();
    std::vector<char*> argv;
    argv.push_back(path.data());
    std::string arg = argument ? argument : "";
    if (argument)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0)
        return -1;
    // Only standard input, output and error are handed on.
    if (posix_spawn_file_actions_addclosefrom_np(&actions, 3) != 0 ||
        (!dir.empty() && posix_spawn_file_actions_addchdir_np(&actions, dir.c_str()) != 0)) {
        posix_spawn_file_actions_destroy(&actions);
        return -1;
    }
    pid_t pid = -1;
    int rc = path.find('/') == std::string::npos
                 ? posix_spawnp(&pid, path.c_str(), &actions, nullptr, argv.data(), environ)
                 : posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return -1;
    if (reap) {
        std::thread([pid] {
            int status;
            while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    }
    return pid;
}

int WaitForProcess(pid_t pid, int timeoutMs)
{
    if (pid <= 0)
        return -1;
    int status = 0;
    uint64_t start = GetCounter();
    for (;;) {
        pid_t r = waitpid(pid, &status, timeoutMs < 0 ? 0 : WNOHANG);
        if (r == pid)
            break;
        if (r < 0 && errno != EINTR)
            return -1;
        if (r == 0) {
            if ((GetCounter() - start) / 1000000ull >= static_cast<uint64_t>(timeoutMs))
                return -1;
            timespec ts{0, 2000000};
            nanosleep(&ts, nullptr);
        }
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

long GetProcessId()
{
    return static_cast<long>(::getpid());
}

bool IsProcessRunning(long processId)
{
    // Signal 0 only asks: a process of another user answers EPERM, which still means it runs.
    return ::kill(static_cast<pid_t>(processId), 0) == 0 || errno != ESRCH;
}

bool OpenDocument(const char* document)
{
    if (!document || !*document)
        return false;
    return GetBackend().OpenDocument(document);
}

bool LaunchDocumentOpener(const char* document)
{
    if (!document || !*document)
        return false;
    return LaunchProcess("xdg-open", document, nullptr, true) > 0;
}

} // namespace platform
