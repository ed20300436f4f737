#include "SplashPicture.h"

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
