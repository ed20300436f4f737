#pragma once
// The default blend mode "Transparent Mask": draws a frame with its transparent pixels left out
// (index 0 of plain 8-bit sources, 0 of plain 16-bit sources, the skip runs of run-length
// sources) and, where a run-length frame carries a translucent layer, that layer blended over the
// destination by its alpha bytes. Sprites, fonts and most interface drawing use it.
//
// The rule a caller must know: the opacity fades only run-length sources; plain 8-bit and 16-bit
// frames draw the same at every opacity.
#include "blit/Blitter.h"

class CTransparentMaskBlitter : public CBlitter
{
public:
    CTransparentMaskBlitter();
    ~CTransparentMaskBlitter() override;
};

extern CTransparentMaskBlitter g_transparentMaskBlitter;
