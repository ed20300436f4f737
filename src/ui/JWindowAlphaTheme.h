#pragma once
// The skinned theme: windows take the skin's fonts and colours and show its window texture,
// buttons and captions draw the skin's borders. Its one property, "Options", holds the skin data.
//
// The rule a caller must know: the theme owns its skin data; windows keep pointers to the theme,
// so a theme must outlive every window made under it.
#include "ui/SkinTheme.h"

class CAlphaSkinData;

class CJWindowAlphaTheme : public CSkinTheme
{
    DECLARE_CLASS_RECORD(CJWindowAlphaTheme)

    CJWindowAlphaTheme();
    ~CJWindowAlphaTheme() override;

    // The general font, the shortcut highlight, background and select colours.
    void SetUpWindow(CJWindow* window, CJWindow* parent) override;
    // The window border's background texture.
    CFrame* GetBackgroundTexture(const CJWindow* window) const override;
    // The alpha button part; the button loses its frame.
    CJThemeButtonPart* CreateButtonPart(CJButton* button) override;
    // A part that gives the control the static text font.
    CJThemePart* CreateWindowPart(CJWindow* window) override;
    CJThemeCaptionPart* CreateCaptionPart(CJWindow* window) override;

    // Never null once the properties are set to their defaults or read.
    CAlphaSkinData* GetOptions() const { return m_options; }

private:
    CAlphaSkinData* m_options = nullptr;
};
