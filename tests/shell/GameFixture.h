#pragma once
// A game object over the project's data set in a scratch folder (the current folder while the
// test runs), on the headless backend with a virtual clock, stepped by hand.
#include "../foundation/FileTestHelpers.h"
#include "app/DemoRecorder.h"
#include "app/Keyboard.h"
#include "app/Mouse.h"
#include "app/WindowProc.h"
#include "foundation/OpenFlags.h"
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
        SetCommandLine(CommandLine());
        SetMainWindowState(true, false);
        g_keyboard = CKeyboard();
        g_mouse = CMouse();
        m_game = new CGame(nullptr);
        m_game->MarkConstructed();
        m_game->Init(nullptr);
    }
    void TearDown() override
    {
        delete m_game;
        CDemoRecorder::GetInstance()->SetFinishCallback(nullptr);
        // The game's fonts went with it: no later test may find one as the toolkit's default.
        CWindowToolkitState::Get().Reset();
        platform::DisableVirtualClock();
        SetCommandLine("");
    }
    // The game's command line (a display depth, for one).
    virtual const char* CommandLine() const { return ""; }
    // Before the game starts: a test may change its copy of the data set.
    virtual void PrepareData(const std::filesystem::path&) {}
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
    const char* CommandLine() const override
    {
        m_commandLine = "/ScreenBitDepth " + std::to_string(GetParam());
        return m_commandLine.c_str();
    }

private:
    mutable std::string m_commandLine;
};
#endif
