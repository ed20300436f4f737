#include "GallerySkinsPage.h"

#include "GalleryCaptionPanel.h"
#include "ui/JAnimator.h"
#include "ui/JSeparator.h"
#include "ui/JThemeButtonPart.h"
#include "ui/JToggleButton.h"
#include "ui/SkinThemeList.h"

#include <cstdio>

namespace {

CJButton* MakeButton(CJWindow* parent, const char* text)
{
    auto* button = new CJButton(parent, text, nullptr);
    if (CJThemeButtonPart* part = button->GetThemePart())
        part->AutoSize();
    return button;
}

void Add(CJWindow* parent, CJWindow* child, int32_t placement)
{
    parent->AddChild(child, placement, nullptr, kDefaultOffset, kDefaultOffset, 0);
}

} // namespace

bool OpenGallerySkinsPage(CJWindow* screen)
{
    if (!UseSkinTheme("Vantorel", screen)) {
        std::fprintf(stderr, "uigallery: the data set has no skin \"Vantorel\"\n");
        return false;
    }
    auto* dialog = new CGalleryCaptionPanel(screen, "Vantorel skin");
    dialog->SetRect({0, 0, 300, 60});
    Add(dialog, MakeButton(dialog, "&Play"), kPlaceTopLeft);
    Add(dialog, MakeButton(dialog, "&Options"), kPlaceRightOfPrevious);
    Add(dialog, MakeButton(dialog, "&Quit"), kPlaceRightOfPrevious);
    Add(dialog, new CJSeparator(dialog, 240, 2), kPlaceBelowPrevious);
    Add(dialog, new CJToggleButton(dialog, "Sound &effects", nullptr), kPlaceBelowPrevious);
    // The close button in the caption's top-right corner, where the skin's special highlight sits.
    auto* close = new CJButton(dialog, "\x18", nullptr);
    close->SetTabStop(false);
    close->SetToolTipText("Close", -1);
    close->SetSize(20, 20);
    dialog->AddChild(close, kPlaceTopRightOverCaption, nullptr, kDefaultOffset, kDefaultOffset, kPlaceNoGrow);
    screen->AddChild(dialog, kPlaceCentred, nullptr, kDefaultOffset, kDefaultOffset, kPlaceNoGrow);
    // The dialog flies in from the left.
    auto* animator = new CJAnimator;
    dialog->AddChild(animator, kPlaceNone, nullptr, 0, 0, kPlaceNoGrow);
    animator->SlideFrom(-640, 0);
    return true;
}
