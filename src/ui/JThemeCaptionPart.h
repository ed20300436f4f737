#pragma once
// The part a theme makes for a titled window: it draws the window's caption, border and title.
//
// The rule a caller must know: Draw gets the window's proxy frame already set to the window's own
// content coordinates.
#include "ui/JThemePart.h"

class CFrameInterface;

class CJThemeCaptionPart : public CJThemePart
{
public:
    explicit CJThemeCaptionPart(CJWindow* window) : CJThemePart(window) {}

    // Nothing in the base.
    virtual void Draw(CFrameInterface* frame) { (void)frame; }
};
