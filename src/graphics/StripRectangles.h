#pragma once
// The frame rectangles of a sequence's source strip. The sequence writer lays its frames side by
// side: each inside the strip, no two sharing a pixel, so that together they are no larger than
// the strip. A source whose rectangles break that is damaged, or made to cost: every frame cut
// from the strip is converted and cached on its own, so repeated or overlapping rectangles over
// a strip that compresses well multiply the work and the cache many times over.
#include "graphics/IntRect.h"

#include <cstdint>
#include <vector>

// True when every non-empty rectangle lies inside a strip of width x height, their areas add up
// to no more than the strip's, and no two share a pixel. Empty rectangles (null frames) are
// passed over. O(n log n) in the number of rectangles.
bool AreStripRectanglesSound(const std::vector<CIntRect>& rectangles, uint32_t width, uint32_t height);

// True when no two of the non-empty rectangles share a pixel (touching edges do not count).
bool AreRectanglesDisjoint(const std::vector<CIntRect>& rectangles);
