#include "CoverageMask.h"

#include "Image.h"

#include <algorithm>

namespace {

// Samples per pixel along each axis; 16 samples give 17 levels of coverage.
constexpr int kSamples = 4;

} // namespace

CCoverageMask::CCoverageMask(int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    m_width = width;
    m_height = height;
    m_coverage.assign(static_cast<size_t>(width) * height, 0);
}

uint8_t CCoverageMask::Get(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0;
    return m_coverage[static_cast<size_t>(y) * m_width + x];
}

void CCoverageMask::Set(int x, int y, uint8_t coverage)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    m_coverage[static_cast<size_t>(y) * m_width + x] = coverage;
}

void CCoverageMask::Raise(int x, int y, uint8_t coverage)
{
    if (coverage > Get(x, y))
        Set(x, y, coverage);
}

void CCoverageMask::AddShape(const InsideTest& inside)
{
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x) {
            int hits = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx)
                    if (inside(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples))
                        ++hits;
            Raise(x, y, static_cast<uint8_t>(hits * 255 / (kSamples * kSamples)));
        }
}

void CCoverageMask::AddPolygon(const std::vector<std::pair<double, double>>& points)
{
    // Even-odd rule: a point is inside when a ray to the right crosses the edges an odd number of times.
    AddShape([&points](double x, double y) {
        bool inside = false;
        for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const auto [xi, yi] = points[i];
            const auto [xj, yj] = points[j];
            if ((yi > y) != (yj > y) && x < xj + (y - yj) * (xi - xj) / (yi - yj))
                inside = !inside;
        }
        return inside;
    });
}

void CCoverageMask::AddEllipse(double centerX, double centerY, double radiusX, double radiusY)
{
    AddShape([=](double x, double y) {
        const double dx = (x - centerX) / radiusX;
        const double dy = (y - centerY) / radiusY;
        return dx * dx + dy * dy <= 1.0;
    });
}

void CCoverageMask::AddRoundedRect(double left, double top, double right, double bottom, double radius)
{
    AddShape([=](double x, double y) {
        if (x < left || x > right || y < top || y > bottom)
            return false;
        // Only the corners are cut: measure from the nearest corner circle's centre.
        const double cx = std::clamp(x, left + radius, right - radius);
        const double cy = std::clamp(y, top + radius, bottom - radius);
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
    });
}

void CCoverageMask::AddMask(const CCoverageMask& other, int x, int y)
{
    for (int row = 0; row < other.m_height; ++row)
        for (int column = 0; column < other.m_width; ++column)
            Raise(x + column, y + row, other.Get(column, row));
}

void CCoverageMask::Subtract(const CCoverageMask& other, int x, int y)
{
    for (int row = 0; row < m_height; ++row)
        for (int column = 0; column < m_width; ++column)
            Set(column, row,
                static_cast<uint8_t>(Get(column, row) * (255 - other.Get(column - x, row - y)) / 255));
}

CCoverageMask CCoverageMask::Grown(int radius) const
{
    CCoverageMask grown(m_width, m_height);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x) {
            uint8_t most = 0;
            for (int dy = -radius; dy <= radius; ++dy)
                for (int dx = -radius; dx <= radius; ++dx)
                    if (dx * dx + dy * dy <= radius * radius + radius)
                        most = std::max(most, Get(x + dx, y + dy));
            grown.Set(x, y, most);
        }
    return grown;
}

CCoverageMask CCoverageMask::Blurred(int radius) const
{
    CCoverageMask result = *this;
    if (radius <= 0)
        return result;
    const int span = 2 * radius + 1;
    for (int pass = 0; pass < 2; ++pass) {
        CCoverageMask across(m_width, m_height);
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x) {
                int sum = 0;
                for (int d = -radius; d <= radius; ++d)
                    sum += result.Get(x + d, y);
                across.Set(x, y, static_cast<uint8_t>((sum + span / 2) / span));
            }
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x) {
                int sum = 0;
                for (int d = -radius; d <= radius; ++d)
                    sum += across.Get(x, y + d);
                result.Set(x, y, static_cast<uint8_t>((sum + span / 2) / span));
            }
    }
    return result;
}

std::pair<int, int> CCoverageMask::GetInkRows() const
{
    int first = -1;
    int last = -1;
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            if (Get(x, y) != 0) {
                if (first < 0)
                    first = y;
                last = y;
                break;
            }
    return first < 0 ? std::pair{0, -1} : std::pair{first, last};
}

void CCoverageMask::Paint(CImage& image, int x, int y, Rgba color) const
{
    for (int row = 0; row < m_height; ++row)
        for (int column = 0; column < m_width; ++column)
            image.BlendPixel(x + column, y + row, color, Get(column, row));
}
