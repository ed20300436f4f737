#pragma once
// Run-length fixtures for the blit tests: pictures held as plain pixel models, and an encoder,
// written here from the row format alone, that turns them into run-length rows with randomly
// chosen runs (skips, fills, literals, runs split at random places and zero-length runs), so the
// walkers meet every way a row can be cut.
#include "../graphics/FrameTestSupport.h"
#include "blit/Blitter.h"
#include "foundation/CpuInfo.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

namespace rletest {

struct Pixel
{
    bool covered = false;
    uint32_t value = 0;
    uint8_t alpha = 0; // translucent layers only
};
using Row = std::vector<Pixel>;
using Picture = std::vector<Row>;

inline void PutValue(std::vector<uint8_t>& codes, uint32_t value, uint32_t valueBytes)
{
    for (uint32_t b = 0; b < valueBytes; ++b)
        codes.push_back(static_cast<uint8_t>(value >> (8 * b)));
}

// Codes of one row; with `alphas`, the alpha bytes in step (one per fill run, one per literal
// pixel).
inline void EncodeRow(const Row& row, uint32_t valueBytes, std::mt19937& random, std::vector<uint8_t>& codes,
                      std::vector<uint8_t>* alphas)
{
    const size_t width = row.size();
    size_t i = 0;
    while (i < width) {
        if (random() % 16 == 0) { // a run of length 0 draws nothing but is still read
            const bool literal = random() % 2 == 0;
            codes.push_back(literal ? 0x40 : 0x00);
            if (!literal) {
                PutValue(codes, static_cast<uint32_t>(random()), valueBytes);
                if (alphas)
                    alphas->push_back(static_cast<uint8_t>(random()));
            }
        }
        size_t j = i;
        if (!row[i].covered) {
            const size_t longest = 1 + random() % 127;
            while (j < width && !row[j].covered && j - i < longest)
                ++j;
            codes.push_back(static_cast<uint8_t>(0x80 | (j - i)));
        } else {
            const size_t longest = 1 + random() % 63;
            while (j < width && j - i < longest && row[j].covered && row[j].value == row[i].value &&
                   row[j].alpha == row[i].alpha)
                ++j;
            if (j - i >= 2 || random() % 2 == 0) {
                codes.push_back(static_cast<uint8_t>(j - i));
                PutValue(codes, row[i].value, valueBytes);
                if (alphas)
                    alphas->push_back(row[i].alpha);
            } else {
                j = i;
                while (j < width && j - i < longest && row[j].covered)
                    ++j;
                codes.push_back(static_cast<uint8_t>(0x40 | (j - i)));
                for (size_t k = i; k < j; ++k) {
                    PutValue(codes, row[k].value, valueBytes);
                    if (alphas)
                        alphas->push_back(row[k].alpha);
                }
            }
        }
        i = j;
    }
}

// A picture of runs of covered and transparent pixels; covered values repeat often, so that fill
// runs occur. Values are masked with valueMask; alpha bytes are random.
inline Picture RandomPicture(uint32_t width, uint32_t height, uint32_t valueMask, std::mt19937& random)
{
    Picture picture(height, Row(width));
    for (Row& row : picture) {
        uint32_t x = 0;
        bool covered = random() % 2 == 0;
        while (x < width) {
            const uint32_t length = random() % (random() % 4 == 0 ? 90 : 12); // some runs past 63
            uint32_t value = static_cast<uint32_t>(random()) & valueMask;
            uint8_t alpha = static_cast<uint8_t>(random());
            for (uint32_t k = 0; k < length && x < width; ++k, ++x) {
                if (random() % 4 == 0) {
                    value = static_cast<uint32_t>(random()) & valueMask;
                    alpha = static_cast<uint8_t>(random());
                }
                row[x] = Pixel{covered, value, alpha};
            }
            covered = !covered;
        }
    }
    return picture;
}

// Rows of codes (and of alpha bytes) of a whole picture.
inline std::vector<std::vector<uint8_t>> Encode(const Picture& picture, uint32_t valueBytes, std::mt19937& random,
                                                std::vector<std::vector<uint8_t>>* alphaRows = nullptr)
{
    std::vector<std::vector<uint8_t>> rows;
    for (const Row& row : picture) {
        rows.emplace_back();
        std::vector<uint8_t> alphas;
        EncodeRow(row, valueBytes, random, rows.back(), alphaRows ? &alphas : nullptr);
        if (alphaRows)
            alphaRows->push_back(alphas);
    }
    return rows;
}

// A run-length frame of depth bits with format flags (0x2 or 0x4) from the main picture and,
// when given, a translucent layer (layer 4 colours, layer 3 alphas).
inline void MakeFrame(CFrame& frame, uint32_t depth, uint32_t flags, const Picture& main, std::mt19937& random,
                      const Picture* translucent = nullptr)
{
    const uint32_t valueBytes = flags == kFrameRunLength8 ? 1 : depth / 8;
    frametest::MakeRunLengthFrame(frame, static_cast<uint32_t>(main[0].size()), depth, flags,
                                  Encode(main, valueBytes, random));
    if (translucent) {
        std::vector<std::vector<uint8_t>> alphas;
        frametest::AddLayer(frame, 4, Encode(*translucent, valueBytes, random, &alphas));
        frametest::AddLayer(frame, 3, alphas);
    }
}

// One pixel of a run-length row, as decoded here from the codes.
struct DecodedPixel
{
    bool covered = false;
    bool literal = false;
    uint32_t value = 0;
    uint32_t runStart = 0;  // the column where its run starts
    uint32_t runLength = 0;
    uint32_t alphaIndex = 0; // the index of its alpha byte among the row's alpha bytes
};

inline std::vector<DecodedPixel> DecodeRow(const uint8_t* codes, uint32_t width, uint32_t valueBytes)
{
    std::vector<DecodedPixel> row(width);
    uint32_t x = 0, alpha = 0;
    while (x < width) {
        const uint8_t code = *codes++;
        const uint32_t n = code & (code & 0x80 ? 0x7F : 0x3F);
        if (!(code & 0x80)) {
            const bool literal = (code & 0x40) != 0;
            for (uint32_t i = 0; i < n && x + i < width; ++i) {
                DecodedPixel& pixel = row[x + i];
                pixel = DecodedPixel{true, literal, 0, x, n, alpha + (literal ? i : 0)};
                std::memcpy(&pixel.value, codes + (literal ? i * valueBytes : 0), valueBytes);
            }
            codes += (literal ? n : 1) * valueBytes;
            alpha += literal ? n : 1;
        }
        x += n;
    }
    return row;
}

// Row r of a layer of a frame (0: the main rows), decoded.
inline std::vector<DecodedPixel> DecodeFrameRow(const CFrame& frame, uint32_t layer, uint32_t r, uint32_t valueBytes)
{
    const uint8_t* data = layer == 0 ? frame.GetPixels() : layer == 4 ? frame.GetLayer4Pixels() : nullptr;
    const uint32_t* rows = layer == 0 ? frame.GetRowOffsets() : layer == 4 ? frame.GetLayer4RowOffsets() : nullptr;
    if (!data || !rows)
        return std::vector<DecodedPixel>(frame.GetWidth());
    return DecodeRow(data + rows[r], frame.GetWidth(), valueBytes);
}

// Sets a blend mode's opacity for the lifetime of the object, with the opacity tables built.
class CScopedOpacity
{
public:
    CScopedOpacity(CBlitter& blitter, float opacity) : m_blitter(blitter)
    {
        BuildAlphaScaleTables();
        BuildBlendStepTable();
        m_blitter.SetOpacity(opacity);
    }
    ~CScopedOpacity() { m_blitter.SetOpacity(1.0f); }
    CScopedOpacity(const CScopedOpacity&) = delete;
    CScopedOpacity& operator=(const CScopedOpacity&) = delete;

private:
    CBlitter& m_blitter;
};

// A plain frame whose every byte is `fill`.
inline void MakePlainFrame(CFrame& frame, uint32_t width, uint32_t height, uint32_t depth, uint8_t fill)
{
    frame.Create(width, height, depth);
    std::memset(frame.GetPixels(), fill, static_cast<size_t>(width) * height * depth / 8);
}

// The pixels of one row of a plain frame, and the same written.
inline std::vector<uint32_t> PixelsOfRow(const CFrame& frame, uint32_t row = 0)
{
    std::vector<uint32_t> pixels;
    for (uint32_t x = 0; x < frame.GetWidth(); ++x)
        pixels.push_back(frametest::ReadPixel(frame, x, row));
    return pixels;
}

inline void SetPixelsOfRow(CFrame& frame, const std::vector<uint32_t>& pixels, uint32_t row = 0)
{
    for (uint32_t x = 0; x < pixels.size(); ++x)
        frametest::WritePixel(frame, x, row, pixels[x]);
}

// A blend mode of the given class built as on a processor with or without MMX.
template <class Blitter>
std::unique_ptr<Blitter> BuiltWithMmx(bool mmx)
{
    OverrideCpuHasMmx(mmx);
    auto blitter = std::make_unique<Blitter>();
    OverrideCpuHasMmx(std::nullopt);
    return blitter;
}

} // namespace rletest
