#include "ui/SkinTheme.h"

IMPLEMENT_ABSTRACT_CLASS_RECORD(CSkinTheme, CObject, 1.0f)

void CSkinTheme::AddProperties(CClassRecord*)
{
}

CSkinTheme::CSkinTheme()
{
    InitOwnProperties();
}

CSkinTheme::~CSkinTheme()
{
    DestroyOwnProperties();
}

CFrame* CSkinTheme::GetBackgroundTexture(const CJWindow*) const
{
    return nullptr;
}
