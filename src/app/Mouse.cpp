#include "app/Mouse.h"

#include "app/SubsystemCalls.h"
#include "platform/Window.h"

#include <cmath>

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

void CMouse::SetPosition(int x, int y)
{
    m_x = x;
    m_y = y;
    WarpSystemCursor();
}

void CMouse::WarpSystemCursor() const
{
    platform::WarpMouse(m_x, m_y);
}

bool CMouse::TakeDoubleClick(unsigned mask)
{
    if ((m_doubleClicks & mask) == 0)
        return false;
    m_doubleClicks &= ~mask;
    m_held &= ~mask;
    return true;
}

int CMouse::TakeWheelNotches()
{
    const float notches = std::trunc(m_wheel);
    m_wheel -= notches;
    return static_cast<int>(notches);
}

CSequence* CMouse::SetCursorSequence(CSequence* sequence)
{
    CSequence* previous = m_sequence;
    m_sequence = sequence;
    if (m_frameTime >= static_cast<float>(GetSequenceFrameCount(sequence)))
        m_frameTime = 0.0f;
    return previous;
}

void CMouse::AnimateCursor(float seconds)
{
    const int frames = GetSequenceFrameCount(m_sequence);
    if (!m_sequence || frames <= 1)
        return;
    m_frameTime += GetSequenceFrameRate(m_sequence) * seconds;
    if (m_frameTime >= static_cast<float>(frames))
        m_frameTime = 0.0f;
}

void CMouse::DrawCursor(CFrameInterface* target) const
{
    if (m_sequence && m_visible)
        DrawSequenceFrameAt(target, m_sequence, static_cast<int>(std::floor(m_frameTime)), m_x, m_y);
}

bool CMouse::GetCursorRect(CIntRect& rect) const
{
    if (!m_sequence || !m_visible)
        return false;
    if (!GetSequenceFrameRect(m_sequence, static_cast<int>(std::floor(m_frameTime)), rect))
        return false;
    rect.Offset(m_x, m_y);
    return true;
}
