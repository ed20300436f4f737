#pragma once
// The copy blend mode's routines for run-length sources.
// - 8-bit layered frames: the main rows and layers 4, 3, 2, 1 by the blend mode's blend step
//   (RunLengthDraw.h). Onto 8-bit frames the slots copy, then mix through the 20/80 and 40/60
//   tables (destination weighted first, then source); onto 16, 24 and 32-bit frames every slot
//   is drawn opaque, so the step only decides how many layers appear. The opacity is not read.
// - 16-bit frames with a translucent layer onto 24 and 32-bit frames: the main rows widened, then
//   layer 4's pixels over them. On 24 bits the layer is written opaque; on 32 bits its alpha
//   bytes become byte 3 and the main pixels get 255.
#include "blit/modes/BlitFrameAccess.h"

BlitRoutineFunction CopyBlitRle8To8;
BlitRoutineFunction CopyBlitRle8To16;
// Through the palette of the blend mode's lookup table, else the source frame's; nothing without.
BlitRoutineFunction CopyBlitRle8To24;
BlitRoutineFunction CopyBlitRle8To32;
BlitRoutineFunction CopyBlitRle16To24;
BlitRoutineFunction CopyBlitRle16To32;
