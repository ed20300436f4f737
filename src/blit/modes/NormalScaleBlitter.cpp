#include "blit/modes/NormalScaleBlitter.h"

#include "blit/ColorPacking.h"
#include "blit/modes/BlitFrameAccess.h"
#include "graphics/FrameInterface.h"

#include <algorithm>
#include <cstring>

CNormalScaleBlitter g_normalScaleBlitter;

namespace {

// The sample offsets (from the rectangle's first column or row) of destination positions
// 0 .. length - 1: offset i = (start + i * step) >> 16, the accumulator starting at the
// rectangle's own left or top taken as a 16.16 value. With a large start and a strong
// magnification the last samples would pass the rectangle; they take its last pixel instead.
struct Axis
{
    uint32_t start = 0;
    uint32_t step = 0;
    uint32_t sourceLength = 0;
    uint32_t exact = 0; // positions below this one sample inside the rectangle without clamping

    Axis(int32_t sourceStart, uint32_t source, uint32_t destination)
        : start(static_cast<uint32_t>(sourceStart)), step(CNormalScaleBlitter::ScaleStep(source, destination)),
          sourceLength(source)
    {
        // Positions i with start + i * step < source * 65536 (start is below 65536). Unsigned, so
        // that sources wider than 32767 pixels do not turn the accumulator negative.
        const uint64_t end = static_cast<uint64_t>(source) << 16;
        exact = step == 0 ? destination
                          : static_cast<uint32_t>(std::min<uint64_t>(destination, (end - start + step - 1) / step));
    }
    uint32_t Offset(uint32_t i) const { return i < exact ? (start + i * step) >> 16 : sourceLength - 1; }
};

// The frame shared by the five routines; put(destination pixel, source pixel) writes one pixel.
// Where put writes the source's bytes unchanged, a row at 1:1 is one copy; where it writes every
// destination byte, a row that samples the same source row as the one above is a copy of it.
template <uint32_t SourceBytes, uint32_t DestinationBytes, bool kCopies, bool kOverwrites, class Put>
void ScaleRows(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
               const CIntRect* destinationRect, CBlitter* blitter, Put put)
{
    // The opacity changes no pixel here, but a routine publishes its level like every other.
    IsOpaqueElsePublishLevel(blitter);
    // An empty source has nothing to sample: the accumulators would read outside it.
    PlainRect from, to;
    if (!ResolvePlainRect(source, *sourceRect, SourceBytes, from) ||
        !ResolvePlainRect(destination, *destinationRect, DestinationBytes, to))
        return;

    const uint32_t dw = to.width, dh = to.height, sw = from.width;
    const Axis columns(sourceRect->m_left, sw, dw);
    const Axis rows(sourceRect->m_top, from.height, dh);
    const size_t rowBytes = static_cast<size_t>(dw) * DestinationBytes;
    const uint8_t* previousRow = nullptr;
    int32_t previousSourceRow = -1;
    for (uint32_t j = 0; j < dh; ++j) {
        const int32_t sourceRow = static_cast<int32_t>(rows.Offset(j));
        const uint8_t* s = from.Row(static_cast<uint32_t>(sourceRow));
        uint8_t* d = to.Row(j);
        const bool repeat = kOverwrites && sourceRow == previousSourceRow;
        previousSourceRow = sourceRow;
        if (repeat || (kCopies && columns.step == 65536)) {
            // Sampling never reaches past the rectangle at 1:1 (the start is below one pixel).
            std::memmove(d, repeat ? previousRow : s, rowBytes);
            previousRow = d;
            continue;
        }
        previousRow = d;
        uint32_t i = 0;
        for (uint32_t ax = columns.start; i < columns.exact; ++i, ax += columns.step)
            put(d + static_cast<size_t>(i) * DestinationBytes, s + static_cast<size_t>(ax >> 16) * SourceBytes);
        for (const uint8_t* last = s + static_cast<size_t>(sw - 1) * SourceBytes; i < dw; ++i)
            put(d + static_cast<size_t>(i) * DestinationBytes, last);
    }
}

void ScaleBlit8To8(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                   const CIntRect* destinationRect, CBlitter* blitter)
{
    ScaleRows<1, 1, true, true>(source, sourceRect, destination, destinationRect, blitter,
                    [](uint8_t* d, const uint8_t* s) { *d = *s; });
}

void ScaleBlit8To16(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                    const CIntRect* destinationRect, CBlitter* blitter)
{
    ScaleRows<1, 2, false, true>(source, sourceRect, destination, destinationRect, blitter, [](uint8_t* d, const uint8_t* s) {
        const uint16_t pixel = static_cast<uint16_t>(g_paletteToPixel16[*s]);
        std::memcpy(d, &pixel, 2);
    });
}

void ScaleBlit16To16(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                     const CIntRect* destinationRect, CBlitter* blitter)
{
    ScaleRows<2, 2, true, true>(source, sourceRect, destination, destinationRect, blitter,
                    [](uint8_t* d, const uint8_t* s) { std::memcpy(d, s, 2); });
}

void ScaleBlit24To24(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                     const CIntRect* destinationRect, CBlitter* blitter)
{
    ScaleRows<3, 3, true, true>(source, sourceRect, destination, destinationRect, blitter,
                    [](uint8_t* d, const uint8_t* s) { std::memcpy(d, s, 3); });
}

// The fourth byte of the destination is kept: the scaled picture keeps the alpha under it.
void ScaleBlit24To32(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                     const CIntRect* destinationRect, CBlitter* blitter)
{
    ScaleRows<3, 4, false, false>(source, sourceRect, destination, destinationRect, blitter,
                    [](uint8_t* d, const uint8_t* s) { std::memcpy(d, s, 3); });
}

} // namespace

CNormalScaleBlitter::CNormalScaleBlitter()
{
    RegisterRoutine(8, 0, 8, 0, &ScaleBlit8To8);
    RegisterRoutine(8, 0, 16, 0, &ScaleBlit8To16);
    RegisterRoutine(16, 0, 16, 0, &ScaleBlit16To16);
    RegisterRoutine(24, 0, 24, 0, &ScaleBlit24To24);
    RegisterRoutine(24, 0, 32, 0, &ScaleBlit24To32);
}

CNormalScaleBlitter::~CNormalScaleBlitter() = default;

bool CNormalScaleBlitter::IsUnscaled() const
{
    return false;
}

uint32_t CNormalScaleBlitter::ScaleStep(uint32_t sourceLength, uint32_t destinationLength)
{
    if (destinationLength == 0)
        return 0;
    uint32_t step = (sourceLength * 65536u) / destinationLength;
    // Only a source of 65536 pixels or more could make the 32-bit product wrap and need this.
    while (step >= 2 && ((step * destinationLength) >> 16) > sourceLength)
        step -= 2;
    return step;
}
