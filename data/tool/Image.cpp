#include "Image.h"

namespace {

uint8_t Lerp(uint8_t a, uint8_t b, uint32_t t)
{
    return static_cast<uint8_t>((a * (255 - t) + b * t + 127) / 255);
}

} // namespace

Rgba MixColors(Rgba a, Rgba b, uint32_t t)
{
    if (t > 255)
        t = 255;
    return Rgba{Lerp(a.r, b.r, t), Lerp(a.g, b.g, t), Lerp(a.b, b.b, t), Lerp(a.a, b.a, t)};
}

CImage::CImage(int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    m_width = width;
    m_height = height;
    m_bytes.assign(static_cast<size_t>(width) * height * kBytesPerPixel, 0);
}

Rgba CImage::GetPixel(int x, int y) const
{
    if (!Contains(x, y))
        return Rgba{0, 0, 0, 0};
    const uint8_t* p = &m_bytes[Offset(x, y)];
    return Rgba{p[2], p[1], p[0], p[3]};
}

void CImage::SetPixel(int x, int y, Rgba color)
{
    if (!Contains(x, y))
        return;
    uint8_t* p = &m_bytes[Offset(x, y)];
    p[0] = color.b;
    p[1] = color.g;
    p[2] = color.r;
    p[3] = color.a;
}

void CImage::BlendPixel(int x, int y, Rgba color, uint32_t coverage)
{
    if (!Contains(x, y) || coverage == 0)
        return;
    if (coverage > 255)
        coverage = 255;
    // Straight alpha in integers: the new colour's weight and the old pixel's, both scaled by
    // 255 * 255 * 255, so that nothing is rounded before the end.
    const uint64_t source = static_cast<uint64_t>(color.a) * coverage;  // alpha * 65025
    const Rgba under = GetPixel(x, y);
    const uint64_t newWeight = source * 255;
    const uint64_t oldWeight = static_cast<uint64_t>(under.a) * (65025 - source);
    const uint64_t total = newWeight + oldWeight;
    if (total == 0)
        return;
    auto channel = [&](uint8_t over, uint8_t old) {
        return static_cast<uint8_t>((over * newWeight + old * oldWeight + total / 2) / total);
    };
    SetPixel(x, y, Rgba{channel(color.r, under.r), channel(color.g, under.g), channel(color.b, under.b),
                        static_cast<uint8_t>((total + 32512) / 65025)});
}

void CImage::Fill(Rgba color)
{
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            SetPixel(x, y, color);
}

void CImage::Draw(const CImage& other, int x, int y)
{
    for (int row = 0; row < other.m_height; ++row)
        for (int column = 0; column < other.m_width; ++column)
            BlendPixel(x + column, y + row, other.GetPixel(column, row), 255);
}
