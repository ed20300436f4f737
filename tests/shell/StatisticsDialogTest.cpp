// The statistics dialog over statistics made here: the page and selection it opens on, the
// message under the finished game's table, the orders of its columns (numbers by value of any
// size, difficulties by level), and editing and deleting profiles, the guest protected.
#include "../ui/InputTestSupport.h"
#include "StatsTestHelpers.h"
#include "shell/dialogs/HighScoresPage.h"
#include "shell/dialogs/PlayerDialog.h"
#include "shell/dialogs/PlayersPage.h"
#include "shell/dialogs/StatisticsDialog.h"
#include "ui/JButton.h"
#include "ui/JHeader.h"
#include "ui/JListBox.h"
#include "ui/JTabControl.h"
#include "ui/WindowWatch.h"
#include "ui/controls/JEditField.h"
#include "ui/controls/JLabel.h"
#include "ui/controls/JMessageWindow.h"

#include <string>
#include <vector>

using namespace uitest;
using statstest::NewGame;
using statstest::NewPlayer;

namespace {

enum Tab : uint32_t { kPlayersTab = 0, kAllScoresTab = 1, kEasyTab = 2, kHardTab = 4 };

class StatisticsDialogTest : public ScreenInputTest
{
protected:
    void SetUp() override
    {
        ScreenInputTest::SetUp();
        m_stats.Load(CStats::kFileName);  // no file: the guest alone
        m_ann = NewPlayer("Ann");
        m_bob = NewPlayer("Bob");
        m_stats.AddPlayer(m_ann);
        m_stats.AddPlayer(m_bob);  // Ann, Bob, guest; Bob current
        m_ann->AppendGame(NewGame(1000, 2));
        m_ann->AppendGame(NewGame(20000, 0));
        m_bob->AppendGame(NewGame(3000000000u, 3));
        m_bob->AppendGame(NewGame(2000000000u, 1));
        m_bob->AppendGame(NewGame(9, 2));
    }
    void TearDown() override
    {
        m_dialog.Watch(nullptr);
        ScreenInputTest::TearDown();
    }

    CStatisticsDialog* Open(int32_t difficulty, const CGameStats* game, const char* message)
    {
        auto* dialog = new CStatisticsDialog(nullptr, difficulty, game, message, &m_stats);
        m_screen->OpenModalWindow(dialog, kPlaceCentred);
        m_dialog.Watch(dialog);
        return dialog;
    }
    CStatisticsPage* Page(uint32_t tab) { return static_cast<CStatisticsPage*>(Dialog()->GetTabs()->GetPage(tab)); }
    CStatisticsDialog* Dialog() { return static_cast<CStatisticsDialog*>(m_dialog.Get()); }
    CPlayersPage* Players() { return static_cast<CPlayersPage*>(Page(kPlayersTab)); }

    // The cells of one column, top row first, as the list shows them.
    std::vector<std::string> Column(uint32_t tab, uint32_t column)
    {
        CJListBox* list = Page(tab)->GetList();
        std::vector<std::string> cells;
        for (uint32_t row = 0; row < list->GetRowCount(); ++row) {
            std::string text = list->GetRowText(row);
            for (uint32_t c = 0; c < column; ++c)
                text = text.substr(text.find('\t') + 1);
            cells.push_back(text.substr(0, text.find('\t')));
        }
        return cells;
    }
    void SortBy(uint32_t tab, uint32_t column)
    {
        Page(tab)->GetHeader()->SetSortColumn(column);
        Page(tab)->GetList()->SortAllRows();
    }
    // Selects the row whose first cell is the name.
    void SelectPlayer(const char* name)
    {
        const std::vector<std::string> names = Column(kPlayersTab, 0);
        for (size_t row = 0; row < names.size(); ++row)
            if (names[row] == name)
                Players()->GetList()->SelectRow(static_cast<int32_t>(row), true);
    }
    template <class Window>
    Window* FrontOf(CJWindow* parent)
    {
        return dynamic_cast<Window*>(parent->GetFrontChild());
    }

    statstest::WorkFolder m_folder;
    CStats m_stats;
    CPlayerStats* m_ann = nullptr;
    CPlayerStats* m_bob = nullptr;
    CWindowWatch m_dialog{nullptr};
};

TEST_F(StatisticsDialogTest, FromTheMenusPlayersShowFirstWithNothingSelectedAndNoMessage)
{
    Open(CStatisticsDialog::kFromMenu, nullptr, nullptr);
    EXPECT_EQ(Dialog()->GetTabs()->GetCurrentPage(), kPlayersTab);
    EXPECT_EQ(Dialog()->GetTabs()->GetPageCount(), 6u);
    for (uint32_t tab = 0; tab < 6; ++tab)
        EXPECT_EQ(Page(tab)->GetList()->GetSelectedRow(), -1) << tab;
    EXPECT_EQ(Dialog()->GetMessageLabel(), nullptr);
    const char* titles[] = {"Players", "High Scores", "Easy", "Normal", "Hard", "Insane"};
    for (uint32_t tab = 0; tab < 6; ++tab)
        EXPECT_STREQ(Page(tab)->GetText(), titles[tab]);
    // Sorted by name.
    EXPECT_EQ(Column(kPlayersTab, 0), (std::vector<std::string>{"Ann", "Anonymous Guest", "Bob"}));
    EXPECT_STREQ(m_stats.GetPlayer(2)->GetName().CStr(), "Anonymous Guest");
    // "Close" answers Escape.
    Stroke(platform::kKeyEscape, 27);
    EXPECT_FALSE(m_dialog.IsAlive());
}

TEST_F(StatisticsDialogTest, AtGameOverTheGamesTabShowsItSelectedWithTheMessage)
{
    const struct
    {
        bool archived;
        uint32_t difficulty;
        Tab tab;
    } cases[] = {{true, 2, kHardTab}, {false, 2, kHardTab}, {true, 0, kEasyTab}};
    for (const auto& c : cases) {
        const CGameStats* game = nullptr;
        if (c.archived) {
            m_ann->AppendGame(NewGame(4321, c.difficulty));
            game = m_ann->GetGame(m_ann->GetGameCount() - 1);
        }
        Open(static_cast<int32_t>(c.difficulty), game, "Your score of 4,321 ranks well.");
        EXPECT_EQ(Dialog()->GetTabs()->GetCurrentPage(), static_cast<uint32_t>(c.tab));
        CJListBox* list = Page(c.tab)->GetList();
        if (c.archived) {
            ASSERT_GE(list->GetSelectedRow(), 0);
            EXPECT_EQ(std::string(list->GetRowText(static_cast<uint32_t>(list->GetSelectedRow()))).substr(0, 10),
                      "Ann\t4,321\t");
        } else {
            EXPECT_EQ(list->GetSelectedRow(), -1);
        }
        CJLabel* message = Dialog()->GetMessageLabel();
        ASSERT_NE(message, nullptr);
        EXPECT_EQ(message->GetParent(), Page(c.tab));
        EXPECT_GE(message->GetRect().m_top, list->GetRect().m_bottom);
        EXPECT_EQ(list->GetHeight() + message->GetHeight() + Page(c.tab)->GetSpacing(), CStatisticsPage::kListHeight);
        // No other page is touched.
        EXPECT_EQ(Page(kAllScoresTab)->GetList()->GetSelectedRow(), -1);
        Dialog()->Close();
        EXPECT_FALSE(m_dialog.IsAlive());
    }
}

TEST_F(StatisticsDialogTest, ColumnsSortByValueAndByLevel)
{
    Open(CStatisticsDialog::kFromMenu, nullptr, nullptr);
    // Score, highest first, past the signed range and not as text.
    EXPECT_EQ(Column(kAllScoresTab, 1), (std::vector<std::string>{"3,000,000,000", "2,000,000,000", "20,000", "1,000", "9"}));
    EXPECT_EQ(Column(kHardTab, 1), (std::vector<std::string>{"1,000", "9"}));
    SortBy(kAllScoresTab, 2);
    EXPECT_EQ(Column(kAllScoresTab, 2), (std::vector<std::string>{"Easy", "Normal", "Hard", "Hard", "Insane"}));
    SortBy(kAllScoresTab, 0);
    EXPECT_EQ(Column(kAllScoresTab, 0), (std::vector<std::string>{"Ann", "Ann", "Bob", "Bob", "Bob"}));
}

TEST(CompareHighScoreCells, ComparesNumbersByValueNamesIgnoringCaseAndLevelsInOrder)
{
    const struct
    {
        int32_t column;
        const char* a;
        const char* b;
        int expected;
    } cases[] = {
        {1, "9", "10", -1},
        {1, "20000", "1000", 1},
        {1, "3000000000", "2000000000", 1},
        {1, "18446744073709551616", "18446744073709551615", 1},  // past 64 bits
        {1, "0042", "42", 0},
        {1, "", "0", 0},
        {3, "1.5", "1.25", 1},
        {3, "1.50", "1.5", 0},
        {0, "ann", "ANN", 0},
        {0, "Ann", "bob", -1},
        {2, "Easy", "Insane", -1},
        {2, "Hard", "Normal", 1},
        {2, "Hard", "Hard", 0},
    };
    for (const auto& c : cases) {
        const int result = CompareHighScoreCells(c.column, c.a, c.b, nullptr, 0, 0);
        EXPECT_EQ((result > 0) - (result < 0), c.expected) << c.column << " " << c.a << " " << c.b;
    }
}

TEST_F(StatisticsDialogTest, EditSavesTheFileAndThePageShowsItWhenFocusedAgain)
{
    Open(CStatisticsDialog::kFromMenu, nullptr, nullptr);
    SelectPlayer("Ann");
    Players()->OnCommand(Players()->GetEditButton(), kCommandClicked);
    auto* editor = FrontOf<CPlayerDialog>(m_screen.get());
    ASSERT_NE(editor, nullptr);
    EXPECT_STREQ(editor->GetText(), "Edit Player");
    EXPECT_TRUE(Players()->IsDirty());
    editor->GetNameField()->SetText("Anna");
    editor->OnCommand(editor->GetSaveButton(), kCommandClicked);
    Step();
    // Written at once.
    CStats reread;
    ASSERT_TRUE(reread.Load(CStats::kFileName));
    EXPECT_STREQ(reread.GetPlayer(0)->GetName().CStr(), "Anna");
    // The editor's close gave the focus back: the page shows the new name.
    EXPECT_FALSE(Players()->IsDirty());
    EXPECT_EQ(Column(kPlayersTab, 0)[0], "Anna");
}

TEST_F(StatisticsDialogTest, DeleteAsksFirstAndTheCurrentProfileFallsBackToTheFirst)
{
    Open(CStatisticsDialog::kFromMenu, nullptr, nullptr);
    ASSERT_EQ(m_stats.GetCurrentPlayerIndex(), 1u);
    SelectPlayer("Bob");
    Players()->OnCommand(Players()->GetDeleteButton(), kCommandClicked);
    auto* question = FrontOf<CJMessageWindow>(Dialog());
    ASSERT_NE(question, nullptr);
    EXPECT_STREQ(question->GetText(), "Delete Confirmation");
    EXPECT_EQ(m_stats.GetPlayerCount(), 3u);  // nothing gone before the answer
    // "Cancel" keeps the profile.
    question->GetOkButton()->Activate();
    Step();
    EXPECT_EQ(m_stats.GetPlayerCount(), 3u);

    // The page was refilled when the question went: the selection has to be made again.
    SelectPlayer("Bob");
    Players()->OnCommand(Players()->GetDeleteButton(), kCommandClicked);
    question = FrontOf<CJMessageWindow>(Dialog());
    ASSERT_NE(question, nullptr);
    auto* confirm = dynamic_cast<CJButton*>(question->FindChildByName("Delete Player"));
    ASSERT_NE(confirm, nullptr);
    confirm->Activate();
    Step();
    ASSERT_EQ(m_stats.GetPlayerCount(), 2u);
    EXPECT_STREQ(m_stats.GetPlayer(0)->GetName().CStr(), "Ann");
    EXPECT_EQ(m_stats.GetCurrentPlayerIndex(), 0u);
    Players()->SetFocus(true);
    EXPECT_EQ(Column(kPlayersTab, 0).size(), 2u);
    EXPECT_EQ(Players()->GetList()->GetSelectedRow(), -1);
    // A second delete finds no selection and removes nothing.
    Players()->DeleteSelected();
    EXPECT_EQ(m_stats.GetPlayerCount(), 2u);
}

TEST_F(StatisticsDialogTest, TheGuestAndAMissingSelectionCanBeNeitherEditedNorDeleted)
{
    Open(CStatisticsDialog::kFromMenu, nullptr, nullptr);
    const std::string guest = m_stats.GetPlayer(2)->GetName().CStr();
    for (bool selectGuest : {false, true}) {
        if (selectGuest)
            SelectPlayer(guest.c_str());
        for (CJButton* button : {Players()->GetEditButton(), Players()->GetDeleteButton()}) {
            CJWindow* front = Dialog()->GetFrontChild();
            CJWindow* top = m_screen->GetFrontChild();
            Players()->OnCommand(button, kCommandClicked);
            EXPECT_EQ(Dialog()->GetFrontChild(), front) << selectGuest;
            EXPECT_EQ(m_screen->GetFrontChild(), top) << selectGuest;
        }
        Players()->DeleteSelected();
        EXPECT_EQ(m_stats.GetPlayerCount(), 3u);
        EXPECT_FALSE(Players()->IsDirty());
    }
}

} // namespace
