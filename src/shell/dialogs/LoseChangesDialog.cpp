#include "shell/dialogs/LoseChangesDialog.h"

#include "foundation/LocalizedString.h"
#include "graphics/Font.h"
#include "shell/dialogs/ControlsDialog.h"
#include "shell/dialogs/DialogButtons.h"
#include "ui/JButton.h"
#include "ui/controls/JLabel.h"

namespace {
CLocalizedString s_questionText("Do you really want to lose your changes?");
CLocalizedString s_yesText(" &Yes ");
CLocalizedString s_noText(" &No ");
constexpr int32_t kButtonRowOffsetUnits = 6;
} // namespace

CLoseChangesDialog::CLoseChangesDialog(CControlsDialog* owner) : CJDialog(owner, ""), m_owner(owner)
{
    AddChild(CJLabel::ConstructFromString(this, s_questionText), kPlaceTopLeft, nullptr, kDefaultOffset,
             kDefaultOffset, 0);
    m_yes = SizedButton(CJButton::ConstructFromString(this, s_yesText, nullptr));
    AddChild(m_yes, kPlaceBelowPreviousCentred, nullptr, 0, kButtonRowOffsetUnits, 0);
    m_yes->SetX(GetFontUnit() * 2 - m_yes->GetWidth() / 2 + m_yes->GetRect().m_left);
    m_no = SizedButton(CJButton::ConstructFromString(this, s_noText, nullptr));
    AddChild(m_no, kPlaceRightOfPrevious, nullptr, kDefaultOffset, kDefaultOffset, 0);
    ActivateChild(m_no);
    m_defaultButton = m_no;
    m_cancelButton = m_no;
}

void CLoseChangesDialog::OnCommand(CJWindow* sender, int32_t code)
{
    if (sender && code == kCommandClicked && (sender == m_yes || sender == m_no)) {
        // Both answers close this dialog; it goes at its next update, since its button is still
        // inside its click.
        Show(false, false);
        SetModal(false);
        RequestClose();
        if (sender == m_yes)
            if (auto* owner = static_cast<CControlsDialog*>(m_owner.Get()))
                owner->Discard();
        return;
    }
    CJDialog::OnCommand(sender, code);
}
