#include "shell/dialogs/SelectPlayerDialog.h"

#include "foundation/LocalizedString.h"
#include "shell/Game.h"
#include "shell/dialogs/NewGameOptionsDialog.h"
#include "shell/dialogs/PlayerDialog.h"
#include "shell/dialogs/ResumeGameDialog.h"
#include "shell/stats/Stats.h"
#include "ui/JButton.h"
#include "ui/WindowToolkitState.h"

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
    for (uint32_t i = 0; i < count; ++i) {
        auto* button = new CJButton(this, stats->GetPlayer(i)->GetName(), nullptr);
        button->SetWidth(kButtonWidth);
        AddChild(button, i == 0 ? kPlaceTopLeft : kPlaceBelowPrevious, nullptr, kDefaultOffset, kDefaultOffset, 0);
        m_profileButtons.push_back(button);
    }
    m_newPlayer = new CJButton(this, s_newPlayerButton, nullptr);
    m_newPlayer->SetEnabled(count < kMaxProfiles);
    AddChild(m_newPlayer, kPlaceBelowPreviousCentred, nullptr, kDefaultOffset, kNewPlayerOffset, 0);
    if (count > 0) {
        const uint32_t current = stats->GetCurrentPlayerIndex();
        CJButton* button = m_profileButtons[current < count ? current : 0];
        m_defaultButton = button;
        ActivateChild(button);
    }
    m_cancelButton = GetCloseButton();
    CWindowToolkitState::Get().keyboardNavigation = true;
}

CSelectPlayerDialog::~CSelectPlayerDialog() = default;

void CSelectPlayerDialog::OnCommand(CJWindow* sender, int32_t code)
{
    if (code != kCommandClicked || !sender) {
        CJDialog::OnCommand(sender, code);
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
