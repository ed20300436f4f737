#pragma once
// Stage 6: crops the transparent margins of an image, keeping every pixel where it was on
// screen (the origin moves by the cut). An image without an opaque pixel loses its pixels.
#include "graphics/FrameLoadStage.h"

class CCropStage : public CFrameLoadStage
{
public:
    CCropStage();
    CFrameLoadStage* Clone() const override;
    // True for every CFrame; run-length images are left as they are.
    bool Apply(CFrameInterface* frame, const CIntRect& rect) override;
};
