#include "graphics/AntialiasedLine.h"

#include "blit/BlendTables.h"
#include "foundation/Win32Services.h"
#include "graphics/Color.h"
#include "graphics/FrameInterface.h"
#include "graphics/PaletteTable.h"

#include <cstdlib>
#include <limits>
#include <utility>

namespace {

// Frames wider or taller than this do not fit 16.16 coordinates.
constexpr uint32_t kMaxSide = 0x7FFF;

int32_t ToFixed(float value)
{
    const float scaled = value * 65536.0f;
    if (!(scaled > -2147483648.0f))
        return std::numeric_limits<int32_t>::min();
    if (!(scaled < 2147483648.0f))
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(scaled);
}

// The weights of one pixel: 255 - f for the nearer one, f for the next across the line.
struct CPixelTarget
{
    uint8_t* m_pixels;
    const uint32_t* m_rows;
    uint32_t m_width;
    uint32_t m_height;
    uint32_t m_bytesPerPixel;

    uint8_t* At(uint32_t column, uint32_t row) const
    {
        return m_pixels + (static_cast<size_t>(m_rows[row]) + column) * m_bytesPerPixel;
    }
};

// a / b in 16.16, moved one unit towards zero when count whole steps of it would pass the end.
int32_t StepFor(int32_t minor, int32_t major)
{
    const int32_t length = std::abs(major);
    int32_t step = FixedPointDivide(minor, length, 16);
    if (std::abs(static_cast<int64_t>(length >> 16) * step) > std::abs(static_cast<int64_t>(minor)))
        step += step > 0 ? -1 : 1;
    return step;
}

// Walks the line and calls blend(pixel address, weight) for both pixels of every step. Checked:
// each pixel is tested against the frame; otherwise both lie inside by the caller's test.
template <bool kChecked, class Blend>
void Walk(const CPixelTarget& target, int32_t x0, int32_t y0, int32_t x1, int32_t y1, bool steep, Blend&& blend)
{
    auto light = [&](int64_t column, int64_t row, uint32_t weight) {
        // Weight 0 leaves the pixel as it is (an 8-bit lookup could move it to another index).
        if (weight == 0 || (kChecked && (column < 0 || row < 0 || column >= target.m_width || row >= target.m_height)))
            return;
        blend(target.At(static_cast<uint32_t>(column), static_cast<uint32_t>(row)), weight);
    };
    // Along the major axis a, across it b; a steep line runs over rows.
    int32_t a0 = steep ? y0 : x0, b0 = steep ? x0 : y0, a1 = steep ? y1 : x1, b1 = steep ? x1 : y1;
    if (a1 < a0) {
        std::swap(a0, a1);
        std::swap(b0, b1);
    }
    const int32_t step = StepFor(b1 - b0, a1 - a0);
    int64_t b = b0;
    for (int32_t a = a0 >> 16; a <= (a1 >> 16); ++a, b += step) {
        const uint32_t f = static_cast<uint32_t>(b >> 8) & 0xFF;
        // A row index below 0 is taken as 0.
        const int64_t across = !steep && b < 0 ? 0 : b >> 16;
        if (steep) {
            light(across, a, 255 - f);
            light(across + 1, a, f);
        } else {
            light(a, across, 255 - f);
            light(a, across + 1, f);
        }
    }
}

template <class Blend>
void Rasterise(CFrameInterface& frame, uint32_t bytesPerPixel, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
               Blend&& blend)
{
    const CPixelTarget target{frame.GetPixels(), frame.GetRowOffsets(), frame.GetWidth(), frame.GetHeight(),
                              bytesPerPixel};
    if (!target.m_pixels || !target.m_rows)
        return;
    const int64_t dx = static_cast<int64_t>(x1) - x0, dy = static_cast<int64_t>(y1) - y0;
    if (dx == 0 && dy == 0)
        return;
    const bool steep = std::abs(dx) < std::abs(dy);
    // Both pixels of every step lie inside when both ends lie well inside across the line.
    const int64_t limit = steep ? target.m_width : target.m_height;
    const int64_t a = (steep ? x0 : y0) >> 16, b = (steep ? x1 : y1) >> 16;
    if (a > 0 && a + 2 < limit && b > 0 && b + 2 < limit)
        Walk<false>(target, x0, y0, x1, y1, steep, blend);
    else
        Walk<true>(target, x0, y0, x1, y1, steep, blend);
}

// The colour channels of a palette index and the index nearest to three channels: the 8-bit
// display's tables where they are built, else a search of the current palette.
class CPaletteChannels
{
public:
    CPaletteChannels()
        : m_tables(!g_inverseColorTable15.IsEmpty() && ArePackingTablesBuilt()), m_palette(GetCurrentPaletteRef())
    {
    }
    bool Usable() const { return m_tables || (m_palette && !m_palette->IsEmpty() && m_palette->GetKind() == 1); }
    void Channels(uint8_t index, int32_t out[3]) const
    {
        if (m_tables) {
            out[0] = static_cast<int32_t>(g_paletteRed[index]);
            out[1] = static_cast<int32_t>(g_paletteGreen[index]);
            out[2] = static_cast<int32_t>(g_paletteBlue[index]);
            return;
        }
        uint8_t r, g, b;
        m_palette->GetEntry(index, r, g, b);
        out[0] = r;
        out[1] = g;
        out[2] = b;
    }
    uint8_t Nearest(int32_t red, int32_t green, int32_t blue) const
    {
        const auto r = static_cast<uint8_t>(red), g = static_cast<uint8_t>(green), b = static_cast<uint8_t>(blue);
        return m_tables ? g_inverseColorTable15.FindNearest(r, g, b, 0, 256) : m_palette->FindNearest(r, g, b, 1, 256);
    }

private:
    bool m_tables;
    CPaletteTable* m_palette;
};

} // namespace

void DrawAntialiasedLine8(CFrameInterface& frame, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint8_t index)
{
    const CPaletteChannels palette;
    if (!palette.Usable())
        return;
    int32_t source[3];
    palette.Channels(index, source);
    Rasterise(frame, 1, x0, y0, x1, y1, [&](uint8_t* at, uint32_t w) {
        int32_t v[3];
        palette.Channels(*at, v);
        for (int i = 0; i < 3; ++i)
            v[i] += (source[i] - v[i]) * static_cast<int32_t>(w) / 256;
        *at = palette.Nearest(v[0], v[1], v[2]);
    });
}

void DrawAntialiasedLine16(CFrameInterface& frame, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint16_t pixel)
{
    const int32_t sr = pixel >> 11, sg = (pixel >> 5) & 0x3F, sb = pixel & 0x1F;
    Rasterise(frame, 2, x0, y0, x1, y1, [&](uint8_t* at, uint32_t w) {
        const uint32_t d = at[0] | (at[1] << 8);
        const int32_t dr = static_cast<int32_t>(d >> 11), dg = static_cast<int32_t>((d >> 5) & 0x3F);
        const int32_t db = static_cast<int32_t>(d & 0x1F);
        const int32_t w5 = static_cast<int32_t>(w >> 3), w6 = static_cast<int32_t>(w >> 2);
        const int32_t r = dr + (((sr - dr) * w5) >> 5);
        const int32_t g = dg + (((sg - dg) * w6) >> 6);
        const int32_t b = db + (((sb - db) * w5) >> 5);
        const uint32_t out = ((static_cast<uint32_t>(r) << 11) & 0xF800) | ((static_cast<uint32_t>(g) << 5) & 0x07E0) |
                             (static_cast<uint32_t>(b) & 0x001F);
        at[0] = static_cast<uint8_t>(out);
        at[1] = static_cast<uint8_t>(out >> 8);
    });
}

void DrawAntialiasedLine24(CFrameInterface& frame, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                           const uint8_t* bytes, uint32_t bytesPerPixel)
{
    const uint8_t source[3] = {bytes[0], bytes[1], bytes[2]};
    Rasterise(frame, bytesPerPixel, x0, y0, x1, y1, [&](uint8_t* at, uint32_t w) {
        for (int i = 0; i < 3; ++i)
            at[i] = static_cast<uint8_t>(at[i] + (source[i] - at[i]) * static_cast<int32_t>(w) / 256);
    });
}

void DrawAntialiasedLineOnFrame(CFrameInterface& frame, float x0, float y0, float x1, float y1, const CColor& color)
{
    const uint32_t flags = frame.GetFormatFlags();
    const uint32_t width = frame.GetWidth(), height = frame.GetHeight();
    if ((flags & kFrameRunLengthMask) != 0 || width == 0 || height == 0 || width > kMaxSide || height > kMaxSide)
        return;
    const float left = frame.GetLeft(), top = frame.GetTop();
    int32_t fx0 = ToFixed(x0 - left), fy0 = ToFixed(y0 - top), fx1 = ToFixed(x1 - left), fy1 = ToFixed(y1 - top);
    const CIntRect area{0, 0, static_cast<int32_t>(width << 16), static_cast<int32_t>(height << 16)};
    if (!ClipLine(area, fx0, fy0, fx1, fy1))
        return;
    switch (flags & kFrameDepthMask) {
    case kFrameDepth8: {
        constexpr uint32_t kWhole = 0xFFFF0000u;
        auto whole = [](int32_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v) & kWhole); };
        DrawAntialiasedLine8(frame, whole(fx0), whole(fy0), whole(fx1), whole(fy1), color.GetPaletteIndex());
        break;
    }
    case kFrameDepth16:
        DrawAntialiasedLine16(frame, fx0, fy0, fx1, fy1, color.GetPixel16());
        break;
    case kFrameDepth24:
        DrawAntialiasedLine24(frame, fx0, fy0, fx1, fy1, color.GetPixel24(), 3);
        break;
    case kFrameDepth32:
        DrawAntialiasedLine24(frame, fx0, fy0, fx1, fy1, color.GetPixel24(), 4);
        break;
    default:
        break;
    }
}
