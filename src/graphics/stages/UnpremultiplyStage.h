#pragma once
// Stage 7: restores the colours of images whose colours were multiplied by their alpha: each
// translucent pixel's colour is divided by its alpha, limited so that no component passes 255.
#include "graphics/FrameLoadStage.h"

class CUnpremultiplyStage : public CFrameLoadStage
{
public:
    CUnpremultiplyStage();
    CFrameLoadStage* Clone() const override;
    // False for frames other than plain 32-bit CFrame objects.
    bool Apply(CFrameInterface* frame, const CIntRect& rect) override;
};
