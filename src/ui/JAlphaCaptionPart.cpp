#include "ui/JAlphaCaptionPart.h"

#include "graphics/Font.h"
#include "graphics/OffsetClippedProxyFrame.h"
#include "ui/AlphaSkinData.h"
#include "ui/JButton.h"
#include "ui/JThemeButtonPart.h"
#include "ui/SkinBorder.h"

#include <cstring>

namespace {

constexpr char kCloseGlyph[] = {24, 0};

} // namespace

CJButton* CJAlphaCaptionPart::FindCloseButton() const
{
    for (CJWindow* child = m_window->GetFrontChild(); child; child = child->GetNextSibling())
        if (std::strcmp(child->GetText(), kCloseGlyph) == 0)
            if (auto* button = dynamic_cast<CJButton*>(child))
                return button;
    return nullptr;
}

void CJAlphaCaptionPart::Draw(CFrameInterface* frame)
{
    if (!frame || !m_skin)
        return;
    CJWindow* window = m_window;
    CJButton* close = FindCloseButton();
    if (close) {
        CBroadcastMessage message(CJThemeButtonPart::GetRemoveBorderMessageType());
        close->HandleThemeMessage(&message);
    }
    const int32_t w = window->GetWidth(), h = window->GetHeight();
    DrawSkinBorder(frame, {0, 0, w, h}, m_skin->GetWindowBorder(), !window->IsTransparent(), close != nullptr);
    CFont* font = m_skin->GetHeadingFont();
    if (!font || !*window->GetText())
        return;
    // The heading may stand above the window: the clip is raised for it and given back after.
    auto* proxy = dynamic_cast<COffsetClippedProxyFrame*>(frame);
    const CIntRect savedClip = proxy ? proxy->GetClipRect() : CIntRect{};
    if (proxy) {
        CIntRect raised = savedClip;
        raised.m_top -= 100;
        proxy->SetTargetClipRect(raised);
    }
    font->DrawText(frame, w / 2, m_skin->GetHeadingOffset() + 5, window->GetText(), kJustifyCentre);
    if (proxy)
        proxy->SetTargetClipRect(savedClip);
}
