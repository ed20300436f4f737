// The game program stopped by signals while a game is in progress: a closed terminal (SIGHUP)
// and signals that come close together all leave the game suspended in the statistics file, as
// Python's zlib reads it, and the program ends cleanly.
#include "ProgramFolder.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#ifdef VANTOREL_GAME_PROGRAM
namespace {

namespace fs = std::filesystem;

// From the main menu into a game by keyboard, then the pause menu, which holds the game in
// progress for as long as the test needs; the picture says the game is there.
const char* const kScript = "300 key Return\n310 key Return\n320 key Return\n600 key Escape\n650 screenshot playing.tga\n";

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
        testsupport::WriteFileBytes(dir.Path() / "play.script", kScript);
        const pid_t game = StartProgramIn(dir.Path(), {"--script", "play.script"});
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
        EXPECT_EQ(WaitForProgram(game, 60), 0) << testsupport::ReadFileBytes(dir.Path() / "out.txt");
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
