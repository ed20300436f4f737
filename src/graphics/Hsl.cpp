#include "graphics/Hsl.h"

#include <algorithm>

CHsl RgbToHsl(double red, double green, double blue)
{
    const double high = std::max({red, green, blue});
    const double low = std::min({red, green, blue});
    CHsl hsl;
    hsl.m_lightness = (high + low) / 2.0;
    if (high == low)
        return hsl;
    const double range = high - low;
    hsl.m_saturation = hsl.m_lightness <= 0.5 ? range / (high + low) : range / (2.0 - high - low);
    double hue;
    if (red == high)
        hue = (green - blue) / range;
    else if (green == high)
        hue = 2.0 + (blue - red) / range;
    else
        hue = 4.0 + (red - green) / range;
    hue *= 60.0;
    if (hue < 0.0)
        hue += 360.0;
    hsl.m_hue = hue;
    return hsl;
}

double HslComponent(double m1, double m2, double hue)
{
    if (hue > 360.0)
        hue -= 360.0;
    else if (hue < 0.0)
        hue += 360.0;
    if (hue < 60.0)
        return m1 + (m2 - m1) * hue / 60.0;
    if (hue < 180.0)
        return m2;
    if (hue < 240.0)
        return m1 + (m2 - m1) * (240.0 - hue) / 60.0;
    return m1;
}

void HslToRgb(double hue, double saturation, double lightness, double& red, double& green, double& blue)
{
    if (saturation == 0.0) {
        red = green = blue = lightness;
        return;
    }
    const double m2 = lightness <= 0.5 ? lightness * (1.0 + saturation) : lightness + saturation - lightness * saturation;
    const double m1 = 2.0 * lightness - m2;
    red = HslComponent(m1, m2, hue + 120.0);
    green = HslComponent(m1, m2, hue);
    blue = HslComponent(m1, m2, hue - 120.0);
}
