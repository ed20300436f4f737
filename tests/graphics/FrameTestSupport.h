#pragma once
// Helpers for frame tests: run-length blocks built by hand, palettes, and pixel access that does
// not go through the code under test.
#include "blit/ColorPacking.h"
#include "graphics/Color.h"
#include "graphics/Frame.h"
#include "graphics/PaletteTable.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace frametest {

// A run-length block of the given rows (each a byte sequence of runs) with its row table, both
// heap blocks for CFrame::AdoptPixels / AdoptLayer.
struct RunLengthBlock
{
    uint8_t* m_block = nullptr;
    uint32_t* m_rows = nullptr;
};

inline RunLengthBlock MakeBlock(const std::vector<std::vector<uint8_t>>& rows)
{
    uint32_t size = 4;
    for (const auto& row : rows)
        size += static_cast<uint32_t>(row.size());
    RunLengthBlock result;
    result.m_block = static_cast<uint8_t*>(std::malloc(size));
    result.m_rows = static_cast<uint32_t*>(std::malloc(sizeof(uint32_t) * (rows.size() < 2 ? 2 : rows.size())));
    std::memcpy(result.m_block, &size, 4);
    uint32_t at = 4;
    for (size_t r = 0; r < rows.size(); ++r) {
        result.m_rows[r] = at;
        if (!rows[r].empty())
            std::memcpy(result.m_block + at, rows[r].data(), rows[r].size());
        at += static_cast<uint32_t>(rows[r].size());
    }
    if (rows.size() < 2)
        result.m_rows[1] = at;
    return result;
}

// A frame of the given size whose main block (and optionally layers) are run-length rows.
inline void MakeRunLengthFrame(CFrame& frame, uint32_t width, uint32_t depth, uint32_t format,
                               const std::vector<std::vector<uint8_t>>& main)
{
    frame.Create(width, static_cast<uint32_t>(main.size()), depth);
    RunLengthBlock block = MakeBlock(main);
    frame.AdoptPixels(block.m_block, block.m_rows);
    frame.SetFormatFlags(frame.GetFormatFlags() | format);
}

inline void AddLayer(CFrame& frame, uint32_t layer, const std::vector<std::vector<uint8_t>>& rows)
{
    RunLengthBlock block = MakeBlock(rows);
    frame.AdoptLayer(layer, block.m_block, block.m_rows);
}

inline CColor Opaque(uint8_t red, uint8_t green, uint8_t blue)
{
    CColor color;
    color.ConstructRgba(red, green, blue, 255);
    return color;
}

// The run-length form (format 0x2 or 0x4) of a plain frame: its pixels of value 0 as skip runs,
// the others as literal runs of up to 63 pixels. Drawn onto a cleared frame it gives the plain
// frame back.
inline void MakeRunLengthCopy(CFrame& frame, const CFrame& plain, uint32_t format)
{
    const uint32_t bytes = plain.GetBytesPerPixel(), width = plain.GetWidth();
    std::vector<std::vector<uint8_t>> rows(plain.GetHeight());
    for (uint32_t y = 0; y < plain.GetHeight(); ++y) {
        const uint8_t* row = plain.GetPixels() + static_cast<size_t>(plain.GetRowOffsets()[y]) * bytes;
        auto isZero = [&](uint32_t x) {
            for (uint32_t b = 0; b < bytes; ++b)
                if (row[x * bytes + b] != 0)
                    return false;
            return true;
        };
        for (uint32_t x = 0; x < width;) {
            const bool skip = isZero(x);
            uint32_t n = 0;
            while (x + n < width && n < 63 && isZero(x + n) == skip)
                ++n;
            rows[y].push_back(static_cast<uint8_t>(skip ? 0x80 | n : 0x40 | n));
            if (!skip)
                rows[y].insert(rows[y].end(), row + x * bytes, row + (x + n) * bytes);
            x += n;
        }
    }
    MakeRunLengthFrame(frame, width, plain.GetBitsPerPixel(), format, rows);
}

// Reads a plain pixel straight from memory.
inline uint32_t ReadPixel(const CFrame& frame, uint32_t column, uint32_t row)
{
    uint32_t bytes = frame.GetBytesPerPixel();
    const uint8_t* at = frame.GetPixels() + (static_cast<size_t>(frame.GetRowOffsets()[row]) + column) * bytes;
    uint32_t value = 0;
    std::memcpy(&value, at, bytes);
    return value;
}

inline void WritePixel(CFrame& frame, uint32_t column, uint32_t row, uint32_t value)
{
    uint32_t bytes = frame.GetBytesPerPixel();
    uint8_t* at = frame.GetPixels() + (static_cast<size_t>(frame.GetRowOffsets()[row]) + column) * bytes;
    std::memcpy(at, &value, bytes);
}

// Every plain pixel of the frame, row by row.
inline std::vector<uint32_t> Snapshot(const CFrame& frame)
{
    std::vector<uint32_t> pixels;
    for (uint32_t r = 0; r < frame.GetHeight(); ++r)
        for (uint32_t c = 0; c < frame.GetWidth(); ++c)
            pixels.push_back(ReadPixel(frame, c, r));
    return pixels;
}

// Fills the frame with a pattern that differs from pixel to pixel (and from 0).
inline void FillPattern(CFrame& frame, uint32_t seed = 1)
{
    uint32_t mask = frame.GetBytesPerPixel() == 4 ? 0xFFFFFFFFu : (1u << (8 * frame.GetBytesPerPixel())) - 1;
    for (uint32_t r = 0; r < frame.GetHeight(); ++r)
        for (uint32_t c = 0; c < frame.GetWidth(); ++c) {
            uint32_t v = (r * 131 + c * 7 + seed) * 2654435761u;
            v = (v ^ (v >> 13)) & mask;
            WritePixel(frame, c, r, v == 0 ? 1 : v);
        }
}

// Sets the current palette to a palette whose entry i is (red, green, blue) = f(i), restoring the
// previous one when it goes out of scope.
class ScopedCurrentPalette
{
public:
    template <class Entry>
    explicit ScopedCurrentPalette(Entry entry)
    {
        m_saved.CopyFrom(g_currentPalette);
        m_hadData = !g_currentPalette.IsEmpty();
        g_currentPalette.Create(1);
        for (uint32_t i = 0; i < 256; ++i) {
            uint8_t r, g, b;
            entry(i, r, g, b);
            g_currentPalette.SetEntry(i, r, g, b);
        }
    }
    ~ScopedCurrentPalette()
    {
        if (m_hadData)
            g_currentPalette.CopyFrom(m_saved);
        else
            g_currentPalette.Free();
    }
    ScopedCurrentPalette(const ScopedCurrentPalette&) = delete;
    ScopedCurrentPalette& operator=(const ScopedCurrentPalette&) = delete;

private:
    CPaletteTable m_saved;
    bool m_hadData = false;
};

// A palette of 256 different colours: entry i = (i, 255 - i, (i * 37) & 255).
inline void RampEntry(uint32_t i, uint8_t& r, uint8_t& g, uint8_t& b)
{
    r = static_cast<uint8_t>(i);
    g = static_cast<uint8_t>(255 - i);
    b = static_cast<uint8_t>((i * 37) & 255);
}

} // namespace frametest
