#include "shell/dialogs/SelectPlayerDialog.h"

#include "foundation/LocalizedString.h"
#include "shell/Game.h"
#include "shell/dialogs/NewGameOptionsDialog.h"
#include "shell/dialogs/PlayerDialog.h"
#include "shell/dialogs/ResumeGameDialog.h"
#include "shell/stats/Stats.h"
#include "ui/JButton.h"
#include "ui/WindowToolkitState.h"

#include <algorithm>

namespace {

CLocalizedString s_selectPlayer("Select Player");
CLocalizedString s_newPlayerButton("New Player", "The button that creates a player profile");
CLocalizedString s_newPlayerCaption("New Player", "The caption of the dialog that creates a player profile");
constexpr int32_t kNewPlayerOffset = 6;

} // namespace

CSelectPlayerDialog::CSelectPlayerDialog(CJWindow* parent) : CJDialog(parent, s_selectPlayer)
{
    AddCloseButton();
    CStats* stats = GetStats();
    const uint32_t count = stats ? stats->GetPlayerCount() : 0;
    // Each further profile goes below the previous one, in a second column beside the first once
    // a column would run off the page; the pages lie on one another.
    const uint32_t rows = count <= kOneColumnMost ? count : std::min((count + 1) / 2, kRowsPerColumn);
    for (uint32_t i = 0; i < count; ++i) {
        auto* button = new CJButton(this, stats->GetPlayer(i)->GetName(), nullptr);
        button->SetWidth(kButtonWidth);
        const uint32_t slot = i % kPageSize;
        if (slot == 0)
            AddChild(button, kPlaceTopLeft, nullptr, kDefaultOffset, kDefaultOffset, 0);
        else if (slot == rows)
            AddChild(button, kPlaceRightOf, m_profileButtons[i - rows], kDefaultOffset, kDefaultOffset, 0);
        else
            AddChild(button, kPlaceBelowPrevious, nullptr, kDefaultOffset, kDefaultOffset, 0);
        m_profileButtons.push_back(button);
    }
    m_newPlayer = new CJButton(this, s_newPlayerButton, nullptr);
    m_newPlayer->SetEnabled(count < kMaxProfiles);
    // Below the longer, first column.
    if (rows > 0)
        AddChild(m_newPlayer, kPlaceBelowCentred, m_profileButtons[rows - 1], kDefaultOffset, kNewPlayerOffset, 0);
    else
        AddChild(m_newPlayer, kPlaceBelowPreviousCentred, nullptr, kDefaultOffset, kNewPlayerOffset, 0);
    m_pageCount = count == 0 ? 1 : (count + kPageSize - 1) / kPageSize;
    if (m_pageCount > 1) {
        m_previousPage = new CJButton(this, "<", nullptr);
        AddChild(m_previousPage, kPlaceLeftOf, m_newPlayer, kDefaultOffset, kDefaultOffset, 0);
        m_nextPage = new CJButton(this, ">", nullptr);
        AddChild(m_nextPage, kPlaceRightOf, m_newPlayer, kDefaultOffset, kDefaultOffset, 0);
    }
    if (count > 0) {
        const uint32_t current = stats->GetCurrentPlayerIndex() < count ? stats->GetCurrentPlayerIndex() : 0;
        CJButton* button = m_profileButtons[current];
        m_defaultButton = button;
        if (m_pageCount > 1)
            ShowPage(current / kPageSize);
        ActivateChild(button);
    }
    m_cancelButton = GetCloseButton();
    CWindowToolkitState::Get().keyboardNavigation = true;
}

void CSelectPlayerDialog::ShowPage(uint32_t page)
{
    m_page = page % m_pageCount;
    for (uint32_t i = 0; i < m_profileButtons.size(); ++i)
        m_profileButtons[i]->Show(i / kPageSize == m_page, false);
    ActivateChild(m_profileButtons[m_page * kPageSize]);
}

CSelectPlayerDialog::~CSelectPlayerDialog() = default;

void CSelectPlayerDialog::OnCommand(CJWindow* sender, int32_t code)
{
    if (code != kCommandClicked || !sender) {
        CJDialog::OnCommand(sender, code);
        return;
    }
    if (sender && (sender == m_previousPage || sender == m_nextPage)) {
        ShowPage(sender == m_nextPage ? m_page + 1 : m_page + m_pageCount - 1);
        return;
    }
    if (sender == m_newPlayer) {
        ReplaceWithNow(new CPlayerDialog(GetParent(), s_newPlayerCaption.CStr(), GetStats(), nullptr), true);
        return;
    }
    CStats* stats = GetStats();
    for (uint32_t i = 0; i < m_profileButtons.size(); ++i) {
        if (sender != m_profileButtons[i] || !stats)
            continue;
        stats->SetCurrentPlayer(i);
        CPlayerStats* player = stats->GetCurrentPlayer();
        if (player && player->GetSuspendedGame())
            OpenSubDialog(new CResumeGameDialog(GetParent()), true);
        else
            OpenSubDialog(new CNewGameOptionsDialog(GetParent()), true);
        return;
    }
    CJDialog::OnCommand(sender, code);
}
