#include "shell/dialogs/StatisticsDialog.h"

#include "foundation/LocalizedString.h"
#include "shell/Game.h"
#include "shell/dialogs/HighScoresPage.h"
#include "shell/dialogs/PlayersPage.h"
#include "shell/dialogs/DialogButton.h"
#include "ui/JButton.h"
#include "ui/JListBox.h"
#include "ui/JTabControl.h"
#include "ui/ScreenWindow.h"
#include "ui/controls/JLabel.h"

#include <algorithm>

namespace {

CLocalizedString g_statisticsCaption("Statistics");
CLocalizedString g_statisticsClose("Close");

constexpr uint32_t kDifficultyCount = 4;
// The tabs before the first difficulty's page: "Players" and "High Scores".
constexpr uint32_t kFirstDifficultyTab = 2;

CGame* TheGame()
{
    return dynamic_cast<CGame*>(g_application);
}

bool IsDifficulty(int32_t difficulty)
{
    return difficulty >= 0 && static_cast<uint32_t>(difficulty) < kDifficultyCount;
}

} // namespace

CStatisticsDialog::CStatisticsDialog(CJWindow* parent, int32_t difficulty, const CGameStats* highlighted,
                                     const char* message, CStats* stats)
    : CJDialog(parent, g_statisticsCaption.CStr())
{
    if (!IsDifficulty(difficulty))
        difficulty = kFromMenu;
    if (CGame* game = TheGame())
        game->RequestBlankBackground(true);
    AddCloseButton();
    m_tabs = new CJTabControl(this);
    m_tabs->AddPage(new CPlayersPage(m_tabs, this, stats));
    AddHighScoresPage(CHighScoresPage::kAllDifficulties, difficulty, highlighted, message, stats);
    for (uint32_t level = 0; level < kDifficultyCount; ++level)
        AddHighScoresPage(level, difficulty, highlighted, message, stats);
    m_tabs->FitPages();
    m_tabs->SelectPage(difficulty == kFromMenu ? 0 : static_cast<uint32_t>(difficulty) + kFirstDifficultyTab, true);
    AddChild(m_tabs, kPlaceTopLeft, nullptr, kDefaultOffset, kDefaultOffset, 0);
    auto* close = MakeDialogButton(this, g_statisticsClose.CStr());
    AddChild(close, kPlaceBelowPreviousCentred, nullptr, kDefaultOffset, kDefaultOffset, 0);
    m_close = close;
    m_defaultButton = close;
    m_cancelButton = close;
}

CStatisticsDialog::~CStatisticsDialog()
{
    if (CGame* game = TheGame())
        game->RequestBlankBackground(false);
}

void CStatisticsDialog::AddHighScoresPage(uint32_t filter, int32_t difficulty, const CGameStats* highlighted,
                                          const char* message, CStats* stats)
{
    auto* page = new CHighScoresPage(m_tabs, filter, highlighted, stats);
    m_tabs->AddPage(page);
    // The finished game belongs to the page of its difficulty, or to the all-difficulties page
    // when the dialog was given none.
    const bool forThisPage = static_cast<uint32_t>(difficulty) == filter;
    if (!forThisPage)
        return;
    if (highlighted && page->GetHighlightedRow() >= 0)
        page->GetList()->SelectItemById(static_cast<uint32_t>(page->GetHighlightedRow()), true);
    if (message) {
        CJListBox* list = page->GetList();
        m_message = new CJLabel(page, "");
        m_message->m_wrapWidth = list->GetWidth();
        m_message->SetText(message);
        page->ShrinkList(m_message->GetHeight());
        page->AddChild(m_message, kPlaceBelow, list, kDefaultOffset, kDefaultOffset, 0);
    }
}

bool CStatisticsDialog::Close()
{
    CGame* game = TheGame();
    if (game && !game->IsPlaying() && !game->IsInMenu())
        game->GoToMainMenu();
    return CJDialog::Close();
}

void CStatisticsDialog::OnCommand(CJWindow* sender, int32_t code)
{
    if (code == kCommandClicked && sender && sender == m_close) {
        Close();
        return;
    }
    if (code == kCommandFirstShown) {
        // Near the top, but never so low that "Close" leaves the screen in a large font.
        const int32_t room = GetParent() ? GetParent()->GetHeight() - GetHeight() : kFirstShownY;
        SetPosition(GetRect().m_left, std::max(std::min<int32_t>(kFirstShownY, room), 0));
        return;
    }
    CJDialog::OnCommand(sender, code);
}

CStatisticsDialog* OpenStatisticsDialog(int32_t difficulty, const CGameStats* highlighted, const char* message)
{
    CScreenWindow* screen = GetGame() ? GetGame()->GetScreenWindow() : nullptr;
    if (!screen)
        return nullptr;
    auto* dialog = new CStatisticsDialog(screen, difficulty, highlighted, message, GetStats());
    g_application->ShowModalWindow(dialog, true);
    return dialog;
}
