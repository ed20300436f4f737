// The game in play: the pause and options menus, the keys, screenshots, typed words and the score
// board's static part, over the project's data set.
#include "GameFixture.h"

#include "app/TypedWordMatcher.h"
#include "blit/modes/CopyBlitter.h"
#include "foundation/ConfigFile.h"
#include "foundation/OpenFlags.h"
#include "game/Playfield.h"
#include "game/bricks/BrickLayout.h"
#include "game/ship/MessageDisplay.h"
#include "game/ship/ShipAI.h"
#include "game/sprites/FindSpriteAI.h"
#include "game/sprites/Sprite.h"
#include "graphics/DirtyRectFrame.h"
#include "graphics/Font.h"
#include "graphics/FontCollection.h"
#include "graphics/Frame.h"
#include "graphics/FrameCollection.h"
#include "shell/AdvertisementRotator.h"
#include "shell/BackgroundDetail.h"
#include "shell/GameTypedWords.h"
#include "shell/MainMenuWindow.h"
#include "shell/OptionsMenu.h"
#include "shell/dialogs/BackgroundOptionsDialog.h"
#include "shell/dialogs/ControlsDialog.h"
#include "shell/dialogs/SoundOptionsDialog.h"
#include "shell/PauseMenu.h"
#include "shell/Screenshot.h"
#include "shell/dialogs/InternetConnectionDialog.h"
#include "online/VersionCheckWindow.h"
#include "shell/stats/Stats.h"
#include "ui/JButton.h"
#include "ui/ScreenWindow.h"
#include "ui/controls/JMessageWindow.h"

#include <fstream>
#include <iterator>
#include <string>

#ifdef VANTOREL_DATA_DIR
namespace {

constexpr int kEscape = 27;
constexpr int kEnter = 13;
constexpr int kF5 = 2;
constexpr int kF10 = 25;

class GamePlay : public GameFixture
{
protected:
    void Play(uint32_t round = 0)
    {
        CMainMenuWindow::CloseOpen();
        m_game->StartNewGame(1, round);
        Step(2);
    }
    void Key(int key) { m_game->GetScreenWindow()->OnKey(key); }
    void Type(const char* word)
    {
        for (const char* c = word; *c; ++c)
            CTypedWordMatcher::OnCharTyped(&g_typedWordMatcher, *c);
    }
    template <class T>
    T* Top() const
    {
        return dynamic_cast<T*>(m_game->GetScreenWindow()->GetModalWindow());
    }
    // The message window's button of that text (without its shortcut mark).
    CJButton* MessageButton(const char* text) const
    {
        auto* message = Top<CJMessageWindow>();
        for (CJWindow* w = message ? message->GetFrontChild() : nullptr; w; w = w->GetNextSibling())
            if (auto* button = dynamic_cast<CJButton*>(w); button && std::string(button->GetText()) == text)
                return button;
        return nullptr;
    }
    static std::string ReadFile(const char* name)
    {
        std::ifstream file(name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
};

TEST_F(GamePlay, EscapePausesOnlyInPlayAndEnterOrEscapeContinue)
{
    m_game->GoToMainMenu();
    Step();
    Key(kEscape);
    EXPECT_EQ(Top<CPauseMenu>(), nullptr);
    Play();
    for (int closing : {kEscape, kEnter}) {
        Key(kEscape);

        CPauseMenu* menu = Top<CPauseMenu>();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->m_defaultButton, menu->GetContinueButton());
        EXPECT_EQ(menu->m_cancelButton, menu->GetContinueButton());
        // Four buttons of one width in a column.
        EXPECT_EQ(menu->GetOptionsButton()->GetWidth(), menu->GetSuspendButton()->GetWidth());
        EXPECT_GT(m_game->GetMessageDisplay()->GetLineCount(), 1u);
        Key(closing);
        Step();
        EXPECT_EQ(Top<CPauseMenu>(), nullptr) << closing;
        EXPECT_EQ(m_game->GetMessageDisplay()->GetLineCount(), 0u);
    }
}

TEST_F(GamePlay, AbortEndsAtOnceWithoutPointsAndAsksWithPoints)
{
    Play();
    Key(kEscape);
    ASSERT_NE(Top<CPauseMenu>(), nullptr);
    Top<CPauseMenu>()->GetAbortButton()->Click();
    EXPECT_EQ(Top<CPauseMenu>(), nullptr);
    EXPECT_TRUE(m_game->GetPlayfield()->IsGameOver());

    Play();
    m_game->SetScore(120);
    Key(kEscape);
    Top<CPauseMenu>()->GetAbortButton()->Click();
    ASSERT_NE(Top<CJMessageWindow>(), nullptr);
    EXPECT_FALSE(m_game->GetPlayfield()->IsGameOver());
    ASSERT_NE(MessageButton("End Game"), nullptr);
    MessageButton("End Game")->Click();
    Step();
    EXPECT_TRUE(m_game->GetPlayfield()->IsGameOver());
    EXPECT_EQ(Top<CPauseMenu>(), nullptr);
}

TEST_F(GamePlay, SuspendKeepsTheGameInStatsAndReturnsToAFreshMenu)
{
    Play();
    m_game->SetScore(321);
    Key(kEscape);
    Top<CPauseMenu>()->GetSuspendButton()->Click();
    ASSERT_NE(MessageButton("Suspend Game"), nullptr);
    MessageButton("Suspend Game")->Click();
    EXPECT_EQ(m_game->GetMode(), CGame::kModeMainMenu);
    EXPECT_NE(CMainMenuWindow::GetOpen(), nullptr);
    auto* message = Top<CJMessageWindow>();
    ASSERT_NE(message, nullptr);
    EXPECT_STREQ(message->GetText(), "Game Suspended");
    // The statistics file holds the suspended game.
    CStats reread;
    ASSERT_TRUE(reread.Load());
    ASSERT_NE(reread.GetCurrentPlayer(), nullptr);
    const CSuspendedGameStats* kept = reread.GetCurrentPlayer()->GetSuspendedGame();
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->GetPointsScored(), 321u);
    EXPECT_EQ(kept->GetEndingRound(), 0u);
}

TEST_F(GamePlay, OptionsOfferADemoOnlyOutsidePlayAndHelpOpensTheReadme)
{
    Play();
    Key(kEscape);
    Top<CPauseMenu>()->GetOptionsButton()->Click();
    auto* options = dynamic_cast<COptionsMenu*>(m_game->GetScreenWindow()->GetModalWindow());
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->GetDemoButton(), nullptr);
    EXPECT_EQ(options->m_cancelButton, options->GetDoneButton());
    options->GetHelpButton()->Click();
    const auto documents = platform::GetHeadlessBackend().GetOpenedDocuments();
    ASSERT_EQ(documents.size(), 1u);
    EXPECT_EQ(std::filesystem::path(documents[0]).filename(), "readme.htm");
    // Done gives the pause menu back.
    Key(kEscape);
    Step();
    EXPECT_NE(Top<CPauseMenu>(), nullptr);

    COptionsMenu outside(nullptr);
    EXPECT_EQ(outside.GetDemoButton(), nullptr);  // the game still plays
    Top<CPauseMenu>()->GetContinueButton()->Click();
    m_game->GoToMainMenu();
    COptionsMenu fromMenu(nullptr);
    EXPECT_NE(fromMenu.GetDemoButton(), nullptr);
}

TEST_F(GamePlay, UpdateCheckAsksForTheConnectionAndAboutListsTheModules)
{
    m_game->GoToMainMenu();
    Step();
    auto* options = new COptionsMenu(m_game->GetScreenWindow());
    m_game->GetScreenWindow()->OpenModalWindow(options, kPlaceCentred);
    m_game->GetStats()->SetLaunchesSinceVersionCheck(3);
    options->GetUpdatesButton()->Click();
    EXPECT_EQ(m_game->GetStats()->GetLaunchesSinceVersionCheck(), 10u);
    auto* connect = Top<CInternetConnectionDialog>();
    ASSERT_NE(connect, nullptr);
    EXPECT_STREQ(connect->GetText(), "Connect to the Internet");
    // Closing it gives the options back.
    connect->Close();
    Step();
    ASSERT_EQ(Top<COptionsMenu>(), options);
    options->GetAboutButton()->Click();
    auto* about = Top<CVersionCheckWindow>();
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(about->IsFetching());
}

TEST_F(GamePlay, OptionsOpenTheirDialogsAndF1TheControlsOfPlayerOne)
{
    m_game->GoToMainMenu();
    Step();
    auto* options = new COptionsMenu(m_game->GetScreenWindow());
    m_game->GetScreenWindow()->OpenModalWindow(options, kPlaceCentred);
    const struct
    {
        CJButton* button;
        bool (*isExpected)(CJWindow*);
    } buttons[] = {
        {options->GetSoundButton(), [](CJWindow* w) { return dynamic_cast<CSoundOptionsDialog*>(w) != nullptr; }},
        {options->GetVideoButton(), [](CJWindow* w) { return dynamic_cast<CBackgroundOptionsDialog*>(w) != nullptr; }},
        {options->GetControlsButton(), [](CJWindow* w) { return dynamic_cast<CControlsDialog*>(w) != nullptr; }},
    };
    for (const auto& b : buttons) {
        b.button->Click();
        CJWindow* top = m_game->GetScreenWindow()->GetModalWindow();
        ASSERT_TRUE(b.isExpected(top)) << b.button->GetText();
        // Closing it gives the options back.
        top->Close();
        Step();
        ASSERT_EQ(Top<COptionsMenu>(), options) << b.button->GetText();
    }
    options->Close();
    Step();

    // F1 outside any dialog shows player 1's controls; a second F1 over it opens no other.
    m_game->OnKey(19);
    auto* controls = Top<CControlsDialog>();
    ASSERT_NE(controls, nullptr);
    m_game->OnKey(19);
    EXPECT_EQ(Top<CControlsDialog>(), controls);
}

TEST_F(GamePlay, ScreenshotsTakeTheNextFreeNameAndNeverOverwrite)
{
    Play();
    {
        std::ofstream existing("Vantorel Screen Shot 00.TGA", std::ios::binary);
        existing << "kept";
    }
    Key(kF10);
    Key(kF10);
    EXPECT_EQ(ReadFile("Vantorel Screen Shot 00.TGA"), "kept");
    for (const char* name : {"Vantorel Screen Shot 01.TGA", "Vantorel Screen Shot 02.TGA"}) {
        CFrame shot;
        ASSERT_TRUE(shot.LoadTga(name, nullptr, nullptr, VF_VERBATIM)) << name;
        EXPECT_EQ(shot.GetWidth(), 640);
        EXPECT_EQ(shot.GetHeight(), 480);
    }
    EXPECT_FALSE(std::filesystem::exists("Vantorel Screen Shot 03.TGA"));
}

TEST_F(GamePlay, AnyKeyEndsADemoAndWritesNothing)
{
    CCommercial commercial;
    AddRecordedClip(commercial, 600);
    m_game->GoToMainMenu();
    Step();
    m_game->StartDemo(&commercial);
    ASSERT_EQ(m_game->GetCurrentCommercial(), &commercial);
    Step();
    Key(kF10);
    Step();
    EXPECT_EQ(m_game->GetCurrentCommercial(), nullptr);
    EXPECT_EQ(m_game->GetMode(), CGame::kModeMainMenu);
    EXPECT_FALSE(std::filesystem::exists("Vantorel Screen Shot 00.TGA"));
}

TEST_F(GamePlay, F5CyclesTheDetailLevelAndStoresIt)
{
    Play();
    m_game->SetBackgroundDetailLevel(2);
    for (int expected : {1, 0, 2, 1}) {
        Key(kF5);
        EXPECT_EQ(m_game->GetBackgroundDetailLevel(), expected);
        EXPECT_EQ(ReadConfigInt(g_configFile.GetPath(), g_configFile.GetSection(), "Background Detail Level", -1),
                  expected);
    }
}

TEST_F(GamePlay, TheBackgroundDialogsLevelReachesTheRunningGame)
{
    Play();
    m_game->SetBackgroundDetailLevel(2);
    EXPECT_TRUE(SetGameBackgroundDetailLevel(0));
    EXPECT_EQ(m_game->GetBackgroundDetailLevel(), 0);
    EXPECT_EQ(m_game->GetPlayfield()->GetBackgroundDetailLevel(), 0);
    EXPECT_EQ(GetGameBackgroundDetailLevel(), 0);
    EXPECT_FALSE(SetGameBackgroundDetailLevel(3));
    EXPECT_EQ(m_game->GetBackgroundDetailLevel(), 0);
}

TEST_F(GamePlay, TheShipReachesBothSidesOfTheFieldWithThePointer)
{
    Play();
    CSprite* ship = m_game->GetPlayfield()->GetShip().GetHead();
    ASSERT_NE(ship, nullptr);
    struct Case
    {
        int pointerX;
        float shipX;
    };
    for (const Case& c : {Case{0, 30.0f}, Case{639, 481.0f}, Case{320, 256.0f}, Case{5, 34.0f}}) {
        g_mouse.SetPositionFromInput(c.pointerX, 400);
        Step(3);
        EXPECT_EQ(ship->GetPosition().m_x, c.shipX) << c.pointerX;
        EXPECT_EQ(g_mouse.GetX(), c.pointerX) << "the pointer stays where the player put it";
    }
}

TEST_F(GamePlay, CheatWordsCostTheScoreOnlyWhenTheyCount)
{
    Play();
    m_game->SetScore(500);
    Type("CheatGun");
    EXPECT_EQ(m_game->GetScore(), 0u);
    EXPECT_TRUE(m_game->IsCheated());
    CShipAI* ship = FindSpriteAI<CShipAI>(m_game->GetPlayfield()->GetShip().GetHead());
    ASSERT_NE(ship, nullptr);
    EXPECT_EQ(ship->GetGunType(), 1u);
    const uint32_t shield = ship->GetShieldSize();
    Type("Cheatgrow");
    EXPECT_EQ(ship->GetShieldSize(), shield + 1);
    Type("CheatShrink");
    EXPECT_EQ(ship->GetShieldSize(), shield);

    // The last round has no next one: no cheat.
    Play(CPlayfield::GetTotalRoundCount() - 1);
    m_game->ResetCurrentGame();
    m_game->SetScore(500);
    Type("CheatNext");
    EXPECT_EQ(m_game->GetScore(), 500u);
    EXPECT_FALSE(m_game->IsCheated());

    // The held ball is not killed (Enter lays the bricks at once; the ship then holds a ball).
    Key(kEnter);
    Step(3);
    CSprite* ball = m_game->GetPlayfield()->GetBalls().GetHead();
    ASSERT_NE(ball, nullptr);
    const CFloatPoint before = ball->GetPosition();
    Type("KillMeNow");
    EXPECT_EQ(ball->GetPosition(), before);
    EXPECT_EQ(m_game->GetPlayfield()->GetBalls().GetHead(), ball);

    // Not playing: no cheat.
    m_game->GoToMainMenu();
    m_game->ResetCurrentGame();
    m_game->SetScore(500);
    Type("CheatGun");
    EXPECT_EQ(m_game->GetScore(), 500u);
    EXPECT_FALSE(m_game->IsCheated());

    Type(kCrazyPointsWord);
    EXPECT_EQ(GetPointsDisplayFactor(), 57);
    Type(kCrazyPointsWord);
    EXPECT_EQ(GetPointsDisplayFactor(), 1);
}

TEST_F(GamePlay, PanelShowsTheCurrentAdvertisementUnderTheFrame)
{
    Play();
    CAdvertisementRotator* rotator = m_game->GetAdvertisementRotator();
    ASSERT_NE(rotator, nullptr);
    ASSERT_EQ(rotator->GetCount(), 3u);
    auto* picture = dynamic_cast<CFrameInterface*>(CFrameCollection::GetInstance().GetItem(rotator->GetCurrent()));
    ASSERT_NE(picture, nullptr);
    // The frame is open over the advertisement: the back buffer shows its pixels unchanged (the
    // picture may be run-length encoded, so it is copied out to compare).
    CFrame plain;
    plain.Create(108, 108, m_game->GetBackBuffer()->GetBitsPerPixel());
    ASSERT_TRUE(plain.DrawFrameAt(picture, 0, 0, &g_copyBlitter));
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{54, 54}, std::pair{107, 20}, std::pair{30, 107}})
        EXPECT_EQ(m_game->GetBackBuffer()->GetRawPixel(524 + x, 337 + y), plain.GetRawPixel(x, y)) << x << "," << y;
}

TEST_F(GamePlay, LivesRedrawOnlyAfterTheScoreAreaIsInvalidated)
{
    Play();
    Step(3);
    EXPECT_EQ(m_game->GetPendingBackground().m_right, 0);
    const int32_t height = CFontCollection::GetInstance().FindFont("Numbers Blue")->GetHeight();
    m_game->GetPlayfield()->SetLives(7);
    const CIntRect pending = m_game->GetPendingBackground();
    EXPECT_EQ(pending.m_left, 524);
    EXPECT_EQ(pending.m_top, 281);
    EXPECT_EQ(pending.m_right, 624);
    EXPECT_EQ(pending.m_bottom, 281 + height);
    const std::string name = m_game->GetPlayfield()->GetBrickLayout().GetDisplayName().CStr();
    const std::string title = "Round 1-1: " + (name.empty() ? std::string("Round with no name") : name) + "   ";
    EXPECT_EQ(m_game->GetRoundTitle().CStr(), title + title);
}

} // namespace
#endif
