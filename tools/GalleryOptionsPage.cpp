#include "GalleryOptionsPage.h"

#include "app/PlayerControls.h"
#include "graphics/OffsetClippedProxyFrame.h"
#include "shell/CreatePlayerControls.h"
#include "shell/dialogs/BackgroundOptionsDialog.h"
#include "shell/dialogs/ControlsDialog.h"
#include "shell/dialogs/SoundOptionsDialog.h"

#include <memory>

#include <string>

namespace {

// The screen's backdrop: the window texture, so that the dialog's own texture shows against it.
class COptionsBackdrop : public CJWindow
{
public:
    explicit COptionsBackdrop(CJWindow* screen) : CJWindow(screen, "") {}
    void Draw(COffsetClippedProxyFrame* frame) override
    {
        FillWithTexture(frame, GetBackgroundTexture(), {0, 0, GetWidth(), GetHeight()}, 0, 0);
        CJWindow::Draw(frame);
    }
};

} // namespace

bool OpenGalleryOptionsPage(CJWindow* screen, const char* dialog)
{
    const std::string name = dialog ? dialog : "";
    if (name != "sound" && name != "video" && name != "background" && name != "controls")
        return false;
    auto* backdrop = new COptionsBackdrop(screen);
    backdrop->SetRect(screen->GetRect());
    screen->AddChild(backdrop, kPlaceNone, nullptr, kDefaultOffset, kDefaultOffset, kPlaceNoGrow);
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
