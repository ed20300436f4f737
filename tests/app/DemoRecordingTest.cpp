// The game program in a folder of its own, as the data build runs it: every listed demo clip
// recorded again gives the shipped clip's very bytes, a clip not written or not shown as asked ends
// the run with a report, and "E&xit Game" ends the program with exit code 0 and its statistics saved.
#include "ProgramFolder.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#ifdef VANTOREL_GAME_PROGRAM
namespace {

namespace fs = std::filesystem;

const fs::path kProgram = VANTOREL_GAME_PROGRAM;
const fs::path kData = kProgram.parent_path() / "Data";
const fs::path kClipList = fs::path(VANTOREL_SOURCE_DIR) / "data" / "DemoClips.txt";

// Runs the program headless with the arguments; its lock stays in the folder. The exit code.
int RunProgram(const fs::path& folder, const std::string& arguments)
{
    return testsupport::RunCommand("cd '" + folder.string() + "' && XDG_RUNTIME_DIR='" + folder.string() +
                                   "' timeout 120 ./vantorel --headless " + arguments + " >out.txt 2>&1");
}

TEST(DemoRecording, EveryListedClipRecordsAgainToTheShippedBytes)
{
    std::ifstream list(kClipList);
    ASSERT_TRUE(list) << kClipList;
    std::string line;
    int clips = 0;
    while (std::getline(list, line)) {
        std::istringstream words(line);
        std::string file, difficulty, set, round, bricks, powerUp, frames;
        uint32_t seed = 0;
        if (line.empty() || line[0] == '#' ||
            !(words >> file >> difficulty >> set >> round >> bricks >> powerUp >> frames >> seed))
            continue;
        SCOPED_TRACE(file);
        ++clips;
        testsupport::TempDir dir;
        MakeProgramFolder(dir.Path());
        // The seeds the data build tries, in its order: the first that shows what is asked is shipped.
        int result = -1;
        for (uint32_t attempt = 0; attempt < 12 && result != 0; ++attempt)
            result = RunProgram(dir.Path(), "/RecordDemo " + file + " /DemoDifficulty " + difficulty + " /DemoSet " +
                                                set + " /DemoRound " + round + " /DemoBricks " + bricks +
                                                " /DemoPowerUp " + powerUp + " /DemoFrames " + frames +
                                                " /DemoSeed " + std::to_string(seed + attempt * 100));
        ASSERT_EQ(result, 0);
        EXPECT_EQ(testsupport::ReadFileBytes(dir.Path() / "out.txt").rfind("Recorded ", 0), 0u);
        const std::string again = testsupport::ReadFileBytes(dir.Path() / file);
        const std::string shipped = testsupport::ReadFileBytes(kData / "Resources" / file);
        ASSERT_FALSE(shipped.empty());
        // Compared by size first, for a readable failure.
        ASSERT_EQ(again.size(), shipped.size());
        EXPECT_TRUE(again == shipped);
    }
    EXPECT_GE(clips, 3);
}

TEST(DemoRecording, ClipNotWrittenOrNotShownEndsTheRunWithAReport)
{
    const struct
    {
        const char* arguments;
        const char* clip;
        const char* report;
    } cases[] = {
        {"/RecordDemo missing/folder/Clip.Demo /DemoBricks 0", "missing/folder/Clip.Demo",
         "Cannot write the demo clip missing/folder/Clip.Demo"},
        {"/RecordDemo Clip.Demo /DemoBricks 5 /DemoFrames 30", "Clip.Demo",
         "Clip.Demo: in 30 frames the bot broke 0 of the 5 bricks asked for"},
        {"/RecordDemo Clip.Demo /DemoBricks 0 /DemoPowerUp 1 /DemoFrames 30", "Clip.Demo", "caught no power-up"},
        {"/RecordDemo Clip.Demo /DemoSet 0 /DemoRound 999", "Clip.Demo", "The data set has no round 1000 in round set 1"},
    };
    for (const auto& c : cases) {
        testsupport::TempDir dir;
        MakeProgramFolder(dir.Path());
        EXPECT_EQ(RunProgram(dir.Path(), c.arguments), 255) << c.arguments;
        EXPECT_NE(testsupport::ReadFileBytes(dir.Path() / "out.txt").find(c.report), std::string::npos) << c.arguments;
        EXPECT_FALSE(fs::exists(dir.Path() / c.clip)) << c.arguments;
    }
}

TEST(DemoRecording, ExitGameEndsWithCodeZeroAndSavesTheStatistics)
{
    testsupport::TempDir dir;
    MakeProgramFolder(dir.Path());
    // The click waits for the sliding button to come to rest.
    testsupport::WriteFileBytes(dir.Path() / "exit.script", "30 click \"E&xit Game\"\n");
    ASSERT_FALSE(fs::exists(dir.Path() / "Stats.dat"));
    EXPECT_EQ(RunProgram(dir.Path(), "--script exit.script"), 0);
    EXPECT_EQ(testsupport::ReadFileBytes(dir.Path() / "out.txt"), "");
    ASSERT_TRUE(fs::exists(dir.Path() / "Stats.dat"));
    EXPECT_GT(fs::file_size(dir.Path() / "Stats.dat"), 0u);
}

} // namespace
#endif
