#include "platform/TerminationSignals.h"

#include "platform/Events.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <semaphore.h>
#include <set>
#include <string>
#include <thread>
#include <unistd.h>

namespace platform {

namespace {

// How long the program has to end by itself after the first signal.
constexpr int kGraceMilliseconds = 10000;
// How long a further signal waits for the main loop to begin the shut-down that the first one
// asked for (the loop takes its events many times a second); a loop that does not is stuck.
constexpr int kShutDownStartMilliseconds = 1000;

pid_t s_ownPid = 0;
std::atomic<bool> s_installed{false};
std::atomic<int> s_signalCount{0};
std::atomic<int> s_lastSignal{0};
std::atomic<bool> s_shutDownStarted{false};
sem_t s_wake;
std::mutex s_boxMutex;
bool s_inBox = false;
std::set<pid_t> s_childrenBeforeBox;

static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free,
              "the signal handler may only touch lock-free atomics");

void OnSignal(int signal)
{
    // A child forked from this process (a message box) inherits the handler: it ends as by default.
    if (getpid() != s_ownPid) {
        std::signal(signal, SIG_DFL);
        raise(signal);
        return;
    }
    const int saved = errno;
    s_lastSignal.store(signal);
    s_signalCount.fetch_add(1);
    sem_post(&s_wake);
    errno = saved;
}

timespec MillisecondsFromNow(int milliseconds)
{
    timespec at{};
    clock_gettime(CLOCK_MONOTONIC, &at);
    at.tv_sec += milliseconds / 1000;
    at.tv_nsec += static_cast<long>(milliseconds % 1000) * 1000000L;
    if (at.tv_nsec >= 1000000000L) {
        ++at.tv_sec;
        at.tv_nsec -= 1000000000L;
    }
    return at;
}

bool IsBefore(const timespec& a, const timespec& b)
{
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

// Waits for the next wake-up (a signal, or the shut-down beginning); false once the deadline passed.
bool WaitForWakeUp(const timespec& deadline)
{
    while (sem_clockwait(&s_wake, CLOCK_MONOTONIC, &deadline) != 0)
        if (errno != EINTR)
            return false;
    return true;
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

// Whether the shut-down begins before the deadline.
bool ShutDownBeginsBy(const timespec& deadline)
{
    while (!s_shutDownStarted.load())
        if (!WaitForWakeUp(deadline))
            return s_shutDownStarted.load();
    return true;
}

void WatchSignals()
{
    while (s_signalCount.load() == 0)
        WaitForWakeUp(MillisecondsFromNow(60 * 60 * 1000));
    const timespec graceEnd = MillisecondsFromNow(kGraceMilliseconds);
    PostEvent(Event::Simple(EventType::Close));
    EndModalBoxProcesses();
    int answered = 1;
    for (;;) {
        const int count = s_signalCount.load();
        if (count > answered) {
            answered = count;
            timespec startBy = MillisecondsFromNow(kShutDownStartMilliseconds);
            if (IsBefore(graceEnd, startBy))
                startBy = graceEnd;
            if (!ShutDownBeginsBy(startBy))
                EndAtOnce(s_lastSignal.load(), "asked again to stop");
        }
        if (!WaitForWakeUp(graceEnd) && s_signalCount.load() == answered)
            EndAtOnce(s_lastSignal.load(), "the program did not stop when asked");
    }
}

} // namespace

bool InstallTerminationHandlers()
{
    if (s_installed.load())
        return true;
    if (sem_init(&s_wake, 0, 0) != 0)
        return false;
    s_ownPid = getpid();
    struct sigaction action = {};
    action.sa_handler = &OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        if (sigaction(signal, &action, nullptr) != 0)
            return false;
    // A write past the file-size limit or into a closed pipe fails with its error instead of
    // ending the program: the save that made it is told, and nothing else is lost.
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
    s_installed.store(true);
    std::thread(&WatchSignals).detach();
    return true;
}

void NoteShutDownStarted()
{
    s_shutDownStarted.store(true);
    if (s_installed.load())
        sem_post(&s_wake);
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
