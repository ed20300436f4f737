#include "DrawnSequence.h"

#include "ImageFrame.h"
#include "StagingFolder.h"
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

bool AddDrawnSequences(CContentSet& set, const std::vector<DrawnSequence>& sequences, std::string& error)
{
    const CStagingFolder staging;
    if (!staging.IsReady()) {
        error = "cannot make a scratch folder for the drawn sequences";
        return false;
    }
    for (const DrawnSequence& sequence : sequences)
        if (!SaveDrawnSequence("Resources", sequence.name.c_str(), sequence.frames, sequence.framesPerSecond)) {
            error = "cannot write the sequence " + sequence.name;
            return false;
        }
    return staging.AddFilesTo(set, error);
}
