#pragma once
// The general copy blend mode: copies and converts a frame onto another of the same or another
// depth, without a colour key (every pixel is written, 0 included), except that 32-bit sources
// onto shallower frames are drawn by their alpha. It has no name in the blit-type list; code
// passes g_copyBlitter wherever a frame is copied or converted, and the display recognises it by
// its address. An opacity other than 1.0 fades same-depth copies (8 bits through the blend
// tables).
//
// The rule a caller must know: pairs without a routine draw nothing (run-length 16-bit sources
// onto 8 bits, run-length destinations); conversions to 8 bits need the 8-bit display's tables,
// and 8-bit sources onto 24 or 32 bits need a palette (this blend mode's lookup table, else the
// source frame's).
#include "blit/Blitter.h"

class CCopyBlitter : public CBlitter
{
public:
    CCopyBlitter();
    ~CCopyBlitter() override;
};

extern CCopyBlitter g_copyBlitter;
