#include "SplashAndMenuBall.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kSplashWidth = 640;
constexpr int kSplashHeight = 480;

uint8_t Clamp(double value)
{
    return static_cast<uint8_t>(std::clamp(value, 0.0, 255.0));
}

} // namespace

CImage PaintSplashPicture()
{
    CImage image(kSplashWidth, kSplashHeight);
    const double cx = kSplashWidth / 2.0, cy = kSplashHeight / 2.0 - 20;
    for (int y = 0; y < kSplashHeight; ++y)
        for (int x = 0; x < kSplashWidth; ++x) {
            const double sky = static_cast<double>(y) / kSplashHeight;
            const double distance = std::hypot(x - cx, y - cy);
            // A bright ring of radius 120 fading over 30 pixels either side.
            const double ring = std::max(0.0, 1.0 - std::fabs(distance - 120.0) / 30.0);
            const double glow = std::max(0.0, 1.0 - distance / 300.0);
            Rgba color;
            color.r = Clamp(10 + 30 * sky + 200 * ring * ring + 40 * glow);
            color.g = Clamp(16 + 40 * sky + 210 * ring * ring + 60 * glow);
            color.b = Clamp(60 + 80 * sky + 160 * ring + 80 * glow);
            image.SetPixel(x, y, color);
        }
    return image;
}

CImage PaintMenuBall()
{
    CImage image(kMenuBallDiameter, kMenuBallDiameter);
    const double radius = kMenuBallDiameter / 2.0;
    for (int y = 0; y < kMenuBallDiameter; ++y)
        for (int x = 0; x < kMenuBallDiameter; ++x) {
            const double dx = x + 0.5 - radius, dy = y + 0.5 - radius;
            const double distance = std::hypot(dx, dy);
            // Light from the upper left; the last pixel of the rim fades out.
            const double light = std::clamp(1.0 - std::hypot(dx + radius * 0.4, dy + radius * 0.4) / (radius * 1.6),
                                            0.0, 1.0);
            Rgba color;
            color.r = color.g = Clamp(90 + 165 * light);
            color.b = Clamp(110 + 145 * light);
            color.a = Clamp((radius - distance + 0.5) * 255.0);
            image.SetPixel(x, y, color);
        }
    image.SetHotSpot(kMenuBallDiameter / 2, kMenuBallDiameter / 2);
    return image;
}
