#pragma once
// The filtered scaling blend mode: scales the source rectangle onto a destination rectangle of
// any size with the separable cubic filter of CFilterResampler, where "Normal Scale" picks the
// nearest pixels. The source rectangle is copied into a 16-bit frame, resampled into a second one
// of the destination rectangle's size, and that frame is drawn onto the destination through the
// copy blend mode; for 8-bit frames (through the palette-to-pixel table, 8 -> 8) the result is
// first converted back to palette indices of the current palette, dithered. Pairs: 8 -> 8 and
// 16 -> 16, plain rows. It has no name in the blit-type list; code passes g_filterScaleBlitter.
//
// The rule a caller must know: the result is drawn through the destination frame's Blit, so a
// screen destination applies its brightness as to any copy. The opacity changes nothing. An empty
// rectangle draws nothing.
#include "blit/Blitter.h"
#include "blit/modes/BlitFrameAccess.h"

class CFilterScaleBlitter : public CBlitter
{
public:
    CFilterScaleBlitter();
    ~CFilterScaleBlitter() override;
    // False: the routines stretch the source onto the destination rectangle.
    bool IsUnscaled() const override;
};

extern CFilterScaleBlitter g_filterScaleBlitter;

BlitRoutineFunction FilterScaleBlit8;
BlitRoutineFunction FilterScaleBlit16;
