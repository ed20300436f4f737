#include "shell/dialogs/InternetConnectionDialog.h"

#include "shell/dialogs/InternetConnectionPanel.h"
#include "ui/JButton.h"

CInternetConnectionDialog::CInternetConnectionDialog(CJWindow* parent, const char* caption, const char* message,
                                                     CCallback* action)
    : CJDialog(parent, caption)
{
    m_panel = new CInternetConnectionPanel(this, message, action, false);
    AddChild(m_panel, kPlaceTopLeft, nullptr, kDefaultOffset, kDefaultOffset, 0);
    m_defaultButton = m_panel->GetConnectedButton();
    m_cancelButton = m_panel->GetBackButton();
}

CInternetConnectionDialog::~CInternetConnectionDialog() = default;
