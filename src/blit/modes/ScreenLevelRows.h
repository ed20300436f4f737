#pragma once
// The pixel rows of the screen level blend modes, which show copied 5-6-5 pixels on a 16-bit
// screen converted to 5-5-5, brightened or darkened: each channel raised or lowered by the level's
// step (step5 = level >> 3 for 5-bit channels, step6 = level >> 2 for the 6-bit green) and
// saturated, never wrapping. Rows take plain pointers and a pixel count; destination and source
// do not overlap and need no alignment.
//
// Two forms of each row:
//   plain:   every pixel by the plain rule: 5-5-5 rows convert first (c555(p) = ((p & 0xFFC0) >> 1)
//            | (p & 0x1F)) and then step each 5-bit channel by step5;
//   grouped: the plain rule for single pixels until the destination address is a multiple of 8,
//            then groups of four by the group rule, then the 0-3 pixels left by the plain rule.
//            The group rule steps the 5-6-5 channels first (green by step6) and converts after, so a
//            5-5-5 group pixel's green is min(g6 + step6, 63) >> 1 where the plain rule gives
//            min((g6 >> 1) + step5, 31). Grouped 5-5-5 rows therefore depend on the destination
//            address modulo 8; for the other operations both rules give the same pixels.
// Both forms run in SSE2 on x86-64, eight pixels at a time, or one at a time in portable code;
// the two give the same bits.
#include "blit/kernels/SpanKernelTable.h"

#include <cstdint>

enum class ScreenLevelOp : uint32_t
{
    Convert555,  // c555 only
    Brighten555, // c555, then each channel + step5, at most 31
    Darken555,   // c555, then each channel - step5, at least 0
    Brighten565, // red and blue + step5 (at most 31), green + step6 (at most 63)
    Darken565,   // red and blue - step5, green - step6, at least 0
    Count
};

struct ScreenLevelSteps
{
    uint32_t step5 = 0; // 0..31
    uint32_t step6 = 0; // 0..63
};

namespace screenlevel {

// One pixel by each rule (the low 16 bits of pixel are read).
uint32_t PlainPixel(ScreenLevelOp op, uint32_t pixel, ScreenLevelSteps steps);
uint32_t GroupPixel(ScreenLevelOp op, uint32_t pixel, ScreenLevelSteps steps);

// n pixels from s to d by the plain rule, and in the grouped form. Both use SSE2 on every path
// but Portable where SSE2 exists; the pixels are the same either way.
void PlainRow(ScreenLevelOp op, uint8_t* d, const uint8_t* s, uint32_t n, ScreenLevelSteps steps,
              SpanKernelPath path);
void GroupedRow(ScreenLevelOp op, uint8_t* d, const uint8_t* s, uint32_t n, ScreenLevelSteps steps,
                SpanKernelPath path);
// How many pixels of a grouped row at d are done singly before the first group (n when d is at
// an odd address, which never reaches an 8-byte boundary).
uint32_t GroupedRowHead(const uint8_t* d, uint32_t n);

} // namespace screenlevel
