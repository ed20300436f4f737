#pragma once
// The blend mode that repeats a whole source frame, as tiles of its own size, across the
// destination rectangle, drawing each tile through the general copy blend mode (so every pair the
// copy blend mode draws, run-length sources included, tiles). It has no name in the blit-type
// list; the window toolkit passes g_tileBlitter. The opacity is not read.
//
// The rule a caller must know: minus the source rectangle's left and top give the position of the
// first tile in the destination rectangle (a positive value cuts the first tiles, a negative one
// leaves the first columns or rows untouched); the source rectangle's size is not used. Call the
// destination's BlitUnclipped: a frame's Blit clips the source rectangle to the source and so
// shrinks the destination rectangle. A source of zero size draws nothing.
#include "blit/Blitter.h"
#include "blit/modes/BlitFrameAccess.h"

class CTileBlitter : public CBlitter
{
public:
    CTileBlitter();
    ~CTileBlitter() override;
};

extern CTileBlitter g_tileBlitter;

// Tiles of the whole source, rows of tiles top to bottom and tiles left to right, each clipped to
// the destination rectangle; tiles wholly outside it are not drawn.
BlitRoutineFunction TileBlit;
