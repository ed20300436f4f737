#pragma once
// The pictures of the data set's backgrounds, drawn by code: the still images behind each round,
// the midground that stands in front of the background decorations, and the decorations' own
// frames (debris, dust, fish and plankton).
//
// The rule a caller must know: the same calls draw the same pixels on every machine (integer and
// double arithmetic, fixed pseudo-random sequences), so the data set is reproducible.
#include "Image.h"

#include <vector>

// 640 x 480: a dark starfield with a faint nebula.
CImage PaintSpaceBackdrop();
// The top-left corner of the backdrop with a ringed planet in it, so that it lies seamlessly over
// the backdrop when drawn at (0, 0).
CImage PaintSpaceMidground(const CImage& backdrop);
// 640 x 480: deep water, lighter towards the surface, with rays of light and a sandy floor.
CImage PaintDeepSeaBackdrop();

// Animations, each frame drawn about its centre.
std::vector<CImage> PaintDebrisFrames();   // a tumbling rock, 8 frames
std::vector<CImage> PaintDustFrames();     // a twinkling speck, 4 frames
std::vector<CImage> PaintFishFrames(bool facingLeft); // a swimming fish, 4 frames
std::vector<CImage> PaintPlanktonFrames(); // a pulsing speck of green, 3 frames
