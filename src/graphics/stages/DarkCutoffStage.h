#pragma once
// Stage 5: clears dark pixels of 32-bit images: a pixel whose brightest colour byte is below the
// threshold becomes 0, 0, 0, 0.
#include "graphics/FrameLoadStage.h"

class CDarkCutoffStage : public CFrameLoadStage
{
public:
    static constexpr uint32_t kDefaultThreshold = 15;

    explicit CDarkCutoffStage(uint32_t threshold);
    CFrameLoadStage* Clone() const override;
    // False for frames other than plain 32-bit CFrame objects.
    bool Apply(CFrameInterface* frame, const CIntRect& rect) override;

private:
    uint32_t m_threshold;
};
