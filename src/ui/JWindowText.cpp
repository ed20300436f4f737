// The window's text and its shortcut.
#include "ui/JWindow.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr uint8_t kNoShortcut = 255;

uint8_t LowerCase(char c)
{
    const auto u = static_cast<uint8_t>(c);
    return u >= 'A' && u <= 'Z' ? static_cast<uint8_t>(u + ('a' - 'A')) : u;
}

} // namespace

bool CJWindow::ClearShortcut()
{
    m_shortcutPosition = kNoShortcut;
    m_underlineLength = 0;
    m_shortcutKey = 0;
    return false;
}

void CJWindow::SetText(const char* text)
{
    m_text.Clear();
    ClearShortcut();
    if (!text)
        return;
    std::string shown = text;
    const size_t first = m_parseAmpersand ? shown.find('&') : std::string::npos;
    if (first == std::string::npos) {
        m_text = shown.c_str();
        return;
    }
    shown.erase(first, 1);
    if (first < shown.size() && shown[first] == '\x01')
        shown.erase(first, 1);
    const size_t last = shown.rfind('&');
    size_t length = 1;
    uint8_t key = 0;
    if (last != std::string::npos && last >= first) {
        // A run of several underlined characters has no shortcut key.
        length = last - first;
        shown.erase(last, 1);
    } else if (first < shown.size()) {
        key = LowerCase(shown[first]);
    } else {
        // A '&' at the very end marks nothing.
        length = 0;
    }
    m_text = shown.c_str();
    // Positions and lengths are bytes; a mark past them underlines nothing.
    if (length > 0 && first < kNoShortcut) {
        m_shortcutPosition = static_cast<uint8_t>(first);
        m_underlineLength = static_cast<uint8_t>(length < kNoShortcut ? length : kNoShortcut);
        m_shortcutKey = key;
    }
}

int32_t CJWindow::GetTextAsInt() const
{
    const long long value = std::strtoll(m_text.CStr(), nullptr, 10);
    return static_cast<int32_t>(value < INT32_MIN ? INT32_MIN : value > INT32_MAX ? INT32_MAX : value);
}

float CJWindow::GetTextAsFloat() const
{
    return std::strtof(m_text.CStr(), nullptr);
}

void CJWindow::SetTextInt(int32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    SetText(text);
}

void CJWindow::SetTextFloat(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    SetText(text);
}
