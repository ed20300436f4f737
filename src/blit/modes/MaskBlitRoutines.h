#pragma once
// The routines of the default blend mode that leave out transparent source pixels: index 0 of
// plain 8-bit sources and the value 0 of plain 16-bit sources, destination pixels under them left
// as they are. They draw the same at every opacity. And the run-length 24-bit frames onto 32-bit
// ones, whose runs go through the 24-bit span kernels' 32-bit forms (byte 3 kept).
#include "blit/modes/BlitFrameAccess.h"

BlitRoutineFunction MaskBlit8To8;
// g_paletteToPixel16[s].
BlitRoutineFunction MaskBlit8To16;
// Palette entry s byte for byte (32 bits: then 255), the palette being the blend mode's lookup
// table, else the source frame's; nothing is drawn without one.
BlitRoutineFunction MaskBlit8To24;
BlitRoutineFunction MaskBlit8To32;
BlitRoutineFunction MaskBlit16To16;
// Expand565: blue << 3, green << 2, red bits as they stand.
BlitRoutineFunction MaskBlit16To24;
// Opacity 1.0: main rows filled and copied, the translucent layer blended by its alpha bytes;
// otherwise at the level (the layer by its alpha bytes scaled by the level).
BlitRoutineFunction MaskBlitRle24To32;
