#include "graphics/stages/DepthConvertStage.h"

#include "blit/ColorPacking.h"
#include "foundation/RoundHalfAway.h"
#include "graphics/Ditherer.h"
#include "graphics/Frame.h"
#include "graphics/NearestColorSearch.h"
#include "graphics/PaletteTable.h"
#include "graphics/RunLengthRows.h"

#include <cmath>
#include <cstring>
#include <new>
#include <optional>

namespace {

struct Rgb
{
    uint8_t red, green, blue;
};

// The colour of a pixel or payload of 2 (5-6-5), 3 (B, G, R) or 4 (B, G, R, A) bytes.
Rgb ColorOf(const uint8_t* pixel, uint32_t bytes)
{
    if (bytes == 2) {
        const uint32_t bytes = Expand565(pixel[0] | (pixel[1] << 8));
        return {static_cast<uint8_t>(bytes >> 16), static_cast<uint8_t>(bytes >> 8), static_cast<uint8_t>(bytes)};
    }
    return {pixel[2], pixel[1], pixel[0]};
}

// The nearest entry of 1 to 254 of the current palette, one finder for a whole frame.
class CNearestIndex
{
public:
    uint8_t operator()(const Rgb& c) const { return m_find(c.red, c.green, c.blue); }

private:
    CNearestColorFinder m_find{*GetCurrentPaletteRef(), 1, 255};
};

void Store565(uint8_t* at, const Rgb& c)
{
    const uint16_t v = static_cast<uint16_t>(PackRgbToPixel16(c.red, c.green, c.blue));
    std::memcpy(at, &v, 2);
}

uint8_t ToLevel(float v)
{
    return static_cast<uint8_t>(RoundHalfAway(v * 255.0f));
}

// Rewrites every pixel of the plain rows in place, front to back, from inBytes to outBytes a
// pixel (outBytes <= inBytes, so no pixel is overwritten before it is read).
template <class Convert>
void RewritePlain(CFrame& frame, uint32_t outBytes, Convert convert)
{
    const uint32_t inBytes = frame.GetBytesPerPixel();
    uint8_t* pixels = frame.GetPixels();
    for (uint32_t row = 0; row < frame.GetHeight(); ++row) {
        const size_t first = frame.GetRowOffsets()[row];
        for (uint32_t x = 0; x < frame.GetWidth(); ++x)
            convert(pixels + (first + x) * inBytes, pixels + (first + x) * outBytes);
    }
}

void PlainTo8(CFrame& frame, bool dither)
{
    const uint32_t bytes = frame.GetBytesPerPixel();
    CPaletteTable* palette = GetCurrentPaletteRef();
    std::optional<CDitherer> ditherer;
    std::optional<CNearestIndex> nearest;
    if (dither && !palette->IsEmpty() && palette->GetKind() == 1)
        ditherer.emplace(frame.GetWidth(), 0.5f, *palette, *palette);
    else
        nearest.emplace();
    RewritePlain(frame, 1, [&](const uint8_t* from, uint8_t* to) {
        const Rgb c = ColorOf(from, bytes);
        *to = ditherer ? ditherer->Dither(c.red / 255.0f, c.green / 255.0f, c.blue / 255.0f) : (*nearest)(c);
    });
}

void PlainTo16(CFrame& frame, bool dither)
{
    const uint32_t bytes = frame.GetBytesPerPixel();
    std::optional<CDitherer> ditherer;
    if (dither)
        ditherer.emplace(frame.GetWidth(), 0.5f, 31, 31, 31);
    RewritePlain(frame, 2, [&](const uint8_t* from, uint8_t* to) {
        Rgb c = ColorOf(from, bytes);
        if (ditherer) {
            float red = c.red / 255.0f, green = c.green / 255.0f, blue = c.blue / 255.0f;
            ditherer->DitherToGrid(red, green, blue);
            c = {ToLevel(red), ToLevel(green), ToLevel(blue)};
        }
        Store565(to, c);
    });
}

// False, leaving the frame 32-bit, when any pixel is translucent (alpha below 250).
bool PlainTo24(CFrame& frame)
{
    for (uint32_t row = 0; row < frame.GetHeight(); ++row) {
        const uint8_t* at = frame.GetPixels() + static_cast<size_t>(frame.GetRowOffsets()[row]) * 4;
        for (uint32_t x = 0; x < frame.GetWidth(); ++x)
            if (at[x * 4 + 3] < 250)
                return false;
    }
    RewritePlain(frame, 3, [](const uint8_t* from, uint8_t* to) { std::memmove(to, from, 3); });
    return true;
}

// Walks the runs of every row of a block whose rows the encoder wrote in order, rewriting it in
// place from the block's start: emit(header, run pixels, payload, write cursor) returns the
// bytes written for the run. Each row's offset and the block's size are updated.
template <class Emit>
void RewriteBlock(uint8_t* block, uint32_t* rows, uint32_t height, uint32_t width, uint32_t inBytes, Emit emit)
{
    const uint32_t size = GetRunLengthBlockSize(block);
    if (!block || !rows || size < 4)
        return;
    uint32_t write = 4;
    for (uint32_t r = 0; r < height; ++r) {
        uint32_t read = rows[r];
        rows[r] = write;
        uint32_t covered = 0;
        while (covered < width && read < size) {
            const uint8_t header = block[read++];
            const uint32_t count = header & (header & 0x80 ? 0x7F : 0x3F);
            const uint32_t values = header & 0x80 ? 0 : header & 0x40 ? count : 1;
            if (read + static_cast<uint64_t>(values) * inBytes > size)
                break;
            write += emit(header, values, block + read, block + write);
            read += values * inBytes;
            covered += count;
        }
    }
    if (height < 2)
        rows[1] = write;
    std::memcpy(block, &write, 4);
}

// Payloads of inBytes become outBytes through convert(from, to); run headers stay.
template <class Convert>
void RewritePayloads(uint8_t* block, uint32_t* rows, const CFrame& frame, uint32_t inBytes, uint32_t outBytes,
                     Convert convert)
{
    RewriteBlock(block, rows, frame.GetHeight(), frame.GetWidth(), inBytes,
                 [&](uint8_t header, uint32_t values, const uint8_t* from, uint8_t* to) {
                     to[0] = header;
                     for (uint32_t i = 0; i < values; ++i)
                         convert(from + i * inBytes, to + 1 + i * outBytes);
                     return 1 + values * outBytes;
                 });
}

// The alpha layer of a two-band image keeps only its alpha bytes: one per literal pixel and one
// per fill run, without run headers, in step with the colour layer's runs.
void ReduceToAlpha(uint8_t* block, uint32_t* rows, const CFrame& frame)
{
    RewriteBlock(block, rows, frame.GetHeight(), frame.GetWidth(), 4,
                 [](uint8_t, uint32_t values, const uint8_t* from, uint8_t* to) {
                     for (uint32_t i = 0; i < values; ++i)
                         to[i] = from[i * 4 + 3];
                     return values;
                 });
}

// Main rows and layer 4 of a two-band image with 4-byte payloads take outBytes-byte payloads;
// layer 3 becomes bare alpha bytes.
template <class Convert>
void ConvertTwoBands(CFrame& frame, uint32_t outBytes, Convert convert)
{
    RewritePayloads(frame.GetPixels(), frame.GetRowOffsets(), frame, 4, outBytes, convert);
    RewritePayloads(frame.GetLayer4Pixels(), frame.GetLayer4RowOffsets(), frame, 4, outBytes, convert);
    ReduceToAlpha(frame.GetLayer3Pixels(), frame.GetLayer3RowOffsets(), frame);
}

void To565(const uint8_t* from, uint8_t* to)
{
    Store565(to, ColorOf(from, 4));
}

// Returns whether the frame now has the target's depth.
bool ConvertTo8(CFrame& frame, bool dither)
{
    const uint32_t bytes = frame.GetBytesPerPixel();
    switch (frame.GetFormatFlags() & kFrameRunLengthMask) {
    case 0:
        PlainTo8(frame, dither);
        return true;
    case kFrameRunLength8: {
        const CNearestIndex nearest;
        auto toIndex = [&](const uint8_t* from, uint8_t* to) { *to = nearest(ColorOf(from, bytes)); };
        RewritePayloads(frame.GetPixels(), frame.GetRowOffsets(), frame, bytes, 1, toIndex);
        uint8_t* layers[4] = {frame.GetLayer4Pixels(), frame.GetLayer3Pixels(), frame.GetLayer2Pixels(),
                              frame.GetLayer1Pixels()};
        uint32_t* tables[4] = {frame.GetLayer4RowOffsets(), frame.GetLayer3RowOffsets(), frame.GetLayer2RowOffsets(),
                               frame.GetLayer1RowOffsets()};
        for (int i = 0; i < 4; ++i)
            RewritePayloads(layers[i], tables[i], frame, bytes, 1, toIndex);
        return true;
    }
    case kFrameRunLengthAlpha:
        if (bytes == 4)
            ConvertTwoBands(frame, 2, To565);
        else if (bytes == 3)
            RewritePayloads(frame.GetPixels(), frame.GetRowOffsets(), frame, 3, 2,
                            [](const uint8_t* from, uint8_t* to) { Store565(to, ColorOf(from, 3)); });
        return true;
    default:
        return false;
    }
}

bool ConvertTo16(CFrame& frame, bool dither)
{
    const uint32_t bytes = frame.GetBytesPerPixel();
    const uint32_t format = frame.GetFormatFlags() & kFrameRunLengthMask;
    if (format == 0 && (bytes == 3 || bytes == 4)) {
        PlainTo16(frame, dither);
        return true;
    }
    if (format == kFrameRunLengthAlpha && bytes == 4) {
        ConvertTwoBands(frame, 2, To565);
        return true;
    }
    return false;
}

bool ConvertTo24(CFrame& frame)
{
    const uint32_t bytes = frame.GetBytesPerPixel();
    const uint32_t format = frame.GetFormatFlags() & kFrameRunLengthMask;
    if (format == 0 && bytes == 4)
        return PlainTo24(frame);
    if (format == kFrameRunLengthAlpha && bytes == 4) {
        ConvertTwoBands(frame, 3, [](const uint8_t* from, uint8_t* to) { std::memmove(to, from, 3); });
        return true;
    }
    return false;
}

} // namespace

CDepthConvertStage::CDepthConvertStage(bool dither, int32_t targetDepth)
    : CFrameLoadStage(kStageDepthConvert), m_targetDepth(targetDepth), m_dither(dither ? 1 : 0)
{
}

CFrameLoadStage* CDepthConvertStage::Clone() const
{
    return new (std::nothrow) CDepthConvertStage(m_dither != 0, m_targetDepth);
}

bool CDepthConvertStage::Apply(CFrameInterface* frame, const CIntRect&)
{
    CFrame* target = AsFrame(frame);
    if (!target)
        return false;
    if (!target->GetPixels() || !target->GetRowOffsets()) {
        target->SetDepthFlags(static_cast<uint32_t>(m_targetDepth));
        return true;
    }
    // A 32-bit display draws 24-bit frames (opaque ones and run-length ones with their
    // translucent layer) onto its 32-bit pixels, as a 24-bit display does; only a plain image with
    // translucent pixels stays 32-bit, drawn by its alpha.
    const int32_t depth = m_targetDepth == 32 ? 24 : m_targetDepth;
    if (target->GetBytesPerPixel() == 0 || target->GetBitsPerPixel() == static_cast<uint32_t>(depth))
        return true;
    bool converted = false;
    switch (depth) {
    case 8: converted = ConvertTo8(*target, m_dither != 0); break;
    case 16: converted = ConvertTo16(*target, m_dither != 0); break;
    case 24: converted = ConvertTo24(*target); break;
    default: break;
    }
    if (converted)
        target->SetDepthFlags(static_cast<uint32_t>(depth));
    return true;
}
