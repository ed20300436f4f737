#pragma once
// The blend mode "Blit As Shadow": wherever a run-length 16-bit source has a pixel, the RGB565
// destination is darkened toward black (level 100 of 255: red and blue by 12/32, green by 25/64);
// where its translucent layer has one, by that strength scaled by the pixel's alpha. The source's
// colours are never used. Only (16, run-length 0x4) sources onto plain 16-bit frames are drawn; a
// plain source finds no routine here.
//
// The rule a caller must know: the strength follows the opacity (level L darkens by
// 100 * L / 255), so a faded sprite casts a fainter shadow; opacity 1.0 gives the full shadow.
#include "blit/Blitter.h"
#include "blit/modes/BlitFrameAccess.h"

class CShadowBlitter : public CBlitter
{
public:
    // Registers ShadowBlitRle16Mmx where CpuHasMmx holds, else ShadowBlitRle16.
    CShadowBlitter();
    ~CShadowBlitter() override;
};

extern CShadowBlitter g_shadowBlitter;

// Run-length 16 -> 16: the main rows and the translucent layer darkened by the shadow span
// tables (ShadowSpanKernels.h); the Mmx form with the rounded four-pixel groups.
BlitRoutineFunction ShadowBlitRle16;
BlitRoutineFunction ShadowBlitRle16Mmx;
