#include "graphics/TgaImage.h"

#include "blit/ColorPacking.h"
#include "blit/modes/CopyBlitter.h"
#include "foundation/OpenFlags.h"
#include "foundation/VirtualFile.h"
#include "foundation/Win32Services.h"
#include "graphics/Frame.h"
#include "graphics/NearestColorSearch.h"
#include "graphics/PaletteTable.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

uint16_t ReadU16(const uint8_t* at)
{
    return static_cast<uint16_t>(at[0] | (at[1] << 8));
}

void AppendU16(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

[[noreturn]] void ReportCorruptRow(const char* fileName, uint32_t row)
{
    const std::string text = std::string("The TGA you loaded '") + (fileName ? fileName : "") + "' is corrupt (line " +
                             std::to_string(row) + ").";
    FatalExit("FATAL ERROR", text.c_str());
}

// The run-length packets of an image, read row by row. A packet may run on into the next row, as
// the format allows; the state of the packet under way is carried from row to row.
class RunLengthReader
{
public:
    RunLengthReader(const uint8_t* bytes, uint32_t size, uint64_t at, uint32_t pixelBytes)
        : m_bytes(bytes), m_size(size), m_at(at), m_pixelBytes(pixelBytes)
    {
    }

    // Decodes the next width pixels into row. False when the data ends early. The packet's state
    // is worked in locals: the row's bytes may alias anything, the members included.
    bool DecodeRow(uint8_t* row, uint32_t width)
    {
        const uint32_t pixelBytes = m_pixelBytes;
        uint64_t at = m_at;
        uint32_t left = m_left;
        bool run = m_run;
        bool whole = true;
        for (uint32_t covered = 0; covered < width;) {
            if (left == 0 && !StartPacket(at, left, run)) {
                whole = false;
                break;
            }
            const uint32_t count = std::min(left, width - covered);
            uint8_t* to = row + static_cast<size_t>(covered) * pixelBytes;
            const uint8_t* from = m_bytes + at;
            if (run) {
                for (uint32_t i = 0; i < count; ++i, to += pixelBytes)
                    std::memcpy(to, from, pixelBytes);
            } else {
                std::memcpy(to, from, static_cast<size_t>(count) * pixelBytes);
                at += static_cast<uint64_t>(count) * pixelBytes;
            }
            left -= count;
            covered += count;
            if (run && left == 0)
                at += pixelBytes;
        }
        m_at = at;
        m_left = left;
        m_run = run;
        return whole;
    }

    // Pixels of the last packet left over when the image is whole: a packet past its end.
    bool HasPixelsLeft() const { return m_left != 0; }

private:
    bool StartPacket(uint64_t& at, uint32_t& left, bool& run) const
    {
        if (at >= m_size)
            return false;
        const uint8_t header = m_bytes[at++];
        run = (header & 0x80) != 0;
        left = (header & 0x7F) + 1u;
        const uint64_t dataBytes = run ? m_pixelBytes : static_cast<uint64_t>(left) * m_pixelBytes;
        return at + dataBytes <= m_size;
    }

    const uint8_t* m_bytes;
    uint32_t m_size;
    uint64_t m_at;
    uint32_t m_pixelBytes;
    uint32_t m_left = 0;   // pixels of the current packet still to store
    bool m_run = false;
};

// One pixel of B, G, R (, A) source bytes into a frame pixel of FrameBytes.
template <uint32_t SourceBytes, uint32_t FrameBytes>
inline void ConvertPixel(const uint8_t* from, uint8_t* to, const CNearestColorFinder* nearest)
{
    const bool black = (from[0] | from[1] | from[2]) == 0;
    if constexpr (FrameBytes == 1) {
        *to = black ? 0 : (*nearest)(from[2], from[1], from[0]);
    } else if constexpr (FrameBytes == 2) {
        const uint16_t v = static_cast<uint16_t>(PackRgbToPixel16(from[2], from[1], from[0]));
        std::memcpy(to, &v, 2);
    } else {
        std::memcpy(to, from, 3);
        if constexpr (FrameBytes == 4)
            to[3] = SourceBytes == 4 ? from[3] : (black ? 0 : 255);
    }
}

// One row of source pixels into a frame row; a mirrored row (stored right to left) fills the
// frame row from its right end. Rows whose pixels stay as they are copy whole.
template <uint32_t SourceBytes, uint32_t FrameBytes>
void ConvertPixels(const uint8_t* from, uint8_t* to, uint32_t width, bool mirrored, const CNearestColorFinder* nearest)
{
    if (width == 0)
        return;
    if (SourceBytes == FrameBytes && !mirrored) {
        std::memcpy(to, from, static_cast<size_t>(width) * FrameBytes);
        return;
    }
    const ptrdiff_t step = mirrored ? -ptrdiff_t{FrameBytes} : ptrdiff_t{FrameBytes};
    uint8_t* at = mirrored ? to + static_cast<size_t>(width - 1) * FrameBytes : to;
    for (uint32_t i = 0; i < width; ++i, from += SourceBytes, at += step)
        ConvertPixel<SourceBytes, FrameBytes>(from, at, nearest);
}

template <uint32_t SourceBytes>
void ConvertRowFrom(const uint8_t* from, uint8_t* to, uint32_t depth, uint32_t width, bool mirrored,
                    const CNearestColorFinder* nearest)
{
    switch (depth) {
    case 8: ConvertPixels<SourceBytes, 1>(from, to, width, mirrored, nearest); break;
    case 16: ConvertPixels<SourceBytes, 2>(from, to, width, mirrored, nearest); break;
    case 24: ConvertPixels<SourceBytes, 3>(from, to, width, mirrored, nearest); break;
    default: ConvertPixels<SourceBytes, 4>(from, to, width, mirrored, nearest); break;
    }
}

// One row of B, G, R (, A) source pixels into a frame row of the given depth; 8-bit frames take
// their indices from nearest.
void ConvertRow(const uint8_t* from, uint32_t pixelBytes, uint8_t* to, uint32_t depth, uint32_t width,
                const CNearestColorFinder* nearest, bool mirrored)
{
    if (pixelBytes == 4)
        ConvertRowFrom<4>(from, to, depth, width, mirrored, nearest);
    else
        ConvertRowFrom<3>(from, to, depth, width, mirrored, nearest);
}

bool ReadHeaderOf(const char* fileName, CTgaHeader& header)
{
    CVirtualFile file;
    if (!file.Open(fileName, VF_READ))
        return false;
    uint8_t bytes[20] = {};
    const uint32_t got = file.Read(bytes, sizeof bytes);
    file.Close();
    return ReadTgaHeader(bytes, got, header);
}

// Pixels from x on that equal pixel x, after it, counted at most limit.
uint32_t CountRepeats(const uint8_t* row, uint32_t bytes, uint32_t x, uint32_t limit)
{
    uint32_t n = 0;
    while (n < limit && std::memcmp(row + (x + n + 1) * bytes, row + x * bytes, bytes) == 0)
        ++n;
    return n;
}

// Pixels from x on that each differ from their right neighbour, counted at most limit.
uint32_t CountChanges(const uint8_t* row, uint32_t bytes, uint32_t x, uint32_t limit)
{
    uint32_t n = 0;
    while (n < limit && std::memcmp(row + (x + n + 1) * bytes, row + (x + n) * bytes, bytes) != 0)
        ++n;
    return n;
}

void EncodeRow(const uint8_t* row, uint32_t bytes, uint32_t width, std::vector<uint8_t>& out)
{
    uint32_t x = 0;
    while (x < width) {
        const uint32_t limit = std::min<uint32_t>(127, width - x - 1);
        const uint32_t repeats = CountRepeats(row, bytes, x, limit);
        if (repeats > 0) {
            out.push_back(static_cast<uint8_t>(0x80 | repeats));
            out.insert(out.end(), row + x * bytes, row + (x + 1) * bytes);
            x += repeats + 1;
            continue;
        }
        const uint32_t n = std::max<uint32_t>(1, CountChanges(row, bytes, x, limit));
        out.push_back(static_cast<uint8_t>(n - 1));
        out.insert(out.end(), row + x * bytes, row + (x + n) * bytes);
        x += n;
    }
}

} // namespace

bool ReadTgaHeader(const uint8_t* bytes, uint32_t size, CTgaHeader& out)
{
    if (!bytes || size < kTgaHeaderSize)
        return false;
    out.m_idLength = bytes[0];
    out.m_colorMapType = bytes[1];
    out.m_imageType = bytes[2];
    out.m_colorMapFirst = ReadU16(bytes + 3);
    out.m_colorMapLength = ReadU16(bytes + 5);
    out.m_colorMapEntrySize = bytes[7];
    out.m_xOrigin = ReadU16(bytes + 8);
    out.m_yOrigin = ReadU16(bytes + 10);
    out.m_width = ReadU16(bytes + 12);
    out.m_height = ReadU16(bytes + 14);
    out.m_bitsPerPixel = bytes[16];
    out.m_descriptor = bytes[17];
    return out.m_colorMapType == 0 &&
           (out.m_imageType == kTgaTrueColor || out.m_imageType == kTgaRunLengthTrueColor) &&
           (out.m_bitsPerPixel == 24 || out.m_bitsPerPixel == 32);
}

bool ReadTga(CFrame& frame, const uint8_t* bytes, uint32_t size, const char* fileName, CPaletteTable* palette,
             uint32_t depth)
{
    CTgaHeader header;
    if (!ReadTgaHeader(bytes, size, header))
        return false;
    if (depth != 8 && depth != 16 && depth != 24 && depth != 32) {
        frame.FreePixels();
        return false;
    }
    const uint32_t width = header.m_width;
    const uint32_t height = header.m_height;
    const uint32_t pixelBytes = header.m_bitsPerPixel / 8u;
    const uint64_t rowBytes = static_cast<uint64_t>(width) * pixelBytes;
    uint64_t at = kTgaHeaderSize + header.m_idLength;
    const bool runLength = header.m_imageType == kTgaRunLengthTrueColor;
    // The fewest bytes that can hold the pixels: a run packet covers at most 128 of them. A header
    // asking for more pixels than the file could hold gets no memory for them.
    const uint64_t pixels = static_cast<uint64_t>(width) * height;
    const uint64_t leastBytes = runLength ? (pixels + 127) / 128 * (1 + uint64_t(pixelBytes)) : rowBytes * height;
    if (at + leastBytes > size) {
        frame.FreePixels();
        return false;
    }
    frame.Create(width, height, depth);
    if (!frame.GetPixels() && pixels != 0)
        return false;

    // Pictures repeat their colours: an 8-bit frame's indices come from the shared nearest-colour
    // search, which remembers its answers, not from a search of every entry for every pixel.
    std::optional<CNearestColorFinder> nearest;
    if (depth == 8)
        nearest.emplace(palette ? *palette : *GetCurrentPaletteRef(), 1, 256);
    std::vector<uint8_t> decoded(runLength ? static_cast<size_t>(rowBytes) : 0);
    RunLengthReader packets(bytes, size, at, pixelBytes);
    const uint32_t frameBytes = depth / 8;
    const bool mirrored = (header.m_descriptor & 0x10) != 0;
    uint32_t row = 0;
    for (uint32_t y = 0; y < height; ++y) {
        row = (header.m_descriptor & 0x20) ? y : height - 1 - y;
        const uint8_t* from = bytes + at;
        if (runLength) {
            if (!packets.DecodeRow(decoded.data(), width)) {
                frame.FreePixels();
                return false;
            }
            from = decoded.data();
        } else {
            at += rowBytes;
        }
        uint8_t* to = frame.GetPixels() + static_cast<size_t>(frame.GetRowOffsets()[row]) * frameBytes;
        ConvertRow(from, pixelBytes, to, depth, width, nearest ? &*nearest : nullptr, mirrored);
    }
    if (packets.HasPixelsLeft())
        ReportCorruptRow(fileName, row);
    return width != 0;
}

bool IsRunLengthTga(const char* fileName)
{
    CTgaHeader header;
    return ReadHeaderOf(fileName, header) && header.m_imageType == kTgaRunLengthTrueColor;
}

uint8_t GetTgaBitsPerPixel(const char* fileName)
{
    CTgaHeader header;
    return ReadHeaderOf(fileName, header) ? header.m_bitsPerPixel : 0;
}

bool WriteTga(CFrame& frame, const char* fileName, uint32_t openMode)
{
    CFrame decoded;
    CFrame* source = &frame;
    if (frame.GetFormatFlags() & kFrameRunLengthMask) {
        decoded.Create(frame.GetWidth(), frame.GetHeight(), frame.GetBitsPerPixel());
        CIntRect bounds;
        frame.GetBounds(bounds);
        if (!decoded.Blit(&frame, bounds, CIntRect{0, 0, frame.GetWidth(), frame.GetHeight()}, &g_copyBlitter))
            return false;
        if (frame.HasPalette())
            decoded.SetPalette(*frame.GetPalette());
        source = &decoded;
    }
    const uint32_t depth = source->GetBitsPerPixel();
    const uint32_t width = source->GetWidth();
    const uint32_t height = source->GetHeight();
    if (!source->GetPixels() || !source->GetRowOffsets() || width == 0 || height == 0 ||
        (depth != 8 && depth != 24 && depth != 32))
        return false;

    const bool mapped = depth == 8;
    std::vector<uint8_t> out = {0, static_cast<uint8_t>(mapped ? 1 : 0),
                                mapped ? kTgaRunLengthColorMapped : kTgaRunLengthTrueColor};
    AppendU16(out, 0);
    AppendU16(out, mapped ? 256 : 0);
    out.push_back(mapped ? 24 : 0);
    AppendU16(out, 0);
    AppendU16(out, 0);
    AppendU16(out, width);
    AppendU16(out, height);
    out.push_back(static_cast<uint8_t>(depth));
    out.push_back(0);
    if (mapped) {
        const CPaletteTable* palette = source->HasPalette() ? source->GetPalette() : nullptr;
        for (uint32_t i = 0; i < 256; ++i) {
            if (palette && palette->GetKind() == 1 && !palette->IsEmpty())
                out.insert(out.end(), palette->GetData() + i * 3, palette->GetData() + i * 3 + 3);
            else
                out.insert(out.end(), 3, static_cast<uint8_t>(i));
        }
    }
    const uint32_t bytes = depth / 8;
    for (uint32_t y = height; y-- > 0;)
        EncodeRow(source->GetPixels() + static_cast<size_t>(source->GetRowOffsets()[y]) * bytes, bytes, width, out);

    CVirtualFile file;
    if (out.size() > UINT32_MAX || !file.Open(fileName, openMode | VF_CREATE | VF_WRITE))
        return false;
    const bool written = file.Write(out.data(), static_cast<uint32_t>(out.size())) == out.size();
    if (!written && file.GetStream())
        file.GetStream()->MarkWriteFailed();
    const bool closed = file.Close();
    return written && closed;
}
