#include "app/Keyboard.h"

#include "app/WindowProc.h"

constinit CKeyboard g_keyboard;

void CKeyboard::OnKeyDown(int key)
{
    if (IsValidKey(key))
        m_keys[key] |= kHeld | kPressed;
}

void CKeyboard::OnKeyUp(int key)
{
    if (IsValidKey(key))
        m_keys[key] &= ~kHeld;
}

void CKeyboard::OnChar(int character)
{
    if (character == 0)
        return;
    if (m_filter && m_filter(m_filterContext, character))
        return;
    m_ring[m_write] = static_cast<uint8_t>(character);
    m_write = (m_write + 1) % kRingSize;
    if (++m_count == kRingSize) {
        m_count = kRingSize - 1;
        m_read = (m_read + 1) % kRingSize;
    }
}

int CKeyboard::ReadChar()
{
    if (m_count == 0)
        return 0;
    int character = m_ring[m_read];
    m_read = (m_read + 1) % kRingSize;
    --m_count;
    return character;
}

void CKeyboard::FlushTypeAhead(bool noPump)
{
    if (!noPump)
        PumpWindowMessages();
    m_count = 0;
    m_read = m_write;
}

void CKeyboard::ClearAll(bool noPump)
{
    ClearPressed(noPump);
    ClearHeld(noPump);
    FlushTypeAhead(noPump);
}

void CKeyboard::ClearPressed(bool noPump)
{
    if (!noPump)
        PumpWindowMessages();
    for (int key = 1; key < kKeyCount; ++key)
        m_keys[key] &= ~kPressed;
}

void CKeyboard::ClearHeld(bool noPump)
{
    if (!noPump)
        PumpWindowMessages();
    for (int key = 1; key < kKeyCount; ++key)
        m_keys[key] &= ~kHeld;
}

bool CKeyboard::IsKeyDown(int key) const
{
    if (key == 0)
        return true;
    return IsValidKey(key) && (m_keys[key] & kHeld) != 0;
}

void CKeyboard::SetFilter(CharFilter filter, void* context)
{
    m_filter = filter;
    m_filterContext = context;
}
