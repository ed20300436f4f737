// The game program stopped by signals while a game is in progress: a closed terminal (SIGHUP)
// and signals that come close together all leave the game suspended in the statistics file, as
// Python's zlib reads it, and the program ends cleanly.
#include "ProgramFolder.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#ifdef VANTOREL_GAME_PROGRAM
namespace {

namespace fs = std::filesystem;

// From the main menu into a game by keyboard, then the pause menu, which holds the game in
// progress for as long as the test needs; the picture says the game is there.
const char* const kScript = "300 key Return\n310 key Return\n320 key Return\n600 key Escape\n650 screenshot playing.tga\n";

// Starts the game headless in the folder; its process id, or -1.
pid_t StartGame(const fs::path& folder)
{
    MakeProgramFolder(folder);
    testsupport::WriteFileBytes(folder / "play.script", kScript);
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0)
            _exit(120);
        setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
        FILE* out = std::freopen("out.txt", "w", stdout);
        if (!out || dup2(fileno(out), 2) < 0)
            _exit(121);
        execl("./vantorel", "vantorel", "--headless", "--script", "play.script", static_cast<char*>(nullptr));
        _exit(122);
    }
    return child;
}

// The exit status; -1 when it was still running after a minute (then it is killed).
int WaitForEnd(pid_t child)
{
    for (int i = 0; i < 600; ++i) {
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
        const pid_t game = StartGame(dir.Path());
        ASSERT_GT(game, 0);
        bool playing = false;
        for (int i = 0; i < 600 && !playing; ++i) {
            playing = fs::exists(dir.Path() / "playing.tga");
            if (!playing)
                usleep(100000);
        }
        // A few milliseconds apart: signals of one kind sent at once would merge into one.
        for (size_t i = 0; i < c.signals.size(); ++i) {
            if (i > 0)
                usleep(3000);
            kill(game, c.signals[i]);
        }
        EXPECT_EQ(WaitForEnd(game), 0) << testsupport::ReadFileBytes(dir.Path() / "out.txt");
        ASSERT_TRUE(playing);
        EXPECT_EQ(testsupport::RunCommand("cd '" + dir.Path().string() +
                                          "' && python3 -c \"import zlib;d=open('Stats.dat','rb').read();"
                                          "t=zlib.decompress(d[9:]).decode();"
                                          "exit(0 if 'Suspended Game=CSuspendedGameStats' in t else 1)\" 2>/dev/null"),
                  0);
    }
}

} // namespace
#endif
