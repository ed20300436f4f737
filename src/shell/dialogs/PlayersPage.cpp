#include "shell/dialogs/PlayersPage.h"

#include "game/Playfield.h"
#include "graphics/Font.h"
#include "shell/dialogs/PlayerDialog.h"
#include "shell/dialogs/StatisticsTexts.h"
#include "shell/stats/Stats.h"
#include "ui/Callback.h"
#include "shell/dialogs/DialogButton.h"
#include "ui/JButton.h"
#include "ui/JHeader.h"
#include "ui/JListBox.h"
#include "ui/WindowWatch.h"
#include "ui/controls/JDialog.h"
#include "ui/controls/JMessageWindow.h"

namespace {

CLocalizedString g_playersTitle("Players");
CLocalizedString g_gamesText("Games");
CLocalizedString g_totalTimeText("Total Time");
CLocalizedString g_highestRoundText("Highest Round");
CLocalizedString g_bestScoreText("Best Score");
CLocalizedString g_editPlayerButton("Edit Player");
CLocalizedString g_deletePlayerText("Delete Player");
CLocalizedString g_deleteCancelText("Cancel");
CLocalizedString g_deleteConfirmationCaption("Delete Confirmation");
CLocalizedString g_deleteConfirmationText(
    "Are you sure you want to permanently delete \"%s\" and all associated scores?");

// The confirmation's "Delete Player": the page may have gone while the question stood.
class CDeleteSelectedCallback : public CCallback
{
public:
    explicit CDeleteSelectedCallback(CPlayersPage* page) : m_page(page) {}
    void Invoke() override
    {
        if (auto* page = static_cast<CPlayersPage*>(m_page.Get()))
            page->DeleteSelected();
    }

private:
    CWindowWatch m_page;
};

} // namespace

CPlayersPage::CPlayersPage(CJWindow* parent, CJDialog* owner, CStats* stats)
    : CStatisticsPage(parent, g_playersTitle.CStr(), stats), m_owner(owner)
{
    Build();
    m_header->SetTotalWidth(kWidth);
    m_edit = MakeDialogButton(this, g_editPlayerButton.CStr());
    ShrinkList(m_edit->GetHeight());
    AddChild(m_edit, kPlaceBelowPrevious, nullptr, kDefaultOffset, kDefaultOffset, 0);
    m_delete = MakeDialogButton(this, g_deletePlayerText.CStr());
    AddChild(m_delete, kPlaceRightOfPrevious, nullptr, kDefaultOffset, kDefaultOffset, 0);
}

void CPlayersPage::AddColumns()
{
    m_header->AddColumn(165, nullptr, kJustifyLeft, 1, 0, g_statisticsPlayerText.CStr());
    m_header->AddColumn(65, nullptr, kJustifyRight, 0, 1, g_gamesText.CStr());
    m_header->AddColumn(95, nullptr, kJustifyRight, 0, 1, g_totalTimeText.CStr());
    m_header->AddColumn(135, nullptr, kJustifyRight, 0, 1, g_highestRoundText.CStr());
    m_header->AddColumn(100, nullptr, kJustifyRight, 0, 1, g_bestScoreText.CStr());
}

void CPlayersPage::FillRows()
{
    const CStats* stats = m_stats;
    if (!stats)
        return;
    for (uint32_t i = 0; i < stats->GetPlayerCount(); ++i) {
        const CPlayerStats* player = stats->GetPlayer(i);
        CSharedString time;
        time.FormatHoursMinutesSeconds(player->GetCareerTotals().GetSecondsPlayed());
        CSharedString row;
        row.Format("%s\t%u\t%s\t%s\t%s", player->GetName().CStr(), player->GetCareerTotals().GetGamesFinished(),
                   time.CStr(), CPlayfield::FormatRoundLabel(player->GetCareerBest().GetEndingRound()).CStr(),
                   FormatCountWithCommas(player->GetCareerBest().GetPointsScored()).CStr());
        m_rows.Add(row.CStr(), i);
    }
}

int32_t CPlayersPage::GetEditableSelection() const
{
    const CStats* stats = m_stats;
    if (!stats || !m_list || m_list->GetSelectedRow() < 0)
        return -1;
    const uint32_t id = m_list->GetSelectedId();
    if (id >= m_rows.GetCount())
        return -1;
    const uint32_t index = m_rows.GetValue(id);
    return index + 1 < stats->GetPlayerCount() ? static_cast<int32_t>(index) : -1;
}

void CPlayersPage::OnCommand(CJWindow* sender, int32_t code)
{
    if (code == 0 && sender && (sender == m_edit || sender == m_list)) {
        EditSelected();
        return;
    }
    if (code == 0 && sender && sender == m_delete) {
        ConfirmDelete();
        return;
    }
    CStatisticsPage::OnCommand(sender, code);
}

void CPlayersPage::EditSelected()
{
    const int32_t index = GetEditableSelection();
    if (index < 0)
        return;
    CStats* stats = m_stats;
    auto* dialog = new CPlayerDialog(m_owner, g_statisticsEditPlayerCaption.CStr(), stats,
                                     stats->GetPlayer(static_cast<uint32_t>(index)));
    CJWindow* over = m_owner ? static_cast<CJWindow*>(m_owner) : this;
    over->OpenModalWindow(dialog, kPlaceCentred);
    m_dirty = true;
}

void CPlayersPage::ConfirmDelete()
{
    const int32_t index = GetEditableSelection();
    if (index < 0)
        return;
    CSharedString text;
    text.Format(g_deleteConfirmationText.GetFormat(), m_stats->GetPlayer(static_cast<uint32_t>(index))->GetName().CStr());
    const CSharedString cancel(g_deleteCancelText.CStr());
    auto* question = new CJMessageWindow(nullptr, CSharedString(g_deleteConfirmationCaption.CStr()), text,
                                         m_owner ? static_cast<CJWindow*>(m_owner) : this, &cancel, nullptr);
    question->AddButton(CSharedString(g_deletePlayerText.CStr()), new CDeleteSelectedCallback(this));
    m_dirty = true;
}

void CPlayersPage::DeleteSelected()
{
    const int32_t index = GetEditableSelection();
    if (index < 0)
        return;
    m_stats->RemovePlayer(static_cast<uint32_t>(index));
    // The rows' values are profile indexes that have just moved: a second delete before the page
    // is refilled would remove the wrong profile.
    Refill();
    m_dirty = true;
}

void CPlayersPage::SetFocus(bool focused)
{
    if (focused && m_dirty) {
        m_dirty = false;
        Refill();
    }
    CStatisticsPage::SetFocus(focused);
}
