#include "blit/modes/AlphaBlitRoutines.h"

#include "blit/ColorPacking.h"
#include "blit/PaletteMix.h"
#include "blit/kernels/PixelAccess.h"
#include "graphics/PaletteTable.h"

#include <array>
#include <cstring>

namespace {

constexpr uint32_t kWhole = 255;

// The weight each source alpha is drawn with (see the header); 0 leaves the pixel.
class SourceWeight
{
public:
    explicit SourceWeight(CBlitter* blitter) : m_row(IsOpaqueElsePublishLevel(blitter) ? nullptr : g_currentAlphaRow) {}

    uint32_t operator()(uint32_t alpha) const
    {
        if (!m_row)
            return alpha >= 253 ? kWhole : alpha;
        if (alpha <= 5)
            return 0;
        const uint32_t scaled = m_row[alpha] & 0xFF;
        return scaled >= 251 ? kWhole : scaled;
    }

private:
    const uint32_t* m_row;
};

uint8_t Mix(uint32_t destination, uint32_t source, uint32_t weight)
{
    const auto d = static_cast<int32_t>(destination);
    return static_cast<uint8_t>(d + (static_cast<int32_t>(source) - d) * static_cast<int32_t>(weight) / 255);
}

// Draws every source pixel of weight above 0 through draw(destination, source, weight).
template <uint32_t DestinationBytes, class Draw>
void DrawWeighted(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                  const CIntRect* destinationRect, CBlitter* blitter, Draw draw)
{
    const SourceWeight weight(blitter);
    PlainBlit blit;
    if (!ResolvePlainBlit(source, *sourceRect, 4, destination, *destinationRect, DestinationBytes, blit))
        return;
    ForEachPixel<4, DestinationBytes>(blit, [&](uint8_t* d, const uint8_t* s) {
        if (const uint32_t w = weight(s[3]))
            draw(d, s, w);
    });
}

// Onto 24-bit or 32-bit pixels: each colour byte mixed by the weight (copied when whole), a
// 32-bit pixel's alpha covered as "over" does.
template <uint32_t DestinationBytes>
void DrawOver(uint8_t* d, const uint8_t* s, uint32_t w)
{
    if (w == kWhole)
        std::memcpy(d, s, 3);
    else
        for (int c = 0; c < 3; ++c)
            d[c] = Mix(d[c], s[c], w);
    if constexpr (DestinationBytes == 4)
        d[3] = w == kWhole ? 0xFF : Mix(d[3], 0xFF, w);
}

} // namespace

void AlphaBlit32To24(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                     const CIntRect* destinationRect, CBlitter* blitter)
{
    DrawWeighted<3>(source, sourceRect, destination, destinationRect, blitter, &DrawOver<3>);
}

void AlphaBlit32To32(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                     const CIntRect* destinationRect, CBlitter* blitter)
{
    DrawWeighted<4>(source, sourceRect, destination, destinationRect, blitter, &DrawOver<4>);
}

void AlphaBlit32To16(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                     const CIntRect* destinationRect, CBlitter* blitter)
{
    DrawWeighted<2>(source, sourceRect, destination, destinationRect, blitter,
                    [](uint8_t* d, const uint8_t* s, uint32_t w) {
                        uint32_t red = s[2], green = s[1], blue = s[0];
                        if (w != kWhole) {
                            const uint32_t under = LoadPixel16(d, 0);
                            red = Mix(ExpandField5(under >> 11), red, w);
                            green = Mix(ExpandField6(under >> 5 & 0x3F), green, w);
                            blue = Mix(ExpandField5(under & 0x1F), blue, w);
                        }
                        StorePixel16(d, 0, PackRgbToPixel16(red, green, blue));
                    });
}

void AlphaBlit32To8(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                    const CIntRect* destinationRect, CBlitter* blitter)
{
    if (g_inverseColorTable15.GetSize() < 32768)
        return;
    const uint8_t* inverse = g_inverseColorTable15.GetData();
    std::array<PaletteMix, 6> mixes;
    for (uint32_t step = 0; step < mixes.size(); ++step)
        mixes[step] = PaletteMix::ForStep(step);
    DrawWeighted<1>(source, sourceRect, destination, destinationRect, blitter,
                    [&](uint8_t* d, const uint8_t* s, uint32_t w) {
                        const uint8_t index = inverse[PackRgbToPixel15(s[2], s[1], s[0]) & 0x7FFF];
                        *d = mixes[PaletteMixStep(w)].Mix(*d, index);
                    });
}
