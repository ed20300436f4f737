// The screen window's input step: the mouse and keyboard state become window input, routed from
// the root down the tree.
#include "ui/ScreenWindow.h"

#include "app/ApplicationBase.h"
#include "app/Keyboard.h"
#include "app/Mouse.h"
#include "platform/KeyTable.h"
#include "platform/Time.h"
#include "ui/WindowToolkitState.h"

#include <cmath>

namespace {

// The clipboard keys (UI key codes: the control characters of Ctrl+C, D, V, X, and the codes of
// Insert and Delete).
constexpr int32_t kCtrlC = 3;
constexpr int32_t kCtrlD = 4;
constexpr int32_t kInsert = 16;
constexpr int32_t kDelete = 17;
constexpr int32_t kCtrlV = 22;
constexpr int32_t kCtrlX = 24;

bool IsEitherDown(int left, int right)
{
    return g_keyboard.IsKeyDown(left) || g_keyboard.IsKeyDown(right);
}

// The tick count wraps after 49.7 days: a time is due when it lies less than half the range ahead.
bool IsDue(uint32_t time, uint32_t now)
{
    return static_cast<int32_t>(now - time) > 0;
}

uint32_t SecondsToMilliseconds(float seconds)
{
    return static_cast<uint32_t>(std::lround(seconds * 1000.0f));
}

} // namespace

void CScreenWindow::Update(float seconds)
{
    if (m_inputOn) {
        const uint32_t now = platform::GetTickCount();
        RunPointerMotion();
        const CIntPoint position = g_mouse.GetPositionPoint();
        if (const int notches = g_mouse.TakeWheelNotches())
            OnMouseWheel(notches, position);
        uint32_t held = g_mouse.GetButtons() & 7u;
        CMouse::PressCounts presses = g_mouse.TakePresses(m_seenPresses);
        held = RouteDoubleClicks(held, presses, position);
        RouteButtons(held, presses, position, now);
        RouteKeys(now);
    }
    // Controls whose action rules their enabled flag follow it.
    UpdateState();
    CJWindow::Update(seconds);
}

void CScreenWindow::RunPointerMotion()
{
    const CIntPoint position = g_mouse.GetPositionPoint();
    if (position == m_lastPointer)
        return;
    CSequence* cursor = nullptr;
    const CIntPoint delta{position.m_x - m_lastPointer.m_x, position.m_y - m_lastPointer.m_y};
    m_lastPointer = position;
    m_lastInputTime = platform::GetTickCount();
    OnMouseMove(position, delta, cursor);
    ApplyCursor(cursor);
}

void CScreenWindow::RefreshPointer()
{
    CSequence* cursor = nullptr;
    OnMouseMove(m_lastPointer, {0, 0}, cursor);
    ApplyCursor(cursor);
}

uint32_t CScreenWindow::RouteDoubleClicks(uint32_t held, CMouse::PressCounts& presses, const CIntPoint& position)
{
    for (int32_t button = 0; button < kButtonCount; ++button) {
        const uint32_t bit = 1u << button;
        if (!g_mouse.TakeDoubleClick(bit))
            continue;
        bool keepPress = false;
        if (OnDoubleClick(button, position, keepPress) && !keepPress) {
            // The second press is swallowed.
            held &= ~bit;
            if (presses[button] > 0)
                --presses[button];
            continue;
        }
        // The press goes on as a normal press: taking the double click released its button, which
        // is still down unless it came up within the same update.
        if (held & bit)
            g_mouse.HoldButtons(bit);
    }
    return held;
}

void CScreenWindow::RouteButtons(uint32_t held, const CMouse::PressCounts& presses, const CIntPoint& position,
                                 uint32_t now)
{
    CWindowToolkitState& toolkit = CWindowToolkitState::Get();
    const uint32_t previous = toolkit.previousButtons;
    for (int32_t button = 0; button < kButtonCount; ++button) {
        const uint32_t bit = 1u << button;
        RepeatRecord& record = m_repeats[button];
        const bool down = (held & bit) != 0, wasDown = (previous & bit) != 0;
        // Presses since the last update, a click that came and went within it included; a press
        // can only follow a release, so a button down before and pressed again was let go between.
        const uint32_t pressCount = presses[button];
        if (pressCount > 0) {
            if (wasDown)
                RouteRelease(button, position, now);
            for (uint32_t press = 1; press <= pressCount; ++press) {
                RoutePress(button, position, now);
                if (press < pressCount || !down)
                    RouteRelease(button, position, now);
            }
        } else if (down && !wasDown) {
            RoutePress(button, position, now);
        } else if (down && record.target.IsAlive() && IsDue(record.nextRepeat, now)) {
            // Off the target the repeats are skipped, but the timer runs on.
            CJWindow* target = record.target.Get();
            if (target->IsHit(position))
                target->OnMouseRepeat(button, position);
            record.repeated = true;
            record.nextRepeat = now + record.interval;
        } else if (!down && wasDown) {
            RouteRelease(button, position, now);
        }
    }
    toolkit.previousButtons = held;
}

void CScreenWindow::RoutePress(int32_t button, const CIntPoint& position, uint32_t now)
{
    RepeatRecord& record = m_repeats[button];
    m_lastInputTime = now;
    CWindowToolkitState::Get().keyboardNavigation = false;
    m_currentButton = button;
    record.target.Watch(nullptr);
    record.repeated = false;
    OnMouseDown(button, position);
    RefreshPointer();
}

void CScreenWindow::RouteRelease(int32_t button, const CIntPoint& position, uint32_t now)
{
    m_currentButton = button;
    m_lastInputTime = now;
    OnMouseUp(button, position);
    RefreshPointer();
    m_repeats[button].target.Watch(nullptr);
}

void CScreenWindow::RouteKeys(uint32_t now)
{
    // A key that suspends input (a control waiting for a key to capture) leaves the rest to it.
    while (m_inputOn) {
        // Alt as it was when the key was typed: Alt, a letter and Alt let go within one update
        // still make a shortcut.
        bool alt = false;
        const int key = g_keyboard.ReadChar(&alt);
        if (!key)
            break;
        m_lastInputTime = now;
        if (!(alt && HandleShortcut(key)))
            OnKey(key);
        RefreshPointer();
    }
}

bool CScreenWindow::OnKey(int32_t key)
{
    if (CJWindow::OnKey(key) || HandleShortcut(key))
        return true;
    if (g_application && g_application->OnKey(key))
        return true;
    return HandleClipboardKey(key);
}

bool CScreenWindow::HandleClipboardKey(int32_t key)
{
    const bool ctrl = IsEitherDown(platform::kKeyLeftCtrl, platform::kKeyRightCtrl);
    const bool shift = IsEitherDown(platform::kKeyLeftShift, platform::kKeyRightShift);
    switch (key) {
    case kCtrlC:
    case kCtrlD:
        return Copy(1);
    case kInsert:
        if (ctrl)
            return Copy(1);
        return shift && Paste(1);
    case kCtrlV:
        return Paste(1);
    case kCtrlX:
        return Cut(1);
    case kDelete:
        return shift ? Cut(1) : Delete(1);
    default:
        return false;
    }
}

void CScreenWindow::SetMouseRepeat(CJWindow* window, uint32_t delayMilliseconds, uint32_t intervalMilliseconds)
{
    RepeatRecord& record = m_repeats[m_currentButton];
    if (!window || record.target.Get() == window)
        return;
    record.target.Watch(window);
    record.interval = intervalMilliseconds ? intervalMilliseconds : SecondsToMilliseconds(GetKeyRepeatInterval());
    record.nextRepeat = platform::GetTickCount() +
                        (delayMilliseconds ? delayMilliseconds : SecondsToMilliseconds(GetKeyRepeatDelay()));
}

bool CScreenWindow::IsMouseRepeating() const
{
    return m_repeats[m_currentButton].repeated;
}
