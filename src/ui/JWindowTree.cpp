// The child ring, focus, visibility and the rect cascade.
#include "ui/JWindow.h"

#include "ui/WindowToolkitState.h"
#include "ui/WindowWatch.h"

#include <algorithm>
#include <cstdint>

int32_t CJWindow::ClampToInt(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

bool CJWindow::IsAncestorOrSelf(const CJWindow* window) const
{
    for (const CJWindow* ancestor = this; ancestor; ancestor = ancestor->m_parent)
        if (ancestor == window)
            return true;
    return false;
}

void CJWindow::FocusFirstTabStopOf(CJWindow* child)
{
    CJWindow* front = child->m_frontChild;
    if (!front || (front->m_tabStop && front->m_visible))
        return;
    bool& navigation = CWindowToolkitState::Get().keyboardNavigation;
    const bool saved = navigation;
    navigation = true;
    if (CJWindow* stop = front->NextTabStop())
        child->ActivateChild(stop);
    navigation = saved;
}

bool CJWindow::PrepareChild(CJWindow* child)
{
    // A window that is this one or holds it would make the tree a loop.
    if (!child || IsAncestorOrSelf(child))
        return false;
    if (child->m_parent)
        child->m_parent->RemoveChild(child);
    FocusFirstTabStopOf(child);
    return true;
}

void CJWindow::Link(CJWindow* child, bool atFront)
{
    child->m_parent = this;
    if (atFront) {
        child->m_prevSibling = nullptr;
        child->m_nextSibling = m_frontChild;
        (m_frontChild ? m_frontChild->m_prevSibling : m_backChild) = child;
        m_frontChild = child;
    } else {
        child->m_nextSibling = nullptr;
        child->m_prevSibling = m_backChild;
        (m_backChild ? m_backChild->m_nextSibling : m_frontChild) = child;
        m_backChild = child;
    }
}

void CJWindow::PlaceChild(CJWindow* child, int32_t placement, CJWindow* relative, int32_t x, int32_t y,
                          uint32_t flags)
{
    if (placement != kPlaceNone)
        child->Place(placement, relative, x, y, flags | kPlaceNoGrow);
    else
        child->SetRect(child->m_rect);
}

void CJWindow::AddChild(CJWindow* child, int32_t placement, CJWindow* relative, int32_t x, int32_t y,
                        uint32_t flags)
{
    if (!PrepareChild(child))
        return;
    const bool hadChildren = m_frontChild != nullptr;
    Link(child, false);
    PlaceChild(child, placement, relative, x, y, flags);
    if (!(flags & kPlaceNoGrow))
        GrowToFitChild(child, (flags & kPlaceNoMargin) ? 0 : kDefaultOffset);
    if (!hadChildren && m_focused)
        child->SetFocus(true);
}

void CJWindow::AddChildOnTop(CJWindow* child, int32_t placement, CJWindow* relative, int32_t x, int32_t y,
                             uint32_t flags)
{
    if (!PrepareChild(child))
        return;
    CJWindow* formerFront = m_frontChild;
    Link(child, true);
    PlaceChild(child, placement, relative, x, y, flags);
    if (m_focused) {
        if (formerFront)
            formerFront->SetFocus(false);
        child->SetFocus(true);
    }
}

void CJWindow::RemoveChild(CJWindow* child)
{
    if (!child || child->m_parent != this)
        return;
    if (child->m_prevSibling)
        child->m_prevSibling->m_nextSibling = child->m_nextSibling;
    else
        m_frontChild = child->m_nextSibling;
    if (child->m_nextSibling)
        child->m_nextSibling->m_prevSibling = child->m_prevSibling;
    else
        m_backChild = child->m_prevSibling;
    child->m_parent = nullptr;
    child->m_nextSibling = nullptr;
    child->m_prevSibling = nullptr;
    // A scroll bar that leaves (deleted by anyone) is no longer this window's bar.
    if (m_scroll && m_scroll->m_verticalBar == child)
        m_scroll->m_verticalBar = nullptr;
    if (m_scroll && m_scroll->m_horizontalBar == child)
        m_scroll->m_horizontalBar = nullptr;
    if (child->m_focused && m_frontChild)
        m_frontChild->SetFocus(true);
}

void CJWindow::ActivateChild(CJWindow* child)
{
    if (!child || child->m_parent != this)
        return;
    if (!child->m_focused && !m_focused && m_parent)
        m_parent->ActivateChild(this);
    if (child == m_frontChild)
        return;
    if (m_focused)
        m_frontChild->SetFocus(false);
    // The windows in front of the child move, in their order, behind the back child.
    CJWindow* formerFront = m_frontChild;
    CJWindow* lastMoved = child->m_prevSibling;
    lastMoved->m_nextSibling = nullptr;
    child->m_prevSibling = nullptr;
    m_backChild->m_nextSibling = formerFront;
    formerFront->m_prevSibling = m_backChild;
    m_frontChild = child;
    m_backChild = lastMoved;
    if (m_focused)
        child->SetFocus(true);
}

void CJWindow::SendChildToBack(CJWindow* child)
{
    if (!child || child->m_parent != this || m_frontChild == m_backChild)
        return;
    RemoveChild(child);
    AddChild(child, kPlaceNone, nullptr, kDefaultOffset, kDefaultOffset, kPlaceNoGrow);
}

CJWindow* CJWindow::NextTabStop() const
{
    if (!m_parent)
        return nullptr;
    for (CJWindow* w = m_nextSibling ? m_nextSibling : m_parent->m_frontChild; w && w != this;
         w = w->m_nextSibling ? w->m_nextSibling : m_parent->m_frontChild)
        if (w->m_tabStop && w->m_visible)
            return w;
    return nullptr;
}

CJWindow* CJWindow::PrevTabStop() const
{
    if (!m_parent)
        return nullptr;
    for (CJWindow* w = m_prevSibling ? m_prevSibling : m_parent->m_backChild; w && w != this;
         w = w->m_prevSibling ? w->m_prevSibling : m_parent->m_backChild)
        if (w->m_tabStop && w->m_visible)
            return w;
    return nullptr;
}

bool CJWindow::FocusNextTabStop()
{
    CWindowToolkitState::Get().keyboardNavigation = true;
    CJWindow* target = m_frontChild ? m_frontChild->NextTabStop() : nullptr;
    if (target)
        ActivateChild(target);
    return target != nullptr;
}

bool CJWindow::FocusPrevTabStop()
{
    CWindowToolkitState::Get().keyboardNavigation = true;
    CJWindow* target = m_frontChild ? m_frontChild->PrevTabStop() : nullptr;
    if (target)
        ActivateChild(target);
    return target != nullptr;
}

bool CJWindow::OpenWindow(CJWindow* window, int32_t placement)
{
    if (!window)
        return false;
    CJWindow* host = m_parent ? m_parent : this;
    host->AddChildOnTop(window, placement, nullptr, kDefaultOffset, kDefaultOffset, 0);
    return window->m_parent == host;
}

bool CJWindow::OpenModalWindow(CJWindow* window, int32_t placement)
{
    if (window)
        window->SetModal(true);
    return OpenWindow(window, placement);
}

void CJWindow::Show(bool visible, bool activate)
{
    if (m_visible == visible)
        return;
    m_visible = visible;
    if (!visible)
        CWindowToolkitState::Get().repaintAll = true;
    CWindowWatch self(this);
    OnVisibilityChanged(visible);
    if (!self.IsAlive() || !activate || !m_parent)
        return;
    if (visible)
        m_parent->ActivateChild(this);
    else if (m_nextSibling)
        m_parent->ActivateChild(m_nextSibling);
}

namespace {

// A window of the page (a child of the screen window) is kept on it, whoever moves it: pulled
// back inside as far as its size allows, and one larger than the page shows its top-left corner,
// where its caption and close button are.
CIntRect KeptOnPage(const CIntRect& rect, const CJWindow& page)
{
    const int64_t width = rect.GetWidth(), height = rect.GetHeight();
    const int64_t pageWidth = page.GetWidth(), pageHeight = page.GetHeight();
    if (pageWidth <= 0 || pageHeight <= 0)
        return rect;
    const int64_t left = std::max<int64_t>(0, std::min<int64_t>(rect.m_left, pageWidth - width));
    const int64_t top = std::max<int64_t>(0, std::min<int64_t>(rect.m_top, pageHeight - height));
    auto clamp = [](int64_t value) {
        return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
    };
    return {clamp(left), clamp(top), clamp(left + width), clamp(top + height)};
}

} // namespace

void CJWindow::SetRect(const CIntRect& asked)
{
    const CIntRect rect = m_parent && m_parent->IsScreenWindow() ? KeptOnPage(asked, *m_parent) : asked;
    m_rect = rect;
    m_contentWidth = m_scroll && m_scroll->m_contentWidth ? m_scroll->m_contentWidth : rect.GetWidth();
    m_contentHeight = m_scroll && m_scroll->m_contentHeight ? m_scroll->m_contentHeight : rect.GetHeight();
    if (m_parent) {
        const int64_t dx = static_cast<int64_t>(m_parent->m_screenRect.m_left) - m_parent->GetScrollX();
        const int64_t dy = static_cast<int64_t>(m_parent->m_screenRect.m_top) - m_parent->GetScrollY();
        m_screenRect = {ClampToInt(rect.m_left + dx), ClampToInt(rect.m_top + dy), ClampToInt(rect.m_right + dx),
                        ClampToInt(rect.m_bottom + dy)};
        const CIntRect& outer = m_parent->m_visibleRect;
        m_visibleRect = {std::max(m_screenRect.m_left, outer.m_left), std::max(m_screenRect.m_top, outer.m_top),
                         std::min(m_screenRect.m_right, outer.m_right),
                         std::min(m_screenRect.m_bottom, outer.m_bottom)};
        if (m_visibleRect.IsEmpty())
            m_visibleRect = {};
    } else {
        m_screenRect = rect;
        m_visibleRect = rect;
    }
    m_clipRect = m_visibleRect;
    m_clipRect.Offset(ClampToInt(static_cast<int64_t>(GetScrollX()) - m_screenRect.m_left),
                      ClampToInt(static_cast<int64_t>(GetScrollY()) - m_screenRect.m_top));
    if (m_scroll && m_scroll->m_automaticBars)
        UpdateScrollBars();
    for (CJWindow* child = m_frontChild; child; child = child->m_nextSibling)
        child->SetRect(child->m_rect);
}
