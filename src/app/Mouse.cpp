#include "app/Mouse.h"

#include "graphics/Frame.h"
#include "graphics/Sequence.h"
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

void CMouse::PressButtons(unsigned mask)
{
    m_held |= mask;
    for (int button = 0; button < kButtonCount; ++button)
        if (mask & (1u << button))
            ++m_presses[button];
}

CMouse::PressCounts CMouse::TakePresses(PressCounts& seen) const
{
    PressCounts presses{};
    for (int button = 0; button < kButtonCount; ++button) {
        const uint32_t now = m_presses[button];
        presses[button] = now >= seen[button] ? now - seen[button] : now;
        seen[button] = now;
    }
    return presses;
}

unsigned CMouse::TakePressMask(PressCounts& seen) const
{
    const PressCounts presses = TakePresses(seen);
    unsigned mask = 0;
    for (int button = 0; button < kButtonCount; ++button)
        if (presses[button])
            mask |= 1u << button;
    return mask;
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
    if (m_frameTime >= static_cast<float>(sequence ? sequence->GetFrameCount() : 0))
        m_frameTime = 0.0f;
    return previous;
}

void CMouse::AnimateCursor(float seconds)
{
    if (!m_sequence || m_sequence->GetFrameCount() <= 1)
        return;
    m_frameTime += m_sequence->GetFramesPerSecond() * seconds;
    if (m_frameTime >= static_cast<float>(m_sequence->GetFrameCount()))
        m_frameTime = 0.0f;
}

CFrame* CMouse::GetCursorFrame() const
{
    if (!m_sequence || !m_visible || !(m_frameTime >= 0.0f))
        return nullptr;
    return m_sequence->GetFrame(static_cast<uint32_t>(m_frameTime));
}

void CMouse::DrawCursor(CFrameInterface* target) const
{
    if (CFrame* frame = GetCursorFrame(); frame && target)
        target->DrawFrameAt(frame, m_x, m_y, m_sequence->GetBlitter());
}

bool CMouse::GetCursorRect(CIntRect& rect) const
{
    const CFrame* frame = GetCursorFrame();
    if (!frame)
        return false;
    frame->GetBounds(rect);
    rect.Offset(m_x, m_y);
    return true;
}

int CMouse::GetCursorHeight() const
{
    const CFrame* frame = WantsSystemArrow() ? nullptr : GetCursorFrame();
    return frame ? static_cast<int>(frame->GetHeight()) : kSystemCursorHeight;
}
