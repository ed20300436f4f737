#pragma once
// The skin-theme list: the skin themes of the resource folder, one "<name>.JWindowSkin" object
// text file each, loaded on first use and kept until exit.
//
// The rule a caller must know: a file whose object is not a skin theme is refused (the entry
// stays unloaded); UseSkinTheme makes a named skin the toolkit's default theme.
#include "objects/ResourceCollection.h"

class CJWindow;
class CSkinTheme;

class CSkinThemeList : public CResourceCollection
{
public:
    CSkinThemeList();

    // Registers the list as "Skin Themes" (once), folder "Resources", and takes one entry per
    // "*.JWindowSkin" file there.
    void SetUp();
    // The object of the file when it is a skin theme; else deletes it and answers null.
    CObject* LoadItem(const char* folder, const char* fileName, CObject** out) override;
    // The loaded skin of that name; null when there is none or it is not a skin theme.
    CSkinTheme* FindTheme(const char* name);
};

// The process's list; empty until SetUp, which the start-up calls.
CSkinThemeList& GetSkinThemeList();
// Makes the named skin the default theme and gives it to the screen window (when given); false,
// with nothing changed, when the list has no such skin.
bool UseSkinTheme(const char* name, CJWindow* screen);
