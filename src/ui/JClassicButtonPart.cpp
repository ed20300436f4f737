#include "ui/JClassicButtonPart.h"

#include "ui/JButton.h"

void CJClassicButtonPart::Draw(CFrameInterface* frame)
{
    CJButton* button = GetButton();
    if (!frame)
        return;
    const int32_t w = button->GetWidth(), h = button->GetHeight();
    const int32_t down = GetDownOffset();
    // An image without spacing covers the whole face, so no texture shows behind it.
    if ((!button->GetImage() || button->GetRowSpacing() != 0) && !button->IsTransparent())
        CJWindow::FillWithTexture(frame, button->GetBackgroundTexture(), {down, down, w, h}, button->GetRect().m_left,
                                  button->GetRect().m_top);
    // The disabled-look flag means "draw me as disabled" whatever the theme: a button that stays
    // clickable to explain why it is locked must look locked here too.
    DrawFace(frame, !button->IsEnabledInParent() || button->ShowsDisabledLook(), down);
    if (!button->IsBorderless())
        CJWindow::DrawBevel(button->GetFont(), frame, {0, 0, w, h}, down == 0, 15, 0);
}
