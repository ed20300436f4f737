#include "ui/JWindowClassicTheme.h"

#include "ui/JWindow.h"

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

CJThemeButtonPart* CJWindowClassicTheme::CreateButtonPart(CJButton*)
{
    return nullptr;
}

CJThemePart* CJWindowClassicTheme::CreateWindowPart(CJWindow*)
{
    return nullptr;
}

CJThemeCaptionPart* CJWindowClassicTheme::CreateCaptionPart(CJWindow*)
{
    return nullptr;
}
