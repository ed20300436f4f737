#include "GalleryOptionsPage.h"

#include "GalleryWindows.h"
#include "app/PlayerControls.h"
#include "shell/CreatePlayerControls.h"
#include "shell/dialogs/BackgroundOptionsDialog.h"
#include "shell/dialogs/ControlsDialog.h"
#include "shell/dialogs/SoundOptionsDialog.h"

#include <memory>
#include <string>

bool OpenGalleryOptionsPage(CJWindow* screen, const char* dialog)
{
    const std::string name = dialog ? dialog : "";
    if (name != "sound" && name != "video" && name != "background" && name != "controls")
        return false;
    OpenGalleryPage(screen, new CGalleryPage(screen, "Options dialogs"));
    if (name == "sound")
        OpenSoundOptionsDialog(screen);
    else if (name == "controls") {
        // The first player's set as the game makes it; it outlives the page.
        static std::unique_ptr<CPlayerControls> s_controls(CreatePlayerControls(0));
        OpenControlsDialog(screen, s_controls.get());
    } else if (name == "video")
        OpenVideoOptionsDialog(screen);
    else
        OpenBackgroundOptionsDialog(screen);
    return true;
}
