#include "blit/modes/LevelBlitRoutines.h"

#include "blit/kernels/LevelRows565.h"
#include "blit/kernels/PixelSteps.h"
#include "blit/modes/AlphaBlitRoutines.h"
#include "blit/modes/CopyBlitRoutines.h"
#include "blit/modes/RunLengthDraw.h"

namespace {

void CopyRows(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
              const CIntRect* destinationRect, CBlitter* blitter, uint32_t bytes)
{
    IsOpaqueElsePublishLevel(blitter);
    PlainBlit blit;
    if (!ResolvePlainBlit(source, *sourceRect, bytes, destination, *destinationRect, bytes, blit))
        return;
    CopyPlainRows(blit, bytes);
}

// Opacity 1.0: a copy of pixels of `bytes`; otherwise blend(destination row, source row, width)
// for every row, or blendAll(blit) once when given.
struct NoBlendAll
{
};
template <class Blend, class BlendAll = NoBlendAll>
void LevelRows(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
               const CIntRect* destinationRect, CBlitter* blitter, uint32_t bytes, Blend blend,
               BlendAll blendAll = {})
{
    const bool opaque = IsOpaqueElsePublishLevel(blitter);
    PlainBlit blit;
    if (!ResolvePlainBlit(source, *sourceRect, bytes, destination, *destinationRect, bytes, blit))
        return;
    if (opaque)
        CopyPlainRows(blit, bytes);
    else if constexpr (std::is_same_v<BlendAll, NoBlendAll>)
        ForEachRow(blit, blend);
    else
        blendAll(blit);
}

// The translucent rows through a level row of the span table.
void LevelRowsThrough(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                      const CIntRect* destinationRect, CBlitter* blitter, uint32_t bytes, uint32_t levelOperation)
{
    const SpanSourceKernel kernel = RowLoop(g_spanKernels[levelOperation]).source;
    LevelRows(source, sourceRect, destination, destinationRect, blitter, bytes,
              [kernel](uint8_t* d, const uint8_t* s, uint32_t width) { kernel(d, s, width); });
}

// The operations of the level-scaled run-length draws: main fill and literal, layer fill and
// literal, at opacity 1.0 and at other opacities.
struct LevelOperations
{
    uint32_t opaque[4];
    uint32_t level[4];
};

constexpr LevelOperations kRle16 = {
    {kSpanFill16, kSpanCopy16, kSpanBlend16ColorAlpha, kSpanBlend16SrcAlpha},
    {kSpanBlend16ColorLevel, kSpanBlend16SrcLevel, kSpanBlend16ColorAlphaLevel, kSpanBlend16SrcAlphaLevel}};
constexpr LevelOperations kRle16Mmx = {
    {kSpanFill16, kSpanCopy16, kSpanBlend16ColorAlphaMmx, kSpanBlend16SrcAlphaMmx},
    {kSpanBlend16ColorLevelMmx, kSpanBlend16SrcLevelMmx, kSpanBlend16ColorAlphaLevelMmx, kSpanBlend16SrcAlphaLevelMmx}};
constexpr LevelOperations kRle24 = {
    {kSpanFill24, kSpanCopy24, kSpanBlend24ColorAlpha, kSpanBlend24SrcAlpha},
    {kSpanBlend24ColorLevel, kSpanBlend24SrcLevel, kSpanBlend24ColorAlphaLevel, kSpanBlend24SrcAlphaLevel}};

void LevelRunLength(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                    const CIntRect* destinationRect, CBlitter* blitter, const LevelOperations& operations,
                    uint32_t bytes)
{
    const uint32_t* ops = IsOpaqueElsePublishLevel(blitter) ? operations.opaque : operations.level;
    const RunLengthSpans spans{&g_spanKernels[ops[0]], &g_spanKernels[ops[1]], &g_spanKernels[ops[2]],
                               &g_spanKernels[ops[3]]};
    DrawRunLengthFrame(source, *sourceRect, destination, *destinationRect, bytes, bytes, spans);
}

} // namespace

void LevelBlit16(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                 const CIntRect* destinationRect, CBlitter* blitter)
{
    LevelRowsThrough(source, sourceRect, destination, destinationRect, blitter, 2, kSpanBlend16SrcLevel);
}

void LevelBlit16Mmx(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                    const CIntRect* destinationRect, CBlitter* blitter)
{
    // Every row one run of the grouped level row, all rows in one call.
    LevelRows(source, sourceRect, destination, destinationRect, blitter, 2, [](uint8_t*, const uint8_t*, uint32_t) {},
              [](const PlainBlit& blit) {
                  BlendLevelRows565(blit.destination, blit.destinationPitch, blit.source, blit.sourcePitch, blit.width,
                                    blit.height);
              });
}

void CopyBlit24To24(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                    const CIntRect* destinationRect, CBlitter* blitter)
{
    CopyRows(source, sourceRect, destination, destinationRect, blitter, 3);
}

void LevelBlit24(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                 const CIntRect* destinationRect, CBlitter* blitter)
{
    LevelRowsThrough(source, sourceRect, destination, destinationRect, blitter, 3, kSpanBlend24SrcLevel);
}

void LevelBlit32(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                 const CIntRect* destinationRect, CBlitter* blitter)
{
    // Every byte, the alpha byte too, by the 24-bit step at the level (read when the rows run).
    LevelRows(source, sourceRect, destination, destinationRect, blitter, 4,
              [](uint8_t* d, const uint8_t* s, uint32_t width) {
                  const uint32_t level = g_currentAlphaRow[255];
                  for (uint32_t i = 0; i < 4 * width; ++i)
                      d[i] = BlendChannel24(d[i], s[i], level);
              });
}

void LevelBlitRle16(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                    const CIntRect* destinationRect, CBlitter* blitter)
{
    LevelRunLength(source, sourceRect, destination, destinationRect, blitter, kRle16, 2);
}

void LevelBlitRle16Mmx(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                       const CIntRect* destinationRect, CBlitter* blitter)
{
    LevelRunLength(source, sourceRect, destination, destinationRect, blitter, kRle16Mmx, 2);
}

void LevelBlitRle24(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                    const CIntRect* destinationRect, CBlitter* blitter)
{
    LevelRunLength(source, sourceRect, destination, destinationRect, blitter, kRle24, 3);
}

void RegisterOrdinarySpriteRoutines(CBlitter& blitter, bool mmx)
{
    blitter.RegisterRoutine(16, 0, 16, 0, mmx ? &LevelBlit16Mmx : &LevelBlit16);
    blitter.RegisterRoutine(24, 0, 24, 0, &LevelBlit24);
    blitter.RegisterRoutine(24, 0, 32, 0, &CopyBlit24To32);
    blitter.RegisterRoutine(32, 0, 24, 0, &AlphaBlit32To24);
    blitter.RegisterRoutine(32, 0, 32, 0, &AlphaBlit32To32);
}
