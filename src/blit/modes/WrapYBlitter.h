#pragma once
// The blend mode that fills a rectangle with the starts of a texture's rows, the rows wrapped
// down (its height a power of two): 8, 16 and 24-bit textures onto frames of their depth
// (WrapBlitRoutines.h). It has no name in the blit-type list; code passes g_wrapYBlitter, through
// the destination's BlitUnclipped as for g_wrapBlitter.
#include "blit/Blitter.h"

class CWrapYBlitter : public CBlitter
{
public:
    CWrapYBlitter();
    ~CWrapYBlitter() override;
};

extern CWrapYBlitter g_wrapYBlitter;
