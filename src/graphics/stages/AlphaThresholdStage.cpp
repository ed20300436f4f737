#include "graphics/stages/AlphaThresholdStage.h"

#include "graphics/stages/StagePixels.h"

#include <new>

CAlphaThresholdStage::CAlphaThresholdStage(uint32_t threshold)
    : CFrameLoadStage(kStageAlphaThreshold), m_threshold(threshold)
{
}

CFrameLoadStage* CAlphaThresholdStage::Clone() const
{
    return new (std::nothrow) CAlphaThresholdStage(m_threshold);
}

bool CAlphaThresholdStage::Apply(CFrameInterface* frame, const CIntRect&)
{
    CFrame* target = AsFrame(frame);
    if (!target || !stagepixels::IsPlain(*target, 32))
        return false;
    stagepixels::ForEachPixel(*target, [&](uint8_t* pixel) {
        if (pixel[3] < m_threshold)
            pixel[3] = 0;
    });
    return true;
}
