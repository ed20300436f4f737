// Input routing: mouse, wheel, keys and shortcuts handed from a window to its children.
#include "ui/JWindow.h"

#include "app/Keyboard.h"
#include "app/Mouse.h"
#include "objects/DataNames.h"
#include "platform/KeyTable.h"
#include "sound/SoundList.h"
#include "ui/ScreenWindow.h"
#include "ui/WindowToolkitState.h"
#include "ui/WindowWatch.h"

namespace {

constexpr int32_t kKeyTab = 9;
constexpr int32_t kKeyEscape = 27;
constexpr const char* kErrorSound = dataname::sound::kPlayerError;

uint32_t ButtonBit(int32_t button)
{
    return button >= 0 && button <= 2 ? 1u << button : 0u;
}

bool IsShiftDown()
{
    return g_keyboard.IsKeyDown(platform::kKeyLeftShift) || g_keyboard.IsKeyDown(platform::kKeyRightShift);
}

// Visits the children front to back, the next one watched before each visit, until a visit takes
// the event (true). The walk ends without taking it after a visible modal child, once the window
// or the next child was deleted, and when a rotation of the ring brings it back to the first child
// it visited.
template <class Visit>
bool WalkChildren(CJWindow* window, Visit&& visit)
{
    CWindowWatch self(window);
    CWindowWatch first(window->GetFrontChild());
    for (CJWindow* child = first.Get(); child;) {
        CWindowWatch next(child->GetNextSibling());
        const bool blocks = child->IsModal() && child->IsVisible();
        if (visit(child))
            return true;
        if (!self.IsAlive() || blocks)
            return false;
        child = next.Get();
        if (child == first.Get())
            return false;
    }
    return false;
}

} // namespace

bool CJWindow::IsBehindModalWindow() const
{
    for (const CJWindow* window = this; window->m_parent; window = window->m_parent)
        for (const CJWindow* front = window->m_parent->m_frontChild; front && front != window;
             front = front->m_nextSibling)
            if (front->m_modal && front->m_visible)
                return true;
    return false;
}

bool CJWindow::IsFirstUnderPointer(const CIntPoint& point) const
{
    if (!m_visible || !IsHit(point))
        return false;
    for (const CJWindow* window = this; window->m_parent; window = window->m_parent) {
        if (!window->m_parent->m_visible)
            return false;
        for (const CJWindow* front = window->m_parent->m_frontChild; front && front != window;
             front = front->m_nextSibling) {
            if (!front->m_visible)
                continue;
            // As the pointer's walk goes: a modal window ends it, and the first window hit that
            // hears the pointer takes it.
            if (front->m_modal || ((front->m_enabled || front->m_hoverWhileDisabled) && front->IsHit(point)))
                return false;
        }
    }
    return true;
}

void CJWindow::ApplyCursor(CSequence* cursor)
{
    if (cursor && cursor != g_mouse.GetCursorSequence())
        g_mouse.SetCursorSequence(cursor);
}

bool CJWindow::OnDoubleClick(int32_t button, const CIntPoint& point, bool& keepPress)
{
    return WalkChildren(this, [&](CJWindow* child) {
        if (!child->m_visible || !child->m_enabled)
            return false;
        if (!child->IsHit(point) && !(child == m_frontChild && child->m_modal))
            return false;
        return child->OnDoubleClick(button, point, keepPress);
    });
}

bool CJWindow::OnMouseDown(int32_t button, const CIntPoint& point)
{
    CWindowWatch self(this);
    bool called = false;
    const bool taken = WalkChildren(this, [&](CJWindow* child) {
        if (!child->m_visible || !child->m_enabled)
            return false;
        const bool front = child == m_frontChild;
        if (!child->IsHit(point) && !(front && child->m_modal))
            return false;
        if (!called) {
            called = true;
            if (!front) {
                CWindowWatch watch(child);
                ActivateChild(child);
                if (!watch.IsAlive() || !self.IsAlive())
                    return false;
            }
        }
        return child->OnMouseDown(button, point);
    });
    if (taken || !self.IsAlive())
        return taken;
    return StartDrag(button, point);
}

bool CJWindow::StartDrag(int32_t button, const CIntPoint& point)
{
    const uint32_t bit = ButtonBit(button);
    if (!bit)
        return false;
    m_dragStart = point;
    m_dragValue = 0;
    CSequence* cursor = nullptr;
    CWindowWatch self(this);
    if (!OnMouseDrag(point, {0, 0}, bit, cursor))
        return false;
    if (self.IsAlive())
        m_capturedButtons = static_cast<uint8_t>(m_capturedButtons | bit);
    ApplyCursor(cursor);
    return true;
}

bool CJWindow::OnMouseUp(int32_t button, const CIntPoint& point)
{
    const uint32_t bit = ButtonBit(button);
    if (m_capturedButtons & bit) {
        m_capturedButtons = static_cast<uint8_t>(m_capturedButtons & ~bit);
        return true;
    }
    return WalkChildren(this, [&](CJWindow* child) { return child->OnMouseUp(button, point); });
}

bool CJWindow::OnMouseMove(const CIntPoint& point, const CIntPoint& delta, CSequence*& cursor)
{
    CWindowWatch self(this);
    if (m_capturedButtons && OnMouseDrag(point, delta, m_capturedButtons, cursor))
        return true;
    if (!self.IsAlive())
        return false;
    bool hovered = false;
    const bool taken = WalkChildren(this, [&](CJWindow* child) {
        if (!child->m_visible || !(child->m_enabled || child->m_hoverWhileDisabled))
            return false;
        const bool hit = child->IsHit(point);
        // Windows under the hovered one see nothing of the pointer.
        if (hit && hovered)
            return false;
        if (hit) {
            hovered = true;
            CWindowWatch watch(child);
            if (!child->HasChildren())
                child->OnHover(point);
            if (!watch.IsAlive())
                return false;
            cursor = child->GetCursor(
                {point.m_x - child->m_screenRect.m_left, point.m_y - child->m_screenRect.m_top});
        }
        return child->OnMouseMove(point, delta, cursor);
    });
    if (taken || !self.IsAlive())
        return taken;
    if (!hovered && HasChildren() && m_visible && m_enabled && IsHit(point))
        OnHover(point);
    return false;
}

bool CJWindow::OnMouseWheel(int32_t notches, const CIntPoint& point)
{
    CWindowWatch self(this);
    const bool taken = WalkChildren(this, [&](CJWindow* child) {
        if (!child->m_visible || !child->m_enabled)
            return false;
        if (!child->IsHit(point) && !child->m_focused)
            return false;
        return child->OnMouseWheel(notches, point);
    });
    if (taken || !self.IsAlive() || !m_scroll || !m_scroll->m_automaticBars)
        return taken;
    if (CJWindow* bar = m_scroll->m_verticalBar; bar && bar->OnMouseWheel(notches, point))
        return true;
    if (!self.IsAlive() || !m_scroll)
        return false;
    CJWindow* bar = m_scroll->m_horizontalBar;
    return bar && bar->OnMouseWheel(notches, point);
}

bool CJWindow::OnKey(int32_t key)
{
    CWindowWatch self(this);
    for (CJWindow* child = m_frontChild; child; child = child->m_nextSibling) {
        if (!child->m_focused)
            continue;
        if (child->m_visible && child->m_enabled && child->OnKey(key))
            return true;
        break;
    }
    return self.IsAlive() && HandleNavigationKey(key);
}

bool CJWindow::HandleNavigationKey(int32_t key)
{
    if (key == kKeyTab) {
        // A modal front child keeps the focus: the windows behind it get no input.
        if (!m_frontChild || m_frontChild == m_backChild || (m_frontChild->m_modal && m_frontChild->m_visible))
            return false;
        return IsShiftDown() ? FocusPrevTabStop() : FocusNextTabStop();
    }
    if (key == kKeyEscape && m_capturedButtons) {
        // The drag is cancelled: the pointer goes back and the drag follows it there.
        g_mouse.SetPosition(m_dragStart.m_x, m_dragStart.m_y);
        CWindowWatch self(this);
        if (CScreenWindow* screen = FindScreenWindow())
            screen->RunPointerMotion();
        if (self.IsAlive())
            m_capturedButtons = 0;
        return true;
    }
    return false;
}

bool CJWindow::HandleShortcut(int32_t character)
{
    if (character <= 0 || character > 255)
        return false;
    const auto lower = static_cast<uint8_t>(character >= 'A' && character <= 'Z' ? character + ('a' - 'A') : character);
    CWindowWatch self(this);
    bool matched = false;
    const bool taken = WalkChildren(this, [&](CJWindow* child) {
        CWindowWatch watch(child);
        if (child->HasChildren() && child->HandleShortcut(character))
            return true;
        if (!watch.IsAlive() || !self.IsAlive() || child->GetShortcutKey() != lower)
            return false;
        // A label hands its shortcut on to the control after it.
        CJWindow* target = child;
        if (!child->m_tabStop && !child->m_ownShortcut)
            if (CJWindow* next = child->NextTabStop())
                target = next;
        matched = true;
        if (!target->m_enabled)
            return false;
        if (IsShown()) {
            CWindowWatch targetWatch(target);
            ActivateChild(target);
            if (!targetWatch.IsAlive())
                return true;
        }
        target->Activate();
        return true;
    });
    if (taken)
        return true;
    if (!matched)
        return false;
    CSoundList::GetInstance().PlaySound(kErrorSound);
    return true;
}

void CJWindow::SetMouseRepeat(uint32_t delayMilliseconds, uint32_t intervalMilliseconds)
{
    if (CScreenWindow* screen = FindScreenWindow())
        screen->SetMouseRepeat(this, delayMilliseconds, intervalMilliseconds);
}

bool CJWindow::IsMouseRepeating()
{
    CScreenWindow* screen = FindScreenWindow();
    return screen && screen->IsMouseRepeating();
}

void CJWindow::ShowTooltip(const char* text, int32_t x, int32_t y)
{
    ShowTooltipUnderlined(-1, text, x, y);
}

void CJWindow::ShowTooltipUnderlined(int32_t underlineIndex, const char* text, int32_t x, int32_t y)
{
    if (CScreenWindow* screen = FindScreenWindow())
        screen->ShowTooltip(this, underlineIndex, text, x, y);
}

CScreenWindow* CJWindow::FindScreenWindow()
{
    // Only the screen window answers IsScreenWindow.
    return static_cast<CScreenWindow*>(GetScreenWindow());
}
