#include "shell/UpdateCheck.h"

#include "foundation/LocalizedString.h"
#include "online/VersionCheckWindow.h"
#include "shell/Game.h"
#include "shell/MainMenuWindow.h"
#include "shell/dialogs/InternetConnectionDialog.h"
#include "shell/dialogs/InternetConnectionPanel.h"
#include "shell/stats/Stats.h"

namespace {

const CLocalizedString g_connectCaption("Connect to the Internet");
const CLocalizedString g_connectText("You need to be connected to the Internet to check for Vantorel updates.");

} // namespace

void StartUpdateCheck(CJDialog* over, CJWindow* screen)
{
    CJWindow* parent = over ? over->GetParent() : screen;
    if (!parent)
        return;
    if (CStats* stats = GetStats())
        stats->SetLaunchesSinceVersionCheck(CMainMenuWindow::kLaunchesBetweenReminders);
    auto* connect = new CInternetConnectionDialog(parent, g_connectCaption.CStr(), g_connectText.CStr(), nullptr);
    // Once connected, the version check takes the question's place.
    connect->GetPanel()->SetAction(CreateVersionCheckCommand(true, connect));
    if (over)
        over->OpenSubDialog(connect, true);
    else
        screen->OpenModalWindow(connect, kPlaceCentred);
}
