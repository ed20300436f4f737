#pragma once
// The blend mode that fills a rectangle with a texture wrapped in both directions (window
// backgrounds): 8, 16 and 24-bit textures onto frames of their depth, and 16-bit textures into
// the stored colours of a run-length 16-bit frame (WrapBlitRoutines.h). It has no name in the
// blit-type list; the window toolkit passes g_wrapBlitter.
//
// The rule a caller must know: the source rectangle's left and top are texture coordinates and
// may lie anywhere, so call the destination's BlitUnclipped with a destination rectangle inside
// it; a frame's Blit clips the source rectangle to the texture and so shrinks the fill.
#include "blit/Blitter.h"

class CWrapBlitter : public CBlitter
{
public:
    CWrapBlitter();
    ~CWrapBlitter() override;
};

extern CWrapBlitter g_wrapBlitter;
