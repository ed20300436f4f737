#pragma once
// The classic theme's caption of a titled window: the window texture under a raised bevel, and
// for a window with a title a band of the title tile with the title centred in it and an engraved
// line beneath.
#include "ui/JThemeCaptionPart.h"

class CJClassicCaptionPart : public CJThemeCaptionPart
{
public:
    explicit CJClassicCaptionPart(CJWindow* window) : CJThemeCaptionPart(window) {}

    void Draw(CFrameInterface* frame) override;
};
