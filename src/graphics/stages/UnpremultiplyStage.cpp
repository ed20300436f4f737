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
        // In double precision, so that exact quotients (64 at alpha 128 gives 128) stay exact.
        double factor = alpha / 255.0;
        // Red, green, blue in that order: a component that would pass 255 lowers the divisor.
        for (int byte = 2; byte >= 0; --byte) {
            const double c = pixel[byte];
            if (c / factor > 255.0)
                factor = c / 255.0;
        }
        const double scale = 1.0 / factor;
        for (int byte = 2; byte >= 0; --byte)
            pixel[byte] = static_cast<uint8_t>(std::min(255.0, pixel[byte] * scale + 0.5));
    });
    return true;
}
