#include "app/Keyboard.h"

#include "app/WindowProc.h"
#include "foundation/LocalizedString.h"
#include "platform/KeyTable.h"
#include "platform/Window.h"

#include <cstdio>

constinit CKeyboard g_keyboard;

namespace {

CLocalizedString s_noKeyMapping("No Key Mapping");

// The desktop's keyboard settings as indices of the old system scales: delay 1 of 0..3 (half a
// second) and speed 31 of 0..31 (thirty repeats a second).
constexpr int kKeyboardDelayIndex = 1;
constexpr int kKeyboardSpeedIndex = 31;

} // namespace

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
    m_ringAlt[m_write] = IsKeyDown(platform::kKeyLeftAlt) || IsKeyDown(platform::kKeyRightAlt);
    m_write = (m_write + 1) % kRingSize;
    if (++m_count == kRingSize) {
        m_count = kRingSize - 1;
        m_read = (m_read + 1) % kRingSize;
    }
}

int CKeyboard::ReadChar(bool* altHeld)
{
    if (altHeld)
        *altHeld = false;
    if (m_count == 0)
        return 0;
    int character = m_ring[m_read];
    if (altHeld)
        *altHeld = m_ringAlt[m_read];
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

bool CKeyboard::TakeKey(int key)
{
    if (key == 0)
        return true;
    if (!IsValidKey(key))
        return false;
    const bool down = (m_keys[key] & (kHeld | kPressed)) != 0;
    m_keys[key] &= ~kPressed;
    return down;
}

int CKeyboard::TakeAnyKey()
{
    for (int key = 1; key < kKeyCount; ++key) {
        if (m_keys[key] & (kHeld | kPressed)) {
            m_keys[key] &= ~kPressed;
            return key;
        }
    }
    return 0;
}

int CKeyboard::TakeAnyKeyPress()
{
    for (int key = 1; key < kKeyCount; ++key) {
        if (m_keys[key] & kPressed) {
            m_keys[key] &= ~kPressed;
            return key;
        }
    }
    return 0;
}

int CKeyboard::TakeKeyPressExcept(int except)
{
    for (int key = 1; key < kKeyCount; ++key) {
        if (m_keys[key] & kPressed) {
            m_keys[key] &= ~kPressed;
            if (key != except)
                return key;
        }
    }
    return 0;
}

CSharedString CKeyboard::GetKeyName(int key)
{
    if (const char* name = GetKeyNameFromScanCode(key))
        return CSharedString(name);
    return s_noKeyMapping;
}

const char* GetKeyNameFromScanCode(int key)
{
    static char s_name[255];
    const std::string name = platform::GetKeyName(key);
    if (name.empty())
        return nullptr;
    std::snprintf(s_name, sizeof s_name, "%s", name.c_str());
    return s_name;
}

float GetKeyRepeatDelay()
{
    return static_cast<float>(kKeyboardDelayIndex) * (1.0f / 3.0f) * 0.75f + 0.25f;
}

float GetKeyRepeatInterval()
{
    return static_cast<float>(31 - kKeyboardSpeedIndex) * (1.0f / 31.0f) * 0.36666667f + 0.033333335f;
}
