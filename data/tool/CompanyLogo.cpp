#include "CompanyLogo.h"

#include "CoverageMask.h"
#include "GlyphRasterizer.h"
#include "Lettering.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kOrbX = 320;
constexpr int kOrbY = 168;
constexpr int kOrbRadius = 58;
constexpr double kRingRadiusX = 112;
constexpr double kRingRadiusY = 28;
constexpr int kNameSize = 88;
constexpr int kNameBaseline = 338;

uint8_t Channel(double value)
{
    return static_cast<uint8_t>(std::clamp(std::lround(value), 0l, 255l));
}

// Deep blue at the top to near black at the bottom, lit by a soft glow behind the orb.
void PaintSky(CImage& image)
{
    for (int y = 0; y < image.GetHeight(); ++y) {
        const double down = static_cast<double>(y) / image.GetHeight();
        for (int x = 0; x < image.GetWidth(); ++x) {
            const double dx = (x - kOrbX) / 320.0;
            const double dy = (y - kOrbY - 60) / 260.0;
            const double glow = std::max(0.0, 1.0 - std::sqrt(dx * dx + dy * dy));
            const double g2 = glow * glow;
            image.SetPixel(x, y, Rgba{Channel(8 + 14 * (1 - down) + 30 * g2), Channel(10 + 10 * (1 - down) + 46 * g2),
                                      Channel(30 + 26 * (1 - down) + 110 * g2), 255});
        }
    }
    // Stars from a fixed generator: most faint single pixels, a few bright with a cross of light.
    uint32_t seed = 0x9E3779B9u;
    auto next = [&seed](uint32_t range) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % range;
    };
    for (int i = 0; i < 170; ++i) {
        const int x = static_cast<int>(next(kLogoWidth));
        const int y = static_cast<int>(next(kLogoHeight));
        const uint32_t brightness = 70 + next(186);
        const Rgba star{static_cast<uint8_t>(brightness * 9 / 10), static_cast<uint8_t>(brightness * 19 / 20),
                        static_cast<uint8_t>(brightness), 255};
        image.BlendPixel(x, y, star, 255);
        if (brightness > 235)
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                image.BlendPixel(x + dx, y + dy, star, 110);
    }
}

// The orbit ring, in gold; only the rows on one side of the orb's centre (the part behind the
// orb, or the part in front of it).
void PaintRing(CImage& image, bool front)
{
    const LetterStyle gold{.top = {255, 244, 190}, .middle = {246, 186, 52}, .bottom = {176, 92, 14}, .bevel = 170,
                           .outline = {40, 18, 6, 255}, .outlineWidth = 1};
    const int left = kOrbX - static_cast<int>(kRingRadiusX) - 4;
    const int top = kOrbY - static_cast<int>(kRingRadiusY) - 4;
    CCoverageMask ring(2 * static_cast<int>(kRingRadiusX) + 9, 2 * static_cast<int>(kRingRadiusY) + 9);
    const double cx = kOrbX - left + 0.5;
    const double cy = kOrbY - top + 0.5;
    ring.AddEllipse(cx, cy, kRingRadiusX, kRingRadiusY);
    CCoverageMask hole(ring.GetWidth(), ring.GetHeight());
    hole.AddEllipse(cx, cy, kRingRadiusX - 9, kRingRadiusY - 5);
    ring.Subtract(hole, 0, 0);
    for (int y = 0; y < ring.GetHeight(); ++y)
        if ((top + y >= kOrbY) != front)
            for (int x = 0; x < ring.GetWidth(); ++x)
                ring.Set(x, y, 0);
    PaintLettering(image, ring, left, top, gold, 0, ring.GetHeight());
}

// A glossy sphere lit from the top left, with a dark rim and a blue glow around it.
void PaintOrb(CImage& image)
{
    const int size = 2 * kOrbRadius + 40;
    const int left = kOrbX - size / 2;
    const int top = kOrbY - size / 2;
    CCoverageMask orb(size, size);
    orb.AddEllipse(size / 2.0, size / 2.0, kOrbRadius, kOrbRadius);
    orb.Grown(6).Blurred(4).Paint(image, left, top, Rgba{90, 170, 255, 150});
    orb.Grown(2).Paint(image, left, top, Rgba{6, 14, 40, 255});

    // Light from the top left and a little towards the viewer.
    const double lx = -0.45, ly = -0.6, lz = 0.66;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const uint8_t coverage = orb.Get(x, y);
            if (coverage == 0)
                continue;
            const double nx = (x + 0.5 - size / 2.0) / kOrbRadius;
            const double ny = (y + 0.5 - size / 2.0) / kOrbRadius;
            const double nz = std::sqrt(std::max(0.0, 1.0 - nx * nx - ny * ny));
            const double diffuse = std::max(0.0, nx * lx + ny * ly + nz * lz);
            // The reflection of the light towards the viewer (0, 0, 1).
            const double reflected = 2 * (nx * lx + ny * ly + nz * lz) * nz - lz;
            const double specular = std::pow(std::max(0.0, reflected), 28.0);
            const double rim = std::pow(1.0 - nz, 3.0);
            const double shade = 0.22 + 0.78 * diffuse;
            image.BlendPixel(left + x, top + y,
                             Rgba{Channel(30 * shade + 255 * specular + 60 * rim), Channel(120 * shade + 255 * specular + 120 * rim),
                                  Channel(250 * shade + 255 * specular + 140 * rim), 255},
                             coverage);
        }
}

bool PaintName(CImage& image, const std::string& fontFolder, std::string& error)
{
    const CGlyphRasterizer face(fontFolder + "/DejaVuSans-Bold.ttf", kNameSize);
    if (!face.IsOpen()) {
        error = face.GetError();
        return false;
    }
    const LetterStyle style{.top = {255, 250, 214}, .middle = {255, 204, 64}, .bottom = {196, 96, 14}, .bevel = 210,
                            .bevelWidth = 2, .outline = {34, 14, 4, 255}, .outlineWidth = 3, .shadow = {0, 0, 0, 190},
                            .shadowX = 5, .shadowY = 6, .shadowBlur = 3};

    const CCoverageMask line = face.RenderLine(U"Vantorel");
    const int margin = GetStyleMargin(style);
    CCoverageMask shape(line.GetWidth() + 2 * margin, line.GetHeight() + 2 * margin);
    shape.AddMask(line, margin, margin);
    const auto [inkTop, inkBottom] = line.GetInkRows();
    const int x = (kLogoWidth - line.GetWidth()) / 2 - margin;
    const int y = kNameBaseline - face.GetAscent() - margin;
    PaintLettering(image, shape, x, y, style, margin + inkTop, margin + inkBottom);
    return true;
}

} // namespace

CImage PaintCompanyLogo(const std::string& fontFolder, std::string& error)
{
    CImage logo(kLogoWidth, kLogoHeight);
    PaintSky(logo);
    PaintRing(logo, false);
    PaintOrb(logo);
    PaintRing(logo, true);
    if (!PaintName(logo, fontFolder, error))
        return CImage();
    return logo;
}
