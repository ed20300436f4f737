#include "graphics/stages/RunLengthEncodeStage.h"

#include "blit/ColorPacking.h"
#include "foundation/RoundHalfAway.h"
#include "graphics/Ditherer.h"
#include "graphics/Frame.h"
#include "graphics/NearestColorSearch.h"
#include "graphics/PaletteTable.h"
#include "graphics/RunLengthEncoder.h"
#include "graphics/stages/DepthConvertStage.h"
#include "graphics/stages/StagePixels.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

uint32_t s_fillThreshold = 8;

// Alpha bands: pixels with low < alpha <= high.
struct Band
{
    uint32_t m_low;
    uint32_t m_high;
    uint32_t m_layer;
};
constexpr Band kFiveBandMain{229, 255, 0};
constexpr Band kFiveBandLayers[4] = {{178, 229, 4}, {127, 178, 3}, {76, 127, 2}, {25, 76, 1}};
constexpr Band kTwoBandMain{250, 255, 0};
constexpr Band kTwoBandTranslucent{5, 250, 4};

bool InBand(uint8_t alpha, const Band& band)
{
    return alpha > band.m_low && alpha <= band.m_high;
}

// A 32-bit frame of the source's size holding the source's pixels of the band, 0 elsewhere.
bool CopyBand(CFrame& source, const Band& band, CFrame& out)
{
    out.Create(source.GetWidth(), source.GetHeight(), 32);
    if (!out.GetPixels())
        return false;
    for (uint32_t row = 0; row < source.GetHeight(); ++row) {
        const uint8_t* from = source.GetPixels() + static_cast<size_t>(source.GetRowOffsets()[row]) * 4;
        uint8_t* to = out.GetPixels() + static_cast<size_t>(out.GetRowOffsets()[row]) * 4;
        for (uint32_t x = 0; x < source.GetWidth(); ++x)
            if (InBand(from[x * 4 + 3], band))
                std::memcpy(to + x * 4, from + x * 4, 4);
    }
    return true;
}

void KeepBand(CFrame& frame, const Band& band)
{
    stagepixels::ForEachPixel(frame, [&](uint8_t* pixel) {
        if (!InBand(pixel[3], band))
            std::memset(pixel, 0, 4);
    });
}

const uint8_t* RowOf(const CFrame& frame, uint32_t row)
{
    return frame.GetPixels() + static_cast<size_t>(frame.GetRowOffsets()[row]) * frame.GetBytesPerPixel();
}

// Encodes the rows of a plain frame; key(pixel, column) says which pixels a fill run may join.
// 32-bit pixels of alpha 0 and smaller values of 0 are transparent.
template <class Key>
bool EncodeFrame(const CFrame& frame, Key key, CEncodedBlock& out)
{
    const uint32_t bytes = frame.GetBytesPerPixel();
    return EncodeRunLengthBlock(
        frame.GetWidth(), frame.GetHeight(), bytes, s_fillThreshold, [&](uint32_t row) { return RowOf(frame, row); },
        [&](uint32_t row, uint32_t* keys) {
            const uint8_t* at = RowOf(frame, row);
            for (uint32_t x = 0; x < frame.GetWidth(); ++x, at += bytes) {
                uint32_t value = 0;
                std::memcpy(&value, at, bytes);
                const bool transparent = bytes == 4 ? at[3] == 0 : value == 0;
                keys[x] = transparent ? kTransparentKey : key(at, value, x);
            }
        },
        out);
}

// Pixel equality by target. On an 8-bit display: the nearest entry of 1 to 254 of the current
// palette.

uint32_t Key565(const uint8_t* pixel)
{
    return PackRgbToPixel16(pixel[2], pixel[1], pixel[0]);
}

uint32_t Key24(const uint8_t* pixel)
{
    return pixel[0] | (pixel[1] << 8) | (pixel[2] << 16);
}

bool EncodeMain(const CFrame& frame, int32_t target, CEncodedBlock& out)
{
    switch (target) {
    case 8: {
        const CNearestColorFinder nearest(*GetCurrentPaletteRef(), 1, 255);
        return EncodeFrame(frame, [&nearest](const uint8_t* p, uint32_t, uint32_t) { return nearest(p[2], p[1], p[0]); },
                           out);
    }
    case 16: return EncodeFrame(frame, [](const uint8_t* p, uint32_t, uint32_t) { return Key565(p); }, out);
    default: return EncodeFrame(frame, [](const uint8_t* p, uint32_t, uint32_t) { return Key24(p); }, out);
    }
}

// The translucent layers: on an 8-bit display never a fill run; otherwise equal colours whose
// alphas agree in their top five bits.
bool EncodeTranslucent(const CFrame& frame, int32_t target, CEncodedBlock& out)
{
    switch (target) {
    case 8: return EncodeFrame(frame, [](const uint8_t*, uint32_t, uint32_t x) { return x; }, out);
    case 16:
        return EncodeFrame(frame, [](const uint8_t* p, uint32_t, uint32_t) { return Key565(p) | ((p[3] & 0xF8u) << 16); },
                           out);
    default:
        return EncodeFrame(frame, [](const uint8_t* p, uint32_t, uint32_t) { return Key24(p) | ((p[3] & 0xF8u) << 24); },
                           out);
    }
}

void FreeBlock(CEncodedBlock& block)
{
    std::free(block.m_block);
    std::free(block.m_rows);
    block = {};
}

// The colours of the visible pixels become the palette colours the ditherer picks for them.
void DitherToPalette(CFrame& frame)
{
    CPaletteTable* palette = GetCurrentPaletteRef();
    if (palette->IsEmpty() || palette->GetKind() != 1)
        return;
    CDitherer ditherer(frame.GetWidth(), 0.5f, *palette, *palette);
    stagepixels::ForEachPixel(frame, [&](uint8_t* pixel) {
        const uint8_t index = ditherer.Dither(pixel[2] / 255.0f, pixel[1] / 255.0f, pixel[0] / 255.0f);
        if (pixel[3] != 0)
            palette->GetEntry(index, pixel[2], pixel[1], pixel[0]);
    });
}

// The colours of the visible pixels become colours of the 5-6-5 grid, error diffused.
void DitherTo565(CFrame& frame)
{
    CDitherer ditherer(frame.GetWidth(), 100.8f, 31, 63, 31);
    stagepixels::ForEachPixel(frame, [&](uint8_t* pixel) {
        float red = pixel[2] / 255.0f, green = pixel[1] / 255.0f, blue = pixel[0] / 255.0f;
        ditherer.DitherToGrid(red, green, blue);
        if (pixel[3] != 0) {
            pixel[2] = static_cast<uint8_t>(RoundHalfAway(red * 255.0f));
            pixel[1] = static_cast<uint8_t>(RoundHalfAway(green * 255.0f));
            pixel[0] = static_cast<uint8_t>(RoundHalfAway(blue * 255.0f));
        }
    });
}

} // namespace

CRunLengthEncodeStage::CRunLengthEncodeStage(uint32_t mode) : CFrameLoadStage(kStageRunLength), m_mode(mode)
{
}

CFrameLoadStage* CRunLengthEncodeStage::Clone() const
{
    return new (std::nothrow) CRunLengthEncodeStage(m_mode);
}

uint32_t CRunLengthEncodeStage::GetFillThreshold()
{
    return s_fillThreshold;
}

void CRunLengthEncodeStage::SetFillThreshold(uint32_t threshold)
{
    s_fillThreshold = threshold;
}

bool CRunLengthEncodeStage::DithersLater() const
{
    const auto* conversion = static_cast<const CDepthConvertStage*>(FindStage(kStageDepthConvert));
    return conversion && conversion->IsDithered();
}

bool CRunLengthEncodeStage::Apply(CFrameInterface* frame, const CIntRect&)
{
    CFrame* target = AsFrame(frame);
    if (!target)
        return false;
    if (!target->GetPixels() || !target->GetRowOffsets())
        return true;
    if (target->GetFormatFlags() & kFrameRunLengthMask)
        return false;

    const int16_t left = target->GetLeft();
    const int16_t top = target->GetTop();
    bool done = false;
    switch (target->GetBitsPerPixel()) {
    case 8:
    case 16: {
        CEncodedBlock block;
        done = EncodeFrame(*target, [](const uint8_t*, uint32_t value, uint32_t) { return value; }, block);
        if (done) {
            target->AdoptPixels(block.m_block, block.m_rows);
            target->SetFormatFlags(target->GetFormatFlags() | kFrameEncodedByStage |
                                   (target->GetBitsPerPixel() == 8 ? kFrameRunLength8 : kFrameRunLengthAlpha));
        }
        break;
    }
    case 24: {
        if (!target->ExpandTo32Bits(true))
            break;
        const int32_t depth = GetTargetDepth();
        if (depth == 8 && m_mode == kFiveBands)
            done = EncodeFiveBands(*target);
        else if (depth == 8 || depth == 16)
            done = EncodeTwoBands(*target, depth);
        break;
    }
    case 32: {
        // A 32-bit display draws the frames made for a 24-bit one (its conversion goes to 24).
        const int32_t depth = GetTargetDepth() == 32 ? 24 : GetTargetDepth();
        if (m_mode == kFiveBands)
            done = EncodeFiveBands(*target);
        else if (depth == 8 || depth == 16 || depth == 24)
            done = EncodeTwoBands(*target, depth);
        break;
    }
    default:
        break;
    }
    target->SetOrigin(left, top);
    return done;
}

bool CRunLengthEncodeStage::EncodeFiveBands(CFrame& frame)
{
    CFrame bands[4];
    for (int i = 0; i < 4; ++i)
        if (!CopyBand(frame, kFiveBandLayers[i], bands[i]))
            return false;
    KeepBand(frame, kFiveBandMain);
    if (DithersLater())
        DitherToPalette(frame);

    CEncodedBlock main;
    CEncodedBlock layers[4];
    bool ok = EncodeMain(frame, 8, main);
    for (int i = 0; i < 4 && ok; ++i)
        if (bands[i].HasVisiblePixels())
            ok = EncodeMain(bands[i], 8, layers[i]);
    if (!ok) {
        FreeBlock(main);
        for (CEncodedBlock& layer : layers)
            FreeBlock(layer);
        return false;
    }
    frame.AdoptPixels(main.m_block, main.m_rows);
    for (int i = 0; i < 4; ++i)
        frame.AdoptLayer(kFiveBandLayers[i].m_layer, layers[i].m_block, layers[i].m_rows);
    frame.SetFormatFlags(frame.GetFormatFlags() | kFrameEncodedByStage | kFrameRunLength8);
    return true;
}

bool CRunLengthEncodeStage::EncodeTwoBands(CFrame& frame, int32_t target)
{
    CFrame translucent;
    if (!CopyBand(frame, kTwoBandTranslucent, translucent))
        return false;
    KeepBand(frame, kTwoBandMain);
    if (DithersLater()) {
        if (target == 8)
            DitherToPalette(frame);
        else if (target == 16)
            DitherTo565(frame);
    }

    CEncodedBlock main, colors, alphas;
    bool ok = EncodeMain(frame, target, main);
    if (ok && translucent.HasVisiblePixels())
        ok = EncodeTranslucent(translucent, target, colors) && EncodeTranslucent(translucent, target, alphas);
    if (!ok) {
        FreeBlock(main);
        FreeBlock(colors);
        FreeBlock(alphas);
        return false;
    }
    frame.AdoptPixels(main.m_block, main.m_rows);
    frame.AdoptLayer(kTwoBandTranslucent.m_layer, colors.m_block, colors.m_rows);
    frame.AdoptLayer(3, alphas.m_block, alphas.m_rows);
    frame.SetFormatFlags(frame.GetFormatFlags() | kFrameEncodedByStage | kFrameRunLengthAlpha);
    return true;
}
