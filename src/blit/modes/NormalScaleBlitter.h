#pragma once
// The blend mode "Normal Scale": stretches the source rectangle onto the destination rectangle.
#include "blit/Blitter.h"

class CNormalScaleBlitter : public CBlitter
{
public:
    CNormalScaleBlitter();
    ~CNormalScaleBlitter() override;
    bool IsUnscaled() const override;
};

extern CNormalScaleBlitter g_normalScaleBlitter;
