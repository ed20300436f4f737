#pragma once
// The routines of the wrap blend modes: they fill the destination rectangle with a texture, a
// source frame whose width and height are powers of two, repeated endlessly. The source
// rectangle's left and top are the texture coordinates that land on the destination rectangle's
// top-left pixel (any value: they wrap); its size is not used, the destination rectangle gives it.
// Pixels are copied unchanged; the opacity is not read.
//
// The rule a caller must know: the masks come from the source's size, 2^floor(log2 size) - 1, so
// a texture whose side is not a power of two repeats only its first 2^floor(log2 size) pixels.
// Nothing is drawn for an empty texture, a destination rectangle reaching outside its frame, or
// frames without pixels.
#include "blit/modes/BlitFrameAccess.h"

#include <cstdint>

// Columns and rows wrapped: destination pixel (i, k) takes texture pixel ((left + i) & wm,
// (top + k) & hm).
BlitRoutineFunction WrapBlit8;
BlitRoutineFunction WrapBlit16;
BlitRoutineFunction WrapBlit24;
// The same onto 32-bit frames: a 24-bit texture with alpha 255, a 32-bit one as it is.
BlitRoutineFunction WrapBlit24To32;
BlitRoutineFunction WrapBlit32;
// Columns wrapped, rows read straight: source row top + k, held inside the texture (rows above
// or below it repeat its first or last row).
BlitRoutineFunction WrapXBlit8;
BlitRoutineFunction WrapXBlit16;
BlitRoutineFunction WrapXBlit24;
// Rows wrapped; each destination row copies the start of its texture row (the source left is not
// used), at most the texture's width of pixels.
BlitRoutineFunction WrapYBlit8;
BlitRoutineFunction WrapYBlit16;
BlitRoutineFunction WrapYBlit24;
// A run-length 16-bit destination (0x4) takes the texture as its colour: every pixel value stored
// in its main rows and in layer 4 is replaced by the texture pixel at its place (texture row
// (top + r) & hm, column (left + x) & wm), and its runs, transparent ones included, stay as they
// are. The destination rectangle is not used: the whole destination is recoloured.
BlitRoutineFunction WrapBlitIntoRle16;

// Writes n 16-bit pixels textureRow[(x + j) & mask], j = 0 .. n - 1, at destination (any
// alignment).
void WrapTextureRun16(uint8_t* destination, const uint8_t* textureRow, uint32_t x, uint32_t mask, uint32_t n);
