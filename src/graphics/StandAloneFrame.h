#pragma once
// A picture that is not part of a sequence (a window texture, a skin image), with load options
// that its optional property file "<folder>/<name>.txt" sets: run-length encoding, dithering,
// centring the hot spot, and whether its encoding may use fill runs.
#include "graphics/Frame.h"

class CStandAloneFrame : public CFrame
{
    DECLARE_CLASS_RECORD(CStandAloneFrame)

    // Option bits.
    static constexpr uint32_t kLossLess = 0x1;
    static constexpr uint32_t kRunLengthEncode = 0x2;
    static constexpr uint32_t kCropColor0 = 0x4;
    static constexpr uint32_t kDoDither = 0x8;
    static constexpr uint32_t kRleAllCopy = 0x10;
    static constexpr uint32_t kCenterHotSpot = 0x20;

    CStandAloneFrame();
    ~CStandAloneFrame() override;

    // CFrame::LoadCached with the stage list (the frames' default when null) set up by the
    // options: the conversion dithered or not, run-length encoding on or off (without fill runs
    // for "RLE All Copy"), the hot spot centred or not.
    bool LoadCached(const char* folder, const char* name, CFrameLoadStage* stages, bool useCacheFolder,
                    uint32_t openMode) override;

    uint32_t GetOptions() const { return m_options; }
    void SetOptions(uint32_t options) { m_options = options; }
    uint32_t GetQuality() const { return m_quality; }

private:
    // Each option property sets only its own bit, so the word starts clear.
    uint32_t m_options = 0;
    uint32_t m_quality = 0;
};
