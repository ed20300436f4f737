#pragma once
// A game object over the project's data set in a scratch folder (the current folder while the
// test runs), on the headless backend with a virtual clock, stepped by hand.
#include "../foundation/FileTestHelpers.h"
#include "TestSupport.h"
#include "app/DemoRecorder.h"
#include "app/Keyboard.h"
#include "app/Mouse.h"
#include "app/TimedPictureScreen.h"
#include "app/WindowProc.h"
#include "foundation/OpenFlags.h"
#include "foundation/R250Random.h"
#include "foundation/Win32Services.h"
#include "platform/Time.h"
#include "platform/Window.h"
#include "platform/headless/HeadlessBackend.h"
#include "objects/FilePlayList.h"
#include "shell/Commercial.h"
#include "shell/CommercialCollection.h"
#include "shell/DemoRequest.h"
#include "shell/Game.h"
#include "ui/WindowToolkitState.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#ifdef VANTOREL_DATA_DIR
class GameFixture : public ::testing::Test
{
protected:
    static constexpr float kStep = 1.0f / 60.0f;

    void SetUp() override
    {
        // The project's data, file by file, so that a test may add or leave out files of its own.
        LinkFiles(VANTOREL_DATA_DIR, m_folder.Path() / "Data");
        PrepareData(m_folder.Path() / "Data");
        platform::GetHeadlessBackend().Reset();
        platform::CreateMainWindow("Vantorel");
        platform::EnableVirtualClock();
        // The game's random numbers are seeded from the tick count at start: a test plays the
        // same game every run.
        g_gameRandom.Seed(60);
        SetCommandLine(GameCommandLine().c_str());
        SetMainWindowState(true, false);
        g_keyboard = CKeyboard();
        g_mouse = CMouse();
        CTimedPictureScreen* pictureScreen = MakePictureScreen();
        m_game = MakeGame(pictureScreen);
        m_game->MarkConstructed();
        m_game->Init(pictureScreen);
    }
    void TearDown() override
    {
        delete m_game;
        CDemoRecorder::GetInstance()->SetFinishCallback(nullptr);
        // The game's fonts went with it: no later test may find one as the toolkit's default.
        CWindowToolkitState::Get().Reset();
        SetCommandLine("");
        platform::DisableVirtualClock();
    }
    // The game's command line ("/ScreenBitDepth 8").
    virtual std::string GameCommandLine() const { return ""; }
    // The picture screen the game shows its pictures on (kept and deleted by the game); none by
    // default, so that the start-up shows no splash.
    virtual CTimedPictureScreen* MakePictureScreen() { return nullptr; }
    // Before the game starts: a test may change its copy of the data set.
    virtual void PrepareData(const std::filesystem::path&) {}
    // The game object, given the picture screen; a test may watch it through a class of its own.
    virtual CGame* MakeGame(CTimedPictureScreen* pictureScreen) { return new CGame(pictureScreen); }
    // Rewrites the archive (a link into the built data set) of the test's copy without the entries
    // whose names hold the text.
    static void DropEntries(const std::filesystem::path& data, const char* archive, const std::string& holding)
    {
        const std::filesystem::path path = data / archive;
        const std::string script = "import zipfile\n"
                                   "src = zipfile.ZipFile('" + std::filesystem::read_symlink(path).string() + "')\n"
                                   "dst = zipfile.ZipFile('" + (data / "Filtered.zip").string() + "', 'w')\n"
                                   "for item in src.infolist():\n"
                                   "    if '" + holding + "' not in item.filename:\n"
                                   "        dst.writestr(item, src.read(item))\n"
                                   "dst.close()\n";
        testsupport::WriteFileBytes(data / "filter.py", script);
        ASSERT_EQ(testsupport::RunCommand("python3 '" + (data / "filter.py").string() + "'"), 0);
        std::filesystem::remove(data / "filter.py");
        std::filesystem::remove(path);
        std::filesystem::rename(data / "Filtered.zip", path);
    }
    static void LinkFiles(const std::filesystem::path& from, const std::filesystem::path& to)
    {
        std::filesystem::create_directory(to);
        for (const auto& entry : std::filesystem::directory_iterator(from))
            if (entry.is_directory())
                LinkFiles(entry.path(), to / entry.path().filename());
            else
                std::filesystem::create_symlink(entry.path(), to / entry.path().filename());
    }
    // One update step and one draw, as the tick runs them.
    void Step(int steps = 1)
    {
        for (int i = 0; i < steps; ++i) {
            PumpWindowMessages();
            m_game->Update(kStep);
            m_game->Draw();
        }
    }
    // The colours the screen shows in the rectangle, 0xRRGGBB, row by row.
    static std::vector<uint32_t> ShownColors(const CIntRect& rect)
    {
        const platform::MemoryDisplay& display = platform::GetHeadlessBackend().GetMemoryDisplay();
        std::vector<uint32_t> pixels;
        for (int y = rect.m_top; y < rect.m_bottom; ++y)
            for (int x = rect.m_left; x < rect.m_right; ++x)
                pixels.push_back(display.GetShownColor(x, y));
        return pixels;
    }
    // A clip of empty frames, recorded as the developer records demos.
    static bool RecordClip(const char* name, int frames)
    {
        CDemoRecorder* recorder = CDemoRecorder::GetInstance();
        recorder->StartRecording();
        for (int frame = 0; frame < frames; ++frame)
            recorder->EndFrame();
        return recorder->SaveRecording(name, VF_VERBATIM);
    }
    // A clip of empty frames, recorded as the developer records demos into the data's resources,
    // becomes the commercial's only clip.
    void AddRecordedClip(CCommercial& commercial, int frames = 4)
    {
        std::filesystem::create_directories(m_folder.Path() / "Data/Resources");
        ASSERT_TRUE(RecordClip("Data/Resources/Clip.Demo", frames));
        CCommercialCollection::GetInstance().Load();
        CFilePlayList& demos = GetDemoFileList();
        for (uint32_t i = 0; i < demos.GetCount(); ++i)
            if (std::string(demos.GetNameAt(i)) == "Clip.Demo")
                commercial.AddClip(i);
        ASSERT_EQ(commercial.GetClipCount(), 1u);
    }

    filetest::WorkFolder m_folder;
    CGame* m_game = nullptr;
};

// The game at the display depth of the test's parameter (8, 16, 24 or 32).
class GameAtDepth : public GameFixture, public testing::WithParamInterface<int>
{
protected:
    std::string GameCommandLine() const override { return "/ScreenBitDepth " + std::to_string(GetParam()); }
};
#endif
