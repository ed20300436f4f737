#include "blit/modes/TileBlitter.h"

#include "blit/modes/CopyBlitter.h"
#include "graphics/FrameInterface.h"

CTileBlitter g_tileBlitter;

namespace {

// The first tile position at or after `first` whose tile reaches past 0: tiles wholly before the
// rectangle draw nothing, so they are not walked (a large offset would otherwise take that many
// steps).
int64_t FirstVisibleTile(int64_t first, int64_t step)
{
    return first + step > 0 ? first : -((-first) % step);
}

} // namespace

CTileBlitter::CTileBlitter()
{
    RegisterRoutine(8, 0, 8, 0, &TileBlit);
    RegisterRoutine(16, 0, 16, 0, &TileBlit);
    RegisterRoutine(24, 0, 24, 0, &TileBlit);
    RegisterRoutine(8, 0x4, 8, 0, &TileBlit);
    RegisterRoutine(16, 0x4, 16, 0, &TileBlit);
    RegisterRoutine(24, 0x4, 24, 0, &TileBlit);
}

CTileBlitter::~CTileBlitter() = default;

void TileBlit(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
              const CIntRect* destinationRect, CBlitter*)
{
    CIntRect tile;
    source->GetBounds(tile);
    tile.Offset(-source->GetLeft(), -source->GetTop());
    const int64_t tileWidth = tile.GetWidth(), tileHeight = tile.GetHeight();
    // A tile of no size would never advance; a rectangle outside the destination gets no tile.
    PlainRect inside;
    if (tileWidth <= 0 || tileHeight <= 0 ||
        !ResolvePlainRect(destination, *destinationRect, destination->GetBytesPerPixel(), inside))
        return;
    const BlitRoutine copy = g_copyBlitter.FindRoutine(source, destination);
    if (!copy)
        return;
    const int64_t width = destinationRect->GetWidth(), height = destinationRect->GetHeight();
    const int64_t firstX = FirstVisibleTile(-int64_t{sourceRect->m_left}, tileWidth);
    for (int64_t y = FirstVisibleTile(-int64_t{sourceRect->m_top}, tileHeight); y < height; y += tileHeight)
        for (int64_t x = firstX; x < width; x += tileWidth) {
            CIntRect from = tile;
            CIntRect to{static_cast<int32_t>(destinationRect->m_left + x),
                        static_cast<int32_t>(destinationRect->m_top + y),
                        static_cast<int32_t>(destinationRect->m_left + x + tileWidth),
                        static_cast<int32_t>(destinationRect->m_top + y + tileHeight)};
            if (ClipBlitRects(*destinationRect, from, to))
                copy(source, &from, destination, &to, &g_copyBlitter);
        }
}
