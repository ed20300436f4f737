#include "Lettering.h"

#include "CoverageMask.h"

#include <algorithm>
#include <cstdlib>

namespace {

// The fill colour of a mask row: top to middle over the first half of the span, middle to
// bottom over the second.
Rgba GradientAt(const LetterStyle& style, int row, int top, int bottom)
{
    const int span = std::max(1, bottom - top);
    const int t = std::clamp((row - top) * 510 / span, 0, 510);
    return t <= 255 ? MixColors(style.top, style.middle, static_cast<uint32_t>(t))
                    : MixColors(style.middle, style.bottom, static_cast<uint32_t>(t - 255));
}

} // namespace

int GetStyleMargin(const LetterStyle& style)
{
    int margin = style.outlineWidth;
    if (style.shadow.a != 0)
        margin += std::max(std::abs(style.shadowX), std::abs(style.shadowY)) + 2 * style.shadowBlur;
    return margin;
}

void PaintLettering(CImage& image, const CCoverageMask& shape, int x, int y, const LetterStyle& style,
                    int gradientTop, int gradientBottom)
{
    const CCoverageMask body = style.outlineWidth > 0 ? shape.Grown(style.outlineWidth) : shape;
    if (style.shadow.a != 0)
        body.Blurred(style.shadowBlur).Paint(image, x + style.shadowX, y + style.shadowY, style.shadow);
    if (style.outlineWidth > 0)
        body.Paint(image, x, y, style.outline);

    // The bevel compares the softened shape up-left of a pixel with the shape down-right of it.
    const CCoverageMask soft = shape.Blurred(style.bevelWidth);
    const int reach = style.bevelWidth;
    const Rgba light{255, 255, 255, 255};
    const Rgba dark{0, 0, 0, 255};
    for (int row = 0; row < shape.GetHeight(); ++row) {
        const Rgba fill = GradientAt(style, row, gradientTop, gradientBottom);
        for (int column = 0; column < shape.GetWidth(); ++column) {
            const uint8_t coverage = shape.Get(column, row);
            if (coverage == 0)
                continue;
            Rgba color = fill;
            if (style.bevel != 0) {
                const int slope = soft.Get(column + reach, row + reach) - soft.Get(column - reach, row - reach);
                const uint32_t amount = static_cast<uint32_t>(std::abs(slope)) * style.bevel / 255;
                color = MixColors(color, slope > 0 ? light : dark, amount);
                color.a = fill.a;
            }
            image.BlendPixel(x + column, y + row, color, coverage);
        }
    }
}
