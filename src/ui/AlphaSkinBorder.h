#pragma once
// A skin border shaped by four corner images and decorated by highlight images: the texture shows
// through the corners in their shape, and the highlights (corners, and centre images tiled along
// each edge between them) may reach beyond the window.
//
// The rule a caller must know: drawing the body writes the texture's colours into the corner
// images themselves, so corner pictures must be loaded without run-length encoding; a corner that
// cannot be written is drawn as it is.
#include "ui/SkinBorder.h"

class CAlphaSkinBorder : public CSkinBorder
{
    DECLARE_CLASS_RECORD(CAlphaSkinBorder)

    enum Corner : int32_t { kTopLeft, kTopRight, kBottomLeft, kBottomRight, kCornerCount };
    enum Highlight : int32_t
    {
        kTopLeftHighlight,
        kTopCenterHighlight,
        kTopRightHighlight,
        kCenterLeftHighlight,
        kCenterRightHighlight,
        kBottomLeftHighlight,
        kBottomCenterHighlight,
        kBottomRightHighlight,
        kSpecialTopRightHighlight,
        kHighlightCount
    };

    CAlphaSkinBorder();
    ~CAlphaSkinBorder() override;

    // The corners in the texture's colours, then the rest of the rect from the texture.
    void DrawBody(CFrameInterface* frame, const CIntRect& rect) override;
    // The highlights, unclipped; the special top-right one replaces the top-right when asked.
    void DrawEdges(CFrameInterface* frame, const CIntRect& rect, bool specialHighlight) override;

    CFrame* GetCornerImage(Corner corner) const;
    CFrame* GetHighlightImage(Highlight highlight) const;

private:
    // The choices, in property order (corners, then highlights).
    uint32_t m_topLeftAlpha = 0, m_topRightAlpha = 0, m_bottomLeftAlpha = 0, m_bottomRightAlpha = 0;
    uint32_t m_topLeftHighlight = 0, m_topCenterHighlight = 0, m_topRightHighlight = 0;
    uint32_t m_centerLeftHighlight = 0, m_centerRightHighlight = 0;
    uint32_t m_bottomLeftHighlight = 0, m_bottomCenterHighlight = 0, m_bottomRightHighlight = 0;
    uint32_t m_specialTopRightHighlight = 0;

    struct Choice
    {
        const char* name;
        uint32_t CAlphaSkinBorder::*member;
    };
    static const Choice kCorners[kCornerCount];
    static const Choice kHighlights[kHighlightCount];
};
