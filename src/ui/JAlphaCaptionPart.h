#pragma once
// The alpha theme's caption: the skin's window border over the whole window (with the special
// top-right highlight where a close button sits, whose own border is removed) and the title in the
// heading font, which may stand above the window.
#include "ui/JThemeCaptionPart.h"

class CAlphaSkinData;
class CJButton;

class CJAlphaCaptionPart : public CJThemeCaptionPart
{
public:
    CJAlphaCaptionPart(CJWindow* window, CAlphaSkinData* skin) : CJThemeCaptionPart(window), m_skin(skin) {}

    void Draw(CFrameInterface* frame) override;
    // The title in the heading font, with room on either side for the top corners' images and
    // highlights (the close button's too, which may come later) and a font unit's gap.
    int32_t GetTitleWidth() const override;

    // The window's close button: the child button whose text is the close glyph (24); null when none.
    CJButton* FindCloseButton() const;

private:
    CAlphaSkinData* m_skin;
};
