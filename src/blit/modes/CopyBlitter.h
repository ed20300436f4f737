#pragma once
// The general copy blend mode: copies a frame onto another without blending and without a colour
// key. It has no name in the blit-type list; code passes g_copyBlitter wherever a frame is copied
// or converted, and the display recognises it by its address.
#include "blit/Blitter.h"

class CCopyBlitter : public CBlitter
{
public:
    CCopyBlitter();
    ~CCopyBlitter() override;
};

extern CCopyBlitter g_copyBlitter;
