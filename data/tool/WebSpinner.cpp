#include "WebSpinner.h"

#include "ImageFrame.h"
#include "StagingFolder.h"
#include "graphics/Sequence.h"

#include <cmath>

namespace {

constexpr const char* kName = "Interface/WebSpinner";
constexpr const char* kSequences = "Resources";
constexpr int kSize = 32;
constexpr double kRingRadius = 11.0;
constexpr double kDotRadius = 2.8;
// Samples per pixel side for the dots' soft edges.
constexpr int kSamples = 4;

void PaintDot(CImage& image, double cx, double cy, Rgba color)
{
    const int left = static_cast<int>(std::floor(cx - kDotRadius)), right = static_cast<int>(std::ceil(cx + kDotRadius));
    const int top = static_cast<int>(std::floor(cy - kDotRadius)), bottom = static_cast<int>(std::ceil(cy + kDotRadius));
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) {
            int inside = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double dx = x + (sx + 0.5) / kSamples - cx, dy = y + (sy + 0.5) / kSamples - cy;
                    inside += dx * dx + dy * dy <= kDotRadius * kDotRadius;
                }
            if (inside)
                image.BlendPixel(x, y, color, static_cast<uint32_t>(inside * 255 / (kSamples * kSamples)));
        }
}

} // namespace

std::vector<CImage> PaintWebSpinner()
{
    std::vector<CImage> frames;
    const double centre = kSize / 2.0;
    for (int f = 0; f < kWebSpinnerFrames; ++f) {
        CImage image(kSize, kSize);
        for (int dot = 0; dot < kWebSpinnerFrames; ++dot) {
            // Dot 0 is at the top; angles grow clockwise on screen (y down).
            const double angle = dot * 2.0 * M_PI / kWebSpinnerFrames;
            const double x = centre + kRingRadius * std::sin(angle), y = centre - kRingRadius * std::cos(angle);
            // How far the dot lies behind the running head, 0 for the head itself.
            const int behind = (f - dot + kWebSpinnerFrames) % kWebSpinnerFrames;
            const uint8_t alpha = static_cast<uint8_t>(behind < 6 ? 255 - behind * 34 : 60);
            const Rgba head{255, 255, 255, alpha}, tail{90, 140, 230, alpha};
            PaintDot(image, x, y, behind == 0 ? head : tail);
        }
        image.SetHotSpot(kSize / 2, kSize / 2);
        frames.push_back(std::move(image));
    }
    return frames;
}

bool AddWebSpinner(CContentSet& set, std::string& error)
{
    const CStagingFolder staging;
    if (!staging.IsReady()) {
        error = "cannot make a scratch folder for the spinner";
        return false;
    }
    CSequence sequence;
    sequence.SetPropertiesToDefaults();
    sequence.SetLoadFlags(CSequence::kUse8BitAlpha | CSequence::kLossLess);
    sequence.SetFramesPerSecond(12.0f);
    if (!sequence.SetBlitTypeByName("Transparent Mask")) {
        error = "no blit type for the spinner";
        return false;
    }
    for (const CImage& image : PaintWebSpinner()) {
        std::unique_ptr<CFrame> frame = MakeImageFrame(image);
        if (!frame) {
            error = "cannot make the spinner's frames";
            return false;
        }
        sequence.AddFrame(frame.release());
    }
    CSequenceSourceOptions options;
    options.m_wasRunLength = true;
    options.m_lossless = true;
    if (!sequence.SaveProperties(kSequences, kName) || !sequence.SaveSourceImage(kSequences, kName, options)) {
        error = std::string("cannot write the sequence ") + kName;
        return false;
    }
    return staging.AddFilesTo(set, error);
}
