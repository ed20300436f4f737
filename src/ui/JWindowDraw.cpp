// Drawing: the tree back to front, focus frames, textures, bevels and text.
#include "ui/JWindow.h"

#include "blit/modes/TransparentMaskBlitter.h"
#include "blit/modes/WrapBlitter.h"
#include "graphics/Font.h"
#include "graphics/Frame.h"
#include "graphics/OffsetClippedProxyFrame.h"
#include "objects/EnumTable.h"
#include "ui/DimmedOpacities.h"
#include "ui/SkinTheme.h"
#include "ui/WindowToolkitState.h"
#include "ui/WindowWatch.h"

#include <cmath>
#include <cstring>

namespace {

const CEnumTableEntry kJustifications[] = {
    {kJustifyLeft, "Justify Left", nullptr},
    {kJustifyCentre, "Justify Center", nullptr},
    {kJustifyRight, "Justify Right", nullptr},
    {0, nullptr, nullptr},
};

// The three two-character texts shown as small symbols; false for any other text.
bool DrawSymbol(CFrameInterface* frame, const char* text, int32_t x, int32_t y, const CColor& color)
{
    const bool up = std::strcmp(text, "/\\") == 0;
    const bool down = std::strcmp(text, "\\/") == 0;
    if (up || down) {
        frame->DrawLine(x, y - 2, x, y + 1, color);
        const int32_t wingY = up ? y - 1 : y;
        frame->SetPixel(x - 1, wingY, color);
        frame->SetPixel(x + 1, wingY, color);
        return true;
    }
    if (std::strcmp(text, "><") == 0) {
        frame->DrawLine(x - 3, y - 2, x + 1, y + 2, color);
        frame->DrawLine(x + 1, y - 2, x - 3, y + 2, color);
        return true;
    }
    return false;
}

} // namespace

void CJWindow::ApplyDrawingState(COffsetClippedProxyFrame* frame) const
{
    frame->SetOffset(ClampToInt(static_cast<int64_t>(GetScrollX()) - m_screenRect.m_left),
                     ClampToInt(static_cast<int64_t>(GetScrollY()) - m_screenRect.m_top));
    frame->SetClipRect(m_clipRect);
}

void CJWindow::Draw(COffsetClippedProxyFrame* frame)
{
    if (!frame)
        return;
    CWindowWatch self(this);
    CWindowToolkitState& toolkit = CWindowToolkitState::Get();
    for (CJWindow* child = m_backChild; child;) {
        CWindowWatch watch(child);
        CWindowWatch towardFront(child->m_prevSibling);
        if (!child->m_firstShown) {
            // Hidden children are told too: they may set themselves up before they show.
            child->m_firstShown = true;
            child->OnCommand(nullptr, kCommandFirstShown);
            if (!self.IsAlive())
                return;
        }
        if (watch.IsAlive() && child->m_visible && child->m_visibleRect.m_right > 0 &&
            child->m_visibleRect.m_bottom > 0) {
            const int32_t savedX = frame->GetOffsetX(), savedY = frame->GetOffsetY();
            const CIntRect savedClip = frame->GetClipRect();
            child->ApplyDrawingState(frame);
            child->Draw(frame);
            if (self.IsAlive() && watch.IsAlive() && (child->m_tabStop || child->m_framed)) {
                const bool focusShown = child->m_focused && toolkit.keyboardNavigation;
                if (focusShown || child->m_framed) {
                    ApplyDrawingState(frame);
                    child->DrawFocusFrame(frame, focusShown ? m_focusFrameColor : m_frameColor);
                }
            }
            frame->SetOffset(savedX, savedY);
            frame->SetTargetClipRect(savedClip);
            if (!self.IsAlive())
                return;
        }
        child = watch.IsAlive() ? child->m_prevSibling : towardFront.Get();
    }
    if (m_scroll && m_scroll->m_verticalBar && m_scroll->m_horizontalBar) {
        const int32_t bar = CJWindowScrollState::kBarThickness;
        const CIntRect corner{GetWidth() - bar + GetScrollX(), GetHeight() - bar + GetScrollY(),
                              GetWidth() + GetScrollX(), GetHeight() + GetScrollY()};
        FillWithTexture(frame, GetBackgroundTexture(), corner, corner.m_left, corner.m_top);
    }
    if (!m_parent)
        toolkit.repaintAll = false;
}

void CJWindow::DrawFocusFrame(CFrameInterface* frame, const CColor& color)
{
    if (frame)
        frame->DrawRectOutline({m_rect.m_left - 1, m_rect.m_top - 1, m_rect.m_right + 1, m_rect.m_bottom + 1}, color);
}

CFrame* CJWindow::GetBackgroundTexture() const
{
    if (m_theme)
        if (CFrame* texture = m_theme->GetBackgroundTexture(this))
            return texture;
    return CWindowToolkitState::Get().GetTexture(IsActive() ? CWindowToolkitState::kWindowTexture
                                                            : CWindowToolkitState::kInactiveWindowTexture);
}

void CJWindow::FillWithTexture(CFrameInterface* frame, CFrame* texture, const CIntRect& rect, int32_t textureX,
                               int32_t textureY)
{
    if (!frame || !texture || rect.IsEmpty())
        return;
    // The wrap blend mode reads the source rectangle as texture coordinates, which a frame's
    // clipping Blit would cut to the texture; so the rectangle is clipped here and drawn unclipped.
    CIntRect area = rect, bounds;
    frame->GetBounds(bounds);
    auto* target = dynamic_cast<CFrame*>(frame->GetUnderlyingFrame());
    if (!target || !ClipRectToBounds(bounds, area) || area.IsEmpty())
        return;
    const int32_t left = frame->GetLeft(), top = frame->GetTop();
    CIntRect pixels = area;
    pixels.Offset(-left, -top);
    const CIntRect targetPixels{0, 0, target->GetWidth(), target->GetHeight()};
    if (!ClipRectToBounds(targetPixels, pixels) || pixels.IsEmpty())
        return;
    const int32_t sourceX = ClampToInt(static_cast<int64_t>(textureX) + pixels.m_left + left - rect.m_left);
    const int32_t sourceY = ClampToInt(static_cast<int64_t>(textureY) + pixels.m_top + top - rect.m_top);
    const CIntRect source{sourceX, sourceY, sourceX + pixels.GetWidth(), sourceY + pixels.GetHeight()};
    target->BlitUnclipped(texture, source, pixels, &g_wrapBlitter);
}

void CJWindow::DrawBevel(const CFont* font, CFrameInterface* frame, const CIntRect& rect, bool raised, uint32_t sides,
                         int32_t style)
{
    const int32_t thickness = font ? font->GetLineHeight() / 5 : 0;
    if (!frame || thickness <= 0 || rect.IsEmpty())
        return;
    using State = CWindowToolkitState;
    const State::Bevel light = style == 1 ? State::kStrongLight : State::kLight;
    const State::Bevel dark = style == 1 ? State::kStrongDark : State::kDark;
    const State::Bevel topLeft = raised ? light : dark;
    const State::Bevel bottomRight = raised ? dark : light;
    State& toolkit = State::Get();
    const bool remap = frame->GetBitsPerPixel() == 8;
    auto line = [&](const CIntRect& r, State::Bevel bevel) {
        if (remap)
            frame->ApplyRemapTableToRect(r, toolkit.GetBevelRemapTable(bevel));
        else
            frame->FillRect(r, toolkit.GetBevelColor(bevel));
    };
    CIntRect r = rect;
    for (int32_t pass = 0; pass < thickness && !r.IsEmpty(); ++pass) {
        if (sides & 2)
            line({r.m_left, r.m_top, r.m_right, r.m_top + 1}, topLeft);
        if (sides & 1)
            line({r.m_left, r.m_top, r.m_left + 1, r.m_bottom}, topLeft);
        if (sides & 4)
            line({r.m_right - 1, r.m_top + 1, r.m_right, r.m_bottom - 1}, bottomRight);
        if (sides & 8)
            line({r.m_left + 1, r.m_bottom - 1, r.m_right, r.m_bottom}, bottomRight);
        r = {r.m_left + 1, r.m_top + 1, r.m_right - 1, r.m_bottom - 1};
    }
}

CEnumTable& CJWindow::GetJustifications()
{
    static CEnumTable s_table(kJustifications);
    return s_table;
}

void CJWindow::DrawText(CFrameInterface* frame, int32_t x, int32_t y, int32_t justification)
{
    if (!frame || !m_font)
        return;
    const CDimmedOpacities dimmed(!IsEnabledInParent());
    const char* text = GetText();
    if (DrawSymbol(frame, text, x, y, m_highlightColor))
        return;
    if (justification == kJustifyCentre)
        x -= m_font->GetTextWidth(text) / 2;
    else if (justification == kJustifyRight)
        x -= m_font->GetTextWidth(text);
    const auto length = static_cast<int32_t>(std::strlen(text));
    if (m_shortcutPosition < length && m_enabled) {
        CColor underline = m_highlightColor;
        const float opacity = g_transparentMaskBlitter.GetOpacity();
        underline.Set(underline.GetRed(), underline.GetGreen(), underline.GetBlue(),
                      static_cast<int>(std::lround(opacity * 255.0f)));
        const int32_t left = x + m_font->GetTextWidth(text, m_shortcutPosition) + 1;
        const int32_t right = left + m_font->GetTextWidth(text + m_shortcutPosition, m_underlineLength) - 2;
        int32_t top = y + m_font->GetLineHeight() + m_rowSpacing / 2;
        if (top >= GetHeight())
            top = GetHeight() - 1;
        frame->FillRect({left, top, right, top + 1}, underline);
    }
    m_font->DrawText(frame, x, y, text, kJustifyLeft);
}
