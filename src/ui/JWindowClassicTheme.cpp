#include "ui/JWindowClassicTheme.h"

#include "ui/JButton.h"
#include "ui/JClassicButtonPart.h"
#include "ui/JClassicCaptionPart.h"
#include "ui/JThemeWindowPart.h"

IMPLEMENT_CLASS_RECORD(CJWindowClassicTheme, CSkinTheme, 1.0f)

void CJWindowClassicTheme::AddProperties(CClassRecord*)
{
}

CJWindowClassicTheme::CJWindowClassicTheme()
{
    InitOwnProperties();
}

CJWindowClassicTheme::~CJWindowClassicTheme()
{
    DestroyOwnProperties();
}

CJWindowClassicTheme& CJWindowClassicTheme::GetInstance()
{
    static CJWindowClassicTheme s_theme;
    return s_theme;
}

void CJWindowClassicTheme::SetUpWindow(CJWindow* window, CJWindow* parent)
{
    if (window && parent)
        window->SetFont(parent->GetFont());
}

CFrame* CJWindowClassicTheme::GetBackgroundTexture(const CJWindow*) const
{
    return nullptr;
}

CJThemeButtonPart* CJWindowClassicTheme::CreateButtonPart(CJButton* button)
{
    return new CJClassicButtonPart(button);
}

CJThemePart* CJWindowClassicTheme::CreateWindowPart(CJWindow* window)
{
    return new CJThemeWindowPart(window);
}

CJThemeCaptionPart* CJWindowClassicTheme::CreateCaptionPart(CJWindow* window)
{
    return new CJClassicCaptionPart(window);
}
