// The command line and its options, the program's folder, message boxes, programs, the clipboard.
#include "foundation/Win32Services.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessBackend.h"

#include "TestSupport.h"

#include <climits>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class Win32Services : public ::testing::Test
{
protected:
    void SetUp() override { platform::GetHeadlessBackend().Reset(); }
    void TearDown() override
    {
        SetCommandLine("");
        platform::GetHeadlessBackend().Reset();
        platform::SetSystemCursorVisible(true);
    }
};

TEST_F(Win32Services, OptionMustEndAtABlankOrTheEnd)
{
    SetCommandLine("/SkipMoviesX");
    EXPECT_FALSE(HasCommandLineOption("/SkipMovies"));
    SetCommandLine("/skipmovies");
    EXPECT_TRUE(HasCommandLineOption("/SkipMovies"));
    // Only the first occurrence counts.
    SetCommandLine("/SkipMoviesX /SkipMovies");
    EXPECT_FALSE(HasCommandLineOption("/SkipMovies"));
    SetCommandLine("/SkipMovies /SkipMoviesX");
    EXPECT_TRUE(HasCommandLineOption("/SkipMovies"));
    for (const char* line : {"/exit\t/x", "/exit /x", "/exit\r", "/exit\n", "/EXIT"}) {
        SetCommandLine(line);
        EXPECT_TRUE(HasCommandLineOption("/exit")) << line;
    }
    SetCommandLine("REMOVE");
    EXPECT_TRUE(HasCommandLineOption("REMOVE"));
    EXPECT_FALSE(HasCommandLineOption("/exit"));
    EXPECT_FALSE(HasCommandLineOption(""));
    SetCommandLine("");
    EXPECT_FALSE(HasCommandLineOption("/exit"));
    EXPECT_STREQ(GetCommandLine(), "");
}

TEST_F(Win32Services, OptionTextIsAWordOrAQuotedValue)
{
    const struct
    {
        const char* line;
        bool found;
        const char* text;
    } cases[] = {
        {"/RecordDemo Intro1.Demo /DemoRound 2", true, "Intro1.Demo"},
        {"/recorddemo \"Two Words.Demo\" /DemoRound 2", true, "Two Words.Demo"},
        {"/RecordDemo \"unclosed value", true, "unclosed"},
        {"/RecordDemo \t\r\nnext", true, "next"},
        {"/RecordDemo", false, "kept"},
        {"/RecordDemo   ", false, "kept"},
        {"/Other x", false, "kept"},
    };
    for (const auto& c : cases) {
        SetCommandLine(c.line);
        std::string text = "kept";
        EXPECT_EQ(GetCommandLineOptionText("/RecordDemo", text), c.found) << c.line;
        EXPECT_EQ(text, c.text) << c.line;
    }
}

TEST_F(Win32Services, OptionIntegerPlainQuotedOrMissing)
{
    SetCommandLine("/ScreenWidth 800 /ScreenHeight \"600\" /ScreenBitDepth");
    EXPECT_STREQ(GetCommandLine(), "/ScreenWidth 800 /ScreenHeight \"600\" /ScreenBitDepth");
    EXPECT_EQ(GetCommandLineOptionInt("/ScreenWidth", 640), 800);
    EXPECT_EQ(GetCommandLineOptionInt("/screenheight", 480), 600);
    EXPECT_EQ(GetCommandLineOptionInt("/ScreenBitDepth", 16), 16);   // nothing follows
    EXPECT_EQ(GetCommandLineOptionInt("/Absent", 7), 7);

    SetCommandLine("/ScreenWidth\t \r\n1024x");
    EXPECT_EQ(GetCommandLineOptionInt("/ScreenWidth", 0), 1024);       // leading digits count
    SetCommandLine("/ScreenWidth   ");
    EXPECT_EQ(GetCommandLineOptionInt("/ScreenWidth", 5), 5);
    SetCommandLine("/ScreenWidth wide");
    EXPECT_EQ(GetCommandLineOptionInt("/ScreenWidth", 5), 0);          // not a number
    SetCommandLine("/ScreenWidth=12");
    EXPECT_EQ(GetCommandLineOptionInt("/ScreenWidth", 5), 0);          // the value starts right after
    SetCommandLine("/ScreenWidth -32");
    EXPECT_EQ(GetCommandLineOptionInt("/ScreenWidth", 5), -32);
    // A quote that is never closed: the value ends at the blank.
    SetCommandLine("/ScreenWidth \"77 /x");
    EXPECT_EQ(GetCommandLineOptionInt("/ScreenWidth", 5), 77);
    // A quoted value runs to its closing quote.
    SetCommandLine("/ScreenWidth \"  900\" 5");
    EXPECT_EQ(GetCommandLineOptionInt("/ScreenWidth", 5), 900);
    // Too large for an int: the nearest limit, never undefined.
    SetCommandLine("/ScreenWidth 99999999999999999999");
    EXPECT_EQ(GetCommandLineOptionInt("/ScreenWidth", 5), INT_MAX);
    SetCommandLine("/ScreenWidth -99999999999");
    EXPECT_EQ(GetCommandLineOptionInt("/ScreenWidth", 5), INT_MIN);
}

TEST_F(Win32Services, ProgramFolderAndTemporaryFolder)
{
    std::string exe = fs::canonical("/proc/self/exe").string();
    char buffer[4096];
    ASSERT_TRUE(GetProgramFileName(buffer, sizeof buffer));
    EXPECT_EQ(std::string(buffer), exe);
    ASSERT_TRUE(GetExecutableFolder(buffer, sizeof buffer));
    EXPECT_EQ(std::string(buffer), fs::path(exe).parent_path().string() + "/");
    EXPECT_EQ(GetExecutableFolder(), std::string(buffer));
    // Too small a buffer is refused and left empty, never overrun.
    char small[4] = "abc";
    EXPECT_FALSE(GetExecutableFolder(small, sizeof small));
    EXPECT_EQ(small[0], 0);
    EXPECT_FALSE(GetProgramFileName(small, sizeof small));

    ASSERT_TRUE(GetTempFolder(buffer, sizeof buffer));
    EXPECT_EQ(std::string(buffer), platform::GetTempFolder());
    EXPECT_EQ(std::string(buffer).back(), '/');

    fs::path old = fs::current_path();
    fs::current_path("/");
    SetCurrentDirectoryToExecutableFolder();
    EXPECT_EQ(fs::current_path(), fs::path(exe).parent_path());
    fs::current_path(old);
}

TEST_F(Win32Services, MessageBoxShowsTheArrowAndMinimisesTheGame)
{
    platform::HeadlessBackend& hb = platform::GetHeadlessBackend();
    ASSERT_TRUE(platform::CreateMainWindow("Vantorel"));
    platform::SetSystemCursorVisible(false);
    testing::internal::CaptureStderr();
    ShowMessageBox("FATAL ERROR", "Can't register my game class");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "FATAL ERROR: Can't register my game class\n");
    EXPECT_TRUE(hb.IsMinimized());
    EXPECT_FALSE(hb.IsCursorShown());   // hidden again once the box is gone
    auto boxes = hb.GetMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "FATAL ERROR");
    EXPECT_FALSE(boxes[0].plain);

    hb.Reset();
    testing::internal::CaptureStderr();
    ShowPlainMessageBox("Program Already Running", "This program is already running.");
    testing::internal::GetCapturedStderr();
    boxes = hb.GetMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].plain);
    EXPECT_TRUE(hb.IsCursorShown());    // the plain box leaves the cursor alone
}

TEST_F(Win32Services, FatalExitEndsWithStatus255AfterTheBox)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(FatalExit("Invalid class type", "CBrick expected"), testing::ExitedWithCode(255),
                "Invalid class type: CBrick expected");
}

TEST_F(Win32Services, CloseMainWindowQueuesAClose)
{
    CloseMainWindow();
    platform::Event event;
    ASSERT_TRUE(platform::PollEvent(event));
    EXPECT_EQ(event.type, platform::EventType::Close);
}

TEST_F(Win32Services, ScreenDepth)
{
    EXPECT_EQ(GetScreenBitDepth(), 32);
    platform::GetHeadlessBackend().SetDesktopBitDepth(16);
    EXPECT_EQ(GetScreenBitDepth(), 16);
}

TEST_F(Win32Services, LaunchedProgramSeesPathAndArgumentAsOneArgumentEach)
{
    testsupport::TempDir dir;
    fs::create_directories(dir.Path() / "Remove Tool");
    fs::path program = dir.Path() / "Remove Tool" / "Delete Me.sh";
    testsupport::WriteFileBytes(program, "#!/bin/sh\n{ echo \"$#\"; echo \"$0\"; echo \"$1\"; } > out.txt\n");
    fs::permissions(program, fs::perms::owner_all);

    ProcessHandle handle = 0;
    ASSERT_TRUE(LaunchProgram(program.c_str(), "C:\\Program Files\\Game", kShowHidden, &handle,
                              dir.Path().c_str()));
    ASSERT_GT(handle, 0);
    EXPECT_EQ(platform::WaitForProcess(handle, 10000), 0);
    EXPECT_EQ(testsupport::ReadFileBytes(dir.Path() / "out.txt"),
              "1\n" + program.string() + "\nC:\\Program Files\\Game\n");

    // The reordered form, without a handle: the child is reaped by itself.
    fs::remove(dir.Path() / "out.txt");
    ASSERT_TRUE(LaunchProgram(program.c_str(), "x y", dir.Path().c_str(), 0));
    std::string got;
    for (int i = 0; i < 500 && got.empty(); ++i) {
        usleep(10000);
        got = testsupport::ReadFileBytes(dir.Path() / "out.txt");
    }
    EXPECT_EQ(got, "1\n" + program.string() + "\nx y\n");

    handle = 99;
    EXPECT_FALSE(LaunchProgram("/nonexistent/RemoveSw.exe", nullptr, 0, &handle, nullptr));
    EXPECT_EQ(handle, 0);
}

TEST_F(Win32Services, FixedPointDivideRoundsHalfAwayFromZero)
{
    EXPECT_EQ(FixedPointDivide(1, 2, 0), 1);
    EXPECT_EQ(FixedPointDivide(-1, 2, 0), -1);
    EXPECT_EQ(FixedPointDivide(3, 2, 0), 2);
    EXPECT_EQ(FixedPointDivide(-3, 2, 0), -2);
    EXPECT_EQ(FixedPointDivide(1, -2, 0), -1);
    EXPECT_EQ(FixedPointDivide(-1, -2, 0), 1);
    EXPECT_EQ(FixedPointDivide(5, 4, 0), 1);      // 1.25
    EXPECT_EQ(FixedPointDivide(7, 4, 0), 2);      // 1.75
    EXPECT_EQ(FixedPointDivide(1, 3, 16), 21845); // 21845.33
    EXPECT_EQ(FixedPointDivide(2, 3, 16), 43691); // 43690.67
    EXPECT_EQ(FixedPointDivide(3, 4, 16), 49152);
    EXPECT_EQ(FixedPointDivide(0, 5, 16), 0);
    // A 64-bit intermediate: a x 2^16 beyond 32 bits still divides exactly.
    EXPECT_EQ(FixedPointDivide(100000, 200000, 16), 32768);
    // Division by zero and results beyond the int range give -1.
    EXPECT_EQ(FixedPointDivide(1, 0, 16), -1);
    EXPECT_EQ(FixedPointDivide(0, 0, 0), -1);
    EXPECT_EQ(FixedPointDivide(1 << 20, 1, 16), -1);
    EXPECT_EQ(FixedPointDivide(-(1 << 20), 1, 16), -1);
    EXPECT_EQ(FixedPointDivide(INT_MAX, 1, 0), INT_MAX);
}

TEST_F(Win32Services, TickCount24IsTheLowBits)
{
    platform::EnableVirtualClock((0x12345678ull) * 1000000ull);
    EXPECT_EQ(GetTickCount24(), 0x345678u);
    platform::DisableVirtualClock();
    EXPECT_LE(GetTickCount24(), 0xFFFFFFu);
}

TEST_F(Win32Services, ClipboardRoundTripAndEmptyClipboard)
{
    platform::HeadlessBackend& hb = platform::GetHeadlessBackend();
    EXPECT_EQ(PasteTextFromClipboard(), nullptr);

    const char text[] = "Caf\xE9 \x80 5";
    ASSERT_TRUE(CopyTextToClipboard(text, sizeof text - 1));
    EXPECT_EQ(hb.GetClipboardUtf8(), std::optional<std::string>("Caf\xC3\xA9 \xE2\x82\xAC 5"));
    const char* pasted = PasteTextFromClipboard();
    ASSERT_NE(pasted, nullptr);
    EXPECT_STREQ(pasted, text);

    // Only n bytes are taken, and the text ends at a zero byte.
    ASSERT_TRUE(CopyTextToClipboard("abcdef", 3));
    EXPECT_STREQ(PasteTextFromClipboard(), "abc");
    ASSERT_TRUE(CopyTextToClipboard("ab\0cd", 5));
    EXPECT_STREQ(PasteTextFromClipboard(), "ab");

    // An emptied clipboard gives null (the buffer held before is freed).
    hb.SetClipboardUtf8(std::nullopt);
    EXPECT_EQ(PasteTextFromClipboard(), nullptr);

    // A caller that owns the buffer: a new one replaces it, and an empty clipboard frees it.
    std::unique_ptr<char[]> owner;
    ASSERT_TRUE(CopyTextToClipboard("xyz", 3));
    const char* held = PasteTextFromClipboard(owner);
    EXPECT_EQ(held, owner.get());
    EXPECT_STREQ(held, "xyz");
    hb.SetClipboardUtf8(std::nullopt);
    EXPECT_EQ(PasteTextFromClipboard(owner), nullptr);
    EXPECT_EQ(owner, nullptr);
}

TEST_F(Win32Services, ShellOpenMinimisesThenOpens)
{
    platform::GetHeadlessBackend().Reset();
    ASSERT_TRUE(platform::CreateMainWindow("Vantorel"));
    ASSERT_TRUE(ShellOpen("Readme.txt"));
    EXPECT_TRUE(platform::GetHeadlessBackend().IsMinimized());
    EXPECT_EQ(platform::GetHeadlessBackend().GetOpenedDocuments(), std::vector<std::string>{"Readme.txt"});
    EXPECT_FALSE(ShellOpen(""));
}

TEST_F(Win32Services, StatusDisplayAndMutexLock)
{
    EXPECT_EQ(GetStartupStatusDisplay().ShowText("Enumerating Zip Files", 0, 0), 0);
    CMutexLock lock;
    int shared = 0;
    std::thread other([&] {
        for (int i = 0; i < 10000; ++i) {
            lock.Lock();
            ++shared;
            lock.Unlock();
        }
    });
    for (int i = 0; i < 10000; ++i) {
        lock.Lock();
        ++shared;
        lock.Unlock();
    }
    other.join();
    EXPECT_EQ(shared, 20000);
}

} // namespace
