// The program's entry and its end: one instance only, the writability test, and the shut-down from
// a close request, in process and through the game program itself.
#include "AppTestSupport.h"
#include "app/WinMain.h"
#include "platform/SingleInstanceLock.h"

#include <cstdlib>
#include <string>

namespace {

namespace fs = std::filesystem;
using platform::Event;
using platform::EventType;
using ProgramEntry = AppFixture;

void SetUpTestApplication()
{
    TestApplication::s_reportDestruction = true;
    TestApplication* app = new TestApplication;
    app->Init(nullptr);
}

// Runs the entry with a lock folder of this test's own, so that parallel tests and a running game
// never see each other's lock.
[[noreturn]] void RunEntry(const std::string& lockFolder, const char* commandLine)
{
    setenv("XDG_RUNTIME_DIR", lockFolder.c_str(), 1);
    std::exit(WinMain(commandLine, SetUpTestApplication));
}

TEST_F(ProgramEntry, CloseEndsTheProgramWithZeroAfterTheApplicationIsDeleted)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string lockFolder = m_dir.Path().string();
    EXPECT_EXIT(
        {
            // The user closes the window half a second into the run.
            platform::GetHeadlessBackend().QueueEventAt(platform::GetCounter() + kSecond / 2,
                                                        Event::Simple(EventType::Close));
            platform::SetVirtualPresentStep(17000000);
            RunEntry(lockFolder, "");
        },
        testing::ExitedWithCode(0), "application destroyed after [1-9][0-9] updates");
}

TEST_F(ProgramEntry, CloseFromDeepInsideTheApplicationNeverReturns)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            TestApplication::s_reportDestruction = true;
            new TestApplication;
            platform::GetHeadlessBackend().QueueEvent(Event::Simple(EventType::Close));
            // The music update pumps the events; the close arrives there.
            g_application->UpdateMusic();
            std::fprintf(stderr, "returned into the application\n");
            std::exit(3);
        },
        testing::ExitedWithCode(0), "^application destroyed after 0 updates\n$");
}

// A close while the application's constructor pumps messages (the start-up picture, the music
// fade) ends the program without running the destructor on the half-built object.
class ApplicationClosedWhileConstructed : public CApplicationBase
{
public:
    ApplicationClosedWhileConstructed() : CApplicationBase(kStep, kStep, kMaxElapsed, nullptr, nullptr, nullptr)
    {
        platform::GetHeadlessBackend().QueueEvent(Event::Simple(EventType::Close));
        UpdateMusic();
        std::fprintf(stderr, "returned into the constructor\n");
        std::exit(3);
    }
    ~ApplicationClosedWhileConstructed() override { std::fprintf(stderr, "destroyed\n"); }
    bool IsInMenu() const override { return false; }
};

TEST_F(ProgramEntry, CloseDuringConstructionEndsWithoutDestroying)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(new ApplicationClosedWhileConstructed, testing::ExitedWithCode(0), "^$");
}

TEST_F(ProgramEntry, ShutDownWithoutAnApplicationEndsWithZero)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(ShutDownApplication(), testing::ExitedWithCode(0), "");
}

TEST_F(ProgramEntry, SecondInstanceIsRefused)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string lockFolder = m_dir.Path().string();
    platform::SingleInstanceLock first;
    ASSERT_TRUE(first.Acquire(kInstanceLockName, lockFolder.c_str()));
    // -1 from the entry is the process's status 255.
    EXPECT_EXIT(RunEntry(lockFolder, ""), testing::ExitedWithCode(255),
                "^Program Already Running: This program is already running.  Switch to its window, or close it "
                "before you start it again.\n$");
}

#ifdef VANTOREL_GAME_PROGRAM
// The game program itself, run headless with a lock folder of the test's own.
int RunGame(const fs::path& program, const fs::path& lockFolder, const fs::path& output, const std::string& args = "")
{
    return testsupport::RunCommand("XDG_RUNTIME_DIR='" + lockFolder.string() + "' '" + program.string() +
                                   "' --headless " + args + " >'" + output.string() + "' 2>&1");
}

TEST(GameProgram, HeadlessRunTicksAndEndsWithZeroOnClose)
{
    testsupport::TempDir dir;
    ASSERT_EQ(RunGame(VANTOREL_GAME_PROGRAM, dir.Path(), dir.Path() / "out.txt"), 0);
    const std::string output = testsupport::ReadFileBytes(dir.Path() / "out.txt");
    EXPECT_NE(output.find("window was closed and the application shut down"), std::string::npos) << output;
    // The close comes three seconds of virtual time after the menu first showed.
    EXPECT_NE(output.find("The main menu first showed after "), std::string::npos) << output;
    const size_t over = output.find("pages presented over ");
    ASSERT_NE(over, std::string::npos) << output;
    EXPECT_GT(std::stod(output.substr(over + 21)), 3.0) << output;
}

TEST(GameProgram, SecondInstanceEndsWithTheRefusal)
{
    testsupport::TempDir dir;
    platform::SingleInstanceLock first;
    ASSERT_TRUE(first.Acquire(kInstanceLockName, dir.Path().c_str()));
    EXPECT_EQ(RunGame(VANTOREL_GAME_PROGRAM, dir.Path(), dir.Path() / "out.txt"), 255);
    const std::string output = testsupport::ReadFileBytes(dir.Path() / "out.txt");
    EXPECT_EQ(output, std::string(kAlreadyRunningCaption) + ": " + kAlreadyRunningText + "\n");
}

TEST(GameProgram, FolderThatIsNotWritableEndsWithAFailureAndNamesTheFolder)
{
    testsupport::TempDir dir;
    const fs::path program = dir.Path() / "vantorel";
    fs::copy_file(VANTOREL_GAME_PROGRAM, program);
    fs::permissions(program, fs::perms::owner_all);
    // A folder where the probe file should go cannot be replaced by a file, even by root.
    fs::create_directory(dir.Path() / "TestDestinationReadibility.txt");
    EXPECT_EQ(RunGame(program, dir.Path(), dir.Path() / "out.txt"), 255);
    const std::string output = testsupport::ReadFileBytes(dir.Path() / "out.txt");
    const std::string folder = fs::canonical(dir.Path()).string();
    EXPECT_EQ(output, std::string(kNotWritableCaption) + ": " + FormatNotWritableText((folder + "/").c_str()) + "\n");
    EXPECT_NE(output.find("folder \"" + folder + "\" is not writable"), std::string::npos) << output;
    // Nothing of another system's installation is asked of the player.
    EXPECT_EQ(output.find("CD"), std::string::npos) << output;
    EXPECT_FALSE(fs::exists(dir.Path() / "Vantorel.CFG"));
}

TEST(GameProgram, WithoutItsDataSetTheStartEndsWithTheMissingLogosReport)
{
    testsupport::TempDir dir;
    const fs::path program = dir.Path() / "vantorel";
    fs::copy_file(VANTOREL_GAME_PROGRAM, program);
    fs::permissions(program, fs::perms::owner_all);
    EXPECT_EQ(RunGame(program, dir.Path(), dir.Path() / "out.txt"), 255);
    const std::string output = testsupport::ReadFileBytes(dir.Path() / "out.txt");
    EXPECT_EQ(output.rfind("Fatal Not Found Error: The game is looking for some data or a file but can not find it.  "
                           "The item we are looking for is \"CompanyLogo\"",
                           0),
              0u)
        << output;
    EXPECT_NE(output.find("\"Resources\" folder\r\n\r\n***List contains no items***"), std::string::npos) << output;
}

TEST(GameProgram, ExitSwitchEndsAfterTheSetUp)
{
    testsupport::TempDir dir;
    EXPECT_EQ(RunGame(VANTOREL_GAME_PROGRAM, dir.Path(), dir.Path() / "out.txt", "/exit"), 0);
    EXPECT_EQ(testsupport::ReadFileBytes(dir.Path() / "out.txt"), "");
}
#endif

} // namespace
