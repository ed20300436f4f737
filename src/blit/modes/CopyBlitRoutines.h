#pragma once
// The conversions of the general copy blend mode between plain frames of different depths, and
// its 8-bit copy. No colour key: every pixel of the rectangle is written, 0 included. The
// opacity changes nothing but the published level row, except in CopyBlit8To8.
//
// Routines that need a table draw nothing while it is missing: the 8 -> 24/32 conversions a
// palette (the blend mode's lookup table, else the source frame's), 16 -> 8 and 24 -> 8 the
// inverse colour tables (8-bit displays only).
#include "blit/modes/BlitFrameAccess.h"

// Opacity 1.0: indices copied unchanged. Otherwise each source index mixed in by the level's
// nearest fifth through the blend tables (PaletteMix.h), index 0 leaving the destination.
BlitRoutineFunction CopyBlit8To8;
// d = g_paletteToPixel16[s].
BlitRoutineFunction CopyBlit8To16;
// Bytes blue, green, red of palette entry s (32 bits: then alpha 255).
BlitRoutineFunction CopyBlit8To24;
BlitRoutineFunction CopyBlit8To32;
// d = g_inverseColorTable16[s].
BlitRoutineFunction CopyBlit16To8;
// Expand565: blue << 3, green << 2, red bits as they stand, low bits 0 (32 bits: alpha 255).
BlitRoutineFunction CopyBlit16To24;
BlitRoutineFunction CopyBlit16To32;
// d = g_inverseColorTable15[PackRgbToPixel15(red, green, blue)].
BlitRoutineFunction CopyBlit24To8;
// d = PackRgbToPixel16(red, green, blue).
BlitRoutineFunction CopyBlit24To16;
// Bytes 0-2 copied, byte 3 = 255.
BlitRoutineFunction CopyBlit24To32;
