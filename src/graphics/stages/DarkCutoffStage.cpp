#include "graphics/stages/DarkCutoffStage.h"

#include "graphics/stages/StagePixels.h"

#include <cstring>
#include <new>

CDarkCutoffStage::CDarkCutoffStage(uint32_t threshold) : CFrameLoadStage(kStageDarkCutoff), m_threshold(threshold)
{
}

CFrameLoadStage* CDarkCutoffStage::Clone() const
{
    return new (std::nothrow) CDarkCutoffStage(m_threshold);
}

bool CDarkCutoffStage::Apply(CFrameInterface* frame, const CIntRect&)
{
    CFrame* target = AsFrame(frame);
    if (!target || !stagepixels::IsPlain(*target, 32))
        return false;
    stagepixels::ForEachPixel(*target, [&](uint8_t* pixel) {
        if (stagepixels::LargestColorByte(pixel) < m_threshold)
            std::memset(pixel, 0, 4);
    });
    return true;
}
