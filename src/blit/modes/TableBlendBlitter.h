#pragma once
// One blend-mode class with two instances, "Blend Black Bias" and "Blend Test Light", which differ
// only in their 8-bit blend table (the lookup table the start-up table set-up fills). The effect
// that names them exists only on 8-bit destinations, where every pixel is looked up in that
// table; on other destinations both draw like an ordinary sprite.
//
// The rule a caller must know: without its table an 8-bit blit draws nothing.
#include "blit/Blitter.h"
#include "blit/modes/BlitFrameAccess.h"

class CTableBlendBlitter : public CBlitter
{
public:
    CTableBlendBlitter();
    ~CTableBlendBlitter() override;
};

extern CTableBlendBlitter g_blackBiasBlitter;
extern CTableBlendBlitter g_testLightBlitter;

// Run-length 8 -> 8: the layers by blend step in the strength slots through the blend mode's own
// table, as "Blend Amplify Light" draws them.
BlitRoutineFunction TableBlendBlitRle8;
