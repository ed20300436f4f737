#include "MouseCursor.h"

#include "CoverageMask.h"
#include "Lettering.h"

namespace {

// The arrow with its tip at (0, 0), in pixels.
const std::vector<std::pair<double, double>> kArrow = {
    {0, 0}, {0, 19}, {4.5, 15}, {8, 23}, {11, 21.8}, {7.6, 14}, {13.5, 14},
};

} // namespace

CImage PaintMouseCursor()
{
    const LetterStyle style{.top = {255, 255, 255}, .middle = {214, 232, 255}, .bottom = {110, 164, 240}, .bevel = 130,
                            .outline = {8, 16, 44, 255}, .outlineWidth = 1, .shadow = {0, 0, 0, 120}, .shadowX = 2,
                            .shadowY = 2, .shadowBlur = 1};

    // Room for the outline above and left of the tip, and for the shadow below and right.
    const int margin = GetStyleMargin(style);
    const int inset = style.outlineWidth;
    CCoverageMask arrow(14 + inset + margin, 24 + inset + margin);
    std::vector<std::pair<double, double>> points;
    for (const auto& [x, y] : kArrow)
        points.emplace_back(x + inset, y + inset);
    arrow.AddPolygon(points);

    CImage cursor(arrow.GetWidth(), arrow.GetHeight());
    PaintLettering(cursor, arrow, 0, 0, style, inset, inset + 23);
    cursor.SetHotSpot(inset, inset);
    return cursor;
}
