#include "ui/JWindowAlphaTheme.h"

#include "objects/ClassRecord.h"
#include "objects/ObjectPointerProperty.h"
#include "ui/AlphaSkinData.h"
#include "ui/JAlphaButtonPart.h"
#include "ui/JAlphaCaptionPart.h"
#include "ui/JButton.h"
#include "ui/JThemeWindowPart.h"
#include "ui/SkinBorder.h"

IMPLEMENT_CLASS_RECORD(CJWindowAlphaTheme, CSkinTheme, 1.0f)

namespace {

// A static text control takes the skin's static text font.
class CJAlphaWindowPart : public CJThemeWindowPart
{
public:
    CJAlphaWindowPart(CJWindow* window, CAlphaSkinData* skin) : CJThemeWindowPart(window)
    {
        if (skin)
            window->SetFont(skin->GetStaticTextFont());
    }
};

} // namespace

void CJWindowAlphaTheme::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CObjectPointerProperty("Options", &CJWindowAlphaTheme::m_options, 1,
                                                   CAlphaSkinData::GetStaticClassRecord(),
                                                   CAlphaSkinData::GetStaticClassRecord()));
}

CJWindowAlphaTheme::CJWindowAlphaTheme()
{
    InitOwnProperties();
}

CJWindowAlphaTheme::~CJWindowAlphaTheme()
{
    DestroyOwnProperties();
}

void CJWindowAlphaTheme::SetUpWindow(CJWindow* window, CJWindow*)
{
    if (!window || !m_options)
        return;
    window->SetFont(m_options->GetGeneralFont());
    window->SetHighlightColor(m_options->GetShortcutHighlightColor());
    window->SetBackgroundColor(m_options->GetBackgroundColor());
    const CColor& select = m_options->GetSelectColor();
    window->SetSelectColor(select.GetRed(), select.GetGreen(), select.GetBlue());
}

CFrame* CJWindowAlphaTheme::GetBackgroundTexture(const CJWindow*) const
{
    CSkinBorder* border = m_options ? m_options->GetWindowBorder() : nullptr;
    return border ? border->GetBackgroundTexture() : nullptr;
}

CJThemeButtonPart* CJWindowAlphaTheme::CreateButtonPart(CJButton* button)
{
    button->SetFramed(false);
    return new CJAlphaButtonPart(button, m_options);
}

CJThemePart* CJWindowAlphaTheme::CreateWindowPart(CJWindow* window)
{
    return new CJAlphaWindowPart(window, m_options);
}

CJThemeCaptionPart* CJWindowAlphaTheme::CreateCaptionPart(CJWindow* window)
{
    return new CJAlphaCaptionPart(window, m_options);
}
