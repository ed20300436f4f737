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

    // The window's close button: the child button whose text is the close glyph (24); null when none.
    CJButton* FindCloseButton() const;

private:
    CAlphaSkinData* m_skin;
};
