#include "ui/ClassicSkinBorder.h"

#include "graphics/ColorProperty.h"
#include "graphics/FrameInterface.h"
#include "objects/ClassRecord.h"
#include "objects/IntProperty.h"

IMPLEMENT_CLASS_RECORD(CClassicSkinBorder, CSkinBorder, 1.0f)

namespace {

CColorProperty* AlphaColor(const char* name, CColor CClassicSkinBorder::*member, uint8_t value, uint8_t alpha)
{
    CColorProperty* property = CColorProperty::ConstructFromComponents(name, member, 1, value, value, value, alpha);
    property->SetHasAlpha(true);
    return property;
}

} // namespace

void CClassicSkinBorder::AddProperties(CClassRecord* record)
{
    record->AddProperty(
        CIntProperty::ConstructWithUnits("Texture Margin", "Pixels", &CClassicSkinBorder::m_textureMargin, 1, 0));
    record->AddProperty(AlphaColor("Top Outer Color", &CClassicSkinBorder::m_topOuter, 255, 24));
    record->AddProperty(AlphaColor("Top Inner Color", &CClassicSkinBorder::m_topInner, 255, 24));
    record->AddProperty(AlphaColor("Bottom Inner Color", &CClassicSkinBorder::m_bottomInner, 0, 128));
    record->AddProperty(AlphaColor("Bottom Outer Color", &CClassicSkinBorder::m_bottomOuter, 0, 128));
}

CClassicSkinBorder::CClassicSkinBorder()
{
    InitOwnProperties();
}

CClassicSkinBorder::~CClassicSkinBorder()
{
    DestroyOwnProperties();
}

void CClassicSkinBorder::DrawBody(CFrameInterface* frame, const CIntRect& rect)
{
    const int32_t m = m_textureMargin;
    const CIntRect inner{rect.m_left + m, rect.m_top + m, rect.m_right - m, rect.m_bottom - m};
    if (!inner.IsEmpty())
        BlitSkinTexture(frame, GetBackgroundTexture(), inner, 0, 0);
}

void CClassicSkinBorder::DrawEdges(CFrameInterface* frame, const CIntRect& rect, bool)
{
    const struct
    {
        const CColor& top;
        const CColor& bottom;
    } rings[] = {{m_topOuter, m_bottomOuter}, {m_topInner, m_bottomInner}};
    CIntRect r = rect;
    for (const auto& ring : rings) {
        if (r.IsEmpty())
            return;
        frame->FillRect({r.m_left, r.m_top, r.m_right, r.m_top + 1}, ring.top);
        frame->FillRect({r.m_left, r.m_top + 1, r.m_left + 1, r.m_bottom}, ring.top);
        frame->FillRect({r.m_right - 1, r.m_top + 1, r.m_right, r.m_bottom - 1}, ring.bottom);
        frame->FillRect({r.m_left + 1, r.m_bottom - 1, r.m_right, r.m_bottom}, ring.bottom);
        r = {r.m_left + 1, r.m_top + 1, r.m_right - 1, r.m_bottom - 1};
    }
}
