#include "shell/dialogs/DialogButtons.h"

#include "ui/JButton.h"
#include "ui/JThemeButtonPart.h"

CJButton* SizeToText(CJButton* button)
{
    if (button)
        if (CJThemeButtonPart* part = button->GetThemePart())
            part->AutoSize();
    return button;
}
