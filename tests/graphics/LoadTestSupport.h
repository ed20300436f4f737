#pragma once
// Helpers for the image-loading tests: an independent decoder of run-length rows, random sprites,
// 32-bit frames written pixel by pixel, and the ImageMagick tools where they are installed.
#include "../foundation/FileTestHelpers.h"
#include "FrameTestSupport.h"
#include "TestSupport.h"
#include "foundation/OpenFlags.h"
#include "graphics/FrameLoadStage.h"
#include "graphics/ScreenMode.h"
#include "graphics/stages/DepthConvertStage.h"
#include "graphics/stages/RunLengthEncodeStage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace loadtest {

// One pixel of a decoded run-length row.
struct RunPixel
{
    bool m_covered = false;   // a literal or fill run covers it
    uint32_t m_value = 0;     // its value (valueBytes bytes, little-endian)
    uint32_t m_runLength = 0; // the covering run's length
    uint32_t m_inRun = 0;     // its position inside that run
    uint32_t m_alphaIndex = 0; // for alpha rows: the alpha byte that belongs to it, from the row start
};

// Decodes row `row` of a block (offsets from the table) by the row format alone. Fails the test
// when the runs leave the block or do not cover exactly the width.
inline std::vector<RunPixel> DecodeRow(const uint8_t* block, const uint32_t* rows, uint32_t row, uint32_t width,
                                       uint32_t valueBytes)
{
    std::vector<RunPixel> pixels(width);
    uint32_t size;
    std::memcpy(&size, block, 4);
    uint32_t at = rows[row];
    uint32_t x = 0, alpha = 0;
    while (x < width) {
        EXPECT_LT(at, size);
        if (at >= size)
            break;
        const uint8_t header = block[at++];
        const uint32_t count = (header & 0x80) ? header & 0x7F : header & 0x3F;
        EXPECT_LE(x + count, width) << "a run passes the row's end";
        EXPECT_GT(count, 0u) << "an empty run";
        if (count == 0 || x + count > width)
            break;
        for (uint32_t i = 0; i < count; ++i) {
            RunPixel& pixel = pixels[x + i];
            if (header & 0x80)
                continue;
            const bool literal = header & 0x40;
            pixel.m_covered = true;
            std::memcpy(&pixel.m_value, block + at + (literal ? i * valueBytes : 0), valueBytes);
            pixel.m_runLength = count;
            pixel.m_inRun = i;
            pixel.m_alphaIndex = alpha + (literal ? i : 0);
        }
        if (!(header & 0x80)) {
            const bool literal = header & 0x40;
            at += literal ? count * valueBytes : valueBytes;
            alpha += literal ? count : 1;
        }
        x += count;
    }
    EXPECT_LE(at, size);
    return pixels;
}

// A 32-bit frame whose pixels come from f(x, y) as B, G, R, A packed in a u32.
template <class F>
void Fill32(CFrame& frame, uint32_t width, uint32_t height, F f)
{
    frame.Create(width, height, 32);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x)
            frametest::WritePixel(frame, x, y, f(x, y));
}

inline uint32_t Bgra(uint8_t b, uint8_t g, uint8_t r, uint8_t a)
{
    return b | (g << 8) | (r << 16) | (static_cast<uint32_t>(a) << 24);
}

// A sprite with transparent margins, stretches of one colour (fill runs), noise (literal runs)
// and alphas spread over every band.
inline void RandomSprite(CFrame& frame, uint32_t width, uint32_t height, uint32_t seed)
{
    std::mt19937 random(seed);
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (uint32_t y = 0; y < height; ++y) {
        uint32_t x = 0;
        while (x < width) {
            const uint32_t length = 1 + random() % 80;
            const uint32_t kind = random() % 4;
            const uint32_t color = random() & 0xFFFFFF;
            const uint8_t alpha = static_cast<uint8_t>(random() % 4 == 0 ? 255 : random() % 256);
            for (uint32_t i = 0; i < length && x < width; ++i, ++x) {
                uint32_t value = 0;
                if (kind == 1)
                    value = color | (static_cast<uint32_t>(alpha) << 24);
                else if (kind >= 2)
                    value = random();
                pixels[y * width + x] = value;
            }
        }
    }
    Fill32(frame, width, height, [&](uint32_t x, uint32_t y) { return pixels[y * width + x]; });
}

// The ImageMagick tool as the Debian package installs it, or "" when it is not installed (tests
// that need it skip).
inline std::string ImageMagickTool(const char* name)
{
    const std::string path = std::string("/usr/bin/") + name;
    const bool present = testsupport::RunCommand("test -x " + path + " && " + path + " -version >/dev/null 2>&1") == 0;
    return present ? path : "";
}

// Runs the run-length stage in the mode, then the conversion, for a display of the given depth.
inline bool EncodeFor(CFrame& frame, uint32_t mode, int32_t depth)
{
    CFrameLoadStage list;
    list.SetPreferredDepth(depth);
    list.InsertStage(new CRunLengthEncodeStage(mode));
    list.InsertStage(new CDepthConvertStage(false, depth));
    return list.ApplyAll(&frame);
}

// Sets the display depth images are converted to for the length of a scope.
class DisplayDepth
{
public:
    explicit DisplayDepth(int32_t depth) : m_saved(GetDisplayBitsPerPixel()) { SetDisplayBitsPerPixel(depth); }
    ~DisplayDepth() { SetDisplayBitsPerPixel(m_saved); }
    DisplayDepth(const DisplayDepth&) = delete;
    DisplayDepth& operator=(const DisplayDepth&) = delete;

private:
    int32_t m_saved;
};

using filetest::WorkFolder;

// A PAM file (the netpbm tuple format, which ImageMagick reads) of B, G, R, A pixels packed as u32.
inline std::string MakePam(uint32_t width, uint32_t height, const std::vector<uint32_t>& pixels)
{
    std::string out = "P7\nWIDTH " + std::to_string(width) + "\nHEIGHT " + std::to_string(height) +
                      "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
    for (uint32_t v : pixels) {
        out.push_back(static_cast<char>(v >> 16));
        out.push_back(static_cast<char>(v >> 8));
        out.push_back(static_cast<char>(v));
        out.push_back(static_cast<char>(v >> 24));
    }
    return out;
}

// The pixels of a PAM file with 3 (RGB) or 4 (RGB_ALPHA) samples, as B, G, R, A (alpha 255 for
// 3 samples); empty when the file is not one.
inline std::vector<uint32_t> ReadPam(const std::string& bytes, uint32_t& width, uint32_t& height)
{
    const size_t end = bytes.find("ENDHDR\n");
    unsigned w = 0, h = 0, depth = 0;
    if (end == std::string::npos || std::sscanf(bytes.c_str(), "P7\nWIDTH %u\nHEIGHT %u\nDEPTH %u", &w, &h, &depth) != 3 ||
        (depth != 3 && depth != 4) || bytes.size() < end + 7 + static_cast<size_t>(w) * h * depth)
        return {};
    width = w;
    height = h;
    std::vector<uint32_t> pixels;
    const auto* at = reinterpret_cast<const uint8_t*>(bytes.data() + end + 7);
    for (size_t i = 0; i < static_cast<size_t>(w) * h; ++i, at += depth)
        pixels.push_back(at[2] | (at[1] << 8) | (at[0] << 16) | (static_cast<uint32_t>(depth == 4 ? at[3] : 255) << 24));
    return pixels;
}

} // namespace loadtest
