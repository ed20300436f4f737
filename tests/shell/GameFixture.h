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
#include "shell/Game.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifdef VANTOREL_DATA_DIR
class GameFixture : public ::testing::Test
{
protected:
    static constexpr float kStep = 1.0f / 60.0f;

    void SetUp() override
    {
        std::filesystem::create_directory_symlink(VANTOREL_DATA_DIR, m_folder.Path() / "Data");
        platform::GetHeadlessBackend().Reset();
        platform::CreateMainWindow("Vantorel");
        platform::EnableVirtualClock();
        SetCommandLine("");
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
        platform::DisableVirtualClock();
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

    filetest::WorkFolder m_folder;
    CGame* m_game = nullptr;
};
#endif
