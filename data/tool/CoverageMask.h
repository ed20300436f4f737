#pragma once
// A shape as coverage: one byte per pixel, 0 outside the shape, 255 inside, values between on
// its anti-aliased edges. Shapes are made by sampling an inside test at 4 x 4 points per pixel;
// outlines, glows and shadows are made by growing, blurring and moving masks. Pictures and
// glyphs of the data set are painted through masks (Lettering.h), so that they share one style.
//
// The rule a caller must know: reading outside the mask answers 0, writing there is ignored.
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

class CImage;
struct Rgba;

class CCoverageMask
{
public:
    using InsideTest = std::function<bool(double x, double y)>;

    CCoverageMask() = default;
    CCoverageMask(int width, int height);

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    uint8_t Get(int x, int y) const;
    void Set(int x, int y, uint8_t coverage);
    // Keeps the larger coverage of the pixel and the given one.
    void Raise(int x, int y, uint8_t coverage);

    // Adds the shape whose inside test answers for a point in pixel units (the centre of pixel
    // (0, 0) is (0.5, 0.5)); the union with what the mask holds.
    void AddShape(const InsideTest& inside);
    void AddPolygon(const std::vector<std::pair<double, double>>& points);
    void AddEllipse(double centerX, double centerY, double radiusX, double radiusY);
    void AddRoundedRect(double left, double top, double right, double bottom, double radius);
    // The union with another mask whose top-left pixel lies at (x, y).
    void AddMask(const CCoverageMask& other, int x, int y);
    // Removes the other mask's coverage (at (x, y)) from this one.
    void Subtract(const CCoverageMask& other, int x, int y);

    // The mask grown by radius pixels in every direction (a round brush); the same size.
    CCoverageMask Grown(int radius) const;
    // The mask softened by two box blurs of the radius; the same size.
    CCoverageMask Blurred(int radius) const;
    // The first and last row holding any coverage; (0, -1) for an empty mask.
    std::pair<int, int> GetInkRows() const;

    // Paints the colour through the mask onto the image, the mask's (0, 0) at (x, y).
    void Paint(CImage& image, int x, int y, Rgba color) const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<uint8_t> m_coverage;
};
