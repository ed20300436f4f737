#pragma once
// One blend-mode class with two instances, "Blend Black Bias" and "Blend Test Light", which differ
// only in their 8-bit blend table.
#include "blit/Blitter.h"

class CTableBlendBlitter : public CBlitter
{
public:
    CTableBlendBlitter();
    ~CTableBlendBlitter() override;
};

extern CTableBlendBlitter g_blackBiasBlitter;
extern CTableBlendBlitter g_testLightBlitter;
