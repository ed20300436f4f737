#pragma once
// Stage 2: moves the hot spot to the middle of the image (halves rounded down).
#include "graphics/FrameLoadStage.h"

class CCenterHotSpotStage : public CFrameLoadStage
{
public:
    CCenterHotSpotStage();
    CFrameLoadStage* Clone() const override;
    // False only for frames that are not CFrame objects.
    bool Apply(CFrameInterface* frame, const CIntRect& rect) override;
};
