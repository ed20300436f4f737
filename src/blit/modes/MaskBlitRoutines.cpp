#include "blit/modes/MaskBlitRoutines.h"

#include "blit/ColorPacking.h"
#include "blit/kernels/KeyedRows16.h"
#include "blit/kernels/PixelAccess.h"
#include "blit/modes/RunLengthDraw.h"

#include <cstring>

namespace {

// Writes every source pixel that is not 0, converted by `convert` (destination, source pixel).
template <uint32_t SourceBytes, uint32_t DestinationBytes, class Convert>
void MaskPixels(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                const CIntRect* destinationRect, Convert convert)
{
    PlainBlit blit;
    if (!ResolvePlainBlit(source, *sourceRect, SourceBytes, destination, *destinationRect, DestinationBytes, blit))
        return;
    ForEachPixel<SourceBytes, DestinationBytes>(blit, [&](uint8_t* d, const uint8_t* s) {
        const uint32_t value = SourceBytes == 1 ? s[0] : LoadPixel16(s, 0);
        if (value != 0)
            convert(d, value);
    });
}

template <uint32_t DestinationBytes>
void MaskThroughPalette(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                        const CIntRect* destinationRect, CBlitter* blitter)
{
    const uint8_t* palette = ChooseSourcePalette(blitter, source);
    if (!palette)
        return;
    MaskPixels<1, DestinationBytes>(source, sourceRect, destination, destinationRect,
                                    [palette](uint8_t* d, uint32_t index) {
                                        std::memcpy(d, palette + 3 * index, 3);
                                        if constexpr (DestinationBytes == 4)
                                            d[3] = 0xFF;
                                    });
}

} // namespace

void MaskBlit8To8(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                  const CIntRect* destinationRect, CBlitter*)
{
    MaskPixels<1, 1>(source, sourceRect, destination, destinationRect,
                     [](uint8_t* d, uint32_t index) { *d = static_cast<uint8_t>(index); });
}

void MaskBlit8To16(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                   const CIntRect* destinationRect, CBlitter*)
{
    MaskPixels<1, 2>(source, sourceRect, destination, destinationRect,
                     [](uint8_t* d, uint32_t index) { StorePixel16(d, 0, g_paletteToPixel16[index]); });
}

void MaskBlit8To24(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                   const CIntRect* destinationRect, CBlitter* blitter)
{
    MaskThroughPalette<3>(source, sourceRect, destination, destinationRect, blitter);
}

void MaskBlit8To32(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                   const CIntRect* destinationRect, CBlitter* blitter)
{
    MaskThroughPalette<4>(source, sourceRect, destination, destinationRect, blitter);
}

void MaskBlit16To16(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                    const CIntRect* destinationRect, CBlitter*)
{
    PlainBlit blit;
    if (!ResolvePlainBlit(source, *sourceRect, 2, destination, *destinationRect, 2, blit))
        return;
    CopyKeyedRows16(blit.destination, blit.destinationPitch, blit.source, blit.sourcePitch, blit.width, blit.height);
}

void MaskBlit16To24(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                    const CIntRect* destinationRect, CBlitter*)
{
    MaskPixels<2, 3>(source, sourceRect, destination, destinationRect, [](uint8_t* d, uint32_t pixel) {
        const uint32_t bytes = Expand565(pixel);
        std::memcpy(d, &bytes, 3);
    });
}

void MaskBlitRle24To32(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                       const CIntRect* destinationRect, CBlitter* blitter)
{
    auto row = [](uint32_t operation) { return &g_span24Into32Kernels[operation - kSpanCopy24]; };
    const RunLengthSpans spans =
        IsOpaqueElsePublishLevel(blitter)
            ? RunLengthSpans{row(kSpanFill24), row(kSpanCopy24), row(kSpanBlend24ColorAlpha), row(kSpanBlend24SrcAlpha)}
            : RunLengthSpans{row(kSpanBlend24ColorLevel), row(kSpanBlend24SrcLevel), row(kSpanBlend24ColorAlphaLevel),
                             row(kSpanBlend24SrcAlphaLevel)};
    DrawRunLengthFrame(source, *sourceRect, destination, *destinationRect, 3, 4, spans);
}
