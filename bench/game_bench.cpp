// What a frame of the game itself costs: the game object over the project's data set, headless on
// the virtual clock, run through the main menu (the balls moving, the pointer still), a round the
// demo bot plays, and that round paused (the pause menu open, the pointer resting on it). Each
// reports per drawn frame, in microseconds of real time, the update step ("update_us"), composing
// the back buffer ("compose_us": background, restore, play, windows and pointer) and presenting it
// ("present_us": its changed cells onto the display page and the display's present), the share
// of the page the present copied to the screen ("presented_pct") and the area of the windows and
// pointer drawn again, as a share of the page ("windows_drawn_pct"). A paused frame should cost no
// more than a played one; in the menu the share presented should be at most a third.
#include "app/Keyboard.h"
#include "app/Mouse.h"
#include "app/WindowProc.h"
#include "foundation/R250Random.h"
#include "foundation/Win32Services.h"
#include "game/Playfield.h"
#include "graphics/DirtyRectFrame.h"
#include "platform/Time.h"
#include "platform/Window.h"
#include "platform/headless/HeadlessBackend.h"
#include "shell/DemoBot.h"
#include "shell/DeveloperScript.h"
#include "shell/Game.h"
#include "shell/MainMenuWindow.h"
#include "ui/ScreenWindow.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <unistd.h>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace {

constexpr float kStep = 1.0f / 60.0f;
constexpr int kWarmUpFrames = 120;
constexpr int kMeasuredFrames = 900;

// One game for the whole run, in a scratch folder over the data set.
class Session
{
public:
    Session()
    {
        m_folder = std::filesystem::temp_directory_path() / ("vantorel-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
        std::filesystem::create_directory_symlink(VANTOREL_DATA_DIR, m_folder / "Data");
        std::filesystem::current_path(m_folder);
        platform::GetHeadlessBackend().Reset();
        platform::CreateMainWindow("Vantorel");
        platform::EnableVirtualClock();
        SetCommandLine(std::getenv("GAME_BENCH_DEPTH")
                           ? (std::string("/ScreenBitDepth ") + std::getenv("GAME_BENCH_DEPTH")).c_str()
                           : "");
        SetMainWindowState(true, false);
        g_keyboard = CKeyboard();
        g_mouse = CMouse();
        if (std::getenv("GAME_BENCH_STRAIGHT"))
            CDirtyRectFrame::SetOverlaysKept(false);
        g_gameRandom.Seed(7);
        g_generalRandom.Seed(8);
        m_game = std::make_unique<CGame>(nullptr);
        m_game->MarkConstructed();
        m_game->Init(nullptr);
    }
    ~Session()
    {
        m_game.reset();
        std::error_code ignored;
        std::filesystem::current_path(std::filesystem::temp_directory_path(), ignored);
        std::filesystem::remove_all(m_folder, ignored);
    }

    CGame& Game() { return *m_game; }

    // One update step and one draw, as the tick runs them; the times and the share go to the
    // totals when asked for.
    void Frame(bool measured)
    {
        PumpWindowMessages();
        const auto start = std::chrono::steady_clock::now();
        m_game->Update(kStep);
        const auto updated = std::chrono::steady_clock::now();
        m_game->Draw();
        if (!measured)
            return;
        ++m_frames;
        m_update += std::chrono::duration<double>(updated - start).count();
        m_compose += m_game->GetLastFrameTimes().compose;
        m_present += m_game->GetLastFrameTimes().present;
        const platform::MemoryDisplay& display = platform::GetHeadlessBackend().GetMemoryDisplay();
        double area = 0;
        for (const platform::PageRect& rect : display.GetLastShownRects())
            area += static_cast<double>(rect.right - rect.left) * static_cast<double>(rect.bottom - rect.top);
        const platform::DisplayMode mode = display.GetPageMode();
        m_presented += area / (static_cast<double>(mode.width) * static_cast<double>(mode.height));
        m_overlayDrawn += static_cast<double>(m_game->GetBackBuffer()->GetOverlayDrawnArea()) /
                          (static_cast<double>(mode.width) * static_cast<double>(mode.height));
    }
    void StartMeasuring()
    {
        m_frames = 0;
        m_update = m_compose = m_present = m_presented = m_overlayDrawn = 0.0;
    }
    void Report(benchmark::State& state) const
    {
        const double frames = m_frames ? static_cast<double>(m_frames) : 1.0;
        state.counters["update_us"] = 1e6 * m_update / frames;
        state.counters["compose_us"] = 1e6 * m_compose / frames;
        state.counters["present_us"] = 1e6 * m_present / frames;
        state.counters["presented_pct"] = 100.0 * m_presented / frames;
        state.counters["windows_drawn_pct"] = 100.0 * m_overlayDrawn / frames;
        state.counters["frames"] = static_cast<double>(m_frames);
    }
    double Seconds() const { return m_update + m_compose + m_present; }

private:
    std::filesystem::path m_folder;
    std::unique_ptr<CGame> m_game;
    int m_frames = 0;
    double m_update = 0, m_compose = 0, m_present = 0, m_presented = 0, m_overlayDrawn = 0;
};

Session& GetSession()
{
    static Session s_session;
    return s_session;
}

void RunMeasured(benchmark::State& state, Session& session, const std::function<void()>& beforeFrame)
{
    for (auto _ : state) {
        session.StartMeasuring();
        for (int frame = 0; frame < kMeasuredFrames; ++frame) {
            beforeFrame();
            session.Frame(true);
        }
        state.SetIterationTime(session.Seconds());
    }
    session.Report(state);
}

void BM_MainMenu(benchmark::State& state)
{
    Session& session = GetSession();
    session.Game().GoToMainMenu();
    // The menu fades in and its buttons slide in first; the pointer rests beside them.
    platform::PostEvent(platform::Event::Mouse(platform::EventType::MouseMove, 600, 420));
    for (int frame = 0; frame < 4 * kWarmUpFrames; ++frame)
        session.Frame(false);
    RunMeasured(state, session, [] {});
}
BENCHMARK(BM_MainMenu)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

CDemoBot s_bot(3);

void BotStep()
{
    if (CPlayfield* playfield = GetSession().Game().GetPlayfield())
        s_bot.Step(*playfield);
}

void BM_PlayedRound(benchmark::State& state)
{
    Session& session = GetSession();
    CMainMenuWindow::CloseOpen();
    session.Game().StartNewGame(1, 0);
    for (int frame = 0; frame < 2 * kWarmUpFrames; ++frame) {
        BotStep();
        session.Frame(false);
    }
    RunMeasured(state, session, BotStep);
}
BENCHMARK(BM_PlayedRound)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_PausedRound(benchmark::State& state)
{
    Session& session = GetSession();
    // The round goes on a little, then the timeout key opens the pause menu; the pointer comes to
    // rest on it.
    CDeveloperScript script;
    std::string error;
    script.Parse("1 key Escape\n40 mouse 330 300\n", "", error);
    for (uint32_t step = 1; step <= static_cast<uint32_t>(kWarmUpFrames); ++step) {
        script.RunStep(step, session.Game().GetScreenWindow(), nullptr);
        session.Frame(false);
    }
    RunMeasured(state, session, [] {});
}
BENCHMARK(BM_PausedRound)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
