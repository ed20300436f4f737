#pragma once
// A skin border of two one-pixel rings around a texture inset by a margin: light top and left,
// dark right and bottom, as the toolkit's bevels.
#include "graphics/Color.h"
#include "ui/SkinBorder.h"

class CClassicSkinBorder : public CSkinBorder
{
    DECLARE_CLASS_RECORD(CClassicSkinBorder)

    CClassicSkinBorder();
    ~CClassicSkinBorder() override;

    // The texture over the rect shrunk by the margin, from the texture's origin.
    void DrawBody(CFrameInterface* frame, const CIntRect& rect) override;
    // The outer ring on the rect's edge, the inner ring one pixel inside.
    void DrawEdges(CFrameInterface* frame, const CIntRect& rect, bool specialHighlight) override;

    int32_t GetTextureMargin() const { return m_textureMargin; }

private:
    int32_t m_textureMargin = 0;
    CColor m_topOuter;
    CColor m_topInner;
    CColor m_bottomInner;
    CColor m_bottomOuter;
};
