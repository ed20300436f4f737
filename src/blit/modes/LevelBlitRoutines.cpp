#include "blit/modes/LevelBlitRoutines.h"

#include "blit/modes/RunLengthDraw.h"

#include <cstring>

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

void LevelRows(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
               const CIntRect* destinationRect, CBlitter* blitter, uint32_t levelOperation)
{
    const bool opaque = IsOpaqueElsePublishLevel(blitter);
    PlainBlit blit;
    if (!ResolvePlainBlit(source, *sourceRect, 2, destination, *destinationRect, 2, blit))
        return;
    if (opaque) {
        CopyPlainRows(blit, 2);
        return;
    }
    const SpanSourceKernel blend = RowLoop(g_spanKernels[levelOperation]).source;
    ForEachRow(blit, [blend](uint8_t* d, const uint8_t* s, uint32_t width) { blend(d, s, width); });
}

void Blend24(uint8_t* d, const uint8_t* s, uint32_t alpha)
{
    for (int c = 0; c < 3; ++c)
        d[c] = static_cast<uint8_t>(d[c] + (s[c] - d[c]) * static_cast<int32_t>(alpha) / 255);
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
    LevelRows(source, sourceRect, destination, destinationRect, blitter, kSpanBlend16SrcLevel);
}

void LevelBlit16Mmx(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                    const CIntRect* destinationRect, CBlitter* blitter)
{
    LevelRows(source, sourceRect, destination, destinationRect, blitter, kSpanBlend16SrcLevelMmx);
}

void CopyBlit24To24(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                    const CIntRect* destinationRect, CBlitter* blitter)
{
    CopyRows(source, sourceRect, destination, destinationRect, blitter, 3);
}

void CopyBlit32To32(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                    const CIntRect* destinationRect, CBlitter* blitter)
{
    CopyRows(source, sourceRect, destination, destinationRect, blitter, 4);
}

void AlphaBlit32To24(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                     const CIntRect* destinationRect, CBlitter* blitter)
{
    const bool opaque = IsOpaqueElsePublishLevel(blitter);
    PlainBlit blit;
    if (!ResolvePlainBlit(source, *sourceRect, 4, destination, *destinationRect, 3, blit))
        return;
    if (opaque) {
        ForEachPixel<4, 3>(blit, [](uint8_t* d, const uint8_t* s) {
            const uint32_t a = s[3];
            if (a >= 253)
                std::memcpy(d, s, 3);
            else if (a != 0)
                Blend24(d, s, a);
        });
        return;
    }
    const uint32_t* row = g_currentAlphaRow;
    ForEachPixel<4, 3>(blit, [row](uint8_t* d, const uint8_t* s) {
        if (s[3] <= 5)
            return;
        const uint32_t a = row[s[3]] & 0xFF;
        if (a >= 251)
            std::memcpy(d, s, 3);
        else
            Blend24(d, s, a);
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
    blitter.RegisterRoutine(24, 0, 24, 0, &CopyBlit24To24);
    blitter.RegisterRoutine(32, 0, 24, 0, &AlphaBlit32To24);
    blitter.RegisterRoutine(32, 0, 32, 0, &CopyBlit32To32);
}
