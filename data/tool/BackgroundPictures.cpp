#include "BackgroundPictures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr double kPi = 3.141592653589793;

// A fixed pseudo-random sequence (a 32-bit linear congruential generator).
class Dice
{
public:
    explicit Dice(uint32_t seed) : m_state(seed) {}
    uint32_t Next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return m_state >> 8;
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }

private:
    uint32_t m_state;
};

uint8_t Clamp8(double v)
{
    return static_cast<uint8_t>(std::clamp(v, 0.0, 255.0));
}

Rgba Lerp(Rgba a, Rgba b, double t)
{
    return MixColors(a, b, static_cast<uint32_t>(std::clamp(t, 0.0, 1.0) * 255.0));
}

// Fills the picture with a vertical gradient from top to bottom.
void FillGradient(CImage& image, Rgba top, Rgba bottom)
{
    for (int y = 0; y < image.GetHeight(); ++y) {
        const Rgba colour = Lerp(top, bottom, static_cast<double>(y) / (image.GetHeight() - 1));
        for (int x = 0; x < image.GetWidth(); ++x)
            image.SetPixel(x, y, colour);
    }
}

// A soft round glow: full at the centre, nothing from the radius on.
void Glow(CImage& image, double cx, double cy, double radius, Rgba colour, double strength)
{
    const int x0 = static_cast<int>(cx - radius), x1 = static_cast<int>(cx + radius) + 1;
    const int y0 = static_cast<int>(cy - radius), y1 = static_cast<int>(cy + radius) + 1;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const double d = std::hypot(x - cx, y - cy) / radius;
            if (d < 1.0)
                image.BlendPixel(x, y, colour, static_cast<uint32_t>((1.0 - d) * (1.0 - d) * strength * 255.0));
        }
}

} // namespace

CImage PaintSpaceBackdrop()
{
    CImage image(kWidth, kHeight);
    FillGradient(image, {10, 8, 30, 255}, {2, 2, 10, 255});
    Dice dice(7);
    // The nebula: a few wide, faint clouds along a diagonal.
    for (int i = 0; i < 9; ++i) {
        const double t = i / 8.0;
        Glow(image, 120 + 380 * t + dice.Below(40), 380 - 260 * t + dice.Below(40), 70 + dice.Below(50),
             i % 2 ? Rgba{120, 40, 150, 255} : Rgba{40, 70, 160, 255}, 0.22);
    }
    for (int i = 0; i < 420; ++i) {
        const int x = dice.Below(kWidth), y = dice.Below(kHeight);
        const int brightness = 90 + dice.Below(166);
        const Rgba star{Clamp8(brightness), Clamp8(brightness), Clamp8(brightness + 30), 255};
        image.SetPixel(x, y, star);
        // One star in ten is big enough to sparkle.
        if (dice.Below(10) == 0)
            for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                image.BlendPixel(x + dx, y + dy, star, 120);
    }
    return image;
}

CImage PaintSpaceMidground(const CImage& backdrop)
{
    constexpr int kSize = 200;
    constexpr double cx = 70, cy = 64, radius = 58;
    CImage image(kSize, kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            image.SetPixel(x, y, backdrop.GetPixel(x, y));
    // The ring behind the planet, then the planet lit from the lower right, then the ring's front.
    const auto ring = [&](bool front) {
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                const double u = (x - cx) / 1.9, v = (y - cy) / 0.45 + (x - cx) * 0.35;
                const double d = std::hypot(u, v);
                if (d < 40 || d > 50 || (v > 0) != front)
                    continue;
                image.BlendPixel(x, y, {200, 170, 120, 255}, static_cast<uint32_t>(150 - std::abs(d - 45) * 20));
            }
    };
    ring(false);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const double dx = (x - cx) / radius, dy = (y - cy) / radius;
            const double r2 = dx * dx + dy * dy;
            if (r2 >= 1.0)
                continue;
            const double light = std::clamp(0.25 + 0.75 * (dx * 0.6 + dy * 0.5 + std::sqrt(1.0 - r2) * 0.6), 0.08, 1.0);
            const double band = 0.85 + 0.15 * std::sin((dy * 9.0 + dx * 1.5) * kPi);
            const Rgba surface{Clamp8(190 * light * band), Clamp8(110 * light * band), Clamp8(70 * light * band), 255};
            image.BlendPixel(x, y, surface, r2 > 0.96 ? 160 : 255);
        }
    ring(true);
    return image;
}

CImage PaintDeepSeaBackdrop()
{
    CImage image(kWidth, kHeight);
    FillGradient(image, {30, 110, 160, 255}, {4, 22, 48, 255});
    // Rays of light falling from the surface, slanted and fading with depth.
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double along = x + y * 0.4;
            const double ray = std::pow(std::max(0.0, std::sin(along * 0.025) * std::sin(along * 0.011 + 1.0)), 3.0);
            const double fade = std::max(0.0, 1.0 - y / 360.0);
            if (ray * fade > 0.01)
                image.BlendPixel(x, y, {170, 230, 255, 255}, static_cast<uint32_t>(ray * fade * 70));
        }
    // The sandy floor with ripples, and a few dark rocks.
    Dice dice(11);
    for (int x = 0; x < kWidth; ++x) {
        const int top = 440 + static_cast<int>(8 * std::sin(x * 0.02) + 4 * std::sin(x * 0.07 + 2.0));
        for (int y = top; y < kHeight; ++y) {
            const double shade = 0.75 + 0.25 * std::sin((x + 3 * y) * 0.3) - 0.2 * (y - top) / 40.0;
            image.SetPixel(x, y, {Clamp8(150 * shade), Clamp8(130 * shade), Clamp8(90 * shade), 255});
        }
    }
    for (int i = 0; i < 6; ++i)
        Glow(image, 40 + dice.Below(560), 450 + dice.Below(20), 14 + dice.Below(12), {20, 30, 40, 255}, 1.2);
    return image;
}

std::vector<CImage> PaintDebrisFrames()
{
    constexpr int kSize = 13;
    constexpr double c = (kSize - 1) / 2.0;
    // The rock's outline: its radius at seven evenly spaced angles.
    const double radii[] = {5.5, 4.2, 5.0, 3.6, 5.8, 4.4, 4.0};
    constexpr int kCorners = 7;
    std::vector<CImage> frames;
    for (int f = 0; f < 8; ++f) {
        CImage image(kSize, kSize);
        const double turn = f * kPi / 4;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                const double dx = x - c, dy = y - c;
                double angle = std::atan2(dy, dx) - turn;
                angle -= std::floor(angle / (2 * kPi)) * 2 * kPi;
                const double at = angle / (2 * kPi) * kCorners;
                const int i = static_cast<int>(at) % kCorners;
                const double edge = radii[i] + (radii[(i + 1) % kCorners] - radii[i]) * (at - std::floor(at));
                const double d = std::hypot(dx, dy);
                if (d > edge)
                    continue;
                // Lit from the upper left.
                const double light = 0.55 + 0.45 * std::clamp((-dx - dy) / (1.5 * edge), -1.0, 1.0);
                image.SetPixel(x, y, {Clamp8(150 * light), Clamp8(135 * light), Clamp8(120 * light), 255});
            }
        image.SetHotSpot(kSize / 2, kSize / 2);
        frames.push_back(image);
    }
    return frames;
}

std::vector<CImage> PaintDustFrames()
{
    std::vector<CImage> frames;
    const uint8_t glow[] = {90, 160, 255, 160};
    for (uint8_t level : glow) {
        CImage image(3, 3);
        image.SetPixel(1, 1, {220, 230, 255, level});
        for (const auto& [x, y] : {std::pair{0, 1}, {2, 1}, {1, 0}, {1, 2}})
            image.SetPixel(x, y, {160, 180, 255, static_cast<uint8_t>(level / 3)});
        image.SetHotSpot(1, 1);
        frames.push_back(image);
    }
    return frames;
}

std::vector<CImage> PaintFishFrames(bool facingLeft)
{
    constexpr int kW = 24, kH = 13;
    std::vector<CImage> frames;
    const int wag[] = {0, 2, 0, -2};
    for (int f = 0; f < 4; ++f) {
        CImage image(kW, kH);
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) {
                // Drawn facing right, mirrored for the left-swimmer.
                const int px = facingLeft ? kW - 1 - x : x;
                const double bx = (px - 14.0) / 9.0, by = (y - 6.0) / 4.5;
                Rgba colour{};
                bool inside = bx * bx + by * by <= 1.0;
                if (inside) {
                    const double belly = std::clamp((y - 6.0) / 4.5, 0.0, 1.0);
                    colour = Lerp({235, 120, 30, 255}, {250, 210, 140, 255}, belly);
                    // A stripe behind the head, and the eye.
                    if (px >= 15 && px <= 16)
                        colour = {250, 245, 235, 255};
                    if (px == 19 && y == 5)
                        colour = {10, 10, 20, 255};
                } else if (px <= 6) {
                    // The tail: a triangle whose tip swings with the frame.
                    const double spread = (6 - px) * 0.9 + 0.5;
                    inside = std::abs(y - 6.0 - wag[f] * (6 - px) / 6.0) <= spread;
                    colour = {215, 95, 25, 255};
                }
                if (inside)
                    image.SetPixel(x, y, colour);
            }
        image.SetHotSpot(kW / 2, kH / 2);
        frames.push_back(image);
    }
    return frames;
}

std::vector<CImage> PaintPlanktonFrames()
{
    std::vector<CImage> frames;
    for (int f = 0; f < 3; ++f) {
        CImage image(4, 4);
        const uint8_t alpha = static_cast<uint8_t>(120 + 50 * f);
        for (int y = 1; y < 3; ++y)
            for (int x = 1; x < 3; ++x)
                image.SetPixel(x, y, {140, 235, 170, alpha});
        image.SetPixel(f % 2 ? 0 : 3, f % 2 ? 1 : 2, {140, 235, 170, 70});
        image.SetHotSpot(2, 2);
        frames.push_back(image);
    }
    return frames;
}
