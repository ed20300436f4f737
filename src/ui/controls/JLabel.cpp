#include "ui/controls/JLabel.h"

#include "graphics/Font.h"
#include "graphics/OffsetClippedProxyFrame.h"
#include "ui/JThemePart.h"
#include "ui/SkinTheme.h"

#include <algorithm>
#include <cstring>

CJLabel::CJLabel(CJWindow* parent, const char* text) : CJWindow(parent, nullptr)
{
    m_windowPart = m_theme ? m_theme->CreateWindowPart(this) : nullptr;
    // The one-line height first, so that a text of several lines measures from it.
    if (m_font)
        SetSize(0, m_font->GetLineHeight() + 2 + 2 * m_rowSpacing);
    SetText(text);
}

CJLabel::~CJLabel()
{
    delete m_windowPart;
}

CJLabel* CJLabel::ConstructFromString(CJWindow* parent, const CSharedString& text)
{
    return new CJLabel(parent, text.CStr());
}

void CJLabel::SetText(const char* text)
{
    if (std::strcmp(text ? text : "", GetText()) != 0)
        CJWindow::SetText(text);
    Measure();
}

void CJLabel::SetFont(CFont* font)
{
    CJWindow::SetFont(font);
    SetSize(0, 0);
    Measure();
}

void CJLabel::Measure()
{
    if (!m_font)
        return;
    const char* text = GetText();
    const int32_t r = m_rowSpacing;
    const int32_t lineHeight = m_font->GetLineHeight();
    if (m_wrapWidth != kNone) {
        m_multiLine = false;
        CWrappedTextLayout layout;
        layout.m_width = m_wrapWidth - (2 * r + 2);
        layout.m_spacing = r;
        layout.m_justification = m_justification;
        SetSize(m_font->GetWrappedTextWidth(text, layout) + 2 * r + 2,
                m_font->GetWrappedTextHeight(text, layout) + 2 * r + 2);
    } else if (std::strchr(text, '\n')) {
        m_multiLine = true;
        SetSize(m_font->GetTextBlockWidth(text) + 2 * r + 2,
                m_font->GetTextBlockHeight(text, 2 * GetFontUnit()) + 2 * r + 2);
    } else {
        m_multiLine = false;
        const int32_t needed = m_font->GetTextWidth(*text ? text : "XXX") + 2 * r;
        if (GetWidth() < needed)
            SetSize(needed, lineHeight + 2 + 2 * r);
    }
    if (m_maximumHeight != kNone && GetHeight() > m_maximumHeight)
        SetSize(GetWidth(), m_maximumHeight);
}

int32_t CJLabel::GetTextX() const
{
    if (m_justification == kJustifyCentre)
        return GetClientWidth() / 2;
    if (m_justification == kJustifyRight)
        return GetClientWidth() - m_rowSpacing - 1;
    return m_rowSpacing;
}

void CJLabel::Draw(COffsetClippedProxyFrame* frame)
{
    if (!frame)
        return;
    const int32_t r = m_rowSpacing;
    if (m_font && m_wrapWidth != kNone) {
        CWrappedTextLayout layout;
        layout.m_width = m_wrapWidth - 2 * (r + 1);
        layout.m_spacing = r;
        layout.m_justification = m_justification;
        m_font->DrawWrappedText(frame, r, r + 1, GetText(), layout);
    } else if (m_font && m_multiLine) {
        m_font->DrawMultilineText(frame, GetTextX(), r + 1, GetText(), m_justification, r);
    } else {
        DrawText(frame, GetTextX(), r + 1, m_justification);
    }
    CJWindow::Draw(frame);
}

bool CJLabel::OnHover(const CIntPoint& point)
{
    const int32_t textWidth = m_font ? m_font->GetTextWidth(GetText()) : 0;
    if (m_multiLine || m_wrapWidth != kNone || textWidth <= GetWidth())
        return CJWindow::OnHover(point);
    const CIntRect& screen = GetScreenRect();
    const int32_t r = m_rowSpacing;
    int32_t x = screen.m_left + r;
    if (m_justification == kJustifyCentre)
        x = (screen.m_left + screen.m_right) / 2 - textWidth / 2;
    else if (m_justification == kJustifyRight)
        x = screen.m_right - r - textWidth - 1;
    ShowTooltip(GetText(), x, screen.m_top + 1 + r);
    return true;
}
