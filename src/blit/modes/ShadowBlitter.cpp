#include "blit/modes/ShadowBlitter.h"

#include "blit/kernels/ShadowSpanKernels.h"
#include "blit/modes/RunLengthDraw.h"
#include "foundation/CpuInfo.h"

CShadowBlitter g_shadowBlitter;

namespace {

void DrawShadow(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                const CIntRect* destinationRect, CBlitter* blitter, const RunLengthSpans& spans)
{
    const bool opaque = IsOpaqueElsePublishLevel(blitter);
    g_shadowStrength =
        opaque ? kShadowStrength : kShadowStrength * static_cast<uint32_t>(blitter->GetLevel()) / 255;
    DrawRunLengthFrame(source, *sourceRect, destination, *destinationRect, 2, 2, spans);
}

} // namespace

CShadowBlitter::CShadowBlitter()
{
    RegisterRoutine(16, 0x4, 16, 0, CpuHasMmx() ? &ShadowBlitRle16Mmx : &ShadowBlitRle16);
}

CShadowBlitter::~CShadowBlitter() = default;

void ShadowBlitRle16(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                     const CIntRect* destinationRect, CBlitter* blitter)
{
    static constexpr RunLengthSpans kSpans = {&ShadowSpan16Color, &ShadowSpan16Src, &ShadowSpan16ColorAlpha,
                                              &ShadowSpan16Alpha};
    DrawShadow(source, sourceRect, destination, destinationRect, blitter, kSpans);
}

void ShadowBlitRle16Mmx(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                        const CIntRect* destinationRect, CBlitter* blitter)
{
    static constexpr RunLengthSpans kSpans = {&ShadowSpan16ColorMmx, &ShadowSpan16SrcMmx, &ShadowSpan16ColorAlphaMmx,
                                              &ShadowSpan16AlphaMmx};
    DrawShadow(source, sourceRect, destination, destinationRect, blitter, kSpans);
}
