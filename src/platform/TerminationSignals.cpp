#include "platform/TerminationSignals.h"

#include "platform/Events.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <set>
#include <string>
#include <thread>
#include <unistd.h>

namespace platform {

namespace {

// How long the program has to end by itself after the first signal.
constexpr int kGraceMilliseconds = 10000;

int s_pipe[2] = {-1, -1};
pid_t s_ownPid = 0;
std::mutex s_boxMutex;
bool s_inBox = false;
std::set<pid_t> s_childrenBeforeBox;

void OnSignal(int signal)
{
    // A child forked from this process (a message box) inherits the handler: it ends as by default.
    if (getpid() != s_ownPid) {
        std::signal(signal, SIG_DFL);
        raise(signal);
        return;
    }
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] ssize_t written = write(s_pipe[1], &byte, 1);
    errno = saved;
}

std::string ReadLink(const std::string& path)
{
    char buffer[4096];
    const ssize_t n = readlink(path.c_str(), buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

// The processes whose parent is this process and that run this program's own executable.
std::set<pid_t> ChildrenRunningThisProgram()
{
    std::set<pid_t> children;
    const std::string self = ReadLink("/proc/self/exe");
    DIR* proc = opendir("/proc");
    if (!proc)
        return children;
    while (dirent* entry = readdir(proc)) {
        char* end = nullptr;
        const long pid = std::strtol(entry->d_name, &end, 10);
        if (pid <= 0 || *end != 0)
            continue;
        const std::string folder = std::string("/proc/") + entry->d_name;
        FILE* stat = std::fopen((folder + "/stat").c_str(), "r");
        if (!stat)
            continue;
        char line[1024] = {};
        const bool read = std::fgets(line, sizeof line, stat) != nullptr;
        std::fclose(stat);
        // The parent follows the command name, which ends at the last ')'.
        const char* close = read ? std::strrchr(line, ')') : nullptr;
        char state = 0;
        long parent = 0;
        if (!close || std::sscanf(close + 1, " %c %ld", &state, &parent) != 2 || parent != getpid())
            continue;
        if (ReadLink(folder + "/exe") == self)
            children.insert(static_cast<pid_t>(pid));
    }
    closedir(proc);
    return children;
}

[[noreturn]] void EndAtOnce(int signal, const char* why)
{
    std::fprintf(stderr, "Vantorel: %s; ending at once.\n", why);
    std::fflush(stderr);
    _exit(128 + signal);
}

void WatchSignals()
{
    for (;;) {
        unsigned char signal = 0;
        const ssize_t n = read(s_pipe[0], &signal, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n != 1)
            return;
        PostEvent(Event::Simple(EventType::Close));
        EndModalBoxProcesses();
        pollfd more{s_pipe[0], POLLIN, 0};
        int ready;
        do
            ready = poll(&more, 1, kGraceMilliseconds);
        while (ready < 0 && errno == EINTR);
        EndAtOnce(signal, ready > 0 ? "asked again to stop" : "the program did not stop when asked");
    }
}

} // namespace

bool InstallTerminationHandlers()
{
    if (s_pipe[0] >= 0)
        return true;
    if (pipe2(s_pipe, O_CLOEXEC) != 0)
        return false;
    s_ownPid = getpid();
    struct sigaction action = {};
    action.sa_handler = &OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    if (sigaction(SIGTERM, &action, nullptr) != 0 || sigaction(SIGINT, &action, nullptr) != 0)
        return false;
    std::thread(&WatchSignals).detach();
    return true;
}

void BeginModalBox()
{
    std::set<pid_t> before = ChildrenRunningThisProgram();
    std::lock_guard<std::mutex> lock(s_boxMutex);
    s_childrenBeforeBox.swap(before);
    s_inBox = true;
}

void EndModalBox()
{
    std::lock_guard<std::mutex> lock(s_boxMutex);
    s_inBox = false;
    s_childrenBeforeBox.clear();
}

int EndModalBoxProcesses()
{
    std::lock_guard<std::mutex> lock(s_boxMutex);
    if (!s_inBox)
        return 0;
    int signalled = 0;
    for (pid_t child : ChildrenRunningThisProgram())
        if (!s_childrenBeforeBox.count(child) && kill(child, SIGTERM) == 0)
            ++signalled;
    return signalled;
}

} // namespace platform
