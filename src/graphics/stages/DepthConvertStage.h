#pragma once
// Stage 11: brings an image into the display's pixel format, in place: plain pixels and the
// payloads of run-length rows become 8-bit palette indices (of the current palette, entries 1 to
// 254), 16-bit 5-6-5 pixels or 24-bit B, G, R, optionally with error-diffusion dithering.
//
// Combinations the earlier stages never produce (plain 8-bit to 16 or 24 bits, 16 to 24 bits,
// layered rows to 16 or 24 bits, 3-byte run-length payloads to 16 or 24 bits) are left as they
// are, depth bits included. A 32-bit display takes the frames of a 24-bit one. A 32-bit image
// with any alpha below 250 stays 32-bit on a 24-bit or 32-bit display, where it is drawn blended.
#include "graphics/FrameLoadStage.h"

class CDepthConvertStage : public CFrameLoadStage
{
public:
    CDepthConvertStage(bool dither, int32_t targetDepth);
    CFrameLoadStage* Clone() const override;
    // True for every CFrame (false for other frames). A frame without pixels only takes the
    // target's depth bits.
    bool Apply(CFrameInterface* frame, const CIntRect& rect) override;

    int32_t GetConversionDepth() const { return m_targetDepth; }
    bool IsDithered() const { return m_dither != 0; }

private:
    int32_t m_targetDepth;
    uint8_t m_dither;
};
