#include "ui/JThemeButtonPart.h"

#include "blit/modes/CopyBlitter.h"
#include "graphics/Font.h"
#include "graphics/Frame.h"
#include "objects/GlobalNameIndex.h"
#include "ui/DimmedOpacities.h"
#include "ui/JButton.h"

namespace {

// Images of a disabled button draw faded; the opacity comes back however the drawing ends.
class CFadedImages
{
public:
    explicit CFadedImages(bool fade) : m_fade(fade), m_saved(g_copyBlitter.GetOpacity())
    {
        if (m_fade)
            g_copyBlitter.SetOpacity(0.4f);
    }
    ~CFadedImages()
    {
        if (m_fade)
            g_copyBlitter.SetOpacity(m_saved);
    }
    CFadedImages(const CFadedImages&) = delete;
    CFadedImages& operator=(const CFadedImages&) = delete;

private:
    bool m_fade;
    float m_saved;
};

} // namespace

CJThemeButtonPart::CJThemeButtonPart(CJButton* button) : CJThemePart(button)
{
}

CJButton* CJThemeButtonPart::GetButton() const
{
    return static_cast<CJButton*>(m_window);
}

uint32_t CJThemeButtonPart::GetRemoveBorderMessageType()
{
    static const auto s_type = static_cast<uint32_t>(GetGlobalNameIndex("Remove Button Border"));
    return s_type;
}

void CJThemeButtonPart::AutoSize()
{
    CJButton* button = GetButton();
    const CFont* font = button->GetFont();
    if (!font)
        return;
    const int32_t spacing = button->GetRowSpacing();
    button->SetSize(font->GetTextWidth(button->GetText()) + 2 * spacing + 2, font->GetLineHeight() + 2 * spacing + 2);
}

int32_t CJThemeButtonPart::GetDownOffset() const
{
    const CJButton* button = GetButton();
    return (button->IsPressed() && button->IsPointerInside()) || button->IsFlashing() || button->IsChecked() ? 1 : 0;
}

void CJThemeButtonPart::DrawFace(CFrameInterface* frame, bool disabledLook, int32_t down)
{
    CJButton* button = GetButton();
    const int32_t w = button->GetWidth(), h = button->GetHeight(), s = button->GetRowSpacing();
    CFrame* image = button->GetImage();
    if (image) {
        if (disabledLook && button->GetDisabledImage())
            frame->DrawFrameAt(button->GetDisabledImage(), s, s, &g_copyBlitter);
        const CFadedImages faded(disabledLook);
        if (button->IsBorderless()) {
            if (down)
                frame->DrawFrameAt(image, s, s, &g_copyBlitter);
        } else if (button->CentresImage()) {
            frame->DrawFrameAt(image, w / 2 + down - static_cast<int32_t>(image->GetWidth()) / 2,
                               h / 2 + down - static_cast<int32_t>(image->GetHeight()) / 2, &g_copyBlitter);
        } else {
            frame->DrawFrameAt(image, s + down, s + down, &g_copyBlitter);
        }
    }
    const CFont* font = button->GetFont();
    if ((image && !button->DrawsTextWithImage()) || !font)
        return;
    const int32_t y = (h - font->GetLineHeight()) / 2 + down;
    // DrawText dims a disabled button itself; an enabled one with the disabled look is dimmed here.
    const CDimmedOpacities dimmed(disabledLook && button->IsEnabledInParent());
    switch (button->GetJustification()) {
    case kJustifyLeft:
        button->DrawText(frame, s + 1 + down, y, kJustifyLeft);
        break;
    case kJustifyRight:
        button->DrawText(frame, w - s - 1 + down, y, kJustifyRight);
        break;
    default:
        button->DrawText(frame, w / 2 + down, y, kJustifyCentre);
        break;
    }
}
