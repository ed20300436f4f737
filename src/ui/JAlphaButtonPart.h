#pragma once
// The alpha theme's button face: the skin's button border (pressed, hover or normal), then the
// image or text. A caption can take the border away ("Remove Button Border") so that its own
// highlight shows in its place.
#include "ui/JThemeButtonPart.h"

class CAlphaSkinData;
class CSkinBorder;

class CJAlphaButtonPart : public CJThemeButtonPart
{
public:
    CJAlphaButtonPart(CJButton* button, CAlphaSkinData* skin) : CJThemeButtonPart(button), m_skin(skin) {}

    void Draw(CFrameInterface* frame) override;
    // "Remove Button Border" removes the border and makes the button transparent; taken.
    bool HandleMessage(CBroadcastMessage* message) override;

    bool IsBorderRemoved() const { return m_borderRemoved; }
    // The border the button shows now: pressed when down, hover under the pointer (not behind a
    // modal window), else normal (the optional ones fall back to the normal border).
    CSkinBorder* ChooseBorder() const;

private:
    CAlphaSkinData* m_skin;
    bool m_borderRemoved = false;
};
