#pragma once
// A picture being drawn for the data set: 32-bit pixels stored B, G, R, A with straight (not
// premultiplied) alpha, rows top first, and the hot spot by which the picture is drawn. This is
// the form the engine's 32-bit frames hold, so a finished picture becomes a frame by copying.
//
// The rule a caller must know: drawing outside the picture is clipped, never an error.
#include <cstddef>
#include <cstdint>
#include <vector>

struct Rgba
{
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    uint8_t a = 255;
};

// The colour part of the way from a to b, t from 0 (a) to 255 (b), alpha included.
Rgba MixColors(Rgba a, Rgba b, uint32_t t);

class CImage
{
public:
    static constexpr uint32_t kBytesPerPixel = 4;

    CImage() = default;
    // A fully transparent picture; a size of 0 gives an empty picture.
    CImage(int width, int height);

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    bool IsEmpty() const { return m_width == 0 || m_height == 0; }
    // Bytes B, G, R, A per pixel, width * 4 bytes per row.
    const std::vector<uint8_t>& GetBytes() const { return m_bytes; }

    // The pixel's colour; transparent black outside the picture.
    Rgba GetPixel(int x, int y) const;
    void SetPixel(int x, int y, Rgba color);
    // Lays the colour over the pixel ("over" compositing) with its alpha scaled by coverage
    // (0 to 255).
    void BlendPixel(int x, int y, Rgba color, uint32_t coverage);
    void Fill(Rgba color);
    // Lays the other picture over this one with its top-left pixel at (x, y).
    void Draw(const CImage& other, int x, int y);

    // Where the picture's hot spot lies, in its own pixels.
    int GetHotSpotX() const { return m_hotSpotX; }
    int GetHotSpotY() const { return m_hotSpotY; }
    void SetHotSpot(int x, int y)
    {
        m_hotSpotX = x;
        m_hotSpotY = y;
    }

private:
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    size_t Offset(int x, int y) const { return (static_cast<size_t>(y) * m_width + x) * kBytesPerPixel; }

    int m_width = 0;
    int m_height = 0;
    int m_hotSpotX = 0;
    int m_hotSpotY = 0;
    std::vector<uint8_t> m_bytes;
};
