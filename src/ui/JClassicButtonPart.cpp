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
    DrawFace(frame, !button->IsEnabledInParent(), down);
    if (!button->IsBorderless())
        CJWindow::DrawBevel(button->GetFont(), frame, {0, 0, w, h}, down == 0, 15, 0);
}
