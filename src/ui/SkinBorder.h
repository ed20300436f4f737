#pragma once
// The border of a skinned window or button: a background texture and, in the derived classes, the
// edges drawn around it (a two-pixel bevel, or alpha corners and highlight images).
//
// The rule a caller must know: borders are owned by the skin data that holds them; draw them
// through DrawSkinBorder, which draws the body first when asked, then the edges.
#include "graphics/IntRect.h"
#include "objects/Object.h"

#include <cstdint>

class CBlitter;
class CFrame;
class CFrameInterface;

class CSkinBorder : public CObject
{
    DECLARE_CLASS_RECORD(CSkinBorder)

    CSkinBorder();
    ~CSkinBorder() override;

    // The texture inside the border; nothing here.
    virtual void DrawBody(CFrameInterface* frame, const CIntRect& rect);
    // The border's own edges; nothing here.
    virtual void DrawEdges(CFrameInterface* frame, const CIntRect& rect, bool specialHighlight);

    // The "Background Texture" image; null for none.
    CFrame* GetBackgroundTexture() const;

protected:
    uint32_t m_backgroundTexture = 0;
};

// Blits the texture into the area (frame coordinates) with the blitter, the area's top-left corner
// showing the texture's point (textureX, textureY); a texture smaller than the area repeats, so
// that every point shows the texture at its own coordinates wrapped into the texture.
void BlitWrappedTexture(CFrameInterface* frame, CFrame* texture, const CIntRect& area, int32_t textureX,
                        int32_t textureY, CBlitter* blitter);
// The same with the default blend mode (the body of a border).
void BlitSkinTexture(CFrameInterface* frame, CFrame* texture, const CIntRect& area, int32_t textureX,
                     int32_t textureY);

// The body (when asked) and the edges of the border over the rect; nothing for a null border.
void DrawSkinBorder(CFrameInterface* frame, const CIntRect& rect, CSkinBorder* border, bool drawBody,
                    bool specialHighlight);
