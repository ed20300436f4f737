#pragma once
// Stage 4: prepares an image for the black-bias blend. For an 8-bit target, dark pixels (every
// colour component below 40) become transparent. For other targets the image becomes 32-bit and
// every pixel that is not nearly transparent (alpha above 5) takes its brightest component as
// its alpha, so that black fades out.
#include "graphics/FrameLoadStage.h"

class CBlackBiasStage : public CFrameLoadStage
{
public:
    CBlackBiasStage();
    CFrameLoadStage* Clone() const override;
    // False for an empty frame or one that is not a CFrame; true otherwise. Only plain 8-bit (for
    // an 8-bit target), 24-bit and 32-bit images are changed.
    bool Apply(CFrameInterface* frame, const CIntRect& rect) override;
};
