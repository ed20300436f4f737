#pragma once
// The blend mode that fills a rectangle with a texture wrapped across (its width a power of two)
// and read straight down: 8, 16 and 24-bit textures onto frames of their depth
// (WrapBlitRoutines.h). It has no name in the blit-type list; code passes g_wrapXBlitter, through
// the destination's BlitUnclipped as for g_wrapBlitter.
#include "blit/Blitter.h"

class CWrapXBlitter : public CBlitter
{
public:
    CWrapXBlitter();
    ~CWrapXBlitter() override;
};

extern CWrapXBlitter g_wrapXBlitter;
