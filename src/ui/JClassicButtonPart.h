#pragma once
// The classic theme's button face: the window texture lined up with the parent's, the image or
// text, and a bevel raised while up and sunken while down.
#include "ui/JThemeButtonPart.h"

class CJClassicButtonPart : public CJThemeButtonPart
{
public:
    explicit CJClassicButtonPart(CJButton* button) : CJThemeButtonPart(button) {}

    void Draw(CFrameInterface* frame) override;
};
