#include "shell/dialogs/CreditsDialog.h"

#include "foundation/LocalizedString.h"
#include "shell/dialogs/CreditsControl.h"
#include "shell/dialogs/DialogButton.h"
#include "ui/JButton.h"
#include "ui/WindowToolkitState.h"

namespace {

CLocalizedString g_creditsCaption("Credits");
CLocalizedString g_creditsDone(" DONE ");

constexpr int32_t kWidthUnits = 200;
constexpr int32_t kHeightUnits = 100;
constexpr int32_t kDoneOffset = 8;

} // namespace

CCreditsDialog::CCreditsDialog(CJWindow* parent, const char* fileName) : CJDialog(parent, g_creditsCaption.CStr())
{
    AddCloseButton();
    m_control = new CJCreditsControl(this, fileName);
    m_control->SetSize(kWidthUnits * GetFontUnit(), kHeightUnits * GetFontUnit());
    AddChild(m_control, kPlaceTopLeft, nullptr, kDefaultOffset, kDefaultOffset, 0);
    m_done = MakeDialogButton(this, g_creditsDone.CStr());
    AddChild(m_done, kPlaceBelowPreviousCentred, nullptr, kDefaultOffset, kDoneOffset, 0);
    ActivateChild(m_done);
    m_defaultButton = m_done;
    m_cancelButton = m_done;
    // Nothing here takes typed focus moves: no focus frame shows.
    CWindowToolkitState::Get().keyboardNavigation = false;
}

void CCreditsDialog::OnCommand(CJWindow* sender, int32_t code)
{
    if (code == 0 && sender && sender == m_done) {
        RequestClose();
        return;
    }
    CJDialog::OnCommand(sender, code);
}

CCreditsDialog* OpenCreditsDialog(CJWindow* screen)
{
    if (!screen)
        return nullptr;
    auto* dialog = new CCreditsDialog(screen, CCreditsDialog::kFileName);
    screen->OpenModalWindow(dialog, kPlaceCentred);
    return dialog;
}
