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

const fs::path kScripts = fs::path(VANTOREL_TEST_DATA) / "scripts";

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
