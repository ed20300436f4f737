#include "blit/modes/CopyBlitRoutines.h"

#include "blit/ColorPacking.h"
#include "blit/PaletteMix.h"
#include "blit/kernels/PixelAccess.h"
#include "graphics/PaletteTable.h"

#include <cstring>

namespace {

// Every row through the loop of a source-operand span table.
void ConvertRows(CFrameInterface* source, const CIntRect* sourceRect, uint32_t sourceBytes,
                 CFrameInterface* destination, const CIntRect* destinationRect, uint32_t destinationBytes,
                 const SpanTable& table)
{
    PlainBlit blit;
    if (!ResolvePlainBlit(source, *sourceRect, sourceBytes, destination, *destinationRect, destinationBytes, blit))
        return;
    const SpanSourceKernel convert = RowLoop(table).source;
    ForEachRow(blit, [convert](uint8_t* d, const uint8_t* s, uint32_t width) { convert(d, s, width); });
}

void PaletteRows(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                 const CIntRect* destinationRect, CBlitter* blitter, uint32_t destinationBytes, const SpanTable& table)
{
    IsOpaqueElsePublishLevel(blitter);
    const uint8_t* palette = ChooseSourcePalette(blitter, source);
    if (!palette)
        return;
    g_currentExpandPalette = palette;
    ConvertRows(source, sourceRect, 1, destination, destinationRect, destinationBytes, table);
    g_currentExpandPalette = nullptr;
}

// The bytes of an inverse colour table when it is loaded whole.
const uint8_t* InverseTable(const CPaletteTable& table, uint32_t size)
{
    return table.GetSize() >= size ? table.GetData() : nullptr;
}

} // namespace

void CopyBlit8To8(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                  const CIntRect* destinationRect, CBlitter* blitter)
{
    const bool opaque = IsOpaqueElsePublishLevel(blitter);
    PlainBlit blit;
    if (!ResolvePlainBlit(source, *sourceRect, 1, destination, *destinationRect, 1, blit))
        return;
    if (opaque) {
        CopyPlainRows(blit, 1);
        return;
    }
    const PaletteMix mix = PaletteMix::ForStep(PaletteMixStep(static_cast<uint32_t>(blitter->GetLevel())));
    ForEachPixel<1, 1>(blit, [&mix](uint8_t* d, const uint8_t* s) { *d = mix.Mix(*d, *s); });
}

void CopyBlit8To16(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                   const CIntRect* destinationRect, CBlitter* blitter)
{
    IsOpaqueElsePublishLevel(blitter);
    ConvertRows(source, sourceRect, 1, destination, destinationRect, 2, Expand8To16);
}

void CopyBlit8To24(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                   const CIntRect* destinationRect, CBlitter* blitter)
{
    PaletteRows(source, sourceRect, destination, destinationRect, blitter, 3, Expand8To24);
}

void CopyBlit8To32(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                   const CIntRect* destinationRect, CBlitter* blitter)
{
    PaletteRows(source, sourceRect, destination, destinationRect, blitter, 4, Expand8To32);
}

void CopyBlit16To8(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                   const CIntRect* destinationRect, CBlitter* blitter)
{
    IsOpaqueElsePublishLevel(blitter);
    const uint8_t* inverse = InverseTable(g_inverseColorTable16, 65536);
    PlainBlit blit;
    if (!inverse || !ResolvePlainBlit(source, *sourceRect, 2, destination, *destinationRect, 1, blit))
        return;
    ForEachPixel<2, 1>(blit, [inverse](uint8_t* d, const uint8_t* s) { *d = inverse[LoadPixel16(s, 0)]; });
}

void CopyBlit16To24(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                    const CIntRect* destinationRect, CBlitter* blitter)
{
    IsOpaqueElsePublishLevel(blitter);
    ConvertRows(source, sourceRect, 2, destination, destinationRect, 3, Expand16To24);
}

void CopyBlit16To32(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                    const CIntRect* destinationRect, CBlitter* blitter)
{
    IsOpaqueElsePublishLevel(blitter);
    ConvertRows(source, sourceRect, 2, destination, destinationRect, 4, Expand16To32);
}

void CopyBlit24To8(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                   const CIntRect* destinationRect, CBlitter* blitter)
{
    IsOpaqueElsePublishLevel(blitter);
    const uint8_t* inverse = InverseTable(g_inverseColorTable15, 32768);
    PlainBlit blit;
    if (!inverse || !ResolvePlainBlit(source, *sourceRect, 3, destination, *destinationRect, 1, blit))
        return;
    ForEachPixel<3, 1>(blit, [inverse](uint8_t* d, const uint8_t* s) {
        *d = inverse[PackRgbToPixel15(s[2], s[1], s[0]) & 0x7FFF];
    });
}

void CopyBlit24To16(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                    const CIntRect* destinationRect, CBlitter* blitter)
{
    IsOpaqueElsePublishLevel(blitter);
    PlainBlit blit;
    if (!ResolvePlainBlit(source, *sourceRect, 3, destination, *destinationRect, 2, blit))
        return;
    ForEachPixel<3, 2>(blit, [](uint8_t* d, const uint8_t* s) { StorePixel16(d, 0, PackRgbToPixel16(s[2], s[1], s[0])); });
}

void CopyBlit24To32(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                    const CIntRect* destinationRect, CBlitter* blitter)
{
    IsOpaqueElsePublishLevel(blitter);
    PlainBlit blit;
    if (!ResolvePlainBlit(source, *sourceRect, 3, destination, *destinationRect, 4, blit))
        return;
    ForEachPixel<3, 4>(blit, [](uint8_t* d, const uint8_t* s) {
        std::memcpy(d, s, 3);
        d[3] = 0xFF;
    });
}
