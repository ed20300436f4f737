#pragma once
// Stage 10: gives a 24-bit image a palette of its own: entry 0 black, 255 white, and entries 1 to
// 254 chosen by the median-cut quantizer from the image's colours.
#include "graphics/FrameLoadStage.h"

class CBuildPaletteStage : public CFrameLoadStage
{
public:
    CBuildPaletteStage();
    CFrameLoadStage* Clone() const override;
    // False, with nothing changed, for frames that are not plain 24-bit CFrame objects.
    bool Apply(CFrameInterface* frame, const CIntRect& rect) override;
};
