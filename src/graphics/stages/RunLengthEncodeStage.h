#pragma once
// Stage 8: run-length encodes a freshly loaded image so that drawing skips its transparent
// stretches and blends its translucent pixels.
//
// 8-bit and 16-bit images encode their values as they are (value 0 transparent). 24-bit images
// first become 32-bit (black transparent). 32-bit images are split by alpha:
// - five bands (the layered form for 8-bit displays, format 0x2): alpha above 229 stays in the
//   main rows, then 178..229, 127..178, 76..127 and 25..76 go to layers 4, 3, 2 and 1;
// - two bands (the alpha-blended form, format 0x4): alpha above 250 stays in the main rows, 6..250
//   goes to layer 4 (colours) and layer 3 (alphas, in step with layer 4's runs).
// Runs keep the source's 4-byte pixels; the depth conversion that follows rewrites them. A 32-bit
// target encodes as a 24-bit one, whose frames it draws.
//
// The fill threshold is process-wide and encoding is not re-entrant (main thread only).
#include "graphics/FrameLoadStage.h"

class CRunLengthEncodeStage : public CFrameLoadStage
{
public:
    enum Mode : uint32_t
    {
        kFiveBands = 0,
        kTwoBands = 1,
    };

    explicit CRunLengthEncodeStage(uint32_t mode);
    CFrameLoadStage* Clone() const override;
    // True when the frame was encoded, or holds no pixels. False, leaving the frame unchanged,
    // for frames already run-length encoded and frames that are not CFrame objects; false for
    // depths and targets without an encoding (a 24-bit image is then already 32-bit).
    bool Apply(CFrameInterface* frame, const CIntRect& rect) override;

    uint32_t GetMode() const { return m_mode; }

    // A stretch of equal pixels becomes a fill run only when longer than this (8 at start-up).
    static uint32_t GetFillThreshold();
    static void SetFillThreshold(uint32_t threshold);

private:
    bool EncodeFiveBands(CFrame& frame);
    // target: 8, 16 or 24.
    bool EncodeTwoBands(CFrame& frame, int32_t target);
    // Whether a dithered depth conversion follows this stage.
    bool DithersLater() const;

    uint32_t m_mode;
};
