#include "DrawnSequence.h"

#include "ImageFrame.h"
#include "graphics/Sequence.h"

bool SaveDrawnSequence(const char* folder, const char* name, const std::vector<CImage>& frames,
                       float framesPerSecond, bool dither)
{
    CSequence sequence;
    sequence.SetPropertiesToDefaults();
    // Soft edges keep their alpha; small shapes are not dithered.
    sequence.SetLoadFlags(CSequence::kUse8BitAlpha | CSequence::kLossLess | (dither ? CSequence::kDoDither : 0u));
    sequence.SetFramesPerSecond(framesPerSecond);
    if (!sequence.SetBlitTypeByName("Transparent Mask"))
        return false;
    for (const CImage& image : frames) {
        std::unique_ptr<CFrame> frame = MakeImageFrame(image);
        if (!frame)
            return false;
        sequence.AddFrame(frame.release());
    }
    CSequenceSourceOptions options;
    options.m_wasRunLength = true;
    options.m_lossless = true;
    return sequence.SaveProperties(folder, name) && sequence.SaveSourceImage(folder, name, options);
}
