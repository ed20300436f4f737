// The game object over the project's data set, stepped by hand: its modes, the main menu, demos,
// the music's mix level, the background rebuild and the dirty cells against a full redraw.
#include "GameFixture.h"
#include "TestSupport.h"

#include "app/DemoRecorder.h"
#include "app/Keyboard.h"
#include "app/Mouse.h"
#include "app/WindowProc.h"
#include "foundation/OpenFlags.h"
#include "foundation/R250Random.h"
#include "foundation/Win32Services.h"
#include "game/Playfield.h"
#include "game/ship/MessageDisplay.h"
#include "game/ship/ShipAI.h"
#include "graphics/DirtyRectFrame.h"
#include "graphics/ScreenFrame.h"
#include "platform/Events.h"
#include "platform/Time.h"
#include "platform/Window.h"
#include "platform/headless/HeadlessBackend.h"
#include "objects/FilePlayList.h"
#include "shell/Commercial.h"
#include "shell/CommercialCollection.h"
#include "shell/DemoRequest.h"
#include "shell/Game.h"
#include "shell/DeveloperScript.h"
#include "shell/MainMenuWindow.h"
#include "shell/OptionsMenu.h"
#include "shell/dialogs/StatisticsDialog.h"
#include "shell/MenuButton.h"
#include "shell/TimedMessage.h"
#include "shell/stats/Stats.h"
#include "sound/SoundBuffer.h"
#include "sound/SoundList.h"
#include "sound/SoundSystem.h"
#include "ui/JButton.h"
#include "ui/ScreenWindow.h"
#include "ui/UiKeys.h"
#include "ui/controls/JMessageWindow.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#ifdef VANTOREL_DATA_DIR
namespace {

class GameObject : public GameFixture
{
protected:
    int CountMenus() const
    {
        int menus = 0;
        for (CJWindow* w = m_game->GetScreenWindow()->GetFrontChild(); w; w = w->GetNextSibling())
            menus += dynamic_cast<CMainMenuWindow*>(w) != nullptr;
        return menus;
    }
};

TEST_F(GameObject, MainMenuOpensOnceAndPlayStartsAGame)
{
    EXPECT_EQ(m_game->GetMode(), CGame::kModeNone);
    m_game->GoToMainMenu();
    CMainMenuWindow* menu = CMainMenuWindow::GetOpen();
    m_game->GoToMainMenu();
    Step();
    EXPECT_EQ(CountMenus(), 1);
    EXPECT_EQ(CMainMenuWindow::GetOpen(), menu);
    EXPECT_TRUE(m_game->IsInMenu());
    EXPECT_TRUE(m_game->HasModalWindow());

    // "&Play Game" leads through the player and new-game dialogs; Enter takes their defaults.
    menu->GetPlayButton()->Click();
    m_game->GetScreenWindow()->OnKey(uikey::kEnter);
    m_game->GetScreenWindow()->OnKey(uikey::kEnter);
    EXPECT_EQ(CMainMenuWindow::GetOpen(), nullptr);
    EXPECT_TRUE(m_game->IsPlaying());
    EXPECT_EQ(m_game->GetDifficulty(), 1u);
    EXPECT_EQ(m_game->GetPlayfield()->GetRound(), 0u);
    // Leaving the game (nothing scored) builds the menu again.
    m_game->ClearMode();
    m_game->GoToMainMenu();
    EXPECT_NE(CMainMenuWindow::GetOpen(), nullptr);
    EXPECT_EQ(CountMenus(), 1);
}

TEST_F(GameObject, DemoFromTheMenuReturnsToAFreshMenu)
{
    CCommercial commercial;
    ASSERT_NO_FATAL_FAILURE(AddRecordedClip(commercial));

    m_game->GoToMainMenu();
    Step();
    m_game->StartDemo(&commercial);
    EXPECT_EQ(CMainMenuWindow::GetOpen(), nullptr);
    EXPECT_EQ(m_game->GetMode(), CGame::kModePlaying);
    EXPECT_EQ(m_game->GetCurrentCommercial(), &commercial);
    EXPECT_GT(m_game->GetMessageDisplay()->GetLineCount(), 0u);
    // The mix is left alone while the demo plays.
    EXPECT_EQ(m_game->ChooseMixLevel(), -1);

    std::vector<int> modes;
    for (int step = 0; step < 30 && m_game->GetMode() == CGame::kModePlaying; ++step) {
        Step();
        modes.push_back(m_game->GetMode());
        // The menu closed for the demo; the one after it is built anew.
        if (m_game->GetMode() == CGame::kModePlaying) {
            EXPECT_EQ(CMainMenuWindow::GetOpen(), nullptr);
        }
    }
    ASSERT_EQ(modes.back(), CGame::kModeMainMenu);
    EXPECT_GE(modes.size(), 3u);
    EXPECT_EQ(m_game->GetCurrentCommercial(), nullptr);
    EXPECT_EQ(m_game->GetMessageDisplay()->GetLineCount(), 0u);
    EXPECT_NE(CMainMenuWindow::GetOpen(), nullptr);
    EXPECT_EQ(CountMenus(), 1);
}

TEST_F(GameObject, AnyKeyEndsADemo)
{
    CCommercial commercial;
    ASSERT_NO_FATAL_FAILURE(AddRecordedClip(commercial, 100));
    CDemoRecorder* recorder = CDemoRecorder::GetInstance();
    m_game->GoToMainMenu();
    m_game->StartDemo(&commercial);
    Step(3);
    ASSERT_EQ(m_game->GetMode(), CGame::kModePlaying);
    EXPECT_TRUE(m_game->OnKey('x'));
    EXPECT_EQ(m_game->GetMode(), CGame::kModeMainMenu);
    EXPECT_EQ(m_game->GetCurrentCommercial(), nullptr);
    EXPECT_FALSE(recorder->IsPlaying());
    // Out of the demo, keys go their usual way.
    EXPECT_FALSE(m_game->OnKey('x'));
}

TEST_F(GameObject, UnreadableClipStaysInTheMenu)
{
    m_game->GoToMainMenu();
    CCommercial missing;
    ASSERT_NO_FATAL_FAILURE(AddRecordedClip(missing));
    std::filesystem::remove(m_folder.Path() / "Data/Resources/Clip.Demo");
    m_game->StartDemo(&missing);
    EXPECT_EQ(m_game->GetMode(), CGame::kModeMainMenu);
    EXPECT_EQ(m_game->GetCurrentCommercial(), nullptr);
    EXPECT_EQ(CountMenus(), 1);
    m_game->StartDemo(nullptr);
    EXPECT_EQ(m_game->GetMode(), CGame::kModeMainMenu);
}

TEST_F(GameObject, MenuButtonsSlideInAndShowTheirTextOnceTurned)
{
    m_game->GoToMainMenu();
    CMainMenuWindow* menu = CMainMenuWindow::GetOpen();
    ASSERT_NE(menu, nullptr);
    int32_t startX[CMainMenuWindow::kButtonCount];
    for (int i = 0; i < CMainMenuWindow::kButtonCount; ++i) {
        CMenuButton* button = menu->GetButton(i);
        startX[i] = button->GetRect().m_left;
        EXPECT_EQ(button->GetWidth(), CMenuButton::kWidth);
        EXPECT_EQ(button->GetHeight(), CMenuButton::kHeight);
        EXPECT_FALSE(button->IsTextShown());
    }
    bool textBeforeTurned = false;
    for (int step = 0; step < 240; ++step) {
        Step();
        for (int i = 0; i < CMainMenuWindow::kButtonCount; ++i)
            textBeforeTurned = textBeforeTurned || (menu->GetButton(i)->IsTextShown() && menu->GetButton(i)->IsFlipping());
    }
    EXPECT_FALSE(textBeforeTurned);
    int32_t top = -1;
    for (int i = 0; i < CMainMenuWindow::kButtonCount; ++i) {
        CMenuButton* button = menu->GetButton(i);
        // Each came 240 + 100 i pixels from the right and ends exactly in place, one below another.
        EXPECT_EQ(button->GetRect().m_left, 357) << "button " << i;
        EXPECT_EQ(startX[i], 357 + 240 + 100 * i) << "button " << i;
        EXPECT_GT(button->GetRect().m_top, top);
        top = button->GetRect().m_top;
        EXPECT_FALSE(button->IsFlipping());
        EXPECT_TRUE(button->IsTextShown());
    }
    EXPECT_EQ(menu->GetButton(0)->GetRect().m_top, 27);
    EXPECT_EQ(menu->GetCreditsHotSpot()->GetRect(), (CIntRect{305, 348, 305 + 325, 348 + 85}));
}

TEST_F(GameObject, MenuButtonSoundsOnceForEachEntryOfThePointer)
{
    m_game->GoToMainMenu();
    Step(120);
    CMainMenuWindow* menu = CMainMenuWindow::GetOpen();
    ASSERT_NE(menu, nullptr);
    // The balls' bounces take voices too: no start may be refused for want of one.
    const uint32_t voices = CSoundSystem::GetInstance()->GetMaxVoices();
    CSoundSystem::GetInstance()->SetMaxVoices(1000);
    CSoundList& sounds = CSoundList::GetInstance();
    CSoundBuffer* hover = sounds.GetSound(static_cast<uint32_t>(sounds.FindSoundIndex("UI/Button Hover.wav", -1)));
    ASSERT_NE(hover, nullptr);
    const auto centre = [menu](int button) {
        const CIntRect& r = menu->GetButton(button)->GetScreenRect();
        return CIntPoint{(r.m_left + r.m_right) / 2, (r.m_top + r.m_bottom) / 2};
    };
    const CIntPoint play = centre(0), statistics = centre(1), away{100, 450};

    const struct
    {
        CIntPoint at;
        bool sounds;
    } path[] = {
        {away, false},
        {play, true},                          // onto "Play Game" (its top right, far from the centre)
        {{play.m_x + 40, play.m_y + 5}, false}, // still over it
        {play, false},
        {statistics, true},                    // straight onto the next button
        {away, false},
        {play, true},                          // back again: a new entry
    };
    for (const auto& point : path) {
        hover->Stop();
        platform::PostEvent(platform::Event::Mouse(platform::EventType::MouseMove, point.at.m_x, point.at.m_y));
        // The sound is short: it is looked for right after the step that drew the entry.
        Step();
        EXPECT_EQ(hover->IsStillPlaying(), point.sounds) << point.at.m_x << "," << point.at.m_y;
        hover->Stop();
        Step(2);
        EXPECT_FALSE(hover->IsStillPlaying()) << point.at.m_x << "," << point.at.m_y;
        // Under the menu the pointer stays where it was put.
        EXPECT_EQ(g_mouse.GetPositionPoint(), point.at);
    }
    CSoundSystem::GetInstance()->SetMaxVoices(voices);
}

TEST_F(GameObject, ScriptClicksAButtonOfTheSlidingMenu)
{
    m_game->GoToMainMenu();
    CDeveloperScript script;
    std::string error;
    // Asked for while the button is still off the screen: the click waits until it has arrived.
    ASSERT_TRUE(script.Parse("2 click \"&Statistics\"\n", "", error)) << error;
    uint32_t step = 1;
    for (; step <= 300 && !script.IsFinished(); ++step) {
        script.RunStep(step, m_game->GetScreenWindow(), m_game->GetBackBuffer());
        Step();
    }
    EXPECT_GE(step, 50u);
    EXPECT_LT(step, 120u);
    CJWindow* top = m_game->GetScreenWindow();
    while (top->GetModalWindow())
        top = top->GetModalWindow();
    EXPECT_NE(dynamic_cast<CStatisticsDialog*>(top), nullptr);
    // The game then ends with the dialog over the menu: the menu must not go before the dialog
    // that holds it (the fixture deletes the game).
}

TEST_F(GameObject, OptionsOpenOverTheMenuAndTheirDemoLeavesIt)
{
    m_game->GoToMainMenu();
    Step(120);
    CMainMenuWindow* menu = CMainMenuWindow::GetOpen();
    ASSERT_NE(menu, nullptr);
    menu->GetButton(2)->Click();
    auto* options = dynamic_cast<COptionsMenu*>(m_game->GetScreenWindow()->GetModalWindow());
    ASSERT_NE(options, nullptr);
    // Covered, the menu stays open but out of the way: nothing closes it from under the options.
    EXPECT_EQ(CMainMenuWindow::GetOpen(), menu);
    CMainMenuWindow::CloseOpen();
    EXPECT_EQ(CMainMenuWindow::GetOpen(), menu);
    ASSERT_NE(options->GetDemoButton(), nullptr);
    options->GetDemoButton()->Click();
    EXPECT_NE(m_game->GetCurrentCommercial(), nullptr);
    EXPECT_EQ(CMainMenuWindow::GetOpen(), nullptr);
    EXPECT_EQ(CountMenus(), 0);
    Step(3);
    EXPECT_EQ(dynamic_cast<COptionsMenu*>(m_game->GetScreenWindow()->GetModalWindow()), nullptr);
}

TEST_F(GameObject, ReminderOpensWithTheFocusWhenTheCountIsDone)
{
    const auto countMessages = [this] {
        int messages = 0;
        for (CJWindow* w = m_game->GetScreenWindow()->GetFrontChild(); w; w = w->GetNextSibling())
            messages += dynamic_cast<CJMessageWindow*>(w) != nullptr;
        return messages;
    };
    CStats* stats = m_game->GetStats();
    stats->SetLaunchesSinceVersionCheck(1);
    m_game->GoToMainMenu();
    Step(3);
    EXPECT_EQ(countMessages(), 0);
    stats->SetLaunchesSinceVersionCheck(0);
    Step();
    EXPECT_EQ(countMessages(), 1);
    EXPECT_EQ(stats->GetLaunchesSinceVersionCheck(), 10u);
    // The reminder has the focus now: a count run out again waits for the menu to get it back.
    stats->SetLaunchesSinceVersionCheck(0);
    Step(3);
    EXPECT_EQ(countMessages(), 1);
    EXPECT_EQ(stats->GetLaunchesSinceVersionCheck(), 0u);
}

TEST_F(GameObject, DemoOnRequestPlaysTheIntroWithItsCaptions)
{
    m_game->GoToMainMenu();
    Step(120);
    CMainMenuWindow* before = CMainMenuWindow::GetOpen();
    ASSERT_NE(before, nullptr);
    ASSERT_EQ(before->GetButton(0)->GetRect().m_left, 357);
    ASSERT_EQ(m_game->GetStats()->GetAllPlayersTotals().GetGamesFinished(), 0u);
    ShowDemoNow();
    CCommercial* shown = m_game->GetCurrentCommercial();
    ASSERT_NE(shown, nullptr);
    CCommercialCollection& commercials = CCommercialCollection::GetInstance();
    EXPECT_EQ(shown, commercials.GetCommercial(static_cast<uint32_t>(commercials.FindIndexByName("1 Intro", -1))));
    EXPECT_EQ(CMainMenuWindow::GetOpen(), nullptr);
    // The intro's first clip plays.
    CDemoRecorder* recorder = CDemoRecorder::GetInstance();
    ASSERT_TRUE(recorder->IsPlaying());
    ASSERT_GE(shown->GetClipCount(), 1u);
    EXPECT_STREQ(GetDemoFileList().GetNameAt(shown->GetClip(0)), "Intro1.Demo");

    // Each caption's text and the step it first showed in.
    struct Shown
    {
        std::string text;
        int step;
    };
    std::vector<Shown> captions;
    for (int step = 1; step <= 6 * 60; ++step) {
        Step();
        ASSERT_TRUE(recorder->IsPlaying()) << "step " << step;
        const std::string text = m_game->GetTimedMessage()->GetText().CStr();
        if (m_game->GetTimedMessage()->IsShown() && (captions.empty() || captions.back().text != text))
            captions.push_back({text, step});
    }
    // The intro's three lines in order (wrapped to the field), 2, 5 and 5.5 seconds in: the
    // step whose clock first passes the start (a step or so either way for the float clock).
    const struct
    {
        const char* start;
        int step;
    } expected[] = {{"Welcome to Vantorel!", 121}, {"Steer the ship", 301}, {"and clear every brick", 331}};
    std::vector<Shown> intro;
    for (const Shown& caption : captions)
        for (const auto& line : expected)
            if (caption.text.rfind(line.start, 0) == 0)
                intro.push_back({line.start, caption.step});
    ASSERT_EQ(intro.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(intro[i].text, expected[i].start);
        EXPECT_NEAR(intro[i].step, expected[i].step, 1) << intro[i].text;
    }
    // Space (the first player's shot) ends the demo: a fresh menu, its buttons sliding in anew,
    // no caption left.
    g_keyboard.OnKeyDown(57);
    Step(2);
    EXPECT_FALSE(recorder->IsPlaying());
    EXPECT_EQ(m_game->GetCurrentCommercial(), nullptr);
    EXPECT_TRUE(m_game->IsInMenu());
    ASSERT_NE(CMainMenuWindow::GetOpen(), nullptr);
    EXPECT_GT(CMainMenuWindow::GetOpen()->GetButton(0)->GetRect().m_left, 357);
    EXPECT_FALSE(CMainMenuWindow::GetOpen()->GetButton(0)->IsTextShown());
    EXPECT_EQ(CountMenus(), 1);
    EXPECT_FALSE(m_game->GetTimedMessage()->IsShown());
}

// The data set without its commercials: a demo asked for shows nothing and the menu stays.
class GameWithoutCommercials : public GameObject
{
protected:
    void PrepareData(const std::filesystem::path& data) override { DropEntries(data, "Resources.zip", ".Commercial"); }
};

TEST_F(GameWithoutCommercials, DemoOnRequestDoesNothing)
{
    ASSERT_EQ(CCommercialCollection::GetInstance().GetCount(), 0u);
    m_game->GoToMainMenu();
    Step();
    CMainMenuWindow* menu = CMainMenuWindow::GetOpen();
    ShowDemoNow();
    Step(3);
    EXPECT_EQ(m_game->GetCurrentCommercial(), nullptr);
    EXPECT_FALSE(CDemoRecorder::GetInstance()->IsPlaying());
    EXPECT_TRUE(m_game->IsInMenu());
    EXPECT_EQ(CMainMenuWindow::GetOpen(), menu);
}

TEST_F(GameObject, ModalWindowHoldsThePlayfieldAndShowsTheCursor)
{
    // The round starts by laying its bricks; that stands still under a modal window.
    m_game->StartNewGame(1, 0);
    Step(2);
    EXPECT_FALSE(g_mouse.IsCursorVisible());
    ASSERT_TRUE(m_game->GetPlayfield()->IsLayingBricks());
    m_game->GetScreenWindow()->ShowMessageText("Caption", "Text");
    Step(1200);
    EXPECT_TRUE(m_game->GetPlayfield()->IsLayingBricks());
    EXPECT_TRUE(g_mouse.IsCursorVisible());
    EXPECT_EQ(m_game->GetRequestedForceEffects(), 0u);

    CMainMenuWindow::CloseOpen();  // not open: nothing happens
    m_game->GetScreenWindow()->GetModalWindow()->Close();
    int steps = 0;
    while (m_game->GetPlayfield()->IsLayingBricks() && steps < 1200)
        Step(), ++steps;
    EXPECT_LT(steps, 1200);
    EXPECT_FALSE(g_mouse.IsCursorVisible());
    EXPECT_EQ(m_game->GetRequestedForceEffects(), CGame::kForcePlayfield);
    // Once the ship runs, its bit joins the request.
    Step(2);
    EXPECT_EQ(m_game->GetRequestedForceEffects(), CGame::kForcePlayfield | CShipAI::kAmbienceRunning);
}

TEST_F(GameObject, PendingBackgroundUnites)
{
    Step();
    struct Case
    {
        CIntRect add;
        CIntRect expected;
    };
    // From nothing pending: the first rectangle is taken as it is, even far from the origin.
    const Case cases[] = {
        {{100, 50, 120, 60}, {100, 50, 120, 60}},
        {{10, 55, 20, 200}, {10, 50, 120, 200}},
        {{30, 60, 40, 70}, {10, 50, 120, 200}},
        {{0, 0, 640, 10}, {0, 0, 640, 200}},
    };
    for (const Case& c : cases) {
        m_game->AddBackgroundRebuildRect(c.add);
        const CIntRect& got = m_game->GetPendingBackground();
        EXPECT_EQ(std::vector<int32_t>({got.m_left, got.m_top, got.m_right, got.m_bottom}),
                  std::vector<int32_t>({c.expected.m_left, c.expected.m_top, c.expected.m_right, c.expected.m_bottom}));
    }
    Step();
    const CIntRect& done = m_game->GetPendingBackground();
    EXPECT_EQ(done.m_left | done.m_top | done.m_right | done.m_bottom, 0);
}

// Cells of the page last presented that were copied to the display.
int CountShownCells(const CDirtyRectFrame& buffer)
{
    const uint32_t page = (buffer.GetCurrentPage() + buffer.GetPageCount() - 1) % buffer.GetPageCount();
    int cells = 0;
    for (int32_t row = 0; row < 15; ++row)
        for (int32_t column = 0; column < 20; ++column)
            cells += buffer.GetShownGrid(page).IsCellDirty(column, row);
    return cells;
}

TEST_F(GameObject, EverythingRedrawsWhileFadingAndOnceAtFullLevel)
{
    m_game->StartNewGame(1, 0);
    Step(2);
    CScreenFrame* display = m_game->GetDisplay();
    display->StartFadeOut(0.5f);
    std::vector<int> shown;
    for (int step = 0; step < 3; ++step) {
        Step();
        shown.push_back(CountShownCells(*m_game->GetBackBuffer()));
    }
    EXPECT_EQ(shown, std::vector<int>({300, 300, 300}));
    display->StartFadeIn(0.0f);
    display->UpdateFade(0.0f);
    ASSERT_EQ(display->GetFadeLevel(), 1.0f);
    Step();
    EXPECT_EQ(CountShownCells(*m_game->GetBackBuffer()), 300);
    Step(4);
    EXPECT_LT(CountShownCells(*m_game->GetBackBuffer()), 300);
}

TEST_F(GameObject, EveryPresentedPageEqualsAFullRedraw)
{
    m_game->StartNewGame(1, 0);
    CDirtyRectFrame* buffer = m_game->GetBackBuffer();
    const auto& display = platform::GetHeadlessBackend().GetMemoryDisplay();
    int compared = 0;
    // The start-up's fade-in takes the first half second.
    for (int step = 0; step < 150; ++step) {
        // Serve now and then, so that the ball moves over the field.
        if (step % 40 == 10)
            platform::GetHeadlessBackend().QueueEvent(platform::Event::Key(platform::EventType::KeyDown, 57, 32));
        if (step % 40 == 14)
            platform::GetHeadlessBackend().QueueEvent(platform::Event::Key(platform::EventType::KeyUp, 57, 32));
        PumpWindowMessages();
        m_game->Update(kStep);
        // The ship's electric arcs draw from the general random numbers: the redraw gets the same.
        const CR250Random randomBeforeDraw = g_generalRandom;
        m_game->Draw();
        // Every few frames, the page just shown (only its dirty cells were copied) against the
        // same frame drawn again with every cell copied.
        if (step % 7 != 6 || m_game->GetDisplay()->GetFadeLevel() != 1.0f)
            continue;
        const std::vector<uint8_t> incremental = display.GetShownPixels();
        buffer->MarkAllDirty();
        g_generalRandom = randomBeforeDraw;
        m_game->Draw();
        EXPECT_TRUE(display.GetShownPixels() == incremental) << "step " << step;
        ++compared;
    }
    EXPECT_GE(compared, 15);
}

} // namespace
#endif

TEST(GameChoices, MixLevelFollowsTheShownBallSpeed)
{
    // Shown speed = last ball speed x 25/102; the speeds here are the shown ones plus a half.
    auto level = [](float shown, bool modal = false, bool guns = false, int balls = 1) {
        return ChooseMixLevelFor((shown + 0.5f) * 102.0f / 25.0f, modal, guns, balls);
    };
    struct Case
    {
        int level;
        int expected;
    };
    const Case cases[] = {
        {level(0), 1},   {level(1), 2},    {level(69), 2},         {level(70), 1},
        {level(120), 1}, {level(121), 0},  {level(0, true), 2},    {level(121, true), 2},
        {level(50, false, true), 0},       {level(50, false, false, 2), 0},
        {level(0, false, false, 0), 1},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].level, cases[i].expected) << "case " << i;
}

TEST(GameChoices, BackgroundDetailDefaultsToFullOnSixtyFourBit)
{
    for (int cpuClass = 0; cpuClass <= 9; ++cpuClass) {
        EXPECT_EQ(GetDefaultBackgroundDetailLevel(true, cpuClass), 2) << cpuClass;
        EXPECT_EQ(GetDefaultBackgroundDetailLevel(false, cpuClass), cpuClass >= 1 && cpuClass <= 3 ? 1 : 2) << cpuClass;
    }
}
