#include "blit/modes/WrapBlitRoutines.h"

#include "graphics/FrameInterface.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

// The source frame as a texture: rows of pixels and the masks that wrap coordinates into it.
struct Texture
{
    const uint8_t* pixels = nullptr;
    const uint32_t* rows = nullptr;
    uint32_t bytes = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t widthMask = 0;
    uint32_t heightMask = 0;

    const uint8_t* Row(uint32_t r) const { return pixels + static_cast<size_t>(rows[r]) * bytes; }
};

// 2^log2 - 1 from the frame's bit-length field; a field that would reach past the texture is not
// trusted, the mask then coming from the size itself.
uint32_t TextureMask(uint32_t log2, uint32_t size)
{
    const uint32_t mask = log2 < 32 ? static_cast<uint32_t>((uint64_t{1} << log2) - 1) : UINT32_MAX;
    return mask < size ? mask : std::bit_floor(size) - 1;
}

// False for a texture without pixels or of zero size (every wrapped coordinate would miss it).
bool ResolveTexture(CFrameInterface* source, uint32_t bytes, Texture& out)
{
    out.pixels = source->GetPixels();
    out.rows = source->GetRowOffsets();
    out.bytes = bytes;
    out.width = source->GetWidth();
    out.height = source->GetHeight();
    if (!out.pixels || !out.rows || out.width == 0 || out.height == 0)
        return false;
    out.widthMask = TextureMask(source->GetWidthLog2(), out.width);
    out.heightMask = TextureMask(source->GetHeightLog2(), out.height);
    return true;
}

enum class Wrapped
{
    Both,
    Columns,
    Rows
};

// n texture pixels onto pixels of DestinationBytes: copied, or (24 onto 32 bits) spread with
// alpha 255.
template <uint32_t SourceBytes, uint32_t DestinationBytes>
void CopyTexels(uint8_t* destination, const uint8_t* texels, uint32_t n)
{
    if constexpr (SourceBytes == DestinationBytes) {
        std::memmove(destination, texels, static_cast<size_t>(n) * SourceBytes);
    } else {
        static_assert(SourceBytes == 3 && DestinationBytes == 4);
        for (uint32_t j = 0; j < n; ++j, destination += 4, texels += 3) {
            std::memcpy(destination, texels, 3);
            destination[3] = 0xFF;
        }
    }
}

// n pixels from texture columns (x + j) & mask: copied in pieces that end where the wrapped
// column returns to 0, so a wide row costs a few copies, not a mask per pixel.
template <uint32_t SourceBytes, uint32_t DestinationBytes = SourceBytes>
void WrapRow(uint8_t* destination, const uint8_t* textureRow, uint32_t x, uint32_t mask, uint32_t n)
{
    while (n > 0) {
        const uint32_t column = x & mask;
        const uint32_t count = std::min(n, mask - column + 1);
        CopyTexels<SourceBytes, DestinationBytes>(destination, textureRow + static_cast<size_t>(column) * SourceBytes,
                                                  count);
        destination += static_cast<size_t>(count) * DestinationBytes;
        x += count;
        n -= count;
    }
}

template <uint32_t SourceBytes, Wrapped Form, uint32_t DestinationBytes = SourceBytes>
void WrapRows(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
              const CIntRect* destinationRect, CBlitter*)
{
    Texture texture;
    PlainRect to;
    if (!ResolveTexture(source, SourceBytes, texture) ||
        !ResolvePlainRect(destination, *destinationRect, DestinationBytes, to))
        return;
    // Unsigned, so that coordinates of any sign wrap without overflow.
    const uint32_t left = static_cast<uint32_t>(sourceRect->m_left);
    const uint32_t top = static_cast<uint32_t>(sourceRect->m_top);
    for (uint32_t k = 0; k < to.height; ++k) {
        uint32_t sourceRow = (top + k) & texture.heightMask;
        if constexpr (Form == Wrapped::Columns) {
            // Rows outside the texture would be read outside its memory.
            const int64_t straight = int64_t{sourceRect->m_top} + k;
            sourceRow = static_cast<uint32_t>(std::clamp<int64_t>(straight, 0, texture.height - 1));
        }
        const uint8_t* row = texture.Row(sourceRow);
        if constexpr (Form == Wrapped::Rows)
            CopyTexels<SourceBytes, DestinationBytes>(to.Row(k), row, std::min(to.width, texture.width));
        else
            WrapRow<SourceBytes, DestinationBytes>(to.Row(k), row, left, texture.widthMask, to.width);
    }
}

// Replaces the values of every run of the rows (main rows or layer 4 of a run-length 16-bit
// frame) by the texture; codes and run lengths are kept.
void RecolourRuns(uint8_t* data, const uint32_t* rowOffsets, uint32_t width, uint32_t height,
                  const Texture& texture, uint32_t left, uint32_t top)
{
    if (!data || !rowOffsets)
        return;
    for (uint32_t r = 0; r < height; ++r) {
        const uint8_t* textureRow = texture.Row((top + r) & texture.heightMask);
        uint8_t* codes = data + rowOffsets[r];
        uint32_t x = left;
        // The runs of a row add up to the width (the loader checks it); the count stops the walk
        // there even if they did not.
        for (uint32_t covered = 0; covered < width;) {
            const uint32_t code = *codes++;
            const uint32_t n = code & (code & 0x80 ? 0x7F : 0x3F);
            if (!(code & 0x80)) {
                const uint32_t values = code & 0x40 ? n : 1;
                WrapTextureRun16(codes, textureRow, x, texture.widthMask, values);
                codes += 2 * static_cast<size_t>(values);
            }
            x += n;
            covered += n;
        }
    }
}

} // namespace

void WrapTextureRun16(uint8_t* destination, const uint8_t* textureRow, uint32_t x, uint32_t mask, uint32_t n)
{
    WrapRow<2>(destination, textureRow, x, mask, n);
}

void WrapBlit8(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
               const CIntRect* destinationRect, CBlitter* blitter)
{
    WrapRows<1, Wrapped::Both>(source, sourceRect, destination, destinationRect, blitter);
}

void WrapBlit16(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                const CIntRect* destinationRect, CBlitter* blitter)
{
    WrapRows<2, Wrapped::Both>(source, sourceRect, destination, destinationRect, blitter);
}

void WrapBlit24(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                const CIntRect* destinationRect, CBlitter* blitter)
{
    WrapRows<3, Wrapped::Both>(source, sourceRect, destination, destinationRect, blitter);
}

void WrapBlit24To32(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                    const CIntRect* destinationRect, CBlitter* blitter)
{
    WrapRows<3, Wrapped::Both, 4>(source, sourceRect, destination, destinationRect, blitter);
}

void WrapBlit32(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                const CIntRect* destinationRect, CBlitter* blitter)
{
    WrapRows<4, Wrapped::Both>(source, sourceRect, destination, destinationRect, blitter);
}

void WrapXBlit8(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                const CIntRect* destinationRect, CBlitter* blitter)
{
    WrapRows<1, Wrapped::Columns>(source, sourceRect, destination, destinationRect, blitter);
}

void WrapXBlit16(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                 const CIntRect* destinationRect, CBlitter* blitter)
{
    WrapRows<2, Wrapped::Columns>(source, sourceRect, destination, destinationRect, blitter);
}

void WrapXBlit24(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                 const CIntRect* destinationRect, CBlitter* blitter)
{
    WrapRows<3, Wrapped::Columns>(source, sourceRect, destination, destinationRect, blitter);
}

void WrapYBlit8(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                const CIntRect* destinationRect, CBlitter* blitter)
{
    WrapRows<1, Wrapped::Rows>(source, sourceRect, destination, destinationRect, blitter);
}

void WrapYBlit16(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                 const CIntRect* destinationRect, CBlitter* blitter)
{
    WrapRows<2, Wrapped::Rows>(source, sourceRect, destination, destinationRect, blitter);
}

void WrapYBlit24(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                 const CIntRect* destinationRect, CBlitter* blitter)
{
    WrapRows<3, Wrapped::Rows>(source, sourceRect, destination, destinationRect, blitter);
}

void WrapBlitIntoRle16(CFrameInterface* source, const CIntRect* sourceRect, CFrameInterface* destination,
                       const CIntRect*, CBlitter*)
{
    Texture texture;
    if (!ResolveTexture(source, 2, texture))
        return;
    const uint32_t left = static_cast<uint32_t>(sourceRect->m_left);
    const uint32_t top = static_cast<uint32_t>(sourceRect->m_top);
    const uint32_t width = destination->GetWidth(), height = destination->GetHeight();
    RecolourRuns(destination->GetPixels(), destination->GetRowOffsets(), width, height, texture, left, top);
    RecolourRuns(destination->GetLayer4Pixels(), destination->GetLayer4RowOffsets(), width, height, texture, left,
                 top);
}
