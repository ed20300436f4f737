#pragma once
// Runs work in a child process under a time bound (alarm) and a memory bound (an address-space
// limit of what the child has mapped plus the bound), so a test shows the work stays cheap without
// timing it. AddressSanitizer reserves terabytes of shadow memory up front: there only time counts.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <new>
#include <ostream>

namespace testsupport {

// kOverMemory: operator new failed, or the child ended otherwise.
enum class BoundedOutcome { kTrue, kFalse, kOverTime, kOverMemory };

inline std::ostream& operator<<(std::ostream& out, BoundedOutcome outcome)
{
    static const char* const s_names[] = {"true", "false", "over time", "over memory"};
    return out << s_names[static_cast<int>(outcome)];
}

inline BoundedOutcome RunBounded(const std::function<bool()>& work, unsigned seconds, uint64_t megabytes)
{
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        std::set_new_handler([] { ::_exit(3); });
#if defined(__SANITIZE_ADDRESS__)
        static_cast<void>(megabytes);
#else
        long pages = 0;
        FILE* statm = std::fopen("/proc/self/statm", "r");
        if (!statm || std::fscanf(statm, "%ld", &pages) != 1 || pages <= 0)
            ::_exit(4);
        std::fclose(statm);
        const rlim_t limit = static_cast<rlim_t>(pages * ::sysconf(_SC_PAGESIZE)) + (megabytes << 20);
        const rlimit bound{limit, limit};
        if (::setrlimit(RLIMIT_AS, &bound) != 0)
            ::_exit(4);
#endif
        std::signal(SIGALRM, SIG_DFL);
        ::alarm(seconds);
        ::_exit(work() ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child)
        return BoundedOutcome::kOverMemory;
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM)
        return BoundedOutcome::kOverTime;
    if (WIFEXITED(status) && WEXITSTATUS(status) <= 1)
        return WEXITSTATUS(status) == 0 ? BoundedOutcome::kTrue : BoundedOutcome::kFalse;
    return BoundedOutcome::kOverMemory;
}

} // namespace testsupport
