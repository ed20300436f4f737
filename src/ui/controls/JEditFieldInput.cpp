// The edit field's keys and mouse.
#include "ui/controls/JEditField.h"

#include "app/Keyboard.h"
#include "graphics/Font.h"
#include "objects/DataNames.h"
#include "platform/KeyTable.h"
#include "sound/SoundList.h"
#include "ui/UiKeys.h"
#include "ui/WindowWatch.h"

namespace {

constexpr const char* kErrorSound = dataname::sound::kPlayerError;

bool IsShiftDown()
{
    return g_keyboard.IsKeyDown(platform::kKeyLeftShift) || g_keyboard.IsKeyDown(platform::kKeyRightShift);
}

bool IsCtrlDown()
{
    return g_keyboard.IsKeyDown(platform::kKeyLeftCtrl) || g_keyboard.IsKeyDown(platform::kKeyRightCtrl);
}

// Upper case in Windows-1252: the ASCII letters and the accented ones from 0xE0 (not the
// division sign 0xF7; 0xFF has its capital elsewhere).
uint8_t ToUpper(uint8_t c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return static_cast<uint8_t>(c - 0x20);
    if (c == 0xFF)
        return 0x9F;
    return c;
}

bool IsNumericCharacter(uint8_t c)
{
    return c == '.' || c == '-' || (c >= '0' && c <= '9');
}

} // namespace

void CJEditField::MoveCursor(uint32_t index, bool extend)
{
    m_cursor = index;
    if (!extend)
        m_anchor = index;
}

bool CJEditField::TypeCharacter(uint8_t character)
{
    if (!m_editable)
        return true;
    if (m_upperCase)
        character = ToUpper(character);
    if (m_numericOnly && !IsNumericCharacter(character))
        return false;
    const Snapshot before{GetText(), m_cursor, m_anchor};
    std::string text = before.text;
    const uint32_t start = SelectionStart(), end = SelectionEnd();
    if (start != end) {
        text.replace(start, end - start, 1, static_cast<char>(character));
        m_cursor = start + 1;
    } else if (!IsInsertMode() && m_cursor < text.size()) {
        text[m_cursor] = static_cast<char>(character);
        ++m_cursor;
    } else if (m_maximumLength == 0 || text.size() < m_maximumLength) {
        text.insert(m_cursor, 1, static_cast<char>(character));
        ++m_cursor;
    } else {
        CSoundList::GetInstance().PlaySound(kErrorSound);
        return true;
    }
    m_anchor = m_cursor;
    StoreText(text);
    ConfirmChange(before);
    return true;
}

bool CJEditField::OnKey(int32_t key)
{
    if (key >= uikey::kFirstCharacter && key <= 255)
        return TypeCharacter(static_cast<uint8_t>(key));
    const bool shift = IsShiftDown();
    switch (key) {
    case uikey::kSelectAll:
        Select(0, GetLength());
        return true;
    case uikey::kHome:
        MoveCursor(0, shift);
        return true;
    case uikey::kEnd:
        MoveCursor(GetLength(), shift);
        return true;
    case uikey::kLeft:
        MoveCursor(m_cursor > 0 ? m_cursor - 1 : 0, shift);
        return true;
    case uikey::kRight:
        MoveCursor(m_cursor < GetLength() ? m_cursor + 1 : m_cursor, shift);
        return true;
    case uikey::kBackspace: {
        if (m_cursor == 0)
            return true;
        const Snapshot before{GetText(), m_cursor, m_anchor};
        if (m_anchor == m_cursor)
            MoveCursor(m_cursor - 1, shift);
        RemoveSelectionOrCharacter();
        ConfirmChange(before);
        return true;
    }
    case uikey::kInsert:
        if (shift)
            return !m_editable;
        if (IsCtrlDown())
            return false;
        SetInsertMode(!IsInsertMode());
        return true;
    default:
        return false;
    }
}

uint32_t CJEditField::IndexAtPoint(const CIntPoint& point) const
{
    const int32_t inField = point.m_x - GetScreenRect().m_left;
    if (inField < 0 || inField >= GetWidth())
        return 0;
    const int32_t position = inField + m_scrollOffset;
    for (uint32_t i = GetLength(); i >= 1; --i)
        if (PrefixWidth(i) - 2 < position)
            return i;
    return 0;
}

bool CJEditField::OnMouseDown(int32_t button, const CIntPoint& point)
{
    CWindowWatch self(this);
    const bool taken = CJWindow::OnMouseDown(button, point);
    if (!self.IsAlive() || button != 0)
        return taken;
    MoveCursor(IndexAtPoint(point), IsShiftDown());
    return true;
}

bool CJEditField::OnMouseDrag(const CIntPoint& point, const CIntPoint& delta, uint32_t buttons, CSequence*& cursor)
{
    if (!(buttons & 1))
        return CJWindow::OnMouseDrag(point, delta, buttons, cursor);
    MoveCursor(IndexAtPoint(point), true);
    return true;
}
