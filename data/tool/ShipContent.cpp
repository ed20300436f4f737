#include "ShipContent.h"

#include "DrawnSequence.h"

#include "EffectContent.h"
#include "Image.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace {

constexpr double kPi = 3.141592653589793;
// The rolling looks are square grids of this many frames a side.
constexpr int kRollGrid = 12;

using Painter = std::function<void(CImage& image, int frame)>;

// count frames of width x height with the hot spot at (hx, hy), each painted by paint.
std::vector<CImage> PaintFrames(int count, int width, int height, int hx, int hy, const Painter& paint)
{
    std::vector<CImage> frames;
    for (int i = 0; i < count; ++i) {
        CImage image(width, height);
        image.SetHotSpot(hx, hy);
        paint(image, i);
        frames.push_back(std::move(image));
    }
    return frames;
}

Rgba Shade(Rgba colour, double light)
{
    auto channel = [light](uint8_t c) { return static_cast<uint8_t>(std::clamp(c * light, 0.0, 255.0)); };
    return Rgba{channel(colour.r), channel(colour.g), channel(colour.b), colour.a};
}

// A filled ellipse round (cx, cy), lit from the top left, with soft edges.
void FillEllipse(CImage& image, double cx, double cy, double rx, double ry, Rgba colour)
{
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x) {
            const double nx = (x - cx) / rx, ny = (y - cy) / ry;
            const double d = std::sqrt(nx * nx + ny * ny);
            if (d >= 1.0)
                continue;
            const double light = 1.15 - 0.35 * (nx + ny) * 0.5 - 0.3 * d;
            const double edge = std::min(1.0, (1.0 - d) * std::min(rx, ry));
            image.BlendPixel(x, y, Shade(colour, light), static_cast<uint32_t>(edge * 255));
        }
}

void FillBox(CImage& image, int left, int top, int width, int height, Rgba colour)
{
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            image.BlendPixel(x, y, Shade(colour, 1.1 - 0.3 * (y - top) / std::max(1, height - 1)), 255);
}

// A ball of the radius rolled to grid cell (frame % N, frame / N): a lit sphere with a band
// pattern that turns with both phases.
Painter RollingBall(double radius, Rgba light, Rgba dark)
{
    return [=](CImage& image, int frame) {
        const double c = (image.GetWidth() - 1) / 2.0;
        const double turnX = 2 * kPi * (frame % kRollGrid) / kRollGrid;
        const double turnY = 2 * kPi * (frame / kRollGrid) / kRollGrid;
        for (int y = 0; y < image.GetHeight(); ++y)
            for (int x = 0; x < image.GetWidth(); ++x) {
                const double nx = (x - c) / radius, ny = (y - c) / radius;
                const double d2 = nx * nx + ny * ny;
                if (d2 >= 1.0)
                    continue;
                const double nz = std::sqrt(1.0 - d2);
                const double longitude = std::atan2(nx, nz) + turnX;
                const double latitude = std::asin(std::clamp(ny, -1.0, 1.0)) + turnY;
                const bool band = (std::sin(2 * longitude) > 0) != (std::sin(2 * latitude) > 0);
                const double lit = 0.55 + 0.6 * std::max(0.0, -0.5 * nx - 0.5 * ny + 0.7 * nz);
                const double edge = std::min(1.0, (1.0 - std::sqrt(d2)) * radius);
                image.BlendPixel(x, y, Shade(band ? dark : light, lit), static_cast<uint32_t>(edge * 255));
            }
    };
}

void AddBalls(std::vector<DrawnSequence>& out)
{
    const int frames = kRollGrid * kRollGrid;
    struct
    {
        const char* name;
        double radius;
        Rgba light, dark;
    } balls[] = {{"Ball", 9.5, {235, 240, 250, 255}, {120, 140, 190, 255}},
                 {"Ball Fire", 9.5, {255, 210, 80, 255}, {220, 70, 20, 255}},
                 {"Ball Rail", 9.5, {170, 255, 240, 255}, {30, 150, 170, 255}},
                 {"Small Ball", 3.5, {255, 255, 255, 255}, {160, 170, 200, 255}}};
    for (const auto& ball : balls) {
        const int size = static_cast<int>(2 * ball.radius) + 2;
        out.push_back({ball.name, 15.0f,
                       PaintFrames(frames, size, size, size / 2, size / 2, RollingBall(ball.radius, ball.light, ball.dark))});
    }
}

void AddShips(std::vector<DrawnSequence>& out)
{
    const Rgba hulls[] = {{150, 160, 180, 255}, {70, 120, 220, 255}, {200, 60, 60, 255},
                          {60, 170, 90, 255},   {200, 160, 50, 255}, {150, 80, 190, 255}};
    const char* const names[] = {"TX Ship", "TX Ship 1", "TX Ship 2", "TX Ship 3", "TX Ship 4", "TX Ship 5"};
    for (int style = 0; style < 6; ++style) {
        const Rgba hull = hulls[style];
        // Nine tilts: the cockpit slides with the thrust balance.
        out.push_back({names[style], 10.0f, PaintFrames(9, 64, 28, 32, 14, [hull](CImage& image, int frame) {
                           FillEllipse(image, 31.5, 16, 28, 7, hull);
                           FillBox(image, 6, 18, 52, 3, Shade(hull, 0.6));
                           FillEllipse(image, 31.5 + (frame - 4) * 1.2, 10, 7, 5, Rgba{180, 230, 255, 230});
                       })});
    }
    const double halfWidths[] = {13, 20, 16, 21, 33};
    const char* const shields[] = {"TX Small Shield", "TX Small Shield 2", "TX Normal Shield", "TX Long Shield",
                                   "TX Biggest Shield"};
    for (int size = 0; size < 5; ++size) {
        const int w = static_cast<int>(halfWidths[size]) + 5;
        // A bar 16 pixels above the ship's centre, shimmering over four frames.
        out.push_back({shields[size], 12.0f, PaintFrames(4, 2 * w, 8, w, 20, [w](CImage& image, int frame) {
                           for (int x = 0; x < 2 * w; ++x) {
                               const double glow = 0.75 + 0.25 * std::sin((x + frame * 3) * 0.6);
                               FillBox(image, x, 2, 1, 4, Shade(Rgba{120, 170, 255, 255}, glow));
                           }
                       })});
    }
    for (int side = 0; side < 2; ++side) {
        const int direction = side == 0 ? -1 : 1;
        out.push_back({side == 0 ? "Player Parts/Thrust Left" : "Player Parts/Thrust Right", 20.0f,
                       PaintFrames(6, 64, 28, 32, 14, [direction](CImage& image, int frame) {
                           const double reach = 8.0 - frame;
                           FillEllipse(image, 31.5 + direction * (22 + reach * 0.5), 14, 2 + reach * 0.6, 3,
                                       Rgba{255, static_cast<uint8_t>(200 - frame * 20), 60, 230});
                       })});
    }
}

void AddGuns(std::vector<DrawnSequence>& out)
{
    for (int big = 0; big < 2; ++big) {
        const int pod = big ? 9 : 6;
        const Rgba metal = big ? Rgba{170, 120, 90, 255} : Rgba{160, 170, 185, 255};
        out.push_back({big ? "TX Big Guns" : "TX Small Guns", 10.0f,
                       PaintFrames(1, 84, 28, 42, 14, [pod, metal](CImage& image, int) {
                           for (int side : {-1, 1})
                               FillBox(image, 42 + side * 33 - pod / 2, 10, pod, 9, metal);
                       })});
        for (int side : {-1, 1})
            out.push_back({std::string(big ? "TX Big Guns Recoil " : "TX Small Guns Recoil ") + (side < 0 ? "Left" : "Right"),
                           10.0f, PaintFrames(1, 84, 28, 42, 14, [pod, side](CImage& image, int) {
                               FillBox(image, 42 + side * 33 - pod / 4, 1, pod / 2, 10, Rgba{90, 95, 110, 255});
                           })});
    }
    out.push_back({"Player Parts/Gun/Player Shot", 10.0f, PaintFrames(1, 3, 10, 1, 5, [](CImage& image, int) {
                       FillBox(image, 0, 0, 3, 10, Rgba{255, 90, 120, 255});
                   })});
    out.push_back({"Player Parts/Big Gun/Big Shot", 10.0f, PaintFrames(1, 7, 14, 3, 7, [](CImage& image, int) {
                       FillBox(image, 1, 3, 5, 11, Rgba{220, 220, 230, 255});
                       FillEllipse(image, 3, 3, 3, 3, Rgba{255, 120, 40, 255});
                   })});
}

void AddCapsules(std::vector<DrawnSequence>& out)
{
    const struct
    {
        const char* name;
        Rgba colour;
    } capsules[] = {{"Slow", {80, 160, 255, 255}},          {"Expand", {80, 220, 120, 255}},
                    {"Catcher", {120, 120, 255, 255}},      {"Fire Ball", {255, 120, 40, 255}},
                    {"Multiply 3", {240, 220, 80, 255}},    {"Multiply 8", {250, 180, 40, 255}},
                    {"Gun", {200, 200, 210, 255}},          {"Big Gun", {190, 140, 100, 255}},
                    {"Extra Ball", {255, 255, 255, 255}},   {"Rail Ball", {60, 220, 220, 255}},
                    {"Normal Ball", {170, 180, 200, 255}},  {"Small Ball", {220, 160, 240, 255}},
                    {"Shrink", {230, 80, 80, 255}},         {"Fast", {255, 70, 160, 255}},
                    {"Bomb", {60, 50, 50, 255}}};
    for (const auto& capsule : capsules) {
        const Rgba colour = capsule.colour;
        // A capsule whose band of light turns over eight frames.
        out.push_back({std::string("Power Ups/") + capsule.name, 12.0f,
                       PaintFrames(8, 26, 14, 13, 7, [colour](CImage& image, int frame) {
                           FillEllipse(image, 12.5, 6.5, 12, 6, colour);
                           const int band = 3 + frame * 20 / 8;
                           FillBox(image, band, 3, 2, 8, Shade(colour, 1.6));
                       })});
    }
}

} // namespace

bool AddShipContent(CContentSet& set, std::string& error)
{
    std::vector<DrawnSequence> sequences;
    AddBalls(sequences);
    AddShips(sequences);
    AddGuns(sequences);
    AddCapsules(sequences);
    return AddDrawnSequences(set, sequences, error);
}
