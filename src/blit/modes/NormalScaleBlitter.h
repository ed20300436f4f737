#pragma once
// The blend mode "Normal Scale": stretches or shrinks the source rectangle onto the destination
// rectangle by nearest-neighbour sampling in 16.16 fixed point, without blending or colour key.
// Unlike the other blend modes it uses the full size of both rectangles. Pairs: 8 -> 8, 8 -> 16
// (through the palette-to-pixel table), 16 -> 16, 24 -> 24 and 24 -> 32 (the destination's fourth
// byte kept); other pairs, and every run-length source, find no routine and draw nothing.
#include "blit/Blitter.h"

#include <cstdint>

class CNormalScaleBlitter : public CBlitter
{
public:
    CNormalScaleBlitter();
    ~CNormalScaleBlitter() override;
    bool IsUnscaled() const override;

    // The 16.16 step that maps a destination length onto a source length: sourceLength * 65536 /
    // destinationLength, truncated, then lowered by 2 while destinationLength steps would reach
    // past sourceLength. 0 when the destination length is 0.
    static uint32_t ScaleStep(uint32_t sourceLength, uint32_t destinationLength);
};

extern CNormalScaleBlitter g_normalScaleBlitter;
