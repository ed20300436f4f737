// The edit field's set-up, text, editing operations and drawing.
#include "ui/controls/JEditField.h"

#include "graphics/Font.h"
#include "graphics/OffsetClippedProxyFrame.h"
#include "objects/DataNames.h"
#include "platform/Time.h"
#include "platform/Window.h"
#include "sound/SoundList.h"
#include "ui/DimmedOpacities.h"
#include "ui/UiKeys.h"
#include "ui/WindowWatch.h"
#include "ui/WindowToolkitState.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr const char* kErrorSound = dataname::sound::kPlayerError;
// The cursor shows while this bit of the tick count is set.
constexpr uint32_t kBlinkBit = 256;

} // namespace

CJEditField::CJEditField(CJWindow* parent, const char* text) : CJWindow(parent, nullptr)
{
    SetTabStop(true);
    SetFramed(true);
    SetParseAmpersand(false);
    CJWindow::SetText(text);
    if (m_font) {
        const int32_t width = *GetText() ? m_font->GetTextWidth(GetText()) + 1 + m_rowSpacing +
                                               m_font->GetTextWidth("XXXX")
                                         : m_font->GetTextWidth("XXXXXXXXXXXX");
        SetSize(width, m_font->GetLineHeight() + 2 + 2 * m_rowSpacing);
    }
    Select(0, GetLength());
}

bool CJEditField::IsInsertMode()
{
    return CWindowToolkitState::Get().insertMode;
}

void CJEditField::SetInsertMode(bool insert)
{
    CWindowToolkitState::Get().insertMode = insert;
}

uint32_t CJEditField::GetLength() const
{
    return static_cast<uint32_t>(m_text.GetLength());
}

void CJEditField::Select(uint32_t anchor, uint32_t cursor)
{
    m_anchor = std::min(anchor, GetLength());
    m_cursor = std::min(cursor, GetLength());
}

void CJEditField::SetText(const char* text)
{
    m_scrollOffset = 0;
    CJWindow::SetText(text);
    Select(0, GetLength());
}

void CJEditField::SetFocus(bool focused)
{
    if (focused)
        Select(0, GetLength());
    CJWindow::SetFocus(focused);
}

void CJEditField::StoreText(const std::string& text)
{
    CJWindow::SetText(text.c_str());
}

void CJEditField::RemoveSelectionOrCharacter()
{
    std::string text = GetText();
    const uint32_t start = SelectionStart(), end = SelectionEnd();
    if (m_editable) {
        if (start != end)
            text.erase(start, end - start);
        else if (start < text.size())
            text.erase(start, 1);
        StoreText(text);
    }
    m_anchor = m_cursor = start;
}

bool CJEditField::Delete(int32_t flag)
{
    if (flag == 1) {
        RemoveSelectionOrCharacter();
        NotifyParent(kCommandValueChanged);
    }
    return true;
}

bool CJEditField::Copy(int32_t flag)
{
    const uint32_t start = SelectionStart(), end = SelectionEnd();
    if (!m_clipboardAllowed || start == end)
        return false;
    if (flag == 1)
        platform::SetClipboardText(std::string_view(GetText() + start, end - start));
    return true;
}

bool CJEditField::Cut(int32_t flag)
{
    if (!Copy(flag))
        return false;
    if (flag == 1)
        Delete(1);
    return true;
}

bool CJEditField::Paste(int32_t flag)
{
    std::string pasted;
    if (!m_clipboardAllowed || !platform::GetClipboardText(pasted))
        return false;
    if (flag != 1)
        return true;
    // The selection makes way for the text; with none, nothing goes (Delete would take the
    // character after the cursor).
    if (SelectionStart() != SelectionEnd())
        Delete(1);
    // Typed one by one so that every filter applies; a control character would run an editing
    // command, so only printable codes go through.
    CWindowWatch self(this);
    for (const char c : pasted) {
        const auto code = static_cast<uint8_t>(c);
        if (code == '\t')
            OnKey(' ');
        else if (code >= uikey::kFirstCharacter)
            OnKey(code);
        if (!self.IsAlive())
            break;
    }
    return true;
}

bool CJEditField::Validate(const char* text)
{
    if ((m_rangeMinimum == 0.0f && m_rangeMaximum == 0.0f) || !text || !*text)
        return true;
    const float value = std::strtof(text, nullptr);
    if (value >= m_rangeMinimum && value <= m_rangeMaximum)
        return true;
    CSoundList::GetInstance().PlaySound(kErrorSound);
    return false;
}

void CJEditField::ConfirmChange(const Snapshot& before)
{
    if (Validate(GetText())) {
        NotifyParent(kCommandValueChanged);
        return;
    }
    StoreText(before.text);
    Select(before.anchor, before.cursor);
}

int32_t CJEditField::PrefixWidth(uint32_t count) const
{
    return m_font ? m_font->GetTextWidth(GetText(), static_cast<int32_t>(count)) : 0;
}

CSequence* CJEditField::GetCursor(const CIntPoint& point) const
{
    return IsEnabledInParent() ? GetCursorByIndex(1) : CJWindow::GetCursor(point);
}

void CJEditField::ScrollToShow(int32_t left, int32_t right, int32_t innerWidth)
{
    const int32_t textWidth = PrefixWidth(GetLength());
    const int32_t farthest = std::max(right, textWidth);
    // Text shorter than the field never scrolls right of its start.
    if (m_scrollOffset > 0 && farthest - m_scrollOffset < innerWidth)
        m_scrollOffset = std::max(0, farthest - innerWidth);
    if (left < m_scrollOffset)
        m_scrollOffset = left;
    if (right - m_scrollOffset >= innerWidth)
        m_scrollOffset = right - innerWidth + 1;
}

void CJEditField::Draw(COffsetClippedProxyFrame* frame)
{
    if (!frame)
        return;
    // A field that is not enabled draws translucent, without selection and cursor.
    const CDimmedOpacities dimmed(!IsEnabledInParent());
    DrawBevel(m_font, frame, {0, 0, GetClientWidth(), GetClientHeight()}, true, 15, 0);
    CIntRect inner;
    const CIntRect savedClip = frame->GetClipRect();
    if (GetVisibleClientRect(1, 1, inner)) {
        const bool live = HasFocus() && IsEnabledInParent();
        // The text stays inside the bevel.
        frame->SetClipRect(inner);
        CIntRect clip = frame->GetClipRect();
        if (!ClipRectToBounds(savedClip, clip))
            clip = {};
        frame->SetTargetClipRect(clip);
        if (live && m_anchor != m_cursor) {
            const int32_t left = inner.m_left - m_scrollOffset;
            frame->FillRect({left + PrefixWidth(SelectionStart()), inner.m_top, left + PrefixWidth(SelectionEnd()),
                             inner.m_bottom},
                            m_selectColor);
        }
        DrawText(frame, inner.m_left - m_scrollOffset, inner.m_top + m_rowSpacing, kJustifyLeft);
        if (live)
            DrawCursor(frame, inner);
        frame->SetTargetClipRect(savedClip);
    }
    CJWindow::Draw(frame);
}

void CJEditField::DrawCursor(CFrameInterface* frame, const CIntRect& inner)
{
    const int32_t cursorX = PrefixWidth(m_cursor);
    const bool block = !IsInsertMode() && m_cursor < GetLength() && m_font;
    const int32_t right = block ? cursorX + m_font->GetCharWidth(static_cast<uint8_t>(GetText()[m_cursor]))
                                : cursorX + 1;
    ScrollToShow(cursorX, right, inner.GetWidth());
    if (!(platform::GetTickCount() & kBlinkBit))
        return;
    const int32_t x = inner.m_left + cursorX - m_scrollOffset;
    frame->FillRect({x, inner.m_top, block ? x + right - cursorX : x + 1, inner.m_bottom}, m_highlightColor);
}
