#pragma once
// Plain 32-bit sources drawn by their own alpha byte A onto frames of every depth: the routines
// of the blend modes that draw a 32-bit picture as it is meant to look (transparent where A is 0,
// translucent between), whatever the depth of the frame under it.
//
// Weight of a pixel: at opacity exactly 1.0, A itself, 253 and above drawn whole; at any other
// opacity A scaled by the level (g_currentAlphaRow), A of 5 or less left out and 251 and above
// after scaling drawn whole. Weight 0 leaves the destination pixel.
#include "blit/modes/BlitFrameAccess.h"

// Each byte d + (s - d) * W / 255, toward zero; the fourth byte of a 32-bit destination is
// covered as "over" does: d + (255 - d) * W / 255, so an opaque frame stays opaque.
BlitRoutineFunction AlphaBlit32To24;
BlitRoutineFunction AlphaBlit32To32;
// The destination widened as the display widens it (fields' top bits repeated), mixed per byte as
// above, packed with PackRgbToPixel16.
BlitRoutineFunction AlphaBlit32To16;
// The source colour's palette index from g_inverseColorTable15, mixed in by the fifth nearest to
// W through the 8-bit blend tables (PaletteMix.h). Nothing is drawn without the inverse table.
BlitRoutineFunction AlphaBlit32To8;
