#pragma once
// The data set's one style for shapes and letters: a vertical gradient of three colours, a
// bevel lit from the top left, a dark outline and a soft drop shadow. The logo, the mouse cursor
// and every font are painted through it, so that they look like parts of one game.
#include "Image.h"

class CCoverageMask;

struct LetterStyle
{
    // The fill from the top of the shape's ink through its middle to its bottom.
    Rgba top;
    Rgba middle;
    Rgba bottom;
    // Bevel: how strongly edges facing the top left are lit and the others darkened (0 to 255),
    // and how wide the bevel is in pixels.
    uint32_t bevel = 0;
    int bevelWidth = 1;
    // Outline around the shape (width 0: none).
    Rgba outline{0, 0, 0, 255};
    int outlineWidth = 0;
    // Shadow under the shape, moved by (shadowX, shadowY) and blurred (alpha 0: none).
    Rgba shadow{0, 0, 0, 0};
    int shadowX = 1;
    int shadowY = 1;
    int shadowBlur = 0;
};

// How far the style reaches beyond the shape's own pixels: the outline, and the shadow's offset
// and blur on each side. Masks painted with the style need this much room around the shape.
int GetStyleMargin(const LetterStyle& style);

// Paints the shape in the style onto the image, the mask's (0, 0) at (x, y). The gradient spans
// the rows gradientTop to gradientBottom of the mask (for letters: the font's cap height, so that
// every glyph of a font shades alike); the shape must lie GetStyleMargin pixels inside the mask.
void PaintLettering(CImage& image, const CCoverageMask& shape, int x, int y, const LetterStyle& style,
                    int gradientTop, int gradientBottom);
