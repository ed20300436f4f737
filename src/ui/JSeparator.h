#pragma once
// A divider: a sunken bevelled box of a fixed size, or a strip that spans its parent's width or
// height (a fixed size of 0 on that axis), one pixel in from each side. A size of one pixel on
// either axis draws a line instead.
//
// The rule a caller must know: a following strip refits itself whenever its rect is set, so after
// resizing the parent set the separator's rect again.
#include "ui/JWindow.h"

class CJSeparator : public CJWindow
{
public:
    CJSeparator(CJWindow* parent, int32_t width, int32_t height);

    // The base first, then the bevel or the line.
    void Draw(COffsetClippedProxyFrame* frame) override;
    // The rect, with the following axes refitted to the parent.
    void SetRect(const CIntRect& rect) override;

private:
    // The rect with the axes of fixed size 0 spanning the parent.
    CIntRect Fit(const CIntRect& rect) const;

    int32_t m_fixedWidth;
    int32_t m_fixedHeight;
    CJWindow* m_owner;  // the parent given at construction, until linked
};
