#pragma once
// Hue, saturation and lightness: the colour space in which the palette builders change a colour's
// lightness or lay one colour's hue over another. Channels, saturation and lightness are 0..1,
// hue is in degrees.
struct CHsl
{
    double m_hue = 0.0;        // [0, 360); 0 for greys
    double m_saturation = 0.0; // 0 for greys
    double m_lightness = 0.0;
};

CHsl RgbToHsl(double red, double green, double blue);
// One channel of the way back: hue is brought into [0, 360] by one step of 360 either way.
double HslComponent(double m1, double m2, double hue);
// The way back to red, green and blue (0..1, not clamped): all three equal the lightness when the
// saturation is 0.
void HslToRgb(double hue, double saturation, double lightness, double& red, double& green, double& blue);
