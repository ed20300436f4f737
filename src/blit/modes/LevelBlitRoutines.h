#pragma once
// Blit routines that several blend modes register for the pairs they draw like an ordinary
// sprite: copies of same-depth frames, the level blend of RGB565 frames, the source-alpha
// composite of 32-bit frames onto 24-bit ones, and run-length 16-bit and 24-bit frames with their
// translucent layer. At opacity exactly 1.0 they copy; at any other opacity the level-scaled ones
// blend by the blend mode's level (the "Mmx" twins with the four-pixel rounded groups, which reach
// the source at full level, the others with the integer step, which does not).
#include "blit/modes/BlitFrameAccess.h"

// 16 -> 16. Opacity 1.0: a copy. Otherwise every pixel BlendPixel565 towards the source at the
// level; the Mmx form blends groups of four with BlendPixel565Rounded and the last 1 to 3 pixels
// of each row with BlendPixel565.
BlitRoutineFunction LevelBlit16;
BlitRoutineFunction LevelBlit16Mmx;
// 24 -> 24 and 32 -> 32: byte copies at every opacity (the 32-bit copy keeps byte 3).
BlitRoutineFunction CopyBlit24To24;
BlitRoutineFunction CopyBlit32To32;
// 32 -> 24 by the source's alpha byte A. Opacity 1.0: A >= 253 copies, A = 0 leaves the
// destination, else each byte d + (s - d) * A / 255 (toward zero). Otherwise A <= 5 leaves the
// destination, A' = floor(A * level / 255), A' >= 251 copies, else the same blend by A'.
BlitRoutineFunction AlphaBlit32To24;
// Run-length 16 -> 16 and 24 -> 24: opacity 1.0 fills and copies the main rows and blends the
// translucent layer by its alpha bytes; otherwise the main rows blend at the level and the layer
// by its alpha bytes scaled by the level.
BlitRoutineFunction LevelBlitRle16;
BlitRoutineFunction LevelBlitRle16Mmx;
BlitRoutineFunction LevelBlitRle24;

// Registers, in this order, 16 -> 16 (LevelBlit16Mmx when mmx, else LevelBlit16), 24 -> 24,
// 32 -> 24 and 32 -> 32: the plain pairs that the light blend modes draw like an ordinary sprite.
void RegisterOrdinarySpriteRoutines(CBlitter& blitter, bool mmx);
