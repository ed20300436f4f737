// The running game driven by input as the system delivers it (events, the pump, whole steps):
// quick clicks and key taps, the typed words and keys that reach into the round, the statistics a
// lost ball leaves in the file, the update reminder, the brightness message, and the messages that
// say what could not be done.
#include "GameFixture.h"
#include "../ui/InputTestSupport.h"
#include "LoopbackHttpServer.h"

#include "app/PlayerControls.h"
#include "app/TypedWordMatcher.h"
#include "foundation/ConfigFile.h"
#include "foundation/LocalizedString.h"
#include "game/Playfield.h"
#include "game/ship/MessageDisplay.h"
#include "game/ship/ShipAI.h"
#include "game/sprites/FindSpriteAI.h"
#include "game/sprites/Sprite.h"
#include "objects/ChangedGammaMessage.h"
#include "online/ModuleInfoCollection.h"
#include "online/VersionCheckWindow.h"
#include "shell/CreatePlayerControls.h"
#include "shell/GameTypedWords.h"
#include "shell/MainMenuWindow.h"
#include "shell/MenuButton.h"
#include "shell/OptionsMenu.h"
#include "shell/PauseMenu.h"
#include "shell/dialogs/BackgroundOptionsDialog.h"
#include "shell/dialogs/BindingButton.h"
#include "shell/dialogs/ControlsDialog.h"
#include "shell/dialogs/InternetConnectionDialog.h"
#include "shell/dialogs/InternetConnectionPanel.h"
#include "shell/stats/Stats.h"
#include "ui/JButton.h"
#include "ui/JDropDownBox.h"
#include "ui/JDropDownList.h"
#include "ui/JSlider.h"
#include "ui/JTabControl.h"
#include "ui/controls/JLabel.h"
#include "ui/controls/JMessageWindow.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

#ifdef VANTOREL_DATA_DIR
namespace {

using platform::Event;
using platform::EventType;
using uitest::kPress;
using uitest::kRelease;

constexpr int kEnterKey = 28, kSpaceKey = 57, kEscapeKey = 1, kF1Key = 59, kF5Key = 63;

// A game that keeps the brightness messages it is sent.
class WatchedGame : public CGame
{
public:
    WatchedGame() : CGame(nullptr) {}
    bool HandleMessage(CBroadcastMessage* message) override
    {
        const bool handled = CGame::HandleMessage(message);
        if (auto* gamma = dynamic_cast<CChangedGammaMessage*>(message))
            brightness.push_back(gamma->m_handled ? gamma->m_brightness : -1.0f);
        return handled;
    }
    // The brightness of each message, -1 for one left unhandled.
    std::vector<float> brightness;
};

class GameInput : public GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        // The words were registered once for the process; the fixture's fresh keyboard lost its
        // filter since.
        g_keyboard.SetFilter(&CTypedWordMatcher::OnCharTyped, &g_typedWordMatcher);
    }
    void TearDown() override
    {
        SetPointsDisplayFactor(1);
        GameFixture::TearDown();
    }
    CGame* MakeGame(CTimedPictureScreen*) override { return new WatchedGame; }
    WatchedGame& Game() { return *static_cast<WatchedGame*>(m_game); }

    // The events arrive together before the next step.
    void Send(std::initializer_list<Event> events, int steps = 1)
    {
        for (const Event& event : events)
            platform::GetHeadlessBackend().QueueEvent(event);
        Step(steps);
    }
    // A key pressed, its character typed and the key let go, all before one step.
    void Tap(int key, char character = 0)
    {
        Send({uitest::Key(EventType::KeyDown, key), Event::Char(static_cast<unsigned char>(character)),
              uitest::Key(EventType::KeyUp, key)});
    }
    void Type(const char* text)
    {
        for (const char* c = text; *c; ++c)
            Send({Event::Char(static_cast<unsigned char>(*c))});
    }
    // A quick click in the middle of the window: pressed and released before one step.
    void Click(CJWindow* window, int steps = 1)
    {
        ASSERT_NE(window, nullptr);
        const CIntRect& r = window->GetScreenRect();
        Send({uitest::MoveTo((r.m_left + r.m_right) / 2, (r.m_top + r.m_bottom) / 2), kPress, kRelease}, steps);
    }
    template <class T>
    T* Top() const
    {
        return dynamic_cast<T*>(m_game->GetScreenWindow()->GetModalWindow());
    }
    // A round on Normal with its bricks laid (Enter skips the laying) and a ball on the ship.
    void Play(uint32_t round = 0)
    {
        CMainMenuWindow::CloseOpen();
        m_game->StartNewGame(1, round);
        Step(2);
        Tap(kEnterKey, '\r');
        Step(2);
    }
    CShipAI* Ship() { return FindSpriteAI<CShipAI>(m_game->GetPlayfield()->GetShip().GetHead()); }
    CSprite* Ball() { return m_game->GetPlayfield()->GetBalls().GetHead(); }
    static std::string LabelText(CJWindow* window)
    {
        for (CJWindow* w = window ? window->GetFrontChild() : nullptr; w; w = w->GetNextSibling())
            if (auto* label = dynamic_cast<CJLabel*>(w))
                return label->GetText();
        return "";
    }
    static CJButton* ButtonOf(CJWindow* window, const char* text)
    {
        for (CJWindow* w = window ? window->GetFrontChild() : nullptr; w; w = w->GetNextSibling())
            if (auto* button = dynamic_cast<CJButton*>(w); button && std::string(button->GetText()) == text)
                return button;
        return nullptr;
    }
    // The statistics file as text, decompressed by Python.
    std::string StatsFileText()
    {
        const std::string dir = m_folder / "";
        if (testsupport::RunCommand("cd '" + dir + "' && python3 -c \"import zlib;d=open('Stats.dat','rb').read();"
                                    "open('stats.txt','wb').write(zlib.decompress(d[9:]))\"") != 0)
            return "";
        return testsupport::ReadFileBytes(m_folder / "stats.txt");
    }
};

TEST_F(GameInput, AQuickClickLaunchesTheBallAndAQuickSpaceInADialogPressesOneButton)
{
    Play();
    CSprite* ball = Ball();
    ASSERT_NE(ball, nullptr);
    ASSERT_TRUE(Ship()->HoldsBall(ball));
    Send({kPress, kRelease});
    EXPECT_FALSE(Ship()->HoldsBall(ball));

    // Space fires, and types a blank into the pause menu's focused button, "Options": the fire
    // must not also press the default button, "Continue", as a held Space would not.
    Tap(kEscapeKey, 27);
    CPauseMenu* menu = Top<CPauseMenu>();
    ASSERT_NE(menu, nullptr);
    menu->ActivateChild(menu->GetOptionsButton());
    Tap(kSpaceKey, ' ');
    EXPECT_NE(Top<COptionsMenu>(), nullptr);
}

TEST_F(GameInput, EveryKeyTappedWhileABindingWaitsIsTaken)
{
    m_game->GoToMainMenu();
    Step();
    Tap(kF1Key);
    auto* dialog = Top<CControlsDialog>();
    ASSERT_NE(dialog, nullptr);
    CBindingButton* shoot = dialog->GetBindingButtons()[kActionShoot];
    const CPlayerControls& controls = *m_game->GetPlayerControls(0);
    int taken = 0;
    for (int i = 0; i < 100; ++i) {
        Click(shoot);
        ASSERT_TRUE(shoot->IsWaiting()) << i;
        const int key = 16 + i % 10;  // Q to P
        Tap(key, static_cast<char>('a' + i % 10));
        taken += !shoot->IsWaiting() && controls.GetBinding(kActionShoot).key == key;
    }
    EXPECT_EQ(taken, 100);
    EXPECT_TRUE(m_game->GetScreenWindow()->IsInputOn());
}

TEST_F(GameInput, DetailLevelChangesRemakeTheRoundsDecorations)
{
    m_game->SetBackgroundDetailLevel(2);
    Play();
    CPlayfield& field = *m_game->GetPlayfield();
    const auto decorations = [&] { return field.GetBackgroundSprites().Count() + field.GetForeground().Count(); };
    const size_t animated = decorations();
    ASSERT_GT(animated, 0u);
    Tap(kF5Key);
    EXPECT_EQ(m_game->GetBackgroundDetailLevel(), 1);
    EXPECT_EQ(decorations(), 0u);
    Tap(kF5Key);
    EXPECT_EQ(decorations(), 0u);
    Type("showbackground");
    EXPECT_EQ(m_game->GetBackgroundDetailLevel(), 2);
    EXPECT_GT(decorations(), 0u);

    // The video dialog's choice of "No Background Image", by the mouse.
    CBackgroundOptionsDialog* dialog = OpenBackgroundOptionsDialog(m_game->GetScreenWindow());
    Step();
    Click(dialog->GetBackgroundChoice()->GetArrowButton());
    CJDropDownList* list = dialog->GetBackgroundChoice()->GetDropDownList();
    ASSERT_NE(list, nullptr);
    const CIntRect r = list->GetScreenRect();
    Send({uitest::MoveTo(r.m_left + 10, r.m_top + 2 + list->GetRowHeight() / 2), kPress, kRelease});
    EXPECT_EQ(m_game->GetBackgroundDetailLevel(), 0);
    EXPECT_EQ(decorations(), 0u);
}

TEST_F(GameInput, CheatReverseMirrorsTheShipAndCrazyPointsReachThePointsLines)
{
    Play();
    CSprite* ship = m_game->GetPlayfield()->GetShip().GetHead();
    ASSERT_NE(ship, nullptr);
    const auto shipXAt = [&](int pointerX) {
        Send({uitest::MoveTo(pointerX, 400)}, 3);
        return ship->GetPosition().m_x;
    };
    EXPECT_EQ(shipXAt(100), std::round(100 / 640.0f * 452) + 30);
    Type("CheatReverse");
    EXPECT_TRUE(Ship()->HasReversedControls());
    EXPECT_EQ(shipXAt(100), std::round((1 - 100 / 640.0f) * 452) + 30);
    Type("CheatReverse");
    EXPECT_EQ(shipXAt(100), std::round(100 / 640.0f * 452) + 30);

    Type(kCrazyPointsWord);
    ASSERT_EQ(GetPointsDisplayFactor(), 57);
    CMessageDisplay& messages = *m_game->GetMessageDisplay();
    messages.Clear();
    m_game->GetPlayfield()->AddPoints(150);
    ASSERT_GE(messages.GetLineCount(), 1u);
    EXPECT_EQ(std::string(messages.GetLine(messages.GetLineCount() - 1)), "8,550 Points");
    EXPECT_EQ(m_game->GetScore(), 150u);  // shown 57 times, kept as it is
    Type(kCrazyPointsWord);
    EXPECT_EQ(GetPointsDisplayFactor(), 1);
}

TEST_F(GameInput, LostBallsAreCountedInTheGameItsTotalsAndBestsAndTheFile)
{
    Play();
    m_game->SetScore(500);
    for (int ball = 0; ball < 3; ++ball) {
        ASSERT_NE(Ball(), nullptr) << ball;
        Tap(kSpaceKey, ' ');  // the ball leaves the ship
        ASSERT_FALSE(Ship()->HoldsBall(Ball())) << ball;
        Type("KillMeNow");
        for (int step = 0; step < 30 && !(Ship()->HoldsBall(Ball()) || m_game->GetPlayfield()->IsGameOver()); ++step)
            Step();
        EXPECT_EQ(m_game->GetStats()->GetCurrentGame().GetBallsLost(), static_cast<uint32_t>(ball + 1));
    }
    ASSERT_TRUE(m_game->GetPlayfield()->IsGameOver());
    Step(150);  // the game-over delay, then the finished game is recorded

    const std::string text = StatsFileText();
    size_t counted = 0;
    for (size_t at = text.find("Balls Lost=3"); at != std::string::npos; at = text.find("Balls Lost=3", at + 1))
        ++counted;
    // The current game, the player's career totals and best, all players' totals and best, and
    // the game kept in the player's history.
    EXPECT_EQ(counted, 6u) << text;
    CStats read;
    ASSERT_TRUE(read.Load());
    EXPECT_EQ(read.GetCurrentGame().GetBallsLost(), 3u);
    EXPECT_EQ(read.GetAllPlayersTotals().GetBallsLost(), 3u);
    EXPECT_EQ(read.GetAllPlayersBest().GetBallsLost(), 3u);
}

TEST_F(GameInput, CheckForUpdatesAsksForTheConnectionThenFetchesTheModuleList)
{
    testsupport::LoopbackHttpServer server([](testsupport::HttpExchange& x) {
        x.Send(testsupport::HttpAnswer(200, "CDownloadableModuleList\r\n{\r\n}\r\n"));
    });
    testsupport::WriteFileBytes(m_folder / "Local.txt", std::string("ENGLISH: ") +
                                                            g_versionCheckUrlText.GetEnglishText() +
                                                            "[END] (Version Check Url)\r\nLOCALIZED: " +
                                                            server.Url("/VantorelModules.modDB") + "[END]\r\n");
    ASSERT_TRUE(CLocalizationTable::GetInstance().Load("Local.txt"));
    m_game->GetStats()->SetLaunchesSinceVersionCheck(0);
    m_game->GoToMainMenu();
    Step();
    auto* reminder = Top<CJMessageWindow>();
    ASSERT_NE(reminder, nullptr);
    Click(ButtonOf(reminder, "Check for Updates"));

    auto* connect = Top<CInternetConnectionDialog>();
    ASSERT_NE(connect, nullptr);
    EXPECT_STREQ(connect->GetText(), "Connect to the Internet");
    std::string question = connect->GetPanel()->GetLabel()->GetText();  // wrapped to the panel
    std::replace(question.begin(), question.end(), '\n', ' ');
    EXPECT_NE(question.find("You need to be connected to the Internet to check for Vantorel updates."),
              std::string::npos)
        << question;
    EXPECT_EQ(m_game->GetStats()->GetLaunchesSinceVersionCheck(), 10u);
    EXPECT_FALSE(CMainMenuWindow::GetOpen()->IsVisible());  // the question stands in for the menu

    Click(connect->GetPanel()->GetConnectedButton());
    CVersionCheckWindow* check = nullptr;
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!(check && check->IsBuilt()) && std::chrono::steady_clock::now() < limit) {
        Step();
        check = Top<CVersionCheckWindow>();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(server.RequestCount(), 1u);
    check->Close();
    Step();
    EXPECT_TRUE(CMainMenuWindow::GetOpen()->IsVisible());
    EXPECT_EQ(Top<CMainMenuWindow>(), CMainMenuWindow::GetOpen());

    CLocalizationTable::GetInstance().RemoveAllPairs();
    g_versionCheckUrlText.AssignText(g_versionCheckUrlText.GetEnglishText());
    CModuleInfoCollection::GetInstance().FreeEntries();
}

TEST_F(GameInput, TheBrightnessMessageCarriesItsValueAndComesBackHandled)
{
    CBackgroundOptionsDialog* dialog = OpenBackgroundOptionsDialog(m_game->GetScreenWindow());
    Step();
    CJSlider* slider = dialog->GetBrightnessSlider();
    const CIntRect& r = slider->GetScreenRect();
    Send({uitest::MoveTo((r.m_left + r.m_right) / 2, (r.m_top + r.m_bottom) / 2), Event::Wheel(120)});
    ASSERT_EQ(Game().brightness.size(), 1u);
    EXPECT_FLOAT_EQ(Game().brightness[0], CVideoOptionsDialog::PositionToBrightness(slider->GetValue()));
    EXPECT_GT(Game().brightness[0], 1.0f);

    dialog->GetTabs()->SelectPage(1, true);
    Step();
    Click(dialog->GetFixColorsButton());
    ASSERT_EQ(Game().brightness.size(), 2u);
    EXPECT_EQ(Game().brightness[1], 0.0f);
    Click(dialog->GetFixColorsButton());
}

TEST_F(GameInput, HelpAndJoystickSetupSayWhatHappened)
{
    m_game->GoToMainMenu();
    Step(120);  // the menu's buttons have slid in
    Click(CMainMenuWindow::GetOpen()->GetButton(2));
    auto* options = Top<COptionsMenu>();
    ASSERT_NE(options, nullptr);
    platform::GetHeadlessBackend().SetDocumentOpenerPresent(false);
    Click(options->GetHelpButton());
    auto* message = Top<CJMessageWindow>();
    ASSERT_NE(message, nullptr);
    EXPECT_STREQ(message->GetText(), "Help");
    EXPECT_NE(LabelText(message).find(COptionsMenu::kHelpFile), std::string::npos) << LabelText(message);
    Tap(kEnterKey, '\r');
    ASSERT_EQ(Top<COptionsMenu>(), options);
    // Where a program opens it, the page just opens.
    platform::GetHeadlessBackend().SetDocumentOpenerPresent(true);
    Click(options->GetHelpButton());
    EXPECT_EQ(Top<COptionsMenu>(), options);
    EXPECT_EQ(platform::GetHeadlessBackend().GetOpenedDocuments().size(), 2u);

    Click(options->GetControlsButton());
    auto* controls = Top<CControlsDialog>();
    ASSERT_NE(controls, nullptr);
    Click(controls->GetJoystickSetupButton());
    message = Top<CJMessageWindow>();
    ASSERT_NE(message, nullptr);
    EXPECT_STREQ(message->GetText(), "Joystick Setup and Calibration");
    EXPECT_NE(LabelText(message).find("game controller settings"), std::string::npos) << LabelText(message);
}

} // namespace
#endif
