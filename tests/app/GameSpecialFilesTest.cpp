// The game program started with a FIFO or a link to /dev/zero in place of each file it reads or
// writes: it starts, plays its headless run and ends cleanly at once (a watchdog ends a run that
// blocks), the statistics saved at the end replace a FIFO, and a link to a device is left alone.
#include "ProgramFolder.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>

#ifdef VANTOREL_GAME_PROGRAM
namespace {

namespace fs = std::filesystem;

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
