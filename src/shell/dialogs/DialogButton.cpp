#include "shell/dialogs/DialogButton.h"

#include "ui/JButton.h"
#include "ui/JThemeButtonPart.h"

CJButton* MakeDialogButton(CJWindow* parent, const char* text)
{
    auto* button = new CJButton(parent, text, nullptr);
    if (CJThemeButtonPart* part = button->GetThemePart())
        part->AutoSize();
    return button;
}
