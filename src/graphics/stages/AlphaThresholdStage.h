#pragma once
// Stage 3: clears nearly transparent pixels of 32-bit images: every alpha below the threshold
// becomes 0, the colour bytes kept.
#include "graphics/FrameLoadStage.h"

class CAlphaThresholdStage : public CFrameLoadStage
{
public:
    // trunc(255 / 51): what a request for the stage gets.
    static constexpr uint32_t kDefaultThreshold = 5;

    explicit CAlphaThresholdStage(uint32_t threshold);
    CFrameLoadStage* Clone() const override;
    // False for frames other than plain 32-bit CFrame objects.
    bool Apply(CFrameInterface* frame, const CIntRect& rect) override;

    uint32_t GetThreshold() const { return m_threshold; }
    void SetThreshold(uint32_t threshold) { m_threshold = threshold; }

private:
    uint32_t m_threshold;
};
