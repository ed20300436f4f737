#pragma once
// The pixel test of the sprites: whether two frames, each placed with its hot spot at a point of
// the screen, have a pixel set at one place. Each frame's share of the overlap is copied into one
// of two scratch frames of its own depth (kept and grown as needed, so a test allocates nothing
// once warmed up) and the two are compared pixel by pixel.
//
// The rule a caller must know: a pixel is set when its value is not 0 (8, 16 and 24 bits; the
// transparent runs of run-length frames stay 0) or when its alpha is not 0 (32 bits). Frames
// only touching at an edge do not overlap.
#include "objects/Point.h"

class CFrame;

class CFrameOverlap
{
public:
    // False when either frame is null or has a depth the copy cannot take.
    static bool Test(CFrame* first, const CIntPoint& firstAt, CFrame* second, const CIntPoint& secondAt);
};
