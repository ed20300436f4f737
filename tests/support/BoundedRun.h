#pragma once
// Runs a piece of work in a child process under a time and a memory bound, so that a test can
// show that the work stays cheap without timing it. The child gets alarm() and an address-space
// limit of what it has mapped at the start plus the bound. AddressSanitizer reserves terabytes of
// shadow memory up front, so in a sanitized build only the time bound applies.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <new>
#include <ostream>

#if defined(__SANITIZE_ADDRESS__)
#define VANTOREL_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VANTOREL_TEST_ASAN 1
#endif
#endif

namespace testsupport {

enum class BoundedOutcome
{
    kTrue,       // the work answered true within the bounds
    kFalse,      // ... false
    kOverTime,   // the alarm went off
    kOverMemory, // an allocation failed (operator new), or the child ended otherwise
};

inline std::ostream& operator<<(std::ostream& out, BoundedOutcome outcome)
{
    static const char* const s_names[] = {"true", "false", "over time", "over memory"};
    return out << s_names[static_cast<int>(outcome)];
}

inline bool IsAddressSanitized()
{
#ifdef VANTOREL_TEST_ASAN
    return true;
#else
    return false;
#endif
}

inline BoundedOutcome RunBounded(const std::function<bool()>& work, unsigned seconds, uint64_t megabytes)
{
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        std::set_new_handler([] { ::_exit(3); });
        if (!IsAddressSanitized()) {
            long pages = 0;
            if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
                if (std::fscanf(statm, "%ld", &pages) != 1)
                    pages = 0;
                std::fclose(statm);
            }
            const rlim_t limit = static_cast<rlim_t>(pages) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) +
                                 static_cast<rlim_t>(megabytes << 20);
            const rlimit bound{limit, limit};
            if (pages <= 0 || ::setrlimit(RLIMIT_AS, &bound) != 0)
                ::_exit(4);
        }
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
