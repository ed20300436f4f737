// The screen window's life, drawing and tooltip.
#include "ui/ScreenWindow.h"

#include "app/Keyboard.h"
#include "app/Mouse.h"
#include "graphics/Font.h"
#include "graphics/Frame.h"
#include "platform/Time.h"
#include "ui/JScrollBar.h"
#include "ui/WindowToolkitState.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// The keyboard forgets its presses and typed keys. Nothing is pumped: the screen window is made
// and resumed from inside the application's own steps.
void ForgetKeys()
{
    g_keyboard.ClearPressed(true);
    g_keyboard.FlushTypeAhead(true);
}

} // namespace

CScreenWindow::CScreenWindow(CFrame* target, CFont* font) : CJWindow(nullptr, "~CScreenWindow"), m_target(target)
{
    m_savedCursorVisibility = g_mouse.ShowCursor();
    // Windows in this tree scroll with real bars unless another maker was chosen.
    if (!CWindowToolkitState::Get().scrollBarHook)
        SetScrollBarHook(&CJScrollBar::GetAutomaticBarMaker());
    if (font)
        SetDefaultFont(font);
    SetFocus(true);
    ForgetKeys();
    m_seenPresses = g_mouse.GetPressCounts();
    m_drawingFrame.ConstructForTarget(target);
    SetRect({0, 0, target ? static_cast<int32_t>(target->GetWidth()) : 0,
             target ? static_cast<int32_t>(target->GetHeight()) : 0});
    m_lastInputTime = platform::GetTickCount();
}

CScreenWindow::~CScreenWindow()
{
    // The windows go while the screen window is still whole: a dialog hides the tooltip as it goes.
    while (CJWindow* front = GetFrontChild())
        delete front;
    g_mouse.SetCursorVisible(m_savedCursorVisibility);
    ForgetKeys();
}

void CScreenWindow::GrowToFitChild(CJWindow*, int32_t)
{
}

bool CScreenWindow::OnHover(const CIntPoint&)
{
    HideTooltip();
    return true;
}

void CScreenWindow::ResumeInput()
{
    if (m_inputOn)
        return;
    m_inputOn = true;
    g_mouse.ShowCursor();
    ForgetKeys();
    // Buttons pressed while input was off (a control capturing a binding) are no new presses.
    CWindowToolkitState::Get().previousButtons = g_mouse.GetButtons() & 7u;
    m_seenPresses = g_mouse.GetPressCounts();
}

void CScreenWindow::SuspendInput()
{
    if (!m_inputOn)
        return;
    m_inputOn = false;
    g_mouse.HideCursor();
}

void CScreenWindow::DrawScreen()
{
    if (m_target && IsVisible())
        Draw(&m_drawingFrame);
}

void CScreenWindow::Draw(COffsetClippedProxyFrame*)
{
    if (!m_target)
        return;
    const auto width = static_cast<int32_t>(m_target->GetWidth());
    const auto height = static_cast<int32_t>(m_target->GetHeight());
    if (width != GetWidth() || height != GetHeight()) {
        // The display mode changed.
        SetRect({0, 0, width, height});
        m_drawingFrame.ConstructForTarget(m_target);
    }
    ApplyDrawingState(&m_drawingFrame);
    CJWindow::Draw(&m_drawingFrame);
    m_drawingFrame.SetOffset(-m_screenRect.m_left, -m_screenRect.m_top);
    m_drawingFrame.SetClipRect({0, 0, m_contentWidth, m_contentHeight});
    DrawTooltip();
}

void CScreenWindow::DrawTooltip()
{
    if (m_tooltipText.IsEmpty() || !m_tooltipFont)
        return;
    const CIntRect& r = m_tooltipRect;
    m_drawingFrame.FillRect({r.m_left - 1, r.m_top - 1, r.m_right + 1, r.m_bottom + 1}, m_tooltipBackground);
    m_drawingFrame.DrawRectOutline({r.m_left - 2, r.m_top - 2, r.m_right + 2, r.m_bottom + 2}, m_tooltipOutline);
    m_tooltipFont->DrawMultilineText(&m_drawingFrame, r.m_left, r.m_top, m_tooltipText.CStr(), kJustifyLeft, 0);
    if (m_tooltipUnderline)
        m_drawingFrame.DrawLine(r.m_left + m_underlineX1, r.m_top + m_underlineY, r.m_left + m_underlineX2,
                                r.m_top + m_underlineY, m_highlightColor);
}

void CScreenWindow::ShowTooltip(CJWindow* owner, int32_t underlineIndex, const char* text, int32_t x, int32_t y)
{
    if (text && !text[0])
        text = nullptr;
    if (text ? std::strcmp(m_tooltipSource.CStr(), text) == 0 : m_tooltipSource.IsEmpty())
        return;
    m_tooltipUnderline = false;
    m_tooltipSource.Clear();
    m_tooltipText.Clear();
    const CJWindow* style = owner ? owner : this;
    m_tooltipFont = style->GetFont();
    if (!text || !m_tooltipFont)
        return;
    m_tooltipBackground = style->GetBackgroundColor();
    m_tooltipOutline = style->GetHighlightColor();
    int64_t left = x, top = y;
    if (x == -1) {
        const CIntPoint pointer = g_mouse.GetPositionPoint();
        left = pointer.m_x;
        top = static_cast<int64_t>(pointer.m_y) + g_mouse.GetCursorHeight();
    }

    m_tooltipSource = text;
    // The wrapped text ends every line with a line break; the last one would add an empty line.
    std::string wrapped = m_tooltipFont->WrapText(text, GetWidth()).CStr();
    while (!wrapped.empty() && wrapped.back() == '\n')
        wrapped.pop_back();
    m_tooltipText = wrapped.c_str();
    const char* shown = m_tooltipText.CStr();
    int64_t right = left + m_tooltipFont->GetTextBlockWidth(shown);
    int64_t bottom = top + m_tooltipFont->GetTextBlockHeight(shown, 0);
    // An index outside the text underlines nothing.
    if (underlineIndex >= 0 && static_cast<size_t>(underlineIndex) < std::strlen(shown)) {
        m_tooltipUnderline = true;
        m_underlineY = m_tooltipFont->GetLineHeight() + 1;
        m_underlineX1 = m_tooltipFont->GetTextWidth(shown, underlineIndex);
        m_underlineX2 = m_tooltipFont->GetTextWidth(shown, underlineIndex + 1);
        bottom = std::max<int64_t>(bottom, top + m_underlineY + 2);
    }

    // The box ends one pixel inside the screen's right and bottom edges, its outline on the last
    // column and row (the box is the text rect grown by one pixel, the outline one more).
    const int64_t screenRight = static_cast<int64_t>(m_rect.m_right) - 2;
    const int64_t screenBottom = static_cast<int64_t>(m_rect.m_bottom) - 2;
    if (right > screenRight) {
        left -= right - screenRight;
        right = screenRight;
    }
    if (bottom > screenBottom) {
        top -= bottom - screenBottom;
        bottom = screenBottom;
    }
    m_tooltipRect = {ClampToInt(left), ClampToInt(top), ClampToInt(right), ClampToInt(bottom)};
}
