#pragma once
// The default blend mode "Transparent Mask": draws a frame with its transparent pixels left out
// (index 0 of plain 8-bit sources, 0 of plain 16-bit sources, the skip runs of run-length
// sources, alpha 0 of 32-bit sources) and, where a run-length frame carries a translucent layer
// or a 32-bit frame a partial alpha, that translucency blended over the destination. Sprites,
// fonts and most interface drawing use it.
//
// The rule a caller must know: the opacity fades run-length and 32-bit sources only; plain 8-bit,
// 16-bit and 24-bit frames draw the same at every opacity.
#include "blit/Blitter.h"

class CTransparentMaskBlitter : public CBlitter
{
public:
    CTransparentMaskBlitter();
    ~CTransparentMaskBlitter() override;
};

extern CTransparentMaskBlitter g_transparentMaskBlitter;
