#include "ui/SkinBorder.h"

#include "blit/modes/TransparentMaskBlitter.h"
#include "graphics/Frame.h"
#include "objects/ClassRecord.h"
#include "objects/FixedListChoiceProperty.h"
#include "ui/SkinChoice.h"

#include <algorithm>

IMPLEMENT_CLASS_RECORD(CSkinBorder, CObject, 1.0f)

void CSkinBorder::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CFixedListChoiceProperty("Background Texture", &CSkinBorder::m_backgroundTexture,
                                                     skinchoice::GetImageList(), 1, nullptr));
}

CSkinBorder::CSkinBorder()
{
    InitOwnProperties();
}

CSkinBorder::~CSkinBorder()
{
    DestroyOwnProperties();
}

void CSkinBorder::DrawBody(CFrameInterface*, const CIntRect&)
{
}

void CSkinBorder::DrawEdges(CFrameInterface*, const CIntRect&, bool)
{
}

CFrame* CSkinBorder::GetBackgroundTexture() const
{
    return skinchoice::ResolveImage(m_backgroundTexture);
}

void DrawSkinBorder(CFrameInterface* frame, const CIntRect& rect, CSkinBorder* border, bool drawBody,
                    bool specialHighlight)
{
    if (!frame || !border)
        return;
    if (drawBody)
        border->DrawBody(frame, rect);
    border->DrawEdges(frame, rect, specialHighlight);
}

namespace {

// The position inside a span of size that the coordinate wraps to (negative ones too).
int32_t Wrap(int64_t coordinate, int32_t size)
{
    const int64_t wrapped = coordinate % size;
    return static_cast<int32_t>(wrapped < 0 ? wrapped + size : wrapped);
}

} // namespace

void BlitWrappedTexture(CFrameInterface* frame, CFrame* texture, const CIntRect& area, int32_t textureX,
                        int32_t textureY, CBlitter* blitter)
{
    if (!frame || !texture || area.IsEmpty())
        return;
    const int32_t textureWidth = static_cast<int32_t>(texture->GetWidth());
    const int32_t textureHeight = static_cast<int32_t>(texture->GetHeight());
    if (textureWidth <= 0 || textureHeight <= 0)
        return;
    // One blit per piece of the area that one copy of the texture covers.
    for (int32_t y = area.m_top; y < area.m_bottom;) {
        const int32_t sourceY = Wrap(static_cast<int64_t>(textureY) + (y - area.m_top), textureHeight);
        const int32_t height = std::min(area.m_bottom - y, textureHeight - sourceY);
        for (int32_t x = area.m_left; x < area.m_right;) {
            const int32_t sourceX = Wrap(static_cast<int64_t>(textureX) + (x - area.m_left), textureWidth);
            const int32_t width = std::min(area.m_right - x, textureWidth - sourceX);
            frame->Blit(texture, {sourceX, sourceY, sourceX + width, sourceY + height}, {x, y, x + width, y + height},
                        blitter);
            x += width;
        }
        y += height;
    }
}

void BlitSkinTexture(CFrameInterface* frame, CFrame* texture, const CIntRect& area, int32_t textureX,
                     int32_t textureY)
{
    BlitWrappedTexture(frame, texture, area, textureX, textureY, &g_transparentMaskBlitter);
}
