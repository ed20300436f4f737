// The game program started with a FIFO or a link to /dev/zero in place of each file it reads or
// writes: it starts, plays its headless run and ends cleanly at once (a watchdog ends a run that
// blocks), the statistics saved at the end replace a FIFO, and a link to a device is left alone.
#include "ProgramFolder.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#ifdef VANTOREL_GAME_PROGRAM
namespace {

namespace fs = std::filesystem;

// Runs the game headless in the folder with the per-user settings below it; the exit status, or
// -1 when it still ran after the watchdog's time (it is then killed).
int RunWatchedGame(const fs::path& folder)
{
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0)
            _exit(120);
        setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
        FILE* out = std::freopen("out.txt", "w", stdout);
        if (!out || dup2(fileno(out), 2) < 0)
            _exit(121);
        execl("./vantorel", "vantorel", "--headless", static_cast<char*>(nullptr));
        _exit(122);
    }
    for (int i = 0; i < 300; ++i) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        usleep(100000);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return -1;
}

TEST(GameSpecialFiles, EachFileAsAFifoOrADeviceLinkCostsTheStartNothing)
{
    const char* const names[] = {"Stats.dat",    "Vantorel.CFG", "Config.INI",
                                 "Local.txt",    "TestSave.dat", "TestDestinationReadibility.txt",
                                 "config/Vantorel/Vantorel Editor.ini"};
    for (const bool fifo : {true, false}) {
        for (const char* name : names) {
            SCOPED_TRACE(std::string(name) + (fifo ? " as a FIFO" : " as a link to /dev/zero"));
            testsupport::TempDir dir;
            MakeProgramFolder(dir.Path());
            const fs::path path = dir.Path() / name;
            fs::create_directories(path.parent_path());
            if (fifo)
                ASSERT_EQ(0, mkfifo(path.c_str(), 0666));
            else
                fs::create_symlink("/dev/zero", path);
            ASSERT_EQ(RunWatchedGame(dir.Path()), 0) << testsupport::ReadFileBytes(dir.Path() / "out.txt");
            EXPECT_NE(testsupport::ReadFileBytes(dir.Path() / "out.txt").find("the application shut down"),
                      std::string::npos);
            const fs::file_status status = fs::symlink_status(path);
            if (std::string(name) == "Stats.dat" && fifo)
                EXPECT_TRUE(fs::is_regular_file(status)) << "the save at the end replaced it";
            else if (!fifo)
                EXPECT_TRUE(fs::is_symlink(status) || !fs::exists(status));
        }
    }
}

} // namespace
#endif
