#include "EndPictures.h"

#include "CoverageMask.h"
#include "GlyphRasterizer.h"
#include "Lettering.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;
constexpr double kPi = 3.141592653589793;

uint8_t Channel(double value)
{
    return static_cast<uint8_t>(std::clamp(std::lround(value), 0l, 255l));
}

// The line of text set in the face at the size and painted in the style, its ink centred on x and
// its baseline at baseline. False, with error set, when the face cannot be opened.
bool PaintLine(CImage& image, const std::string& face, int size, const std::u32string& text, int x, int baseline,
               const LetterStyle& style, std::string& error)
{
    const CGlyphRasterizer rasterizer(face, size);
    if (!rasterizer.IsOpen()) {
        error = rasterizer.GetError();
        return false;
    }
    const CCoverageMask line = rasterizer.RenderLine(text);
    const int margin = GetStyleMargin(style);
    CCoverageMask shape(line.GetWidth() + 2 * margin, line.GetHeight() + 2 * margin);
    shape.AddMask(line, margin, margin);
    const auto [inkTop, inkBottom] = line.GetInkRows();
    PaintLettering(image, shape, x - line.GetWidth() / 2 - margin, baseline - rasterizer.GetAscent() - margin, style,
                   margin + inkTop, margin + inkBottom);
    return true;
}

const LetterStyle kGold{.top = {255, 250, 214}, .middle = {255, 204, 64}, .bottom = {196, 96, 14}, .bevel = 210,
                        .bevelWidth = 2, .outline = {34, 14, 4, 255}, .outlineWidth = 3, .shadow = {0, 0, 0, 190},
                        .shadowX = 4, .shadowY = 5, .shadowBlur = 3};

// Night sky with stars from a fixed generator.
void PaintSky(CImage& image)
{
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x) {
            const double down = static_cast<double>(y) / image.GetHeight();
            const double glow = std::max(0.0, 1.0 - std::hypot((x - 320) / 300.0, (y - 200) / 220.0));
            image.SetPixel(x, y, Rgba{Channel(10 + 20 * (1 - down) + 70 * glow * glow),
                                      Channel(12 + 16 * (1 - down) + 50 * glow * glow),
                                      Channel(40 + 40 * (1 - down) + 40 * glow * glow), 255});
        }
    uint32_t seed = 0x5BD1E995u;
    auto next = [&seed](uint32_t range) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % range;
    };
    for (int i = 0; i < 200; ++i) {
        const int x = static_cast<int>(next(kScreenWidth)), y = static_cast<int>(next(kScreenHeight));
        const auto level = static_cast<uint8_t>(80 + next(176));
        image.BlendPixel(x, y, Rgba{level, level, static_cast<uint8_t>(std::min(255, level + 20)), 255}, 255);
    }
}

// Rays of light turning round the trophy star.
void PaintRays(CImage& image, double cx, double cy)
{
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x) {
            const double a = std::atan2(y - cy, x - cx);
            const double d = std::hypot(x - cx, y - cy);
            const double ray = std::cos(a * 12) > 0.55 ? 1.0 : 0.0;
            const double fade = std::max(0.0, 1.0 - d / 260.0);
            image.BlendPixel(x, y, Rgba{255, 220, 120, 255}, static_cast<uint32_t>(90 * ray * fade * fade));
        }
}

} // namespace

CImage PaintGameOverPicture(const std::string& fontFolder, std::string& error)
{
    // As wide as the lettering needs and no wider than the field.
    CImage image(440, 100);
    const LetterStyle red{.top = {255, 236, 200}, .middle = {240, 70, 40}, .bottom = {120, 10, 10}, .bevel = 210,
                          .bevelWidth = 2, .outline = {30, 4, 4, 255}, .outlineWidth = 3, .shadow = {0, 0, 0, 200},
                          .shadowX = 4, .shadowY = 5, .shadowBlur = 3};
    if (!PaintLine(image, fontFolder + "/DejaVuSans-Bold.ttf", 62, U"GAME OVER", image.GetWidth() / 2, 72, red, error))
        return CImage();
    return image;
}

CImage PaintCompletedGamePicture(const std::string& fontFolder, std::string& error)
{
    CImage image(kScreenWidth, kScreenHeight);
    PaintSky(image);
    PaintRays(image, 320, 185);
    // A gold star, the prize for the last round.
    CCoverageMask star(kScreenWidth, kScreenHeight);
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i < 10; ++i) {
        const double radius = (i % 2 == 0) ? 78 : 34;
        const double a = kPi * i / 5 - kPi / 2;
        points.emplace_back(320 + radius * std::cos(a), 192 + radius * std::sin(a));
    }
    star.AddPolygon(points);
    PaintLettering(image, star, 0, 0, kGold, 112, 262);
    const std::string bold = fontFolder + "/DejaVuSans-Bold.ttf";
    if (!PaintLine(image, bold, 46, U"Congratulations!", 320, 82, kGold, error))
        return CImage();
    // The panel the overlay texts are set on.
    CCoverageMask panel(kScreenWidth, kScreenHeight);
    panel.AddRoundedRect(70, 286, 570, 452, 14);
    CCoverageMask frame = panel.Grown(2);
    frame.Subtract(panel, 0, 0);
    frame.Paint(image, 0, 0, Rgba{230, 180, 60, 255});
    panel.Paint(image, 0, 0, Rgba{6, 8, 34, 200});
    return image;
}
