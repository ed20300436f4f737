// CFrame's solid and translucent fills and the remap of a rectangle, at every depth. A colour of
// alpha below 255 is laid over the pixels: mixed by arithmetic on 16, 24 and 32 bits, through the
// blend tables by the alpha's nearest fifth on 8 bits.
#include "graphics/Frame.h"

#include "blit/ColorPacking.h"
#include "blit/PaletteMix.h"
#include "blit/kernels/PixelAccess.h"
#include "blit/kernels/PixelSteps.h"
#include "graphics/Color.h"
#include "graphics/PaletteTable.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// The remap scale table of the deeper frames, rebuilt only when the ratio changes.
uint8_t s_remapScale[256];
float s_remapScaleRatio = std::numeric_limits<float>::quiet_NaN();

} // namespace

void CFrame::FillWithColor(const CColor& color)
{
    if (!HasPlainPixels() || GetBitsPerPixel() == 0)
        return;
    FillPixelRect(CIntRect{0, 0, m_width, m_height}, color);
}

void CFrame::FillPixelRect(const CIntRect& rect, const CColor& color)
{
    uint32_t width = static_cast<uint32_t>(rect.GetWidth());
    switch (GetBitsPerPixel()) {
    case 8: {
        uint32_t pattern = color.GetPaletteIndex() * 0x01010101u;
        for (int32_t row = rect.m_top; row < rect.m_bottom; ++row)
            FillBytes(PixelAddress(rect.m_left, row), pattern, width);
        break;
    }
    case 16: {
        uint16_t pixel = color.GetPixel16();
        for (int32_t row = rect.m_top; row < rect.m_bottom; ++row) {
            uint8_t* at = PixelAddress(rect.m_left, row);
            for (uint32_t i = 0; i < width; ++i)
                StorePixel16(at, i, pixel);
        }
        break;
    }
    case 24: {
        const uint8_t* bytes = color.GetPixel24();
        for (int32_t row = rect.m_top; row < rect.m_bottom; ++row) {
            uint8_t* at = PixelAddress(rect.m_left, row);
            for (uint32_t i = 0; i < width; ++i, at += 3)
                std::memcpy(at, bytes, 3);
        }
        break;
    }
    case 32: {
        const uint32_t pixel = color.GetPixel32();
        for (int32_t row = rect.m_top; row < rect.m_bottom; ++row)
            FillBytes(PixelAddress(rect.m_left, row), pixel, static_cast<size_t>(width) * 4);
        break;
    }
    default:
        break;
    }
}

void CFrame::FillRect(const CIntRect& rect, const CColor& color)
{
    const uint32_t depth = GetBitsPerPixel();
    CIntRect clipped;
    if (!HasPlainPixels() || depth == 0 || !ClipToPixels(rect, clipped))
        return;
    const uint32_t alpha = color.GetAlpha();
    if (alpha == 255) {
        // A 32-bit frame takes the colour opaque, as the other depths show it.
        CColor opaque = color;
        if (depth == 32)
            opaque.Set(color.GetRed(), color.GetGreen(), color.GetBlue(), 255);
        FillPixelRect(clipped, opaque);
        return;
    }
    const uint32_t width = static_cast<uint32_t>(clipped.GetWidth());
    auto eachRow = [&](auto&& row) {
        for (int32_t y = clipped.m_top; y < clipped.m_bottom; ++y)
            row(PixelAddress(clipped.m_left, y));
    };
    switch (depth) {
    case 8: {
        const PaletteMix mix = PaletteMix::ForStep(PaletteMixStep(alpha));
        const uint8_t index = color.GetPaletteIndex();
        eachRow([&](uint8_t* at) {
            for (uint32_t i = 0; i < width; ++i)
                at[i] = mix.Mix(at[i], index);
        });
        break;
    }
    case 16: {
        const uint16_t pixel = color.GetPixel16();
        eachRow([&](uint8_t* at) {
            for (uint32_t i = 0; i < width; ++i)
                StorePixel16(at, i, BlendPixel565(LoadPixel16(at, i), pixel, alpha));
        });
        break;
    }
    case 24:
    case 32: {
        const uint32_t bytes = depth / 8;
        const uint8_t* c = color.GetPixel24();
        eachRow([&](uint8_t* at) {
            for (uint32_t i = 0; i < width; ++i, at += bytes) {
                for (uint32_t k = 0; k < 3; ++k)
                    at[k] = BlendChannel24(at[k], c[k], alpha);
                if (bytes == 4)
                    at[3] = BlendChannel24(at[3], 255, alpha);
            }
        });
        break;
    }
    default:
        break;
    }
}

void CFrame::ApplyRemapTableToRect(const CIntRect& rect, const CPaletteTable& table)
{
    uint32_t depth = GetBitsPerPixel();
    const uint8_t* remap = table.GetData();
    if (!HasPlainPixels() || !remap || table.GetSize() < 256)
        return;
    CIntRect clipped;
    if (!ClipToPixels(rect, clipped))
        return;
    uint32_t width = static_cast<uint32_t>(clipped.GetWidth());

    if (depth == 8) {
        for (int32_t row = clipped.m_top; row < clipped.m_bottom; ++row) {
            uint8_t* at = PixelAddress(clipped.m_left, row);
            for (uint32_t i = 0; i < width; ++i)
                at[i] = remap[at[i]];
        }
        return;
    }
    if (depth != 16 && depth != 24 && depth != 32)
        return;

    // The table's effect on a mid grey of the current palette, as a brightness ratio.
    CPaletteTable* palette = GetCurrentPaletteRef();
    if (palette->IsEmpty() || palette->GetKind() != 1)
        return;
    uint8_t grey = palette->FindNearest(128, 128, 128, 0, 256);
    const uint8_t* entries = palette->GetData();
    uint8_t before = entries[grey * 3];
    uint8_t after = entries[remap[grey] * 3];
    // A grey entry without blue gives no ratio; leave the pixels as they are.
    float ratio = before == 0 ? 1.0f : static_cast<float>(after) / static_cast<float>(before);

    if (depth == 16) {
        CColor shade;
        if (ratio <= 1.0f)
            shade.ConstructRgba(0, 0, 0, static_cast<uint8_t>((1.0f - ratio) * 255.0f));
        else
            shade.ConstructRgba(255, 255, 255, static_cast<uint8_t>(std::min((ratio - 1.0f) * 0.2f, 1.0f) * 255.0f));
        FillRect(rect, shade);
        return;
    }
    if (!(ratio == s_remapScaleRatio)) {
        for (uint32_t i = 0; i < 256; ++i)
            s_remapScale[i] = static_cast<uint8_t>(std::min(std::lround(static_cast<float>(i) * ratio), 255L));
        s_remapScaleRatio = ratio;
    }
    // Colour bytes only: a 32-bit pixel keeps its alpha.
    const uint32_t bytes = depth / 8;
    for (int32_t row = clipped.m_top; row < clipped.m_bottom; ++row) {
        uint8_t* at = PixelAddress(clipped.m_left, row);
        for (uint32_t i = 0; i < width; ++i, at += bytes)
            for (uint32_t k = 0; k < 3; ++k)
                at[k] = s_remapScale[at[k]];
    }
}
