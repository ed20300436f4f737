#include "ui/SkinThemeList.h"

#include "graphics/RegisterResourceGroup.h"
#include "ui/JWindow.h"
#include "ui/SkinTheme.h"

CSkinThemeList::CSkinThemeList() : CResourceCollection("JWindowSkin", CSkinTheme::GetStaticClassRecord())
{
}

void CSkinThemeList::SetUp()
{
    RegisterResourceGroup(*this, "Skin Themes", "Resources");
}

CObject* CSkinThemeList::LoadItem(const char* folder, const char* fileName, CObject** out)
{
    CObject* object = CResourceCollection::LoadItem(folder, fileName, out);
    if (object && !object->IsKindOf(CSkinTheme::GetStaticClassRecord())) {
        delete object;
        object = nullptr;
    }
    if (out)
        *out = object;
    return object;
}

CSkinTheme* CSkinThemeList::FindTheme(const char* name)
{
    const int index = name ? FindIndexByName(name, -1) : -1;
    return index < 0 ? nullptr : dynamic_cast<CSkinTheme*>(GetItem(static_cast<uint32_t>(index)));
}

CSkinThemeList& GetSkinThemeList()
{
    static CSkinThemeList s_list;
    return s_list;
}

bool UseSkinTheme(const char* name, CJWindow* screen)
{
    CSkinTheme* theme = GetSkinThemeList().FindTheme(name);
    if (!theme)
        return false;
    CJWindow::SetDefaultTheme(theme);
    if (screen)
        screen->SetTheme(theme);
    return true;
}
