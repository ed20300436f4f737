#pragma once
// The base of the window themes: a theme decides how windows, captions and buttons look without
// the window classes knowing which theme is in use. Themes are reflected objects, so that skins
// can be loaded by class name from their property files.
//
// The rule a caller must know: every window calls its theme's SetUpWindow from its constructor,
// before its own set-up is finished; a theme must only read and set fonts and colours there.
#include "objects/Object.h"

class CFrame;
class CJButton;
class CJThemeButtonPart;
class CJThemeCaptionPart;
class CJThemePart;
class CJWindow;

class CSkinTheme : public CObject
{
    DECLARE_CLASS_RECORD(CSkinTheme)

    CSkinTheme();
    ~CSkinTheme() override;

    // Gives a new window the theme's font and colours; parent may be null.
    virtual void SetUpWindow(CJWindow* window, CJWindow* parent) = 0;
    // The texture behind the window; null (the base's answer) means the toolkit's window textures.
    virtual CFrame* GetBackgroundTexture(const CJWindow* window) const;
    // The parts that draw a button, a static text control and a window caption; each is owned
    // by the window it was made for. Null when the theme has none.
    virtual CJThemeButtonPart* CreateButtonPart(CJButton* button) = 0;
    virtual CJThemePart* CreateWindowPart(CJWindow* window) = 0;
    virtual CJThemeCaptionPart* CreateCaptionPart(CJWindow* window) = 0;
};
