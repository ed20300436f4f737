#pragma once
// The blend mode "Blend Amplify Light": brightens what lies under a sprite in proportion to the
// sprite's own colour, each destination channel multiplied by one plus the source channel and
// saturating at full intensity. It amplifies plain 8-bit sources and run-length 8-bit and 16-bit
// sources; plain 16, 24 and 32-bit sources and run-length 24-bit ones it copies or blends like an
// ordinary sprite (LevelBlitRoutines.h).
//
// The rule a caller must know: on 8-bit destinations it needs its lookup table (a 256 x 256 table
// of palette indices, built by the start-up table set-up); without it those blits draw nothing.
#include "blit/Blitter.h"
#include "blit/modes/BlitFrameAccess.h"

class CAmplifyLightBlitter : public CBlitter
{
public:
    CAmplifyLightBlitter();
    ~CAmplifyLightBlitter() override;
};

extern CAmplifyLightBlitter g_amplifyLightBlitter;

// 8 -> 8: d = T[s * 256 + d] with T the blend mode's table, or at opacity 1.0 the source
// palette holder's when that holds a 256 x 256 table; nothing without one.
BlitRoutineFunction AmplifyLightBlit8;
// Run-length 8 -> 8: the layers by blend step in the strength slots, through the blend mode's
// own table (the same routine serves the table blend modes).
BlitRoutineFunction AmplifyLightBlitRle8;
// Run-length 16 -> 16: opacity 1.0 amplifies; otherwise the main rows blend at the level. The
// translucent layer is written white at every opacity.
BlitRoutineFunction AmplifyLightBlitRle16;
BlitRoutineFunction AmplifyLightBlitRle16Mmx;
