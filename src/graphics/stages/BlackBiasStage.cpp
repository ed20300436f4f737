#include "graphics/stages/BlackBiasStage.h"

#include "blit/ColorPacking.h"
#include "graphics/PaletteTable.h"
#include "graphics/stages/StagePixels.h"

#include <cstring>
#include <new>

namespace {

constexpr uint8_t kDark = 40;

void ClearDarkPixels(CFrame& frame)
{
    switch (frame.GetBitsPerPixel()) {
    case 8: {
        const CPaletteTable* palette = GetCurrentPaletteRef();
        if (palette->GetKind() != 1 || palette->IsEmpty())
            return;
        const uint8_t* entries = palette->GetData();
        stagepixels::ForEachPixel(frame, [&](uint8_t* pixel) {
            if (*pixel != 0 && stagepixels::LargestColorByte(entries + *pixel * 3) < kDark)
                *pixel = 0;
        });
        break;
    }
    case 24:
    case 32: {
        const uint32_t bytes = frame.GetBytesPerPixel();
        stagepixels::ForEachPixel(frame, [&](uint8_t* pixel) {
            if (stagepixels::LargestColorByte(pixel) < kDark)
                std::memset(pixel, 0, bytes);
        });
        break;
    }
    default:
        break;
    }
}

} // namespace

CBlackBiasStage::CBlackBiasStage() : CFrameLoadStage(kStageBlackBias)
{
}

CFrameLoadStage* CBlackBiasStage::Clone() const
{
    return new (std::nothrow) CBlackBiasStage;
}

bool CBlackBiasStage::Apply(CFrameInterface* frame, const CIntRect& rect)
{
    CFrame* target = AsFrame(frame);
    if (!target || rect.GetWidth() == 0)
        return false;
    if (!target->GetPixels() || (target->GetFormatFlags() & kFrameRunLengthMask))
        return true;
    if (GetTargetDepth() == 8) {
        ClearDarkPixels(*target);
        return true;
    }
    if (target->GetBitsPerPixel() == 24)
        target->ExpandTo32Bits(false);
    if (stagepixels::IsPlain(*target, 32)) {
        stagepixels::ForEachPixel(*target, [](uint8_t* pixel) {
            if (pixel[3] > 5)
                pixel[3] = stagepixels::LargestColorByte(pixel);
        });
    }
    return true;
}
