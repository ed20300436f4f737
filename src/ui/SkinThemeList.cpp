#include "ui/SkinThemeList.h"

#include "graphics/ResourceListing.h"
#include "ui/JWindow.h"
#include "ui/SkinTheme.h"

#include <vector>

CSkinThemeList::CSkinThemeList() : CResourceCollection("JWindowSkin", CSkinTheme::GetStaticClassRecord())
{
}

void CSkinThemeList::SetUp()
{
    if (GetRegistryIndex() < 0)
        Register("Skin Themes");
    FreeEntries();
    SetFolder("Resources");
    std::vector<CSharedString> names;
    ListResourceFiles("Resources", "JWindowSkin", names);
    SetEntries(names);
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
    static const bool s_setUp = (s_list.SetUp(), true);
    (void)s_setUp;
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
