#include "shell/dialogs/PlayerDialog.h"

#include "foundation/LocalizedString.h"
#include "shell/stats/Stats.h"
#include "shell/dialogs/DialogButton.h"
#include "ui/JButton.h"
#include "ui/controls/JEditField.h"
#include "ui/controls/JLabel.h"

namespace {

CLocalizedString g_playerNameLabel("Name:");
CLocalizedString g_playerSave("Save");
CLocalizedString g_playerCancel("Cancel");

constexpr int32_t kNameWidthUnits = 60;

} // namespace

CPlayerDialog::CPlayerDialog(CJWindow* parent, const char* caption, CStats* stats, CPlayerStats* player)
    : CJDialog(parent, caption), m_stats(stats), m_player(player)
{
    auto* label = new CJLabel(this, g_playerNameLabel.CStr());
    AddChild(label, kPlaceTopLeft, nullptr, kDefaultOffset, kDefaultOffset, 0);
    m_name = new CJEditField(this, player ? player->GetName().CStr() : "");
    m_name->SetSize(kNameWidthUnits * GetFontUnit(), m_name->GetHeight());
    AddChild(m_name, kPlaceRightOfCentred, label, kDefaultOffset, kDefaultOffset, 0);
    m_save = MakeDialogButton(this, g_playerSave.CStr());
    AddChild(m_save, kPlaceBelow, label, kDefaultOffset, kDefaultOffset, 0);
    m_cancel = MakeDialogButton(this, g_playerCancel.CStr());
    AddChild(m_cancel, kPlaceRightOfPrevious, nullptr, kDefaultOffset, kDefaultOffset, 0);
    LayOutButtonRow(m_save, m_cancel, 0);
    m_defaultButton = m_save;
    m_cancelButton = m_cancel;
    AddCloseButton();
    ActivateChild(m_name);
}

void CPlayerDialog::OnCommand(CJWindow* sender, int32_t code)
{
    if (code == 0 && sender && (sender == m_save || sender == m_cancel)) {
        const char* name = m_name->GetText();
        if (sender == m_save && m_player && name && *name) {
            m_player->SetName(name);
            if (m_stats)
                m_stats->Save();
        }
        RequestClose();
        return;
    }
    CJDialog::OnCommand(sender, code);
}
