// Scrolling: the content size, the scroll position, the client area and the automatic scroll bars.
#include "ui/JWindow.h"

#include "ui/ScrollBarHook.h"
#include "ui/WindowToolkitState.h"
#include "ui/WindowWatch.h"

#include <algorithm>

namespace {

constexpr int32_t kBar = CJWindowScrollState::kBarThickness;

int32_t BarSpace(const CJWindow* bar)
{
    return bar ? kBar : 0;
}

} // namespace

CJWindowScrollState& CJWindow::GetOrMakeScrollState()
{
    if (!m_scroll)
        m_scroll = new CJWindowScrollState;
    return *m_scroll;
}

void CJWindow::FreeScrollStateIfZero()
{
    if (m_scroll && m_scroll->IsAllZero() && !m_scroll->m_updatingBars) {
        delete m_scroll;
        m_scroll = nullptr;
    }
}

void CJWindow::DeleteBar(CJWindow*& bar)
{
    CJWindow* gone = bar;
    bar = nullptr;
    delete gone;
}

void CJWindow::SetContentSize(int32_t width, int32_t height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (!m_scroll && !width && !height)
        return;
    CJWindowScrollState& scroll = GetOrMakeScrollState();
    const bool changed = scroll.m_contentWidth != width || scroll.m_contentHeight != height;
    scroll.m_contentWidth = width;
    scroll.m_contentHeight = height;
    FreeScrollStateIfZero();
    // Content that shrank may leave the scroll position past its end.
    if (changed)
        SetScrollPosition(GetScrollX(), GetScrollY());
}

void CJWindow::SetScrollPosition(int32_t x, int32_t y)
{
    int64_t newX = x, newY = y;
    if (m_scroll && m_scroll->m_contentWidth)
        newX = std::min<int64_t>(newX, static_cast<int64_t>(m_scroll->m_contentWidth) - GetClientWidth());
    if (m_scroll && m_scroll->m_contentHeight)
        newY = std::min<int64_t>(newY, static_cast<int64_t>(m_scroll->m_contentHeight) - GetClientHeight());
    newX = std::max<int64_t>(newX, 0);
    newY = std::max<int64_t>(newY, 0);
    if (m_scroll || newX || newY) {
        CJWindowScrollState& scroll = GetOrMakeScrollState();
        scroll.m_scrollX = ClampToInt(newX);
        scroll.m_scrollY = ClampToInt(newY);
        FreeScrollStateIfZero();
    }
    SetRect(m_rect);
}

void CJWindow::SetScrollX(int32_t x)
{
    if (x != GetScrollX())
        SetScrollPosition(x, GetScrollY());
}

void CJWindow::SetScrollY(int32_t y)
{
    if (y != GetScrollY())
        SetScrollPosition(GetScrollX(), y);
}

int32_t CJWindow::GetClientWidth() const
{
    const int64_t width = static_cast<int64_t>(GetWidth()) - BarSpace(m_scroll ? m_scroll->m_verticalBar : nullptr) -
                          GetSideInset();
    return ClampToInt(width);
}

int32_t CJWindow::GetClientHeight() const
{
    const int64_t height = static_cast<int64_t>(GetHeight()) -
                           BarSpace(m_scroll ? m_scroll->m_horizontalBar : nullptr) - GetCaptionHeight();
    return ClampToInt(height);
}

void CJWindow::EnableScrollBars(bool enabled)
{
    if (!enabled && !m_scroll)
        return;
    GetOrMakeScrollState().m_automaticBars = enabled;
    if (!enabled) {
        DeleteBar(m_scroll->m_verticalBar);
        DeleteBar(m_scroll->m_horizontalBar);
    }
    FreeScrollStateIfZero();
}

bool CJWindow::GetVisibleClientRect(int32_t xInset, int32_t yInset, CIntRect& rect) const
{
    const CJWindow* vertical = m_scroll ? m_scroll->m_verticalBar : nullptr;
    const CJWindow* horizontal = m_scroll ? m_scroll->m_horizontalBar : nullptr;
    const CIntRect& s = m_screenRect;
    CIntRect client{ClampToInt(static_cast<int64_t>(s.m_left) + GetSideInset() + xInset),
                    ClampToInt(static_cast<int64_t>(s.m_top) + GetCaptionHeight() + yInset),
                    ClampToInt(static_cast<int64_t>(s.m_right) - BarSpace(vertical) - xInset),
                    ClampToInt(static_cast<int64_t>(s.m_bottom) - BarSpace(horizontal) - yInset)};
    client = {std::max(client.m_left, m_visibleRect.m_left), std::max(client.m_top, m_visibleRect.m_top),
              std::min(client.m_right, m_visibleRect.m_right), std::min(client.m_bottom, m_visibleRect.m_bottom)};
    if (client.IsEmpty()) {
        rect = {};
        return false;
    }
    client.Offset(ClampToInt(static_cast<int64_t>(GetScrollX()) - s.m_left),
                  ClampToInt(static_cast<int64_t>(GetScrollY()) - s.m_top));
    rect = client;
    return true;
}

void CJWindow::UpdateScrollBars()
{
    if (!m_scroll || !m_scroll->m_automaticBars || m_scroll->m_updatingBars)
        return;
    CWindowWatch self(this);
    m_scroll->m_updatingBars = true;
    CScrollBarHook* hook = CWindowToolkitState::Get().scrollBarHook;
    const int64_t width = GetWidth(), height = GetHeight();
    const int64_t contentWidth = m_contentWidth, contentHeight = m_contentHeight;

    // Which bars the content needs, and which of them the window has room for.
    const bool needVertical = height < contentHeight || (height < contentHeight + kBar && width < contentWidth);
    const bool needHorizontal = width < contentWidth + (needVertical ? kBar : 0);
    const int64_t h = needHorizontal ? 1 : 0, v = needVertical ? 1 : 0;
    const bool showVertical = needVertical && (h + 1) * kBar < width && (h + 3) * kBar < height;
    const bool showHorizontal = needHorizontal && (v + 1) * kBar < height && (v + 3) * kBar < width;

    const auto makeOrDelete = [&](CJWindow* CJWindowScrollState::*slot, bool show, bool vertical) {
        if (!self.IsAlive() || !m_scroll)
            return;
        if (!show) {
            DeleteBar(m_scroll->*slot);
            if (self.IsAlive())
                vertical ? SetScrollY(0) : SetScrollX(0);
            return;
        }
        if (m_scroll->*slot || !hook)
            return;
        CJWindow* bar = hook->CreateScrollBar(this, vertical);
        if (!bar)
            return;
        AddChild(bar, kPlaceNone, nullptr, kDefaultOffset, kDefaultOffset, kPlaceNoGrow | kPlaceNoMargin);
        if (m_scroll && bar->GetParent() == this)
            m_scroll->*slot = bar;
    };
    makeOrDelete(&CJWindowScrollState::m_verticalBar, showVertical, true);
    makeOrDelete(&CJWindowScrollState::m_horizontalBar, showHorizontal, false);

    // The bars lie along the right and bottom edges of the visible part, whatever the scroll.
    const auto place = [&](CJWindow* bar, CIntRect rect) {
        rect.Offset(GetScrollX(), GetScrollY());
        if (bar && self.IsAlive() && !(bar->GetRect() == rect))
            bar->SetRect(rect);
    };
    if (self.IsAlive() && m_scroll)
        place(m_scroll->m_verticalBar,
              {ClampToInt(width - kBar), GetCaptionHeight(), ClampToInt(width),
               ClampToInt(height - BarSpace(m_scroll->m_horizontalBar))});
    if (self.IsAlive() && m_scroll)
        place(m_scroll->m_horizontalBar,
              {GetSideInset(), ClampToInt(height - kBar), ClampToInt(width - BarSpace(m_scroll->m_verticalBar)),
               ClampToInt(height)});

    // Each range is the content that does not fit beside the other bar and the inset.
    if (hook && self.IsAlive() && m_scroll && m_scroll->m_verticalBar)
        hook->SetScrollBarRange(m_scroll->m_verticalBar,
                                ClampToInt(contentHeight - (height - BarSpace(m_scroll->m_horizontalBar) -
                                                            GetCaptionHeight())),
                                GetScrollY());
    if (hook && self.IsAlive() && m_scroll && m_scroll->m_horizontalBar)
        hook->SetScrollBarRange(m_scroll->m_horizontalBar,
                                ClampToInt(contentWidth - (width - BarSpace(m_scroll->m_verticalBar) - GetSideInset())),
                                GetScrollX());
    if (!self.IsAlive() || !m_scroll)
        return;
    m_scroll->m_updatingBars = false;
    // A window that grew beside a scrolled content is brought back so that no space shows past
    // the content's end; the bars follow in the SetRect that ends it.
    const int32_t x = GetScrollX(), y = GetScrollY();
    if (IsScrolledPastContent(x, y))
        SetScrollPosition(x, y);
}

bool CJWindow::IsScrolledPastContent(int32_t x, int32_t y) const
{
    const auto past = [](int32_t scroll, int32_t content, int32_t client) {
        return content && scroll > 0 && static_cast<int64_t>(scroll) > static_cast<int64_t>(content) - client;
    };
    return m_scroll && (past(x, m_scroll->m_contentWidth, GetClientWidth()) ||
                        past(y, m_scroll->m_contentHeight, GetClientHeight()));
}

void CJWindow::SetScrollBarHook(CScrollBarHook* hook)
{
    CWindowToolkitState::Get().scrollBarHook = hook;
}
