// The game program run in a folder of its own: stopped by signals while a game is in progress, it
// leaves the game suspended in the statistics file (as Python's zlib reads it); started with a FIFO
// or a link to /dev/zero in place of a file it reads or writes, it neither blocks nor fails.
#include "ProgramFolder.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#ifdef VANTOREL_GAME_PROGRAM
namespace {

namespace fs = std::filesystem;

// Starts the folder's program headless there with the arguments, its lock and per-user settings
// ("config/") in the folder and its output in "out.txt"; the process id.
pid_t StartProgramIn(const fs::path& folder, const std::vector<std::string>& arguments)
{
    MakeProgramFolder(folder);
    const pid_t child = fork();
    if (child != 0)
        return child;
    std::vector<char*> argv{const_cast<char*>("vantorel"), const_cast<char*>("--headless")};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    FILE* out = nullptr;
    if (chdir(folder.c_str()) == 0 && setenv("XDG_RUNTIME_DIR", folder.c_str(), 1) == 0 &&
        setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1) == 0 &&
        (out = std::freopen("out.txt", "w", stdout)) != nullptr && dup2(fileno(out), 2) >= 0)
        execv("./vantorel", argv.data());
    _exit(120);
}

// The exit status (128 + the signal that ended it); -1 when it still ran after the seconds (it is
// then killed, as a watchdog would).
int WaitForProgram(pid_t child, int seconds)
{
    for (int i = 0; i < seconds * 10; ++i) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        usleep(100000);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return -1;
}

TEST(GameSignals, EachWayOfStoppingSuspendsTheGameInProgress)
{
    // Into a game by keyboard, then the pause menu, which holds it as long as the test needs.
    const char* const script = "300 key Return\n310 key Return\n320 key Return\n600 key Escape\n"
                               "650 screenshot playing.tga\n";
    const struct
    {
        const char* what;
        std::vector<int> signals;
    } cases[] = {
        {"a closed terminal", {SIGHUP}},
        {"two SIGTERMs close together", {SIGTERM, SIGTERM}},
        {"SIGHUP then SIGINT", {SIGHUP, SIGINT}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        testsupport::TempDir dir;
        testsupport::WriteFileBytes(dir.Path() / "play.script", script);
        const pid_t game = StartProgramIn(dir.Path(), {"--script", "play.script"});
        ASSERT_GT(game, 0);
        bool playing = false;
        for (int i = 0; i < 600 && !(playing = fs::exists(dir.Path() / "playing.tga")); ++i)
            usleep(100000);
        // A few milliseconds apart: signals of one kind sent at once would merge into one.
        for (size_t i = 0; i < c.signals.size(); ++i) {
            usleep(i > 0 ? 3000 : 0);
            kill(game, c.signals[i]);
        }
        EXPECT_EQ(WaitForProgram(game, 60), 0) << testsupport::ReadFileBytes(dir.Path() / "out.txt");
        ASSERT_TRUE(playing);
        EXPECT_EQ(testsupport::RunCommand("cd '" + dir.Path().string() +
                                          "' && python3 -c \"import zlib;d=open('Stats.dat','rb').read();"
                                          "t=zlib.decompress(d[9:]).decode();"
                                          "exit(0 if 'Suspended Game=CSuspendedGameStats' in t else 1)\" 2>/dev/null"),
                  0);
    }
}

// The run ends cleanly at once (the watchdog ends one that blocks); the statistics saved at the
// end replace a FIFO, and a link to a device is left alone.
TEST(GameSpecialFiles, EachFileAsAFifoOrADeviceLinkCostsTheStartNothing)
{
    const char* const names[] = {"Stats.dat",    "Vantorel.CFG", "Config.INI",
                                 "Local.txt",    "TestSave.dat", "TestDestinationReadibility.txt",
                                 "config/Vantorel/Vantorel Editor.ini"};
    for (const bool fifo : {true, false}) {
        for (const char* name : names) {
            SCOPED_TRACE(std::string(name) + (fifo ? " as a FIFO" : " as a link to /dev/zero"));
            testsupport::TempDir dir;
            const fs::path path = dir.Path() / name;
            fs::create_directories(path.parent_path());
            if (fifo) {
                ASSERT_EQ(0, mkfifo(path.c_str(), 0666));
            } else {
                fs::create_symlink("/dev/zero", path);
            }
            ASSERT_EQ(WaitForProgram(StartProgramIn(dir.Path(), {}), 30), 0);
            const std::string output = testsupport::ReadFileBytes(dir.Path() / "out.txt");
            EXPECT_NE(output.find("the application shut down"), std::string::npos) << output;
            const fs::file_status status = fs::symlink_status(path);
            if (std::string(name) == "Stats.dat" && fifo) {
                EXPECT_TRUE(fs::is_regular_file(status)) << "the save at the end replaced it";
            } else if (!fifo) {
                EXPECT_TRUE(fs::is_symlink(status) || !fs::exists(status));
            }
        }
    }
}

} // namespace
#endif
