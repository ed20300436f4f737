// A statistics save that fails, through the running game: the player is told once, over whatever
// the step opened, what was not kept, the file and the system's reason; the old file stays and the
// game goes on. Once the game closes, the system's box tells i
#include "GameFixture.h"
#include "StatsTestHelpers.h"
#include "game/Playfield.h"
#include "shell/MainMenuWindow.h"
#include "shell/PauseMenu.h"
#include "shell/dialogs/PlayerDialog.h"
#include "shell/stats/Stats.h"
#include "ui/JButton.h"
#include "ui/ScreenWindow.h"
#include "ui/UiKeys.h"
#include "ui/controls/JEditField.h"
#include "ui/controls/JLabel.h"
#include "ui/controls/JMessageWindow.h"

#include <algorithm>
#include <functional>

#ifdef VANTOREL_DATA_DIR
namespace {

// Smaller than any statistics file: every save fails.
constexpr rlim_t kTooSmall = 64;
const std::string kTooLarge = "  The file \"Stats.dat\" could not be written: File too large.";

class StatsNotSaved : public GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        ToMenu();
    }
    void ToMenu()
    {
        m_game->GoToMainMenu();
        Step();
    }
    // A fresh game object, as a new run of the program makes i
    void Restart()
    {
        delete m_game;
        m_game = new CGame(nullptr);
        m_game->MarkConstructed();
        m_game->Init(nullptr);
        ToMenu();
    }
    CStats& Stats() const { return *m_game->GetStats(); }
    CScreenWindow* Screen() const { return m_game->GetScreenWindow(); }
    // The front window of the screen (a dialog the game opens may stand there without being modal).
    CJWindow* Top() const { return Screen()->GetFrontChild(); }
    std::string TopCaption() const { return Top() ? Top()->GetText() : ""; }
    // The text of the top message window.
    std::string MessageText() const
    {
        auto* message = dynamic_cast<CJMessageWindow*>(Top());
        for (CJWindow* w = message ? message->GetFrontChild() : nullptr; w; w = w->GetNextSibling())
            if (dynamic_cast<CJLabel*>(w)) {
                std::string text = w->GetText();
                std::replace(text.begin(), text.end(), '\n', ' '); // wrapped at the window's width
                return text;
            }
        return "";
    }
    void StartGame(uint32_t score)
    {
        CMainMenuWindow::CloseOpen();
        m_game->StartNewGame(1, 0);
        Step(2);
        m_game->SetScore(score);
    }
    void SaveProfile(CPlayerStats* existing)
    {
        auto* editor = new CPlayerDialog(Screen(), "Player", &Stats(), existing);
        Screen()->OpenModalWindow(editor, kPlaceCentred);
        editor->GetNameField()->SetText("Ann");
        editor->GetSaveButton()->Activate();
    }
    // Steps until a notice of a failed save shows (a finished game is recorded in the step after
    // its end); false when none came.
    bool StepToNotice()
    {
        for (int step = 0; step < 10; ++step) {
            Step();
            if (TopCaption() == "Statistics Not Saved")
                return true;
        }
        return false;
    }
    std::vector<platform::HeadlessBackend::MessageBoxRecord> Boxes() const
    {
        return platform::GetHeadlessBackend().GetMessageBoxes();
    }
};

TEST_F(StatsNotSaved, EachSaveTellsWhatWasLostOverWhatItsStepOpenedAndKeepsTheOldFile)
{
    struct Case
    {
        const char* lost;
        std::function<void()> before; // with room on the disk
        std::function<void()> save;   // on a full disk
        const char* under;                          // the window the notice stands over
    };
    const Case cases[] = {
        {"Your finished game was not saved.", nullptr,
         [this] {
             StartGame(500);
             m_game->GetPlayfield()->EndGame(0);
         },
         "Statistics"},
        {"The suspended game was not saved.", [this] { StartGame(321); },
         [] { CPauseMenu::Open()->SuspendGame(); }, "Game Suspended"},
        {"The resumed game was not saved.",
         [this] {
             StartGame(321);
             m_game->GetPlayfield()->SuspendGame();
             ToMenu();
         },
         [this] {
             CMainMenuWindow::CloseOpen();
             m_game->ResumeGame();
         },
         ""},
        {"The new player profile was not saved.", nullptr, [this] { SaveProfile(nullptr); },
         "Select Player"},
        {"The changes to the player profile were not saved.", nullptr,
         [this] { SaveProfile(Stats().GetPlayer(0)); }, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lost);
        Restart();
        if (c.before)
            c.before();
        ASSERT_TRUE(Stats().Save());
        const std::string old = testsupport::ReadFileBytes(m_folder / "Stats.dat");
        {
            statstest::FileSizeLimit full(kTooSmall);
            c.save();
            EXPECT_TRUE(StepToNotice());
            EXPECT_EQ(testsupport::ReadFileBytes(m_folder / "Stats.dat"), old);
        }
        EXPECT_EQ(MessageText(), c.lost + kTooLarge);
        m_game->GetScreenWindow()->OnKey(uikey::kEnter);
        Step();
        EXPECT_EQ(TopCaption(), c.under);
        EXPECT_TRUE(Boxes().empty());
    }
}

TEST_F(StatsNotSaved, OnePlaceInTheWayIsToldOnceARunWithItsReason)
{
    std::filesystem::create_directory(m_folder / "Stats.dat");
    StartGame(700);
    m_game->GetPlayfield()->EndGame(0);
    ASSERT_TRUE(StepToNotice());
    EXPECT_EQ(MessageText(), "Your finished game was not saved.  The file \"Stats.dat\" could not be written: Is a "
                             "directory.");
    Screen()->OnKey(uikey::kEnter);
    Step();
    // The game goes on: its dialog shows the kept game, and closes to the menu.
    EXPECT_EQ(TopCaption(), "Statistics");
    EXPECT_EQ(Stats().GetCurrentPlayer()->GetGameCount(), 1u);
    Screen()->OnKey(uikey::kEscape);
    Step();
    EXPECT_NE(CMainMenuWindow::GetOpen(), nullptr);
    // The next failure of the same file says nothing new.
    SaveProfile(Stats().GetPlayer(0));
    Step(3);
    EXPECT_EQ(TopCaption(), "");
    delete m_game;
    m_game = nullptr;
    EXPECT_TRUE(Boxes().empty());
    std::filesystem::remove(m_folder / "Stats.dat");
}

TEST_F(StatsNotSaved, ClosingGameTellsThroughTheSystemsBoxOnce)
{
    struct Case
    {
        const char* lost;
        std::function<void()> last; // on a full disk, just before the game goes
    };
    const Case cases[] = {
        {"Your statistics were not saved.", [] {}},
        {"The suspended game was not saved.",
         [this] {
             StartGame(321);
             m_game->OnClosing();
         }},
        // Failed in the last step, not shown ye
        {"The new player profile was not saved.", [this] { SaveProfile(nullptr); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lost);
        Restart();
        platform::GetHeadlessBackend().ClearMessageBoxes();
        {
            statstest::FileSizeLimit full(kTooSmall);
            c.last();
            delete m_game;
            m_game = nullptr;
        }
        const auto boxes = Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, "Statistics Not Saved");
        EXPECT_EQ(boxes[0].text, c.lost + kTooLarge);
    }
}

} // namespace
#endif
