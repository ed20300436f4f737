#pragma once
// An application that records its updates and draws, and a fixture that gives every test a fresh
// current folder, the virtual clock and an active window.
#include "TestSupport.h"
#include "app/ApplicationBase.h"
#include "app/Keyboard.h"
#include "app/Mouse.h"
#include "app/WindowProc.h"
#include "foundation/OpenFlags.h"
#include "foundation/Win32Services.h"
#include "platform/Time.h"
#include "platform/Window.h"
#include "platform/headless/HeadlessBackend.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <vector>

constexpr float kStep = 1.0f / 60.0f;
constexpr float kMaxElapsed = 1.0f / 12.0f;
constexpr uint64_t kSecond = 1000000000ull;
// The nanoseconds of one 1/60 s step, rounded up so that a tick after it is due for sure.
constexpr uint64_t kStepNanoseconds = 16666667ull;

class TestApplication : public CApplicationBase
{
public:
    explicit TestApplication(const char* startSong = nullptr, CTimedPictureScreen* pictureScreen = nullptr,
                             const char* const* movies = nullptr, float minimumStep = kStep)
        : CApplicationBase(minimumStep, kStep, kMaxElapsed, pictureScreen, startSong, movies)
    {
        MarkConstructed();
    }
    ~TestApplication() override
    {
        if (s_reportDestruction)
            std::fprintf(stderr, "application destroyed after %u updates\n", GetFrameNumber());
    }

    void Update(float seconds) override
    {
        updates.push_back(seconds);
        CApplicationBase::Update(seconds);
    }
    bool Draw() override
    {
        ++draws;
        return CApplicationBase::Draw();
    }
    bool IsInMenu() const override { return false; }

    // Starts the counter's measuring from now, as if a tick had just run.
    void Prime()
    {
        Tick();
        updates.clear();
        draws = 0;
    }

    std::vector<float> updates;
    int draws = 0;
    static inline bool s_reportDestruction = false;
};

class AppFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_oldFolder = std::filesystem::current_path();
        std::filesystem::current_path(m_dir.Path());
        platform::GetHeadlessBackend().Reset();
        platform::CreateMainWindow("Vantorel");
        platform::EnableVirtualClock();
        platform::SetVirtualPresentStep(0);
        SetCommandLine("");
        SetBaseFolder(".");
        SetMainWindowState(true, false);
        g_keyboard = CKeyboard();
        g_mouse = CMouse();
    }
    void TearDown() override
    {
        std::filesystem::current_path(m_oldFolder);
        platform::SetVirtualPresentStep(16666667);
        platform::DisableVirtualClock();
        SetBaseFolder(".");
    }

    // Runs the pump with the events the "system" delivers.
    static void Deliver(std::initializer_list<platform::Event> events)
    {
        for (const platform::Event& e : events)
            platform::GetHeadlessBackend().QueueEvent(e);
        PumpWindowMessages();
    }

    testsupport::TempDir m_dir;
    std::filesystem::path m_oldFolder;
};
