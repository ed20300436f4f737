#include "ui/SkinBorder.h"

#include "blit/modes/TransparentMaskBlitter.h"
#include "graphics/Frame.h"
#include "objects/ClassRecord.h"
#include "objects/FixedListChoiceProperty.h"
#include "ui/SkinChoice.h"

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

void BlitSkinTexture(CFrameInterface* frame, CFrame* texture, const CIntRect& area, int32_t textureX,
                     int32_t textureY)
{
    if (!frame || !texture || area.IsEmpty())
        return;
    const CIntRect source{textureX, textureY, textureX + area.GetWidth(), textureY + area.GetHeight()};
    frame->Blit(texture, source, area, &g_transparentMaskBlitter);
}
