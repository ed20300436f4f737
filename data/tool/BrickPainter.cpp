#include "BrickPainter.h"

#include "CoverageMask.h"
#include "Lettering.h"

#include <algorithm>
#include <cmath>

namespace brickpaint {

namespace {

constexpr double kCorner = 2.5;
constexpr Rgba kOutline{16, 16, 26, 255};

// The brick's rounded outline, one pixel in from the picture's edge for the outline to fit.
bool InsideBrick(double x, double y)
{
    const double left = 1, top = 1, right = kWidth - 1, bottom = kHeight - 1;
    if (x < left || x > right || y < top || y > bottom)
        return false;
    const double cx = std::clamp(x, left + kCorner, right - kCorner);
    const double cy = std::clamp(y, top + kCorner, bottom - kCorner);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= kCorner * kCorner;
}

// The brick's outline cut to the rows top to bottom (exclusive), each one in from the edge.
CCoverageMask BandShape(int top, int bottom)
{
    CCoverageMask mask(kWidth, kHeight);
    const double from = std::max(1, top + 1), to = std::min(kHeight - 1, bottom - 1);
    mask.AddShape([=](double x, double y) { return y >= from && y <= to && InsideBrick(x, y); });
    return mask;
}

// A light wash over the upper part of the band, fading downwards: the gloss of a lit surface.
void PaintGloss(CImage& image, const CCoverageMask& band, int top, int bottom, uint32_t strength)
{
    const int rows = std::max(2, (bottom - top) / 3);
    for (int y = top + 2; y < top + 2 + rows && y < bottom; ++y) {
        const uint32_t alpha = strength * static_cast<uint32_t>(top + 2 + rows - y) / static_cast<uint32_t>(rows);
        for (int x = 3; x < kWidth - 3; ++x)
            image.BlendPixel(x, y, Rgba{255, 255, 255, static_cast<uint8_t>(alpha)}, band.Get(x, y));
    }
}

// A thin line's coverage between two points (width about a pixel).
void AddLine(CCoverageMask& mask, double x0, double y0, double x1, double y1, double halfWidth)
{
    mask.AddShape([=](double x, double y) {
        const double dx = x1 - x0, dy = y1 - y0;
        const double length2 = dx * dx + dy * dy;
        const double t = length2 > 0 ? std::clamp(((x - x0) * dx + (y - y0) * dy) / length2, 0.0, 1.0) : 0.0;
        const double px = x0 + t * dx - x, py = y0 + t * dy - y;
        return px * px + py * py <= halfWidth * halfWidth;
    });
}

} // namespace

CImage NewBrick()
{
    CImage image(kWidth, kHeight);
    image.SetHotSpot(kWidth / 2, kHeight / 2);
    return image;
}

void PaintBlock(CImage& image, const Tint& tint, int top, int bottom)
{
    const CCoverageMask band = BandShape(top, bottom);
    const LetterStyle style{.top = tint.top, .middle = tint.middle, .bottom = tint.bottom, .bevel = 170,
                            .outline = kOutline, .outlineWidth = 1};
    PaintLettering(image, band, 0, 0, style, top + 1, bottom - 1);
    PaintGloss(image, band, top, bottom, 80);
}

void PaintSteel(CImage& image, int top, int bottom, bool rivets, const Tint& steel)
{
    const CCoverageMask band = BandShape(top, bottom);
    const LetterStyle style{.top = steel.top, .middle = steel.middle, .bottom = steel.bottom, .bevel = 200,
                            .outline = kOutline, .outlineWidth = 1};
    PaintLettering(image, band, 0, 0, style, top + 1, bottom - 1);
    // Brushed along its length: streaks of a row lighter or darker, the same every time.
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const uint32_t hash = (static_cast<uint32_t>(y) * 2654435761u) ^ (static_cast<uint32_t>(x / 5) * 40503u);
            const uint8_t streak = static_cast<uint8_t>((hash >> 7) % 3);
            if (streak == 1)
                image.BlendPixel(x, y, Rgba{255, 255, 255, 40}, band.Get(x, y));
            else if (streak == 2)
                image.BlendPixel(x, y, Rgba{0, 0, 0, 30}, band.Get(x, y));
        }
    PaintGloss(image, band, top, bottom, 60);
    if (rivets) {
        const double middle = (top + bottom) / 2.0;
        PaintRivet(image, 4.5, middle);
        PaintRivet(image, kWidth - 4.5, middle);
    }
}

Tint SteelTint()
{
    return Tint{{226, 232, 244, 255}, {150, 162, 184, 255}, {96, 106, 128, 255}};
}

Tint GunmetalTint()
{
    return Tint{{120, 124, 136, 255}, {64, 68, 80, 255}, {34, 36, 44, 255}};
}

void PaintRivet(CImage& image, double x, double y)
{
    CCoverageMask rim(kWidth, kHeight);
    rim.AddEllipse(x, y, 2.0, 2.0);
    rim.Paint(image, 0, 0, Rgba{30, 32, 40, 220});
    for (int py = static_cast<int>(y) - 2; py <= static_cast<int>(y) + 2; ++py)
        for (int px = static_cast<int>(x) - 2; px <= static_cast<int>(x) + 2; ++px) {
            const double nx = (px + 0.5 - x) / 1.4, ny = (py + 0.5 - y) / 1.4;
            const double d2 = nx * nx + ny * ny;
            if (d2 >= 1.0)
                continue;
            const double light = 0.45 + 0.55 * std::max(0.0, -0.6 * nx - 0.6 * ny + 0.5 * std::sqrt(1.0 - d2));
            const auto level = static_cast<uint8_t>(std::clamp(255.0 * light, 0.0, 255.0));
            image.BlendPixel(px, py, Rgba{level, level, static_cast<uint8_t>(std::min(255, level + 12)), 255}, 255);
        }
}

void PaintSymbol(CImage& image, const CCoverageMask& shape, Rgba light, Rgba dark)
{
    const auto [inkTop, inkBottom] = shape.GetInkRows();
    const LetterStyle style{.top = light, .middle = MixColors(light, dark, 70), .bottom = MixColors(light, dark, 150),
                            .bevel = 150, .outline = Rgba{12, 12, 18, 235}, .outlineWidth = 1};
    PaintLettering(image, shape, 0, 0, style, inkTop, inkBottom);
}

CCoverageMask ArrowShape(int dx, int dy)
{
    // The arrow pointing along u, across v, centred on the brick: longer lying down than standing.
    const bool lying = dx != 0;
    const double half = lying ? 9.0 : 6.5;
    const double head = lying ? 5.5 : 5.0;
    const double neck = half * 0.25;
    const std::vector<std::pair<double, double>> arrow = {
        {-half, -2.2}, {neck, -2.2}, {neck, -head}, {half, 0.0}, {neck, head}, {neck, 2.2}, {-half, 2.2}};
    std::vector<std::pair<double, double>> points;
    const double cx = kWidth / 2.0, cy = kHeight / 2.0;
    for (const auto& [u, v] : arrow)
        points.emplace_back(lying ? cx + dx * u : cx + v, lying ? cy + v : cy + dy * u);
    return PolygonShape(points);
}

CCoverageMask PolygonShape(const std::vector<std::pair<double, double>>& points)
{
    CCoverageMask mask(kWidth, kHeight);
    mask.AddPolygon(points);
    return mask;
}

CCoverageMask StarShape(double cx, double cy, int points, double outer, double inner, double angle)
{
    std::vector<std::pair<double, double>> polygon;
    constexpr double kPi = 3.141592653589793;
    for (int i = 0; i < 2 * points; ++i) {
        const double radius = (i % 2 == 0) ? outer : inner;
        const double a = angle + kPi * i / points - kPi / 2;
        polygon.emplace_back(cx + radius * std::cos(a), cy + radius * std::sin(a));
    }
    return PolygonShape(polygon);
}

void PaintGlow(CImage& image, double cx, double cy, double radius, Rgba colour, double strength)
{
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy) / radius;
            if (d >= 1.0)
                continue;
            const double falloff = (1.0 - d) * (1.0 - d);
            image.BlendPixel(x, y, colour, static_cast<uint32_t>(std::clamp(255.0 * strength * falloff, 0.0, 255.0)));
        }
}

void PaintCracks(CImage& image, int count)
{
    const std::vector<std::vector<std::pair<double, double>>> cracks = {
        {{6, 2}, {8.5, 6}, {5.5, 10}, {7.5, 15.5}},
        {{26, 16}, {24, 12}, {27.5, 8}, {25, 2.5}},
        {{11, 16.5}, {12.5, 13}, {10.5, 11}},
        {{20.5, 1.5}, {19.5, 4.5}, {21.5, 6.5}},
    };
    CCoverageMask dark(kWidth, kHeight);
    CCoverageMask lip(kWidth, kHeight);
    for (int c = 0; c < count && c < static_cast<int>(cracks.size()); ++c)
        for (size_t i = 1; i < cracks[c].size(); ++i) {
            const auto [x0, y0] = cracks[c][i - 1];
            const auto [x1, y1] = cracks[c][i];
            AddLine(dark, x0, y0, x1, y1, 0.6);
            AddLine(lip, x0 + 0.9, y0 + 0.9, x1 + 0.9, y1 + 0.9, 0.45);
        }
    // Only on the block: the cracks never reach past the outline.
    const CCoverageMask inside = BandShape(0, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const uint32_t within = inside.Get(x, y);
            image.BlendPixel(x, y, Rgba{255, 255, 255, 90}, lip.Get(x, y) * within / 255);
            image.BlendPixel(x, y, Rgba{20, 14, 10, 230}, dark.Get(x, y) * within / 255);
        }
}

} // namespace brickpaint
