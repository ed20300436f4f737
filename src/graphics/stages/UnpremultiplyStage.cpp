#include "graphics/stages/UnpremultiplyStage.h"

#include "graphics/stages/StagePixels.h"

#include <algorithm>
#include <new>

CUnpremultiplyStage::CUnpremultiplyStage() : CFrameLoadStage(kStageUnpremultiply)
{
}

CFrameLoadStage* CUnpremultiplyStage::Clone() const
{
    return new (std::nothrow) CUnpremultiplyStage;
}

bool CUnpremultiplyStage::Apply(CFrameInterface* frame, const CIntRect&)
{
    CFrame* target = AsFrame(frame);
    if (!target || !stagepixels::IsPlain(*target, 32))
        return false;
    stagepixels::ForEachPixel(*target, [](uint8_t* pixel) {
        const uint8_t alpha = pixel[3];
        if (alpha == 0 || alpha == 255)
            return;
        float factor = static_cast<float>(alpha) / 255.0f;
        // Red, green, blue in that order: a component that would pass 255 lowers the divisor.
        for (int byte = 2; byte >= 0; --byte) {
            const float c = pixel[byte];
            if (c / factor > 255.0f)
                factor = c / 255.0f;
        }
        const float scale = 1.0f / factor;
        for (int byte = 2; byte >= 0; --byte) {
            const float value = static_cast<float>(pixel[byte]) * scale + 0.5f;
            pixel[byte] = static_cast<uint8_t>(std::min(255.0f, value));
        }
    });
    return true;
}
