#pragma once
// The default blend mode "Transparent Mask": draws a sprite, leaving out its transparent pixels.
#include "blit/Blitter.h"

class CTransparentMaskBlitter : public CBlitter
{
public:
    CTransparentMaskBlitter();
    ~CTransparentMaskBlitter() override;
};

extern CTransparentMaskBlitter g_transparentMaskBlitter;
