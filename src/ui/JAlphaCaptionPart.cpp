#include "ui/JAlphaCaptionPart.h"

#include "graphics/Font.h"
#include "graphics/Frame.h"
#include "graphics/OffsetClippedProxyFrame.h"
#include "ui/AlphaSkinBorder.h"
#include "ui/AlphaSkinData.h"
#include "ui/JButton.h"
#include "ui/JThemeButtonPart.h"
#include "ui/SkinBorder.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char kCloseGlyph[] = {24, 0};

// How far the image, placed by its hot spot at a top corner, reaches into the window.
int32_t ReachFromLeft(const CFrame* image)
{
    return image ? std::max(0, image->GetLeft() + static_cast<int32_t>(image->GetWidth())) : 0;
}

int32_t ReachFromRight(const CFrame* image)
{
    return image ? std::max(0, -static_cast<int32_t>(image->GetLeft())) : 0;
}

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

int32_t CJAlphaCaptionPart::GetTitleWidth() const
{
    CFont* font = m_skin ? m_skin->GetHeadingFont() : nullptr;
    if (!font || !*m_window->GetText())
        return CJThemeCaptionPart::GetTitleWidth();
    int32_t room = 0;
    if (const auto* border = dynamic_cast<const CAlphaSkinBorder*>(m_skin->GetWindowBorder())) {
        room = std::max({ReachFromLeft(border->GetCornerImage(CAlphaSkinBorder::kTopLeft)),
                         ReachFromLeft(border->GetHighlightImage(CAlphaSkinBorder::kTopLeftHighlight)),
                         ReachFromRight(border->GetCornerImage(CAlphaSkinBorder::kTopRight)),
                         ReachFromRight(border->GetHighlightImage(CAlphaSkinBorder::kTopRightHighlight)),
                         ReachFromRight(border->GetHighlightImage(CAlphaSkinBorder::kSpecialTopRightHighlight))});
    }
    room += font->GetLineHeight() / 5;
    return font->GetTextWidth(m_window->GetText()) + 2 * room;
}
