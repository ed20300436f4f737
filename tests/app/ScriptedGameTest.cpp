// The game program driven by the developer's script: from the main menu through a game and out,
// with screenshots, and the refusal of a script it cannot run.
#include "ProgramFolder.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#ifdef VANTOREL_GAME_PROGRAM
namespace {

namespace fs = std::filesystem;

// Absolute before any test changes the current folder: a compiler cache may give a relative name.
const fs::path kScripts = fs::absolute(fs::path(__FILE__).parent_path() / ".." / "data" / "scripts");

// Runs the game headless from a folder of its own (its lock, statistics and screenshots stay there,
// so no count of earlier launches brings up the update reminder); answers the exit code.
int RunScripted(const fs::path& folder, const fs::path& script)
{
    MakeProgramFolder(folder);
    // A click that finds no window would leave the game in the menu for ever: the run is cut.
    return testsupport::RunCommand("cd '" + folder.string() + "' && XDG_RUNTIME_DIR='" + folder.string() +
                                   "' timeout 120 ./vantorel --headless --script '" + script.string() +
                                   "' >out.txt 2>&1");
}

TEST(ScriptedGame, PlaysAGameFromTheMenuAndLeavesByExit)
{
    testsupport::TempDir dir;
    ASSERT_EQ(RunScripted(dir.Path(), kScripts / "PlayOneGame.script"), 0);
    // Every click found its window: the script reports nothing.
    EXPECT_EQ(testsupport::ReadFileBytes(dir.Path() / "out.txt"), "");
    for (const char* shot : {"menu.tga", "round.tga", "back.tga"}) {
        const std::string bytes = testsupport::ReadFileBytes(dir.Path() / shot);
        // A run-length true-colour TGA of the whole 640 x 480 screen.
        ASSERT_GE(bytes.size(), 18u) << shot;
        EXPECT_EQ(bytes[2], 10) << shot;
        EXPECT_EQ(static_cast<uint8_t>(bytes[12]) | static_cast<uint8_t>(bytes[13]) << 8, 640) << shot;
        EXPECT_EQ(static_cast<uint8_t>(bytes[14]) | static_cast<uint8_t>(bytes[15]) << 8, 480) << shot;
    }
    // The menu after the game is the menu before it, but for the pointer: the pictures compress
    // alike, the round does not.
    const auto size = [&](const char* shot) { return fs::file_size(dir.Path() / shot); };
    EXPECT_NE(size("menu.tga"), size("round.tga"));
    EXPECT_NEAR(static_cast<double>(size("menu.tga")), static_cast<double>(size("back.tga")), 2000.0);
}

// The statistics file as text, decompressed by Python's zlib.
std::string StatsText(const fs::path& folder)
{
    if (testsupport::RunCommand("cd '" + folder.string() + "' && python3 -c \"import zlib;d=open('Stats.dat','rb')"
                                ".read();open('stats.txt','wb').write(zlib.decompress(d[9:]))\" 2>/dev/null") != 0)
        return "";
    return testsupport::ReadFileBytes(folder / "stats.txt");
}

bool HasSuspendedGame(const fs::path& folder)
{
    return StatsText(folder).find("Suspended Game=CSuspendedGameStats") != std::string::npos;
}

// Closing the window in the middle of a game keeps the game as the pause menu's "Suspend Game"
// does; the next run's "Play Game" offers it, and "Resume Play" finds its button.
TEST(ScriptedGame, ClosingDuringAGameSuspendsItForTheNextRunToResume)
{
    testsupport::TempDir dir;
    const fs::path script = dir.Path() / "close.script";
    testsupport::WriteFileBytes(script, "310 key Return\n320 key Return\n330 key Return\n600 quit\n");
    ASSERT_EQ(RunScripted(dir.Path(), script), 0);
    ASSERT_TRUE(HasSuspendedGame(dir.Path())) << StatsText(dir.Path());

    testsupport::WriteFileBytes(script, "310 key Return\n320 key Return\n330 click \"&Resume Play\"\n"
                                        "500 screenshot resumed.tga\n510 quit\n");
    ASSERT_EQ(RunScripted(dir.Path(), script), 0);
    EXPECT_EQ(testsupport::ReadFileBytes(dir.Path() / "out.txt"), "");
    EXPECT_TRUE(fs::exists(dir.Path() / "resumed.tga"));
    // Closed during the resumed game, which is kept again.
    EXPECT_TRUE(HasSuspendedGame(dir.Path()));
}

// A request to stop (SIGTERM) during a game, paused here, keeps it the same way.
TEST(ScriptedGame, StopSignalDuringAGameSuspendsIt)
{
    testsupport::TempDir dir;
    MakeProgramFolder(dir.Path());
    testsupport::WriteFileBytes(dir.Path() / "term.script", "310 key Return\n320 key Return\n330 key Return\n"
                                                            "600 key Escape\n620 screenshot paused.tga\n");
    // The game runs on; once the paused round is on screen it is asked to stop, once (a second
    // signal ends it at once, so no timeout(1) that signals its whole group), and killed should it
    // not end within a minute.
    const std::string run = "cd '" + dir.Path().string() + "' && (XDG_RUNTIME_DIR='" + dir.Path().string() +
                            "' ./vantorel --headless --script term.script >out.txt 2>&1 & pid=$!; "
                            "for i in $(seq 600); do [ -s paused.tga ] && break; sleep 0.1; done; kill -TERM $pid; "
                            "for i in $(seq 600); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done; "
                            "kill -KILL $pid 2>/dev/null; wait $pid)";
    EXPECT_EQ(testsupport::RunCommand(run), 0) << testsupport::ReadFileBytes(dir.Path() / "out.txt");
    EXPECT_TRUE(fs::exists(dir.Path() / "paused.tga"));
    EXPECT_TRUE(HasSuspendedGame(dir.Path())) << StatsText(dir.Path());
}

TEST(ScriptedGame, BadScriptEndsBeforeTheStartWithTheLine)
{
    testsupport::TempDir dir;
    const fs::path script = dir.Path() / "bad.script";
    testsupport::WriteFileBytes(script, "10 quit\n20 fly away\n");
    EXPECT_EQ(RunScripted(dir.Path(), script), 2);
    EXPECT_EQ(testsupport::ReadFileBytes(dir.Path() / "out.txt"),
              script.string() + ", line 2: no command \"fly\"\n");
    EXPECT_EQ(RunScripted(dir.Path(), dir.Path() / "none.script"), 2);
    EXPECT_EQ(testsupport::ReadFileBytes(dir.Path() / "out.txt"),
              "cannot read the script " + (dir.Path() / "none.script").string() + "\n");
}

} // namespace
#endif
