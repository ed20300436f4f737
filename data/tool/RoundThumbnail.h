#pragma once
// The picture of a checkpoint: its round's layout seen from above, the field scaled down by
// kRoundThumbnailScale (x from kRoundThumbnailLeft) with each brick, fixed or floating, a block
// in its type's colour over the colour of the round's background, inside a one-pixel gold frame
// with transparent corners.
//
// The rule a caller must know: the layout names its bricks and background through the game's
// collections, which must hold the data set's names while the picture is painted (the brick
// content sets them up while it writes its layouts).
#include "Image.h"

class CBrickLayout;

constexpr int kRoundThumbnailScale = 6;
constexpr int kRoundThumbnailLeft = 6;
constexpr int kRoundThumbnailWidth = 84;
constexpr int kRoundThumbnailHeight = 72;

// The colour a brick of the type shows in a thumbnail; grey for a type past the last.
Rgba GetThumbnailBrickColor(uint32_t type);
// The thumbnail's ground for the background of that name ("Space", "Deep Sea"; black for others).
Rgba GetThumbnailGroundColor(const char* background);

CImage PaintRoundThumbnail(const CBrickLayout& layout);
