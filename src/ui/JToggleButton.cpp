#include "ui/JToggleButton.h"

#include "graphics/Font.h"
#include "graphics/OffsetClippedProxyFrame.h"
#include "ui/DimmedOpacities.h"

#include <algorithm>

CJToggleButton::CJToggleButton(CJWindow* parent, const char* text, CJButton* groupLeader)
    : CJButton(parent, text, groupLeader)
{
    m_framed = false;
    m_boxSize = m_font ? m_font->GetHeight() + 2 : 2;
    SizeToText();
}

void CJToggleButton::SetText(const char* text)
{
    CJButton::SetText(text);
    SizeToText();
}

void CJToggleButton::SizeToText()
{
    if (!m_font)
        return;
    const char* text = GetText();
    const int32_t width = m_font->GetTextWidth(*text ? text : "XXX");
    SetSize(width + m_boxSize + GetBoxGap(), std::max(m_font->GetLineHeight() + 2, m_boxSize));
}

int32_t CJToggleButton::GetBoxGap() const
{
    return 1 + GetFontUnit();
}

void CJToggleButton::SetLinkedVariable(uint8_t* variable)
{
    m_linkedVariable = variable;
    if (variable)
        SetChecked(*variable ? 1 : 0);
}

void CJToggleButton::SetBoxOnRight(bool onRight)
{
    m_boxOnRight = onRight;
}

void CJToggleButton::Click()
{
    if (IsChecked() && m_nextMember)
        return;
    const int32_t state = IsChecked() ? 0 : 1;
    if (m_linkedVariable)
        *m_linkedVariable = static_cast<uint8_t>(state);
    SetChecked(state);
    OnClicked();
}

void CJToggleButton::Draw(COffsetClippedProxyFrame* frame)
{
    if (m_image || !frame) {
        CJButton::Draw(frame);
        return;
    }
    {
        const CDimmedOpacities dimmed(!IsEnabledInParent());
        DrawLabel(frame);
        const int32_t x = m_boxOnRight && m_font ? m_font->GetTextWidth(GetText()) + GetBoxGap() : 0;
        if (m_pressed && m_pointerInside) {
            DrawBox(frame, x, 0);
        } else if (IsChecked()) {
            DrawBox(frame, x, 0);
            DrawCross(frame, x, 0);
        } else if (ShowsHover()) {
            DrawHotBox(frame, x, 0);
        } else {
            DrawPlainBox(frame, x, 0);
        }
    }
    m_flash = false;
    CJWindow::Draw(frame);
}

void CJToggleButton::DrawLabel(CFrameInterface* frame)
{
    if (!m_font)
        return;
    // The text is centred in the width beside the box and the gap.
    const int32_t gap = GetBoxGap();
    const int32_t offset = m_boxOnRight ? -1 : m_boxSize + gap - 1;
    DrawText(frame, offset + (GetWidth() - m_boxSize - gap + 1) / 2, (GetHeight() - m_font->GetLineHeight()) / 2,
             kJustifyCentre);
}

void CJToggleButton::DrawBox(CFrameInterface* frame, int32_t x, int32_t y)
{
    DrawBevel(m_font, frame, {x, y, x + m_boxSize, y + m_boxSize}, true, 15, 0);
}

void CJToggleButton::DrawHotBox(CFrameInterface* frame, int32_t x, int32_t y)
{
    DrawPlainBox(frame, x, y);
}

void CJToggleButton::DrawPlainBox(CFrameInterface* frame, int32_t x, int32_t y)
{
    DrawBevel(m_font, frame, {x, y, x + m_boxSize, y + m_boxSize}, true, 15, 0);
}

void CJToggleButton::DrawCross(CFrameInterface* frame, int32_t x, int32_t y)
{
    const int32_t far = m_boxSize - 2;
    frame->DrawLine(x + 1, y + 1, x + far, y + far, m_textColor);
    frame->DrawLine(x + far, y + 1, x + 1, y + far, m_textColor);
}
