#include "app/Mouse.h"

#include "platform/Window.h"

constinit CMouse g_mouse;

namespace {
// The system pointer starts removed: the game draws its own.
const bool s_systemCursorRemoved = [] {
    CMouse::HideSystemCursor();
    return true;
}();
} // namespace

bool CMouse::HideCursor()
{
    bool previous = m_visible;
    m_visible = false;
    ApplySystemCursor();
    return previous;
}

bool CMouse::ShowCursor()
{
    bool previous = m_visible;
    m_visible = true;
    ApplySystemCursor();
    return previous;
}

bool CMouse::SetCursorVisible(bool visible)
{
    bool previous = m_visible;
    if (visible != m_visible) {
        m_visible = visible;
        ApplySystemCursor();
    }
    return previous;
}

bool CMouse::WantsSystemArrow() const
{
    return m_systemCursorMode || (m_visible && !m_sequence);
}

void CMouse::ApplySystemCursor()
{
    if (WantsSystemArrow())
        ShowSystemArrow();
    else
        HideSystemCursor();
}

void CMouse::ShowSystemArrow()
{
    platform::SetSystemCursorVisible(true);
}

void CMouse::HideSystemCursor()
{
    platform::SetSystemCursorVisible(false);
}
