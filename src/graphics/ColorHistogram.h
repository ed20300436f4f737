#pragma once
// The colour histogram of a true-colour image and the median-cut quantizer that turns it into at
// most 256 palette colours. Colours are counted at 6 bits a channel: 64 x 64 x 64 counters,
// indexed blue, green, red (axis 0 is blue). The quantizer splits boxes of the colour cube where
// the summed squared error of the two parts is least, always splitting the box of largest error.
#include <cstdint>
#include <vector>

class CFrame;

class CColorHistogram
{
public:
    static constexpr uint32_t kSide = 64;

    CColorHistogram();

    // Every counter 0.
    void Clear();
    // Counts every pixel of a plain 24-bit frame (bytes blue, green, red); any other frame adds
    // nothing.
    void AddFramePixels(const CFrame& frame);
    // Counts one colour once.
    void AddColor(uint8_t red, uint8_t green, uint8_t blue);

    static uint32_t IndexOf(uint8_t blue, uint8_t green, uint8_t red)
    {
        return (blue >> 2) * kSide * kSide + (green >> 2) * kSide + (red >> 2);
    }
    // The counter of the cell at the three 6-bit positions (blue, green, red).
    uint32_t GetCount(uint32_t axis0, uint32_t axis1, uint32_t axis2) const
    {
        return m_counts[(axis0 * kSide + axis1) * kSide + axis2];
    }

private:
    std::vector<uint32_t> m_counts;
};

// Writes up to maxColors palette entries (3 bytes each: blue, green, red) and sets colorCount to
// the number written: one per box of the median cut. An empty histogram or a maximum of 0 gives
// none.
void QuantizeHistogram(const CColorHistogram& histogram, uint32_t maxColors, uint8_t* entries,
                       uint32_t& colorCount);
