#pragma once
// The blend mode "Blit As Shadow": darkens the destination wherever the source has a pixel.
#include "blit/Blitter.h"

class CShadowBlitter : public CBlitter
{
public:
    CShadowBlitter();
    ~CShadowBlitter() override;
};

extern CShadowBlitter g_shadowBlitter;
