#include "online/AutoSizedButton.h"

#include "ui/JButton.h"
#include "ui/JThemeButtonPart.h"

CJButton* MakeAutoSizedButton(CJWindow* parent, const char* text, CCallback* action)
{
    auto* button = new CJButton(parent, text, nullptr);
    AutoSizeButton(button);
    if (action)
        button->SetAction(action);
    return button;
}

void AutoSizeButton(CJButton* button)
{
    if (CJThemeButtonPart* part = button ? button->GetThemePart() : nullptr)
        part->AutoSize();
}
