// Mouse and keys of the push button.
#include "ui/JButton.h"

#include "ui/WindowWatch.h"

namespace {

constexpr int32_t kLeftButton = 0;
constexpr int32_t kKeySpace = 32;
constexpr int32_t kKeyLeft = 11;
constexpr int32_t kKeyRight = 12;

} // namespace

bool CJButton::OnMouseDown(int32_t button, const CIntPoint& point)
{
    if (button != kLeftButton || !HitTest(point))
        return false;
    m_pressed = true;
    m_pointerInside = true;
    if (m_autoRepeat)
        SetMouseRepeat(0, 0);
    return true;
}

bool CJButton::OnMouseMove(const CIntPoint& point, const CIntPoint& delta, CSequence*& cursor)
{
    const bool inside = IsHit(point) && HitTest(point);
    const bool entered = inside && !m_pointerInside;
    m_pointerInside = inside;
    CWindowWatch self(this);
    if (entered)
        OnPointerEnter();
    return self.IsAlive() && CJWindow::OnMouseMove(point, delta, cursor);
}

bool CJButton::OnMouseUp(int32_t button, const CIntPoint& point)
{
    if (button != kLeftButton || !m_pressed)
        return CJWindow::OnMouseUp(button, point);
    m_pressed = false;
    // The repeats already clicked while the button was held; the release adds none.
    if (m_pointerInside && !IsMouseRepeating())
        Click();
    return true;
}

bool CJButton::OnMouseRepeat(int32_t, const CIntPoint&)
{
    Click();
    return true;
}

bool CJButton::OnKey(int32_t key)
{
    if (key == kKeySpace) {
        Click();
        return true;
    }
    if (m_nextMember && (key == kKeyRight || key == kKeyLeft)) {
        CJButton* member = key == kKeyRight ? m_nextMember : GetPreviousGroupMember();
        if (member)
            MoveToMember(member);
        return true;
    }
    return CJWindow::OnKey(key);
}

void CJButton::MoveToMember(CJButton* member)
{
    CWindowWatch watch(member);
    if (CJWindow* parent = member->GetParent())
        parent->ActivateChild(member);
    if (watch.IsAlive())
        member->Click();
}

bool CJButton::Activate()
{
    if (!m_enabled)
        return false;
    Click();
    return true;
}
