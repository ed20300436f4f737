// The command line, starting programs, opening documents and the single-instance lock.
#include "platform/Process.h"
#include "platform/SingleInstanceLock.h"
#include "platform/headless/HeadlessBackend.h"

#include "TestSupport.h"

#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace platform;
namespace fs = std::filesystem;

namespace {

// A shell script that writes its argument count and arguments, one per line, to args.txt in the
// folder it runs in.
void WriteArgumentRecorder(const fs::path& path)
{
    testsupport::WriteFileBytes(path, "#!/bin/sh\n{ echo \"$#\"; for a in \"$@\"; do echo \"$a\"; done; } > args.txt\n");
    fs::permissions(path, fs::perms::owner_all);
}

TEST(CommandLine, ArgumentsJoinedAndBlanksQuoted)
{
    const char* argv[] = {"vantorel", "/ScreenWidth", "800", "C:\\My Games\\x", "tab\there", "", "/exit"};
    EXPECT_EQ(JoinCommandLine(7, argv), "/ScreenWidth 800 \"C:\\My Games\\x\" \"tab\there\" \"\" /exit");
    EXPECT_EQ(JoinCommandLine(1, argv), "");
    EXPECT_EQ(JoinCommandLine(0, nullptr), "");
}

TEST(Launch, APathWithSpacesArrivesAsOneArgumentInTheWorkingFolder)
{
    testsupport::TempDir dir;
    fs::create_directories(dir.Path() / "My Programs" / "Work Folder");
    fs::path program = dir.Path() / "My Programs" / "Remove Me.sh";
    WriteArgumentRecorder(program);
    std::string folder = (dir.Path() / "My Programs" / "Work Folder").string();

    pid_t pid = LaunchProcess(program.c_str(), "an argument with spaces", folder.c_str(), false);
    ASSERT_GT(pid, 0);
    EXPECT_EQ(WaitForProcess(pid, 10000), 0);
    EXPECT_EQ(testsupport::ReadFileBytes(dir.Path() / "My Programs" / "Work Folder" / "args.txt"),
              "1\nan argument with spaces\n");

    // Windows separators and a name in another case are accepted; no argument means none.
    std::string windowsName = (dir.Path() / "my programs").string() + "\\REMOVE ME.sh";
    pid = LaunchProcess(windowsName.c_str(), nullptr, folder.c_str(), false);
    ASSERT_GT(pid, 0);
    EXPECT_EQ(WaitForProcess(pid, 10000), 0);
    EXPECT_EQ(testsupport::ReadFileBytes(dir.Path() / "My Programs" / "Work Folder" / "args.txt"), "0\n");
}

TEST(Launch, FailuresAreReported)
{
    EXPECT_EQ(LaunchProcess("/nonexistent/program", nullptr, nullptr, false), -1);
    EXPECT_EQ(LaunchProcess("", nullptr, nullptr, false), -1);
    EXPECT_EQ(LaunchProcess(nullptr, nullptr, nullptr, false), -1);
    // A working folder that does not exist fails the start.
    EXPECT_EQ(LaunchProcess("/bin/true", nullptr, "/nonexistent/folder", false), -1);
    EXPECT_EQ(WaitForProcess(-1), -1);
}

TEST(Launch, ExitStatusAndTimeout)
{
    pid_t pid = LaunchProcess("/bin/sh", "-c", nullptr, false);   // "sh -c" without a command fails
    ASSERT_GT(pid, 0);
    EXPECT_NE(WaitForProcess(pid, 10000), 0);
    pid = LaunchProcess("sleep", "5", nullptr, false);
    ASSERT_GT(pid, 0);
    EXPECT_EQ(WaitForProcess(pid, 20), -1);
    kill(pid, SIGKILL);
    EXPECT_EQ(WaitForProcess(pid), -1);
}

TEST(LaunchDocumentOpener, RunsTheDesktopsOpener)
{
    testsupport::TempDir dir;
    // A stand-in for the desktop's opener, first in PATH, records what it was asked to open.
    fs::path opener = dir.Path() / "xdg-open";
    testsupport::WriteFileBytes(opener, "#!/bin/sh\necho \"$#:$1\" > \"" + (dir / "opened.txt") + "\"\n");
    fs::permissions(opener, fs::perms::owner_all);
    std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (dir.Path().string() + ":" + oldPath).c_str(), 1);
    bool started = LaunchDocumentOpener("https://example.invalid/a page?x=1");
    setenv("PATH", oldPath.c_str(), 1);
    ASSERT_TRUE(started);
    std::string got;
    for (int i = 0; i < 500 && got.empty(); ++i) {
        usleep(10000);
        got = testsupport::ReadFileBytes(dir.Path() / "opened.txt");
    }
    EXPECT_EQ(got, "1:https://example.invalid/a page?x=1\n");
    EXPECT_FALSE(LaunchDocumentOpener(""));
    EXPECT_FALSE(LaunchDocumentOpener(nullptr));
}

TEST(OpenDocument, HeadlessRecordsWithoutStartingAnything)
{
    GetHeadlessBackend().Reset();
    EXPECT_FALSE(OpenDocument(""));
    EXPECT_FALSE(OpenDocument(nullptr));
    EXPECT_TRUE(OpenDocument("https://example.invalid/a page?x=1"));
    EXPECT_TRUE(OpenDocument("Readme.txt"));
    EXPECT_EQ(GetHeadlessBackend().GetOpenedDocuments(),
              (std::vector<std::string>{"https://example.invalid/a page?x=1", "Readme.txt"}));
    GetHeadlessBackend().Reset();
    EXPECT_TRUE(GetHeadlessBackend().GetOpenedDocuments().empty());
}

// Runs body in a child process and returns its exit status.
template <typename Body>
int InChild(Body body)
{
    pid_t pid = fork();
    if (pid == 0)
        _exit(body());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SingleInstance, ASecondProcessSeesTheLock)
{
    testsupport::TempDir dir;
    const std::string folder = dir.Path().string();
    SingleInstanceLock lock;
    ASSERT_TRUE(lock.Acquire("OrvexCurrentlyRunningMutex", folder.c_str()));
    EXPECT_TRUE(lock.IsHeld());
    EXPECT_NE(lock.GetPath().find("OrvexCurrentlyRunningMutex"), std::string::npos);

    // 1: refused because another process holds it.
    auto tryInChild = [&] {
        return InChild([&] {
            SingleInstanceLock second;
            if (second.Acquire("OrvexCurrentlyRunningMutex", folder.c_str()))
                return 0;
            return second.HeldElsewhere() ? 1 : 2;
        });
    };
    EXPECT_EQ(tryInChild(), 1);
    // Another name is another lock.
    EXPECT_EQ(InChild([&] {
        SingleInstanceLock other;
        return other.Acquire("SomethingElse", folder.c_str()) ? 0 : 1;
    }), 0);

    lock.Release();
    EXPECT_FALSE(lock.IsHeld());
    EXPECT_EQ(tryInChild(), 0);
}

TEST(SingleInstance, TheLockEndsWithItsProcess)
{
    testsupport::TempDir dir;
    const std::string folder = dir.Path().string();
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t holder = fork();
    if (holder == 0) {
        SingleInstanceLock lock;
        char c = lock.Acquire("Game", folder.c_str()) ? 'y' : 'n';
        (void)!write(ready[1], &c, 1);
        pause();
        _exit(0);
    }
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, 'y');
    SingleInstanceLock mine;
    EXPECT_FALSE(mine.Acquire("Game", folder.c_str()));
    EXPECT_TRUE(mine.HeldElsewhere());
    // Killed, not shut down: the system drops the lock all the same.
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    EXPECT_TRUE(mine.Acquire("Game", folder.c_str()));
    close(ready[0]);
    close(ready[1]);
}

TEST(SingleInstance, AnUnusableFolderFailsWithoutClaimingAnotherInstance)
{
    SingleInstanceLock lock;
    EXPECT_FALSE(lock.Acquire("Game", "/nonexistent/folder"));
    EXPECT_FALSE(lock.HeldElsewhere());
    EXPECT_FALSE(lock.IsHeld());
}

} // namespace
