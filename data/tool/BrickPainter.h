#pragma once
// The pieces bricks are painted from, in the data set's one style (Lettering.h): a glossy block
// of a colour lit from the top left with a dark outline, brushed steel with rivets, and small
// bevelled symbols (arrows, rings, stars) laid on the block. A brick is 32 x 18 pixels with its
// hot spot in the middle, as its collision outline is.
//
// The rule a caller must know: every painter draws into the picture where it is told and clips
// at its edges; the block must be painted first, the rest over it.
#include "Image.h"

#include <utility>
#include <vector>

class CCoverageMask;

namespace brickpaint {

constexpr int kWidth = 32;
constexpr int kHeight = 18;

// A colour from light to dark: the block's gradient runs top, middle, bottom.
struct Tint
{
    Rgba top;
    Rgba middle;
    Rgba bottom;
};

// A blank brick picture with its hot spot in the middle.
CImage NewBrick();
// The rows from top to bottom (exclusive) of the whole block painted in the tint: a rounded
// block with a bevel, a dark outline and a gloss over its upper part.
void PaintBlock(CImage& image, const Tint& tint, int top = 0, int bottom = kHeight);
// Brushed steel over the rows top to bottom (exclusive) of the block, with a rivet at each end
// when asked; rounded only at the corners of the whole brick.
void PaintSteel(CImage& image, int top, int bottom, bool rivets, const Tint& steel);
// The blue-grey tint of polished steel and the darker one of gunmetal.
Tint SteelTint();
Tint GunmetalTint();
// A small rivet, lit from the top left, centred on (x, y).
void PaintRivet(CImage& image, double x, double y);
// A symbol: the shape's coverage (a mask as large as the brick) painted with a light fill, a bevel
// and a dark outline.
void PaintSymbol(CImage& image, const CCoverageMask& shape, Rgba light, Rgba dark);
// The shape of an arrow through the middle of the brick pointing (dx, dy) (one of the four
// directions: (0, -1) up, (1, 0) right and so on).
CCoverageMask ArrowShape(int dx, int dy);
// A polygon's coverage, as large as the brick.
CCoverageMask PolygonShape(const std::vector<std::pair<double, double>>& points);
// A star of the points round (cx, cy), its tips at outer and its notches at inner radius,
// turned by angle (radians).
CCoverageMask StarShape(double cx, double cy, int points, double outer, double inner, double angle);
// Lays a soft glow of the colour (alpha scaled by strength, 0 to 1) round (cx, cy).
void PaintGlow(CImage& image, double cx, double cy, double radius, Rgba colour, double strength);
// Cracks across the block: the number of jagged lines from the seeds, dark with a light lip.
void PaintCracks(CImage& image, int count);

} // namespace brickpaint
