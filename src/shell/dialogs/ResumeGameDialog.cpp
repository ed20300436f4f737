#include "shell/dialogs/ResumeGameDialog.h"

#include "foundation/LocalizedString.h"
#include "shell/Game.h"
#include "ui/JButton.h"
#include "ui/controls/JLabel.h"

namespace {

CLocalizedString s_caption("Resume Game");
CLocalizedString s_text("The selected player has a previously suspended game.  Press play to resume the previous game.");
CLocalizedString s_cancel("&Cancel");
CLocalizedString s_resume("&Resume Play");

} // namespace

CResumeGameDialog::CResumeGameDialog(CJWindow* parent) : CJDialog(parent, s_caption)
{
    AddCloseButton();
    auto* label = new CJLabel(this, "");
    label->m_wrapWidth = kWrapWidth;
    label->SetText(s_text.CStr());
    AddChild(label, kPlaceTopLeft, nullptr, kDefaultOffset, kDefaultOffset, 0);
    m_cancel = new CJButton(this, s_cancel, nullptr);
    AddChild(m_cancel, kPlaceBelowPreviousCentred, nullptr, kDefaultOffset, kDefaultOffset, 0);
    m_cancel->SetX(m_cancel->GetRect().m_left - (m_cancel->GetWidth() + GetSpacing()) / 2);
    m_resume = new CJButton(this, s_resume, nullptr);
    AddChild(m_resume, kPlaceRightOfPrevious, nullptr, kDefaultOffset, kDefaultOffset, 0);
    ActivateChild(m_resume);
    m_defaultButton = m_resume;
    m_cancelButton = m_cancel;
}

CResumeGameDialog::~CResumeGameDialog() = default;

void CResumeGameDialog::OnCommand(CJWindow* sender, int32_t code)
{
    if (code != kCommandClicked || !sender) {
        CJDialog::OnCommand(sender, code);
        return;
    }
    if (sender == m_cancel) {
        Close();
    } else if (sender == m_resume) {
        // From here on only locals: closing deletes this dialog.
        DiscardStack();
        Close();
        if (CGame* game = GetGame())
            game->ResumeGame();
    } else {
        CJDialog::OnCommand(sender, code);
    }
}
