#include "blit/modes/AmplifyLightBlitter.h"

#include "blit/BlendTables.h"
#include "blit/kernels/LightSpanKernels.h"
#include "blit/modes/LevelBlitRoutines.h"
#include "blit/modes/MaskBlitRoutines.h"
#include "blit/modes/RunLengthDraw.h"
#include "foundation/CpuInfo.h"
#include "graphics/FrameInterface.h"

CAmplifyLightBlitter g_amplifyLightBlitter;

namespace {

void AmplifyRunLength16(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                        const CIntRect* destinationRect, CBlitter* blitter, uint32_t colourLevel,
                        uint32_t sourceLevel)
{
    const RunLengthSpans spans = IsOpaqueElsePublishLevel(blitter)
                                     ? RunLengthSpans{&AmplifyLight16Color, &AmplifyLight16Src, &FillWhite16Color,
                                                      &FillWhite16Src}
                                     : RunLengthSpans{&g_spanKernels[colourLevel], &g_spanKernels[sourceLevel],
                                                      &FillWhite16Color, &FillWhite16Src};
    DrawRunLengthFrame(source, *sourceRect, destination, *destinationRect, 2, 2, spans);
}

} // namespace

CAmplifyLightBlitter::CAmplifyLightBlitter()
{
    const bool mmx = CpuHasMmx();
    RegisterRoutine(8, 0, 8, 0, &AmplifyLightBlit8);
    RegisterOrdinarySpriteRoutines(*this, mmx);
    RegisterRoutine(8, 0x2, 8, 0, &AmplifyLightBlitRle8);
    RegisterRoutine(16, 0x4, 16, 0, mmx ? &AmplifyLightBlitRle16Mmx : &AmplifyLightBlitRle16);
    RegisterRoutine(24, 0x4, 24, 0, &LevelBlitRle24);
    // A 32-bit display's run-length frames are 24-bit ones: drawn as on 24 bits.
    RegisterRoutine(24, 0x4, 32, 0, &MaskBlitRle24To32);
}

CAmplifyLightBlitter::~CAmplifyLightBlitter() = default;

void AmplifyLightBlit8(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                       const CIntRect* destinationRect, CBlitter* blitter)
{
    const bool opaque = IsOpaqueElsePublishLevel(blitter);
    const uint8_t* table = BlendTableOf(blitter->GetLookupTable());
    // The source's holder serves only when it holds a blend table, never a plain palette.
    if (!table && opaque && source->HasPalette())
        table = BlendTableOf(source->GetPalette());
    PlainBlit blit;
    if (!table || !ResolvePlainBlit(source, *sourceRect, 1, destination, *destinationRect, 1, blit))
        return;
    g_current8BitBlendTable = table;
    const SpanSourceKernel amplify = RowLoop(AmplifyLight8Src[0]).source;
    ForEachRow(blit, [amplify](uint8_t* d, const uint8_t* s, uint32_t width) { amplify(d, s, width); });
    g_current8BitBlendTable = nullptr;
}

void AmplifyLightBlitRle8(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                          const CIntRect* destinationRect, CBlitter* blitter)
{
    const uint8_t* table = BlendTableOf(blitter->GetLookupTable());
    if (!table)
        return;
    static const LayeredSpans kSpans = [] {
        LayeredSpans spans;
        for (uint32_t slot = 0; slot < kStrengthSlotCount; ++slot) {
            spans.fill[slot] = &AmplifyLight8Value[slot];
            spans.literal[slot] = &AmplifyLight8Src[slot];
        }
        return spans;
    }();
    g_current8BitBlendTable = table;
    DrawRunLengthLayers(source, *sourceRect, destination, *destinationRect, blitter->GetBlendStep(), 1, kSpans);
    g_current8BitBlendTable = nullptr;
}

void AmplifyLightBlitRle16(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                           const CIntRect* destinationRect, CBlitter* blitter)
{
    AmplifyRunLength16(source, sourceRect, destination, destinationRect, blitter, kSpanBlend16ColorLevel,
                       kSpanBlend16SrcLevel);
}

void AmplifyLightBlitRle16Mmx(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                              const CIntRect* destinationRect, CBlitter* blitter)
{
    AmplifyRunLength16(source, sourceRect, destination, destinationRect, blitter, kSpanBlend16ColorLevelMmx,
                       kSpanBlend16SrcLevelMmx);
}
