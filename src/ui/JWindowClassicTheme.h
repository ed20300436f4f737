#pragma once
// The classic theme, the toolkit's default: windows keep their parent's font, and the window
// textures of the toolkit show behind them with bevels drawn over.
//
// The rule a caller must know: the one instance that GetInstance answers lives until exit and
// becomes the default theme when a window is made while none is set.
#include "ui/SkinTheme.h"

class CJWindowClassicTheme : public CSkinTheme
{
    DECLARE_CLASS_RECORD(CJWindowClassicTheme)

    CJWindowClassicTheme();
    ~CJWindowClassicTheme() override;

    static CJWindowClassicTheme& GetInstance();

    // With a parent, the window takes the parent's font.
    void SetUpWindow(CJWindow* window, CJWindow* parent) override;
    // None: windows show the toolkit's window textures.
    CFrame* GetBackgroundTexture(const CJWindow* window) const override;
    // The classic button face, a static text part without behaviour, the classic caption; each
    // new, owned by the window it is for.
    CJThemeButtonPart* CreateButtonPart(CJButton* button) override;
    CJThemePart* CreateWindowPart(CJWindow* window) override;
    CJThemeCaptionPart* CreateCaptionPart(CJWindow* window) override;
};
