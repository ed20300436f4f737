#include "shell/MenuButtons.h"

#include "ui/JButton.h"
#include "ui/JThemeButtonPart.h"
#include "ui/controls/JDialog.h"

#include <algorithm>

namespace {

constexpr int32_t kClosingGap = 6;

CJButton* MakeButton(CJDialog* dialog, const char* text)
{
    auto* button = new CJButton(dialog, text, nullptr);
    if (CJThemeButtonPart* part = button->GetThemePart())
        part->AutoSize();
    return button;
}

} // namespace

CJButton* AddColumnButton(CJDialog* dialog, const char* text, bool first)
{
    CJButton* button = MakeButton(dialog, text);
    dialog->AddChild(button, first ? kPlaceTopLeft : kPlaceBelowPrevious, nullptr, kDefaultOffset, kDefaultOffset, 0);
    return button;
}

void MatchButtonWidths(CJDialog* dialog, std::initializer_list<CJButton*> buttons)
{
    int32_t width = 0;
    for (CJButton* button : buttons)
        if (button)
            width = std::max<int32_t>(width, button->GetWidth());
    for (CJButton* button : buttons)
        if (button) {
            button->SetSize(width, button->GetHeight());
            dialog->GrowToFitChild(button, kDefaultOffset);
        }
}

CJButton* AddClosingButton(CJDialog* dialog, const char* text)
{
    CJButton* button = MakeButton(dialog, text);
    dialog->AddChild(button, kPlaceBelowPreviousCentred, nullptr, 0, kClosingGap, 0);
    dialog->ActivateChild(button);
    dialog->m_defaultButton = button;
    dialog->m_cancelButton = button;
    return button;
}
