#include "ui/JSeparator.h"

#include "graphics/OffsetClippedProxyFrame.h"

CJSeparator::CJSeparator(CJWindow* parent, int32_t width, int32_t height)
    : CJWindow(parent, ""), m_fixedWidth(width), m_fixedHeight(height), m_owner(parent)
{
    // The fixed axes take their size; the others span the parent.
    SetRect({0, 0, width, height});
}

CIntRect CJSeparator::Fit(const CIntRect& rect) const
{
    // Before it is linked the separator fits the parent it was made for.
    const CJWindow* parent = GetParent() ? GetParent() : m_owner;
    CIntRect fitted = rect;
    if (m_fixedWidth == 0) {
        fitted.m_left = 1;
        fitted.m_right = 1 + (parent ? parent->GetWidth() - 2 : 2);
    }
    if (m_fixedHeight == 0) {
        fitted.m_top = 1;
        fitted.m_bottom = 1 + (parent ? parent->GetHeight() - 2 : 2);
    }
    return fitted;
}

void CJSeparator::SetRect(const CIntRect& rect)
{
    if (m_fixedWidth && m_fixedHeight) {
        CJWindow::SetRect(rect);
        return;
    }
    const CIntRect fitted = Fit(rect);
    if (!(fitted == m_rect))
        CJWindow::SetRect(fitted);
}

void CJSeparator::Draw(COffsetClippedProxyFrame* frame)
{
    CJWindow::Draw(frame);
    if (!frame)
        return;
    const int32_t w = GetWidth(), h = GetHeight();
    if (w != 1 && h != 1)
        DrawBevel(GetFont(), frame, {0, 0, w, h}, false, 15, 0);
    else
        frame->DrawLine(0, 0, w - 1, h - 1, GetFocusFrameColor());
}
