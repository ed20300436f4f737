// Placement codes, growth of parents, geometry setters and runs of buttons.
#include "ui/JWindow.h"

#include "app/Mouse.h"
#include "graphics/ScreenFrame.h"

#include <algorithm>

namespace {

bool UsesPreviousSibling(int32_t code)
{
    return code == kPlaceBelowPrevious || code == kPlaceBelowPreviousRightAligned ||
           code == kPlaceBelowPreviousCentred || code == kPlaceRightOfPrevious ||
           code == kPlaceRightOfPreviousCentred || code == kPlaceRightOfPreviousBottomAligned ||
           code == kPlaceLeftOfPrevious;
}

bool UsesRelativeWindow(int32_t code)
{
    return code == kPlaceBelow || code == kPlaceBelowRightAligned || code == kPlaceBelowCentred ||
           code == kPlaceRightOf || code == kPlaceRightOfCentred || code == kPlaceRightOfBottomAligned ||
           code == kPlaceLeftOf;
}

} // namespace

bool CJWindow::GetScreenSize(int32_t& width, int32_t& height) const
{
    if (const CScreenFrame* display = CScreenFrame::GetDisplayFrame(); display && display->GetWidth() > 0) {
        width = display->GetWidth();
        height = display->GetHeight();
        return true;
    }
    const CJWindow* root = this;
    while (root->m_parent)
        root = root->m_parent;
    if (root == this)
        return false;
    width = root->GetWidth();
    height = root->GetHeight();
    return true;
}

void CJWindow::Place(int32_t code, CJWindow* relative, int32_t x, int32_t y, uint32_t flags)
{
    if (code == kPlaceNone)
        return;
    if (code == kPlaceBelowPrevious && !m_prevSibling)
        code = kPlaceTopLeft;
    const CJWindow* parent = m_parent;
    const int32_t margin = parent ? parent->m_outerMargin : 0;
    const int32_t spacing = parent ? parent->m_spacing : 0;
    const int64_t unit = (flags & kPlacePixelOffsets) ? 1 : GetFontUnit();
    int64_t dx = static_cast<int64_t>(x) * unit;
    if (x == kDefaultOffset) {
        const bool fromMargin = (code >= kPlaceTopLeft && code <= kPlaceBottomRight) || code == kPlaceBottomLeft;
        const bool none = code == kPlaceBelowRightAligned || code == kPlaceBelowPreviousRightAligned ||
                          code == kPlaceOutsideRight || code == kPlaceAtPointer;
        dx = fromMargin ? margin : none ? 0 : spacing;
    }
    int64_t dy = static_cast<int64_t>(y) * unit;
    if (y == kDefaultOffset) {
        const bool fromSpacing = code == kPlaceBelowRightAligned || code == kPlaceBelowPreviousRightAligned;
        dy = fromSpacing ? spacing : code == kPlaceAtPointer ? 1 : dx;
    }

    if (code == kPlaceAtPointer) {
        PlaceAtPointer(ClampToInt(dx), ClampToInt(dy));
    } else if (const CJWindow* other = UsesPreviousSibling(code) ? m_prevSibling : relative;
               parent && code <= kPlaceBottomLeft && (other || !(UsesPreviousSibling(code) || UsesRelativeWindow(code)))) {
        const int64_t w = GetWidth(), h = GetHeight();
        const int64_t pw = parent->GetWidth(), ph = parent->GetHeight();
        const int64_t vw = parent->m_visibleRect.GetWidth(), vh = parent->m_visibleRect.GetHeight();
        const int64_t caption = parent->GetCaptionHeight(), side = parent->GetSideInset();
        const CIntRect r = other ? other->m_rect : CIntRect{};
        int64_t left = 0, top = 0, height = h;
        switch (code) {
        case kPlaceTopLeft:
        case kPlaceTopLeftSpaced: left = side + dx; top = caption + dy; break;
        case kPlaceTopRight: left = pw - w - dx; top = caption + dy; break;
        case kPlaceTopRightOverCaption: left = pw - w - dx; top = dy; break;
        case kPlaceBottomRight: left = pw - w - dx; top = ph - h - dy; break;
        case kPlaceCentred:
            left = (vw - w) / 2;
            top = (vh - h) / 2;
            if (top + h > vh)
                top = vh - h;
            break;
        case kPlaceBelow:
        case kPlaceBelowPrevious: left = r.m_left; top = r.m_bottom + dy; break;
        case kPlaceBelowRightAligned:
        case kPlaceBelowPreviousRightAligned: left = r.m_right - w + dx; top = r.m_bottom + dy; break;
        case kPlaceBelowCentred:
        case kPlaceBelowPreviousCentred: left = (vw - w) / 2; top = r.m_bottom + dy; break;
        case kPlaceRightOf:
        case kPlaceRightOfPrevious: left = r.m_right + dx; top = r.m_top; break;
        case kPlaceRightOfCentred:
        case kPlaceRightOfPreviousCentred: left = r.m_right + dx; top = r.m_top - (h - r.GetHeight()) / 2; break;
        case kPlaceRightOfBottomAligned:
        case kPlaceRightOfPreviousBottomAligned: left = r.m_right + dx; top = r.m_bottom - h; break;
        case kPlaceOutsideRight: left = pw; top = 0; height = ph; break;
        case kPlaceLeftOf:
        case kPlaceLeftOfPrevious: left = r.m_left - w - dx; top = r.m_top; break;
        case kPlaceBottomLeft: left = dx; top = ph - h - dy; break;
        default: break;
        }
        SetRect({ClampToInt(left), ClampToInt(top), ClampToInt(left + w), ClampToInt(top + height)});
    }
    if (!(flags & kPlaceNoGrow) && m_parent)
        m_parent->GrowToFitChild(this, (flags & kPlaceNoMargin) ? 0 : kDefaultOffset);
}

void CJWindow::PlaceAtPointer(int32_t dx, int32_t dy)
{
    int pointerX = 0, pointerY = 0;
    g_mouse.GetPosition(pointerX, pointerY);
    const int64_t w = GetWidth(), h = GetHeight();
    int64_t x = pointerX, y = pointerY;
    // Near the screen's right or bottom edge the window opens to the left of or above the pointer.
    int32_t screenWidth = 0, screenHeight = 0;
    if (GetScreenSize(screenWidth, screenHeight)) {
        if (screenWidth - x < w && x - w >= 0)
            x -= w;
        if (screenHeight - y < h && y - h >= 0)
            y -= h;
    }
    int64_t left = x + dx, top = y + dy;
    if (m_parent) {
        if (left + w > m_parent->GetWidth())
            left = m_parent->GetWidth() - w;
        if (top + h > m_parent->GetHeight())
            top = m_parent->GetHeight() - h;
    }
    left = std::max<int64_t>(left, 0);
    top = std::max<int64_t>(top, 0);
    SetRect({ClampToInt(left), ClampToInt(top), ClampToInt(left + w), ClampToInt(top + h)});
    // The pointer keeps its place on a window that could not open where it was asked.
    const int64_t movedX = left - (x + dx), movedY = top - (y + dy);
    if (movedX || movedY)
        g_mouse.SetPosition(ClampToInt(pointerX + movedX), ClampToInt(pointerY + movedY));
}

void CJWindow::GrowToFitChild(CJWindow* child, int32_t margin)
{
    if (!child)
        return;
    const int64_t pixels = margin == kDefaultOffset ? m_outerMargin : static_cast<int64_t>(margin) * GetFontUnit();
    const int64_t width = std::max<int64_t>(GetWidth(), child->m_rect.m_right + pixels);
    const int64_t height = std::max<int64_t>(GetHeight(), child->m_rect.m_bottom + pixels);
    if (width == GetWidth() && height == GetHeight())
        return;
    SetSize(ClampToInt(width), ClampToInt(height));
    if (m_parent)
        m_parent->GrowToFitChild(this, kDefaultOffset);
}

bool CJWindow::IsRectTaken(const CIntRect& screenRect, const CJWindow* except) const
{
    for (const CJWindow* child = m_frontChild; child; child = child->m_nextSibling) {
        if (child->m_frontChild && child->IsRectTaken(screenRect, except))
            return true;
        if (child != except && child->m_screenRect == screenRect)
            return true;
    }
    return false;
}

void CJWindow::SetSize(int32_t width, int32_t height)
{
    SetRectXYWH(m_rect.m_left, m_rect.m_top, width, height);
}

void CJWindow::SetPosition(int32_t x, int32_t y)
{
    SetRectXYWH(x, y, GetWidth(), GetHeight());
}

void CJWindow::SetX(int32_t x)
{
    SetPosition(x, m_rect.m_top);
}

void CJWindow::SetY(int32_t y)
{
    SetPosition(m_rect.m_left, y);
}

void CJWindow::SetWidth(int32_t width)
{
    SetSize(width, GetHeight());
}

void CJWindow::SetHeight(int32_t height)
{
    SetSize(GetWidth(), height);
}

void CJWindow::SetRectXYWH(int32_t x, int32_t y, int32_t width, int32_t height)
{
    SetRect({x, y, ClampToInt(static_cast<int64_t>(x) + width), ClampToInt(static_cast<int64_t>(y) + height)});
}

std::vector<CJWindow*> CJWindow::GetRun(const CJWindow* last)
{
    std::vector<CJWindow*> run;
    for (CJWindow* window = this; window; window = window == last ? nullptr : window->m_nextSibling)
        run.push_back(window);
    return run;
}

void CJWindow::MatchRunWidths(CJWindow* last, int32_t alignment)
{
    const std::vector<CJWindow*> run = GetRun(last);
    int32_t widest = 0;
    for (const CJWindow* window : run)
        widest = std::max(widest, window->GetWidth());
    CJWindow* end = run.back();
    end->SetSize(widest, end->GetHeight());
    for (CJWindow* window : run) {
        if (window == end)
            continue;
        const int32_t growth = widest - window->GetWidth();
        const int32_t shift = alignment == 1 ? growth / 2 : alignment == 2 ? growth : 0;
        window->SetRectXYWH(window->m_rect.m_left - shift, window->m_rect.m_top, widest, window->GetHeight());
    }
}

void CJWindow::StretchRun(CJWindow* last, int32_t totalWidth)
{
    const std::vector<CJWindow*> run = GetRun(last);
    const int64_t extra = static_cast<int64_t>(totalWidth) - (static_cast<int64_t>(run.back()->m_rect.m_right) - m_rect.m_left);
    if (extra < 1)
        return;
    const auto count = static_cast<int64_t>(run.size());
    const int64_t share = extra / count;
    int64_t shift = 0;
    for (int64_t i = 0; i < count; ++i) {
        CJWindow* window = run[static_cast<size_t>(i)];
        const int64_t growth = i + 1 < count ? share : extra - (count - 1) * share;
        window->SetRectXYWH(ClampToInt(window->m_rect.m_left + shift), window->m_rect.m_top,
                            ClampToInt(window->GetWidth() + growth), window->GetHeight());
        shift += growth;
    }
}

int32_t CJWindow::GetRunWidth(const CJWindow* last) const
{
    return (last ? last : this)->m_rect.m_right - m_rect.m_left;
}

void CJWindow::LayOutButtonRow(CJWindow* first, CJWindow* last, int32_t xOffset)
{
    if (!first || !first->m_parent)
        return;
    first->MatchRunWidths(last, 0);
    const std::vector<CJWindow*> run = first->GetRun(last);
    const CJWindow* parent = first->m_parent;
    const int64_t width = first->GetWidth(), count = static_cast<int64_t>(run.size());
    const int64_t free = parent->GetWidth() - (count - 1) * parent->m_spacing - count * width;
    int64_t left = (free - xOffset) / 2 + xOffset;
    const int64_t top = static_cast<int64_t>(parent->GetHeight()) - first->GetHeight() - parent->m_outerMargin;
    for (CJWindow* button : run) {
        button->SetRectXYWH(ClampToInt(left), ClampToInt(top), ClampToInt(width), button->GetHeight());
        left += parent->m_spacing + width;
    }
}
