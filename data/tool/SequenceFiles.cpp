#include "SequenceFiles.h"

#include "ImageFrame.h"
#include "graphics/Sequence.h"

bool SaveAlphaSequence(const char* folder, const char* name, float framesPerSecond, const std::vector<CImage>& frames)
{
    CSequence sequence;
    sequence.SetPropertiesToDefaults();
    // Soft edges keep their alpha; no dithering of the small shapes.
    sequence.SetLoadFlags(CSequence::kUse8BitAlpha | CSequence::kLossLess);
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
