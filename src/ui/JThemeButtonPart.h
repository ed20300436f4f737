#pragma once
// The part a theme makes for a button: it draws the button's face (background, image, text and
// border) from the button's state, and sizes the button to its text.
//
// The rule a caller must know: the button counts as down (its face shifted by one pixel right and
// down) while it is pressed with the pointer inside, flashing after a click, or checked.
#include "ui/JThemePart.h"

#include <cstdint>

class CFrameInterface;
class CJButton;

class CJThemeButtonPart : public CJThemePart
{
public:
    explicit CJThemeButtonPart(CJButton* button);

    // Nothing in the base.
    virtual void Draw(CFrameInterface* frame) { (void)frame; }
    // Text width + 2 x row spacing + 2 by line height + 2 x row spacing + 2 (nothing without a font).
    virtual void AutoSize();

    CJButton* GetButton() const;
    // The type id of the "Remove Button Border" message, interned on first use.
    static uint32_t GetRemoveBorderMessageType();

protected:
    // 1 while the button looks pressed, else 0.
    int32_t GetDownOffset() const;
    // The image (faded, over the disabled image, with the disabled look) and the text, both shifted
    // by down. The image blitter's opacity is back to what it was afterwards.
    void DrawFace(CFrameInterface* frame, bool disabledLook, int32_t down);
};
