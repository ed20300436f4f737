#pragma once
// The part a theme makes for a titled window: it draws the window's caption, border and title.
//
// The rule a caller must know: Draw gets the window's proxy frame already set to the window's own
// content coordinates.
#include "ui/JThemePart.h"

#include <cstdint>

class CFrameInterface;

class CJThemeCaptionPart : public CJThemePart
{
public:
    explicit CJThemeCaptionPart(CJWindow* window) : CJThemePart(window) {}

    // Nothing in the base.
    virtual void Draw(CFrameInterface* frame) { (void)frame; }
    // The width the window needs for its title to stand clear of the caption's ends: in the base
    // the text in the window's font and 3 pixels; 0 without a title.
    virtual int32_t GetTitleWidth() const;
};
