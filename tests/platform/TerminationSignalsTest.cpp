// SIGTERM and SIGINT: the window is closed as by the user, a message box's own process is ended
// (and nothing else), and a second signal ends the process at once. Each case runs in a process of
// its own, since the handlers stay for the life of a process.
#include "platform/Events.h"
#include "platform/TerminationSignals.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

pid_t ForkWaitingChild()
{
    const pid_t child = fork();
    if (child == 0) {
        for (;;)
            pause();
    }
    return child;
}

bool CloseArrives()
{
    for (int i = 0; i < 500; ++i) {
        platform::Event event;
        while (platform::PollEvent(event))
            if (event.type == platform::EventType::Close)
                return true;
        usleep(10000);
    }
    return false;
}

bool StillRuns(pid_t pid)
{
    int status;
    return waitpid(pid, &status, WNOHANG) == 0;
}

// The exit status says which check failed (0: all held).
int CloseWithABoxOpen()
{
    if (!platform::InstallTerminationHandlers())
        return 2;
    const pid_t before = ForkWaitingChild();
    platform::BeginModalBox();
    const pid_t box = ForkWaitingChild();
    pid_t other = 0;
    char sleepName[] = "sleep", seconds[] = "20";
    char* arguments[] = {sleepName, seconds, nullptr};
    if (posix_spawnp(&other, "sleep", nullptr, nullptr, arguments, environ) != 0)
        return 3;
    kill(getpid(), SIGTERM);
    if (!CloseArrives())
        return 4;
    int status = 0;
    if (waitpid(box, &status, 0) != box || !WIFSIGNALED(status) || WTERMSIG(status) != SIGTERM)
        return 5;
    platform::EndModalBox();
    const bool othersKept = StillRuns(before) && StillRuns(other);
    kill(before, SIGKILL);
    kill(other, SIGKILL);
    return othersKept ? 0 : 6;
}

TEST(TerminationSignals, ASignalClosesTheWindowAndEndsOnlyTheOpenBoxsProcess)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::_Exit(CloseWithABoxOpen()), testing::ExitedWithCode(0), "");
}

TEST(TerminationSignals, ASecondSignalEndsTheProcessAtOnce)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            platform::InstallTerminationHandlers();
            kill(getpid(), SIGINT);
            if (!CloseArrives())
                std::_Exit(1);
            kill(getpid(), SIGINT);
            sleep(20);
            std::_Exit(2);
        },
        testing::ExitedWithCode(128 + SIGINT), "asked again to stop");
}

TEST(TerminationSignals, AWritePastTheFileSizeLimitFailsInsteadOfEndingTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            platform::InstallTerminationHandlers();
            const rlimit limit = (rlimit{16, 16}); // the parentheses keep the comma from the macro
            setrlimit(RLIMIT_FSIZE, &limit);
            const int fd = fileno(std::tmpfile());
            const char bytes[64] = {};
            std::_Exit(write(fd, bytes, 16) == 16 && write(fd, bytes, 48) < 0 && errno == EFBIG ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

TEST(TerminationSignals, WithoutABoxNoProcessIsTouched)
{
    const pid_t child = ForkWaitingChild();
    EXPECT_EQ(platform::EndModalBoxProcesses(), 0);
    platform::BeginModalBox();
    EXPECT_EQ(platform::EndModalBoxProcesses(), 0);
    platform::EndModalBox();
    EXPECT_TRUE(StillRuns(child));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

} // namespace
