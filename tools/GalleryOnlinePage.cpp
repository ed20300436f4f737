#include "GalleryOnlinePage.h"

#include "online/ModuleInfoCollection.h"
#include "online/VersionCheckWindow.h"
#include "shell/dialogs/InternetConnectionDialog.h"
#include "shell/dialogs/InternetConnectionPanel.h"
#include "ui/Callback.h"

#include <memory>

namespace {

constexpr const char* kConnectMessage = "You need to be connected to the Internet to check for Vantorel updates.";

} // namespace

void OpenGalleryOnlinePage(CJWindow* screen, bool fetch, const char* versionCheckUrl)
{
    CModuleInfoCollection& modules = CModuleInfoCollection::GetInstance();
    modules.SetUpAtStartUp();
    modules.StoreProgramVersion();
    if (versionCheckUrl && *versionCheckUrl)
        g_versionCheckUrlText.AssignText(versionCheckUrl);
    if (!fetch) {
        // The command opens the window and is done.
        const std::unique_ptr<CCallback> command(CreateVersionCheckCommand(false, screen));
        command->Invoke();
        return;
    }
    auto* dialog = new CInternetConnectionDialog(screen, g_connectToInternetText.CStr(), kConnectMessage, nullptr);
    dialog->GetPanel()->SetAction(CreateVersionCheckCommand(true, dialog));
    screen->OpenModalWindow(dialog, kPlaceCentred);
}
