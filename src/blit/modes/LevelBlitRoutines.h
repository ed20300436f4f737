#pragma once
// Blit routines that several blend modes register for the pairs they draw like an ordinary
// sprite: copies of same-depth frames, the level blends of plain frames, and run-length 16-bit
// and 24-bit frames with their
// translucent layer. At opacity exactly 1.0 they copy; at any other opacity the level-scaled ones
// blend by the blend mode's level (the "Mmx" twins with the four-pixel rounded groups, which reach
// the source at full level, the others with the integer step, which does not).
#include "blit/modes/BlitFrameAccess.h"

// 16 -> 16. Opacity 1.0: a copy. Otherwise every pixel BlendPixel565 towards the source at the
// level; the Mmx form blends groups of four with BlendPixel565Rounded and the last 1 to 3 pixels
// of each row with BlendPixel565.
BlitRoutineFunction LevelBlit16;
BlitRoutineFunction LevelBlit16Mmx;
// 24 -> 24: a byte copy at every opacity.
BlitRoutineFunction CopyBlit24To24;
// 24 -> 24 and 32 -> 32 as LevelBlit16 does: opacity 1.0 copies (byte 3 kept), any other each
// byte d + trunc((s - d) * level / 256), byte 3 included. The copy blend mode's same-depth pairs,
// so that a picture drawn faded (a disabled button's image) fades at every depth.
BlitRoutineFunction LevelBlit24;
BlitRoutineFunction LevelBlit32;
// Run-length 16 -> 16 and 24 -> 24: opacity 1.0 fills and copies the main rows and blends the
// translucent layer by its alpha bytes; otherwise the main rows blend at the level and the layer
// by its alpha bytes scaled by the level.
BlitRoutineFunction LevelBlitRle16;
BlitRoutineFunction LevelBlitRle16Mmx;
BlitRoutineFunction LevelBlitRle24;

// Registers, in this order, 16 -> 16 (LevelBlit16Mmx when mmx, else LevelBlit16), 24 -> 24
// (LevelBlit24), 24 -> 32 (CopyBlit24To32), 32 -> 24 and 32 -> 32 (by the source's alpha,
// AlphaBlitRoutines.h): the plain pairs that the light blend modes draw like an ordinary sprite.
void RegisterOrdinarySpriteRoutines(CBlitter& blitter, bool mmx);
