// From the main menu's "&Play Game" through the player, new-game and resume dialogs into play,
// over the project's data set with round sets made by each test; and suspending and resuming a
// game across a restart of the game object.
#include "../game/BrickTestSupport.h"
#include "GameFixture.h"
#include "OwnRounds.h"
#include "TestSupport.h"
#include "game/Playfield.h"
#include "game/rounds/RoundSetCollection.h"
#include "shell/MainMenuWindow.h"
#include "shell/dialogs/NewGameOptionsDialog.h"
#include "shell/dialogs/PlayerDialog.h"
#include "shell/dialogs/ResumeGameDialog.h"
#include "shell/dialogs/RoundButton.h"
#include "shell/dialogs/SelectPlayerDialog.h"
#include "shell/stats/Stats.h"
#include "ui/JCheckButton.h"
#include "ui/ScreenWindow.h"
#include "ui/UiKeys.h"
#include "ui/controls/JEditField.h"
#include "ui/controls/JMessageWindow.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>

#ifdef VANTOREL_DATA_DIR
namespace {

constexpr uint32_t kEasy = 0, kNormal = 1, kHard = 2;

class PlayerFlow : public GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        PrepareGame();
    }
    // A round of the test's own, which every round of its sets plays.
    void PrepareData(const std::filesystem::path&) override
    {
        ownrounds::WriteLayout("Own", ownrounds::LayoutText("Own", {"Bricks/Normal"}, {"", "", ".1111111.."}));
    }
    void TearDown() override
    {
        GameFixture::TearDown();
        // The sets' folder goes with the test.
        CRoundSetCollection::GetInstance().FreeEntries();
    }
    void PrepareGame()
    {
        UseTestRoundSets();
        m_game->GoToMainMenu();
        Step();
    }
    // The data set's round sets give way to m_sets sets of ten rounds of the test's layout, with
    // checkpoints at rounds 0 and 5, written to files in a folder of the test's own.
    void UseTestRoundSets()
    {
        const std::filesystem::path folder = m_folder.Path() / "Sets";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directory(folder);
        std::vector<CSharedString> names;
        for (int s = 0; s < m_sets; ++s) {
            char name[16];
            std::snprintf(name, sizeof name, "Set%02d", s);
            testsupport::WriteFileBytes(folder / (std::string(name) + ".RoundSet"),
                                        bricktest::RoundSetText(std::vector<std::string>(10, "Rounds/Own"), {0, 5}));
            names.emplace_back(name);
        }
        CRoundSetCollection& sets = CRoundSetCollection::GetInstance();
        sets.SetFolder(folder.string().c_str());
        sets.SetEntries(names);
    }
    // A fresh game object, as a restart of the program makes it: the statistics read from the file.
    void Restart()
    {
        delete m_game;
        g_keyboard = CKeyboard();
        g_mouse = CMouse();
        m_game = new CGame(nullptr);
        m_game->MarkConstructed();
        m_game->Init(nullptr);
        PrepareGame();
    }
    void Key(int32_t key)
    {
        m_game->GetScreenWindow()->OnKey(key);
        Step();
    }
    // The top modal window as the given dialog class; null when it is another.
    template <class T> T* Top() const { return dynamic_cast<T*>(m_game->GetScreenWindow()->GetModalWindow()); }
    void Click(CJWindow* button)
    {
        ASSERT_NE(button, nullptr);
        button->Activate();
        Step();
    }
    CStats& Stats() const { return *m_game->GetStats(); }
    // The statistics file as text, decompressed by Python.
    std::string FileText() const
    {
        const std::string dir = m_folder / "";
        if (testsupport::RunCommand("cd '" + dir + "' && python3 -c \"import zlib;d=open('Stats.dat','rb').read();"
                                    "open('text','wb').write(zlib.decompress(d[9:]))\"") != 0)
            return "";
        return testsupport::ReadFileBytes(m_folder / "text");
    }
    CSelectPlayerDialog* OpenSelect()
    {
        Click(CMainMenuWindow::GetOpen() ? CMainMenuWindow::GetOpen()->GetPlayButton() : nullptr);
        return Top<CSelectPlayerDialog>();
    }
    CNewGameOptionsDialog* OpenNewGame()
    {
        CSelectPlayerDialog* select = OpenSelect();
        if (!select)
            return nullptr;
        Key(uikey::kEnter);
        return Top<CNewGameOptionsDialog>();
    }

    // The holder keeps its height unless the dialog, shown, would then not fit on the screen: it
    // then ends kBottomGap above the screen's bottom, with at least a row of buttons in view.
    static void ExpectFittedHolder(const CNewGameOptionsDialog& dialog)
    {
        const int32_t holder = dialog.GetHolder()->GetHeight();
        EXPECT_LE(holder, CNewGameOptionsDialog::kHolderHeight);
        EXPECT_GE(holder, dialog.GetRoundButtons().front()->GetHeight());
        if (holder < CNewGameOptionsDialog::kHolderHeight) {
            EXPECT_EQ(dialog.GetRect().m_bottom, 480 - CNewGameOptionsDialog::kBottomGap);
        }
        EXPECT_EQ(dialog.GetRect().m_top, CNewGameOptionsDialog::kShownY);
    }

    // A click of the pointer in the middle of the window, as the player makes it.
    void PointerClick(const CJWindow* window)
    {
        ASSERT_NE(window, nullptr);
        const CIntRect& rect = window->GetScreenRect();
        const int x = (rect.m_left + rect.m_right) / 2, y = (rect.m_top + rect.m_bottom) / 2;
        for (platform::EventType type : {platform::EventType::MouseMove, platform::EventType::MouseDown,
                                         platform::EventType::MouseUp}) {
            platform::GetHeadlessBackend().QueueEvent(platform::Event::Mouse(type, x, y, platform::kMouseLeft));
            Step();
        }
    }
    // A statistics file of that many profiles, "Player 1" on, the last one current, read by a restart.
    void RestartWithProfiles(uint32_t count)
    {
        delete m_game;
        m_game = nullptr;
        std::string text = "CStats\n{\n\tPlayers=Array\n\t{\n\t\tItem Count=" + std::to_string(count) + "\n";
        for (uint32_t i = 0; i < count; ++i)
            text += "\t\tPlayer=CPlayerStats\n\t\t{\n\t\t\tName=Player " + std::to_string(i + 1) + "\n\t\t}\n";
        text += "\t}\n\tCurrent Player=" + std::to_string(count - 1) + "\n}\n";
        testsupport::WriteFileBytes(m_folder.Path() / "Stats.dat", text);
        Restart();
    }

    int m_sets = 2;
};

TEST_F(PlayerFlow, EnterThreeTimesStartsTheFirstRoundOnNormalForTheGuest)
{
    Key(uikey::kEnter);
    CSelectPlayerDialog* select = Top<CSelectPlayerDialog>();
    ASSERT_NE(select, nullptr);
    ASSERT_EQ(select->GetProfileButtons().size(), 1u);
    EXPECT_EQ(select->m_defaultButton, select->GetProfileButtons()[0]);
    Key(uikey::kEnter);
    ASSERT_NE(Top<CNewGameOptionsDialog>(), nullptr);
    Key(uikey::kEnter);
    EXPECT_EQ(m_game->GetMode(), CGame::kModePlaying);
    EXPECT_EQ(m_game->GetPlayfield()->GetRound(), 0u);
    EXPECT_EQ(m_game->GetDifficulty(), kNormal);
    EXPECT_EQ(m_game->GetScreenWindow()->GetModalWindow(), nullptr);
    // The menu stacked under the dialogs went with them.
    EXPECT_EQ(CMainMenuWindow::GetOpen(), nullptr);
}

TEST_F(PlayerFlow, NewPlayerSavedGoesBeforeTheGuestAndBecomesCurrent)
{
    CSelectPlayerDialog* select = OpenSelect();
    ASSERT_NE(select, nullptr);
    const std::string guest = Stats().GetPlayer(0)->GetName().CStr();
    Click(select->GetNewPlayerButton());
    CPlayerDialog* editor = Top<CPlayerDialog>();
    ASSERT_NE(editor, nullptr);
    EXPECT_STREQ(editor->GetText(), "New Player");
    EXPECT_STREQ(editor->GetNameField()->GetText(), "New Player");
    editor->GetNameField()->SetText("Ann");
    Click(editor->FindChildByName("Save"));

    ASSERT_EQ(Stats().GetPlayerCount(), 2u);
    EXPECT_STREQ(Stats().GetPlayer(0)->GetName().CStr(), "Ann");
    EXPECT_STREQ(Stats().GetPlayer(1)->GetName().CStr(), guest.c_str());
    EXPECT_EQ(Stats().GetCurrentPlayerIndex(), 0u);
    const std::string text = FileText();
    ASSERT_NE(text.find("Ann"), std::string::npos);
    EXPECT_LT(text.find("Ann"), text.find(guest));
    select = Top<CSelectPlayerDialog>();
    ASSERT_NE(select, nullptr);
    ASSERT_EQ(select->GetProfileButtons().size(), 2u);
    EXPECT_EQ(select->m_defaultButton, select->GetProfileButtons()[0]);
}

TEST_F(PlayerFlow, CancelledNewPlayerChangesNeitherListNorFile)
{
    ASSERT_TRUE(Stats().Save());
    const std::string before = testsupport::ReadFileBytes(m_folder / "Stats.dat");
    CSelectPlayerDialog* select = OpenSelect();
    ASSERT_NE(select, nullptr);
    Click(select->GetNewPlayerButton());
    CPlayerDialog* editor = Top<CPlayerDialog>();
    ASSERT_NE(editor, nullptr);
    editor->GetNameField()->SetText("Bob");
    Key(uikey::kEscape);
    EXPECT_EQ(Stats().GetPlayerCount(), 1u);
    EXPECT_EQ(testsupport::ReadFileBytes(m_folder / "Stats.dat"), before);
    ASSERT_NE(Top<CSelectPlayerDialog>(), nullptr);
    EXPECT_EQ(Top<CSelectPlayerDialog>()->GetProfileButtons().size(), 1u);
}

TEST_F(PlayerFlow, ShipStylesWrapBothWays)
{
    struct Case
    {
        uint32_t start;
        const char* button;
        int presses;
        uint32_t expected;
    } cases[] = {{0, ">", 6, 0}, {3, ">", 6, 3}, {0, "<", 1, 5}, {5, ">", 1, 0}, {2, "<", 3, 5}};
    for (const Case& c : cases) {
        Stats().GetPlayer(0)->SetShipStyle(c.start);
        auto* editor = new CPlayerDialog(m_game->GetScreenWindow(), "Edit Player", &Stats(), Stats().GetPlayer(0));
        m_game->GetScreenWindow()->OpenModalWindow(editor, kPlaceCentred);
        for (int i = 0; i < c.presses; ++i)
            Click(editor->FindChildByName(c.button));
        EXPECT_EQ(editor->GetWorkingStyle(), c.expected) << c.start << c.button << c.presses;
        // Only Save writes the style.
        EXPECT_EQ(Stats().GetPlayer(0)->GetShipStyle(), c.start);
        Key(uikey::kEscape);
        EXPECT_EQ(Top<CPlayerDialog>(), nullptr);
    }
}

TEST_F(PlayerFlow, NewPlayerIsDisabledFromThirteenProfiles)
{
    for (uint32_t count = 1; count <= 14; ++count) {
        CSelectPlayerDialog select(nullptr);
        ASSERT_EQ(select.GetProfileButtons().size(), count);
        EXPECT_EQ(select.GetNewPlayerButton()->IsEnabled(), count < 13) << count;
        auto* player = new CPlayerStats;
        player->SetPropertiesToDefaults();
        Stats().AddPlayer(player);
    }
}

// Thirteen profiles, as many as New Player makes, and a file of fifteen: every profile is shown on
// the page, chosen by the pointer, reached by the keyboard, and kept in the file.
TEST_F(PlayerFlow, EveryProfileFitsThePageAndIsReachedByPointerAndKeyboard)
{
    const auto onPage = [](const CIntRect& rect) {
        return rect.m_left >= 0 && rect.m_top >= 0 && rect.m_right <= 640 && rect.m_bottom <= 480;
    };
    for (const uint32_t count : {13u, 15u}) {
        SCOPED_TRACE(count);
        RestartWithProfiles(count);
        ASSERT_EQ(Stats().GetPlayerCount(), count);
        for (uint32_t i = 0; i < count; ++i) {
            SCOPED_TRACE(i);
            CSelectPlayerDialog* select = OpenSelect();
            ASSERT_NE(select, nullptr);
            ASSERT_EQ(select->GetProfileButtons().size(), count);
            EXPECT_TRUE(onPage(select->GetScreenRect())) << "the dialog";
            CJButton* button = select->GetProfileButtons()[i];
            for (int turns = 0; turns < 2 && !button->IsVisible(); ++turns)
                PointerClick(select->GetNextPageButton());
            ASSERT_TRUE(button->IsVisible());
            EXPECT_TRUE(onPage(button->GetScreenRect()));
            PointerClick(button);
            EXPECT_EQ(Stats().GetCurrentPlayerIndex(), i);
            EXPECT_NE(Top<CNewGameOptionsDialog>(), nullptr);
            Key(uikey::kEscape);
            Key(uikey::kEscape);
            ASSERT_EQ(Top<CSelectPlayerDialog>(), nullptr);
        }
        // The keyboard: Down runs round the shown buttons; Enter on ">" shows the next page.
        CSelectPlayerDialog* select = OpenSelect();
        ASSERT_NE(select, nullptr);
        std::set<const CJButton*> reached;
        for (int presses = 0; presses < 60; ++presses) {
            const bool turn = select->GetNextPageButton() && select->GetNextPageButton()->HasFocus() && presses > 20;
            Key(turn ? uikey::kEnter : uikey::kDown);
            for (const CJButton* button : select->GetProfileButtons())
                if (button->HasFocus() && button->IsVisible())
                    reached.insert(button);
        }
        EXPECT_EQ(reached.size(), count);
        Key(uikey::kEscape);
        Restart();
        EXPECT_EQ(Stats().GetPlayerCount(), count);
    }
}

TEST_F(PlayerFlow, NewProfileSeesNormalAndOnlyTheFirstRound)
{
    CNewGameOptionsDialog* dialog = OpenNewGame();
    ASSERT_NE(dialog, nullptr);
    for (uint32_t d = 0; d < 4; ++d)
        EXPECT_EQ(dialog->GetDifficultyButton(d)->IsChecked(), d == kNormal);
    const auto& buttons = dialog->GetRoundButtons();
    ASSERT_EQ(buttons.size(), 4u);
    const char* labels[] = {"1-1", "1-6", "2-1", "2-6"};
    for (size_t i = 0; i < buttons.size(); ++i) {
        EXPECT_STREQ(buttons[i]->GetLabel().CStr(), labels[i]);
        EXPECT_EQ(buttons[i]->ShowsDisabledLook(), i != 0) << i;
    }
    EXPECT_EQ(dialog->m_defaultButton, buttons[0]);
    // One row per set; the second row starts one button further right.
    EXPECT_EQ(buttons[1]->GetRect().m_top, buttons[0]->GetRect().m_top);
    EXPECT_GT(buttons[1]->GetRect().m_left, buttons[0]->GetRect().m_right);
    EXPECT_GT(buttons[2]->GetRect().m_top, buttons[0]->GetRect().m_bottom);
    EXPECT_EQ(buttons[2]->GetRect().m_left, buttons[0]->GetRect().m_right + CNewGameOptionsDialog::kHolderSpacing);
    ExpectFittedHolder(*dialog);
}

TEST_F(PlayerFlow, ReachedCheckpointsUnlockTheirButtonsOnly)
{
    Stats().GetPlayer(0)->SetCheckPointReached(0, 1);
    CNewGameOptionsDialog* dialog = OpenNewGame();
    ASSERT_NE(dialog, nullptr);
    const bool dimmed[] = {false, false, true, true};
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(dialog->GetRoundButtons()[i]->ShowsDisabledLook(), dimmed[i]) << i;

    // A dimmed button explains and starts nothing.
    Click(dialog->GetRoundButtons()[2]);
    auto* message = Top<CJMessageWindow>();
    ASSERT_NE(message, nullptr);
    EXPECT_STREQ(message->GetText(), "Round not enabled yet");
    EXPECT_NE(m_game->GetMode(), CGame::kModePlaying);
    Key(uikey::kEnter);
    EXPECT_EQ(Top<CNewGameOptionsDialog>(), dialog);
}

TEST_F(PlayerFlow, StartingStoresTheChoicesAndStartsTheAbsoluteRound)
{
    CPlayerStats* player = Stats().GetPlayer(0);
    player->SetCheckPointReached(1, 1);
    CNewGameOptionsDialog* dialog = OpenNewGame();
    ASSERT_NE(dialog, nullptr);
    Click(dialog->GetDifficultyButton(kHard));
    Click(dialog->GetRoundButtons()[3]);
    EXPECT_EQ(player->GetLastRoundSet(), 1u);
    EXPECT_EQ(player->GetLastCheckPoint(), 1u);
    EXPECT_EQ(player->GetLastDifficulty(), kHard);
    EXPECT_EQ(m_game->GetMode(), CGame::kModePlaying);
    EXPECT_EQ(m_game->GetPlayfield()->GetRound(), 15u);
    EXPECT_EQ(m_game->GetDifficulty(), kHard);
    // The next dialog remembers the button and the difficulty.
    m_game->GoToMainMenu();
    Step();
    dialog = OpenNewGame();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->m_defaultButton, dialog->GetRoundButtons()[3]);
    EXPECT_TRUE(dialog->GetDifficultyButton(kHard)->IsChecked());
}

TEST_F(PlayerFlow, UnknownDifficultyChecksNoneAndStartsNormal)
{
    Stats().GetPlayer(0)->SetLastDifficulty(7);
    CNewGameOptionsDialog* dialog = OpenNewGame();
    ASSERT_NE(dialog, nullptr);
    for (uint32_t d = 0; d < 4; ++d)
        EXPECT_FALSE(dialog->GetDifficultyButton(d)->IsChecked());
    Key(uikey::kEnter);
    EXPECT_EQ(m_game->GetDifficulty(), kNormal);
}

TEST_F(PlayerFlow, ManySetsScrollInTheFixedHolder)
{
    m_sets = 12;
    Restart();
    CNewGameOptionsDialog* dialog = OpenNewGame();
    ASSERT_NE(dialog, nullptr);
    CJWindow* holder = dialog->GetHolder();
    ExpectFittedHolder(*dialog);
    ASSERT_NE(holder->GetScrollState(), nullptr);
    EXPECT_GT(holder->GetScrollState()->m_contentHeight, CNewGameOptionsDialog::kHolderHeight);
}

class SuspendedGame : public PlayerFlow
{
protected:
    // A game on Easy left in round 12 with 3 lives and 4321 points.
    void SuspendInRound12()
    {
        m_game->StartNewGame(kEasy, 0);
        m_game->GetPlayfield()->StartRound(12);
        m_game->GetPlayfield()->SetLives(3);
        m_game->SetScore(4321);
        m_game->GetPlayfield()->SuspendGame();
    }
};

TEST_F(SuspendedGame, ResumesAfterARestartWithRoundLivesAndScore)
{
    m_game->StartNewGame(kNormal, 0);
    m_game->GetPlayfield()->SetLives(1);
    m_game->GetPlayfield()->SuspendGame();
    SuspendInRound12();
    const CSuspendedGameStats* snapshot = Stats().GetCurrentPlayer()->GetSuspendedGame();
    ASSERT_NE(snapshot, nullptr);
    EXPECT_EQ(snapshot->GetBallsLeft(), 3u);
    EXPECT_EQ(snapshot->GetEndingRound(), 12u);
    EXPECT_NE(FileText().find("Balls Left"), std::string::npos);

    Restart();
    ASSERT_NE(OpenSelect(), nullptr);
    Key(uikey::kEnter);
    ASSERT_NE(Top<CResumeGameDialog>(), nullptr);
    Key(uikey::kEscape);
    ASSERT_NE(Top<CSelectPlayerDialog>(), nullptr);
    Key(uikey::kEnter);
    ASSERT_NE(Top<CResumeGameDialog>(), nullptr);
    Key(uikey::kEnter);
    EXPECT_EQ(m_game->GetMode(), CGame::kModePlaying);
    EXPECT_EQ(m_game->GetPlayfield()->GetRound(), 12u);
    EXPECT_EQ(m_game->GetPlayfield()->GetLives(), 3);
    EXPECT_EQ(m_game->GetScore(), 4321u);
    EXPECT_EQ(m_game->GetDifficulty(), kEasy);
    EXPECT_EQ(Stats().GetCurrentPlayer()->GetSuspendedGame(), nullptr);
    EXPECT_EQ(FileText().find("Balls Left"), std::string::npos);
}

TEST_F(SuspendedGame, RoundGoneSinceResumesTheLastRound)
{
    SuspendInRound12();
    m_sets = 1;
    Restart();
    ASSERT_TRUE(m_game->GetPlayfield()->RestoreSuspendedGame());
    EXPECT_EQ(m_game->GetPlayfield()->GetRound(), 9u);
    EXPECT_EQ(m_game->GetPlayfield()->GetLives(), 3);
    EXPECT_EQ(m_game->GetScore(), 4321u);
    EXPECT_FALSE(m_game->GetPlayfield()->RestoreSuspendedGame());
}

} // namespace
#endif
