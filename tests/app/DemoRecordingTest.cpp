// The game program in a folder of its own, as the data build runs it: every listed demo clip
// recorded again gives the shipped clip's very bytes, a clip that cannot be written ends the run
// with a report, and "E&xit Game" ends the program with exit code 0 and its statistics saved.
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
        std::string file, difficulty, round, frames, seed;
        if (line.empty() || line[0] == '#' || !(words >> file >> difficulty >> round >> frames >> seed))
            continue;
        SCOPED_TRACE(file);
        ++clips;
        testsupport::TempDir dir;
        MakeProgramFolder(dir.Path());
        ASSERT_EQ(RunProgram(dir.Path(), "/RecordDemo " + file + " /DemoDifficulty " + difficulty + " /DemoRound " +
                                             round + " /DemoFrames " + frames + " /DemoSeed " + seed),
                  0);
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

TEST(DemoRecording, ClipThatCannotBeWrittenEndsTheRunWithAReport)
{
    testsupport::TempDir dir;
    MakeProgramFolder(dir.Path());
    EXPECT_EQ(RunProgram(dir.Path(), "/RecordDemo missing/folder/Clip.Demo /DemoFrames 30"), 255);
    EXPECT_NE(testsupport::ReadFileBytes(dir.Path() / "out.txt").find("Cannot write the demo clip missing/folder/Clip.Demo"),
              std::string::npos);
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
