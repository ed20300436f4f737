// The scroll bar's mouse input, its glue to the window it scrolls, and the maker of the windows'
// automatic bars.
#include "ui/JScrollBar.h"

#include "ui/ScrollBarHook.h"
#include "ui/WindowWatch.h"

namespace {

// Cursors by part, vertical then horizontal.
constexpr int32_t kThumbCursor[2] = {7, 9};
constexpr int32_t kDragCursor[2] = {8, 10};
constexpr int32_t kFirstArrowCursor[2] = {19, 15};
constexpr int32_t kSecondArrowCursor[2] = {21, 17};
constexpr int32_t kTrackBeforeCursor[2] = {20, 16};
constexpr int32_t kTrackAfterCursor[2] = {22, 18};

bool Contains(const CIntRect& rect, const CIntPoint& point)
{
    return point.m_x >= rect.m_left && point.m_x < rect.m_right && point.m_y >= rect.m_top &&
           point.m_y < rect.m_bottom;
}

class CAutomaticBarMaker : public CScrollBarHook
{
public:
    CJWindow* CreateScrollBar(CJWindow* owner, bool vertical) override
    {
        auto* bar = new CJScrollBar(owner, vertical);
        bar->SetScrolledWindow(owner);
        return bar;
    }
    void SetScrollBarRange(CJWindow* window, int32_t maximum, int32_t position) override
    {
        auto* bar = dynamic_cast<CJScrollBar*>(window);
        if (!bar)
            return;
        const float top = static_cast<float>(maximum);
        if (bar->GetMinimum() != 0.0f || bar->GetMaximum() != top)
            bar->SetRange(0.0f, top);
        bar->SetBarPosition(static_cast<float>(position), true);
    }
};

} // namespace

CScrollBarHook& CJScrollBar::GetAutomaticBarMaker()
{
    static CAutomaticBarMaker s_maker;
    return s_maker;
}

CJScrollBar::Part CJScrollBar::FindPart(const CIntPoint& point) const
{
    if (Contains(m_firstArrow, point))
        return kPartFirstArrow;
    if (Contains(m_secondArrow, point))
        return kPartSecondArrow;
    if (Contains(m_thumb, point))
        return kPartThumb;
    if (!Contains(m_track, point))
        return kPartNone;
    const bool after = m_vertical ? point.m_y >= m_thumb.m_bottom : point.m_x >= m_thumb.m_right;
    return after ? kPartTrackAfter : kPartTrackBefore;
}

bool CJScrollBar::OnMouseDown(int32_t button, const CIntPoint& point)
{
    if (button != 0)
        return true;
    CWindowWatch self(this);
    const Part part = FindPart(ToLocal(point));
    switch (part) {
    case kPartFirstArrow:
        m_pressed = part;
        SetBarPosition(m_position - m_lineStep, false);
        break;
    case kPartSecondArrow:
        m_pressed = part;
        SetBarPosition(m_position + m_lineStep, false);
        break;
    case kPartThumb:
        m_pressed = part;
        break;
    case kPartTrackBefore:
        m_pressed = part;
        SetBarPosition(m_position - m_pageStep, false);
        break;
    case kPartTrackAfter:
        m_pressed = part;
        SetBarPosition(m_position + m_pageStep, false);
        break;
    case kPartNone:
        break;
    }
    // Holding an arrow or the track keeps scrolling.
    if (self.IsAlive())
        SetMouseRepeat(0, 0);
    return true;
}

CIntPoint CJScrollBar::ToLocal(const CIntPoint& point) const
{
    return {ClampToInt(static_cast<int64_t>(point.m_x) - m_screenRect.m_left + GetScrollX()),
            ClampToInt(static_cast<int64_t>(point.m_y) - m_screenRect.m_top + GetScrollY())};
}

bool CJScrollBar::OnMouseRepeat(int32_t button, const CIntPoint& point)
{
    // A page that carried the thumb past the pointer would otherwise page back, and so on.
    if (m_pressed == kPartNone || m_pressed == kPartThumb || FindPart(ToLocal(point)) != m_pressed)
        return true;
    return OnMouseDown(button, point);
}

bool CJScrollBar::OnMouseUp(int32_t button, const CIntPoint& point)
{
    if (button == 0 && m_pressed != kPartNone) {
        m_pressed = kPartNone;
        return true;
    }
    return CJWindow::OnMouseUp(button, point);
}

bool CJScrollBar::OnMouseMove(const CIntPoint& point, const CIntPoint& delta, CSequence*& cursor)
{
    if (m_pressed != kPartThumb)
        return CJWindow::OnMouseMove(point, delta, cursor);
    cursor = GetCursorByIndex(kDragCursor[m_vertical]);
    // A thumb that fills its track has nowhere to go.
    if (m_pixelsPerUnit > 0.0f) {
        const float motion = static_cast<float>(m_vertical ? delta.m_y : delta.m_x);
        SetBarPosition(m_position + motion / m_pixelsPerUnit, false);
    }
    return true;
}

bool CJScrollBar::OnMouseWheel(int32_t notches, const CIntPoint&)
{
    SetBarPosition(m_position - static_cast<float>(notches) * m_lineStep * kWheelLines, false);
    return true;
}

CSequence* CJScrollBar::GetCursor(const CIntPoint& point) const
{
    switch (FindPart(point)) {
    case kPartThumb:
        return GetCursorByIndex(kThumbCursor[m_vertical]);
    case kPartFirstArrow:
        return GetCursorByIndex(kFirstArrowCursor[m_vertical]);
    case kPartSecondArrow:
        return GetCursorByIndex(kSecondArrowCursor[m_vertical]);
    case kPartTrackBefore:
        return GetCursorByIndex(kTrackBeforeCursor[m_vertical]);
    case kPartTrackAfter:
        return GetCursorByIndex(kTrackAfterCursor[m_vertical]);
    case kPartNone:
        break;
    }
    return CJWindow::GetCursor(point);
}

void CJScrollBar::SetRect(const CIntRect& rect)
{
    CWindowWatch self(this);
    CJWindow::SetRect(rect);
    if (!self.IsAlive())
        return;
    LayOutParts();
    // A bar of the window it scrolls is that window's to place: the window puts it back on its
    // edge at the scroll offset and sets its range (only what changed, so the exchange ends).
    CJWindow* parent = GetParent();
    const CJWindowScrollState* scroll = parent ? parent->GetScrollState() : nullptr;
    if (parent && parent == m_scrolled && scroll && (scroll->m_verticalBar == this || scroll->m_horizontalBar == this))
        parent->UpdateScrollBars();
}
