#include "ui/AlphaSkinData.h"

#include "graphics/ColorProperty.h"
#include "objects/ClassRecord.h"
#include "objects/FixedListChoiceProperty.h"
#include "objects/IntProperty.h"
#include "objects/ObjectPointerProperty.h"
#include "ui/AlphaSkinBorder.h"
#include "ui/ClassicSkinBorder.h"
#include "ui/JWindow.h"
#include "ui/SkinChoice.h"

IMPLEMENT_CLASS_RECORD(CAlphaSkinData, CObject, 1.0f)

void CAlphaSkinData::AddProperties(CClassRecord* record)
{
    using Data = CAlphaSkinData;
    record->AddProperty(new CFixedListChoiceProperty("General Font", &Data::m_generalFont, skinchoice::GetFontList(),
                                                     1, nullptr));
    record->AddProperty(
        CColorProperty::ConstructFromComponents("Shortcut Key Highlight Color", &Data::m_shortcutHighlight, 1, 63, 154, 255, 255));
    record->AddProperty(CColorProperty::ConstructFromComponents("Background Color", &Data::m_background, 1, 0, 0, 0, 255));
    record->AddProperty(CColorProperty::ConstructFromComponents("Select Color", &Data::m_select, 1, 101, 91, 85, 255));
    record->AddProperty(new CFixedListChoiceProperty("Static Text Control", &Data::m_staticTextFont,
                                                     skinchoice::GetFontList(), 1, nullptr));
    record->AddProperty(new CFixedListChoiceProperty("Window/Window Heading Font", &Data::m_headingFont,
                                                     skinchoice::GetFontList(), 1, nullptr));
    record->AddProperty(new CIntProperty("Window/Window Heading Offset", &Data::m_headingOffset, 1, 0));
    CClassRecord* border = CSkinBorder::GetStaticClassRecord();
    record->AddProperty(new CObjectPointerProperty("Window/Window Border", &Data::m_windowBorder, 1, border,
                                                   CAlphaSkinBorder::GetStaticClassRecord()));
    record->AddProperty(new CObjectPointerProperty("Button/Button Border", &Data::m_buttonBorder, 1, border,
                                                   CClassicSkinBorder::GetStaticClassRecord()));
    record->AddProperty(
        new CObjectPointerProperty("Button/Pressed Button Border", &Data::m_pressedButtonBorder, 1, border, nullptr));
    record->AddProperty(
        new CObjectPointerProperty("Button/Hover Button Border", &Data::m_hoverButtonBorder, 1, border, nullptr));
}

CAlphaSkinData::CAlphaSkinData()
{
    InitOwnProperties();
}

CAlphaSkinData::~CAlphaSkinData()
{
    DestroyOwnProperties();
}

CFont* CAlphaSkinData::GetGeneralFont() const
{
    CFont* font = skinchoice::ResolveFont(m_generalFont);
    return font ? font : CJWindow::GetDefaultFont();
}

CFont* CAlphaSkinData::GetStaticTextFont() const
{
    CFont* font = skinchoice::ResolveFont(m_staticTextFont);
    return font ? font : GetGeneralFont();
}

CFont* CAlphaSkinData::GetHeadingFont() const
{
    CFont* font = skinchoice::ResolveFont(m_headingFont);
    return font ? font : GetGeneralFont();
}
