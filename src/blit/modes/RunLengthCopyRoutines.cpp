#include "blit/modes/RunLengthCopyRoutines.h"

#include "blit/modes/RunLengthDraw.h"

namespace {

// The same pair of tables in every slot.
LayeredSpans EverySlot(const SpanTable& fill, const SpanTable& literal)
{
    LayeredSpans spans;
    spans.fill.fill(&fill);
    spans.literal.fill(&literal);
    return spans;
}

void LayersThroughPalette(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                          const CIntRect* destinationRect, CBlitter* blitter, uint32_t pixelBytes,
                          const LayeredSpans& spans)
{
    const uint8_t* palette = ChooseSourcePalette(blitter, source);
    if (!palette)
        return;
    g_currentExpandPalette = palette;
    DrawRunLengthLayers(source, *sourceRect, destination, *destinationRect, blitter->GetBlendStep(), pixelBytes,
                        spans);
    g_currentExpandPalette = nullptr;
}

} // namespace

void CopyBlitRle8To8(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                     const CIntRect* destinationRect, CBlitter* blitter)
{
    static const LayeredSpans kSpans{
        {&g_spanKernels[kSpanFill8], &g_spanKernels[kSpanBlend20_80DstValue], &g_spanKernels[kSpanBlend40_60DstValue],
         &g_spanKernels[kSpanBlend40_60ValueDst], &g_spanKernels[kSpanBlend20_80ValueDst]},
        {&g_spanKernels[kSpanCopy8], &g_spanKernels[kSpanBlend20_80DstSrc], &g_spanKernels[kSpanBlend40_60DstSrc],
         &g_spanKernels[kSpanBlend40_60SrcDst], &g_spanKernels[kSpanBlend20_80SrcDst]}};
    DrawRunLengthLayers(source, *sourceRect, destination, *destinationRect, blitter->GetBlendStep(), 1, kSpans);
}

void CopyBlitRle8To16(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                      const CIntRect* destinationRect, CBlitter* blitter)
{
    static const LayeredSpans kSpans = EverySlot(FillIndexAs16, Expand8To16);
    DrawRunLengthLayers(source, *sourceRect, destination, *destinationRect, blitter->GetBlendStep(), 2, kSpans);
}

void CopyBlitRle8To24(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                      const CIntRect* destinationRect, CBlitter* blitter)
{
    static const LayeredSpans kSpans = EverySlot(FillIndexAs24, Expand8To24);
    LayersThroughPalette(source, sourceRect, destination, destinationRect, blitter, 3, kSpans);
}

void CopyBlitRle8To32(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                      const CIntRect* destinationRect, CBlitter* blitter)
{
    static const LayeredSpans kSpans = EverySlot(FillIndexAs32, Expand8To32);
    LayersThroughPalette(source, sourceRect, destination, destinationRect, blitter, 4, kSpans);
}

void CopyBlitRle16To24(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                       const CIntRect* destinationRect, CBlitter* blitter)
{
    IsOpaqueElsePublishLevel(blitter);
    DrawRunLengthFrame(source, *sourceRect, destination, *destinationRect, 2, 3,
                       {&Fill16As24, &Expand16To24, &Fill16As24Alpha, &Expand16To24Alpha});
}

void CopyBlitRle16To32(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                       const CIntRect* destinationRect, CBlitter* blitter)
{
    IsOpaqueElsePublishLevel(blitter);
    DrawRunLengthFrame(source, *sourceRect, destination, *destinationRect, 2, 4,
                       {&Fill16As32, &Expand16To32, &Fill16As32Alpha, &Expand16To32Alpha});
}
