#include "MenuContent.h"

#include "DrawnSequence.h"
#include "StagingFolder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

constexpr const char* kResources = "Resources";
constexpr int kButtonWidth = 291;
constexpr int kButtonHeight = 54;
constexpr int kBallRadius = 8;
constexpr int kBallFrames = 8;
constexpr int kFlipFrames = 6;
// The panel behind the text (which starts at x 100) and the arm left of it.
constexpr int kPanelLeft = 86;
constexpr int kPanelRight = 272;
constexpr int kArmLeft = 6;
constexpr int kArmRight = 84;
constexpr double kPi = 3.141592653589793;

void FillRect(CImage& image, int left, int top, int right, int bottom, Rgba colour)
{
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            image.SetPixel(x, y, colour);
}

CImage ButtonCanvas()
{
    CImage image(kButtonWidth, kButtonHeight);
    image.SetHotSpot(kButtonWidth / 2, kButtonHeight / 2);
    return image;
}

// A ball lit from the top left, with a bright spot that turns round it over the frames.
CImage PaintBall(int frame)
{
    const int size = 2 * kBallRadius;
    CImage image(size, size);
    const double centre = (size - 1) / 2.0;
    const double angle = 2.0 * kPi * frame / kBallFrames;
    const double spotX = centre + 0.45 * kBallRadius * std::cos(angle);
    const double spotY = centre + 0.45 * kBallRadius * std::sin(angle);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double d = std::hypot(x - centre, y - centre);
            if (d > kBallRadius)
                continue;
            const double lit = std::max(0.0, 1.0 - std::hypot(x - spotX, y - spotY) / kBallRadius);
            Rgba colour = MixColors(Rgba{40, 70, 150, 255}, Rgba{235, 240, 255, 255},
                                    static_cast<uint32_t>(std::min(1.0, lit * lit * 1.6) * 255));
            // A soft rim.
            colour.a = static_cast<uint8_t>(std::min(1.0, (kBallRadius - d) * 1.5) * 255);
            image.SetPixel(x, y, colour);
        }
    image.SetHotSpot(kBallRadius, kBallRadius);
    return image;
}

// The arm: a bar from the left edge to the panel with a knob; raised (brighter, higher) on hover.
CImage PaintArm(bool raised, int frame)
{
    CImage image = ButtonCanvas();
    const int lift = raised ? 3 + frame : 0;
    const Rgba bar = raised ? Rgba{250, 210, 90, 255} : Rgba{170, 140, 70, 255};
    FillRect(image, kArmLeft, 23 - lift, kArmRight, 31 - lift, bar);
    FillRect(image, kArmLeft, 17 - lift, kArmLeft + 12, 37 - lift, MixColors(bar, Rgba{255, 255, 255, 255}, 80));
    return image;
}

// The panel at a height share (0 edge-on, 1 full face) in the colour given, with a lighter rim.
CImage PaintPanel(double share, Rgba face)
{
    CImage image = ButtonCanvas();
    const int half = std::max(1, static_cast<int>(std::lround(share * (kButtonHeight / 2 - 3))));
    const int top = kButtonHeight / 2 - half;
    const int bottom = kButtonHeight / 2 + half;
    FillRect(image, kPanelLeft, top, kPanelRight, bottom, MixColors(face, Rgba{255, 255, 255, 255}, 90));
    FillRect(image, kPanelLeft + 2, top + 2, kPanelRight - 2, bottom - 2, face);
    return image;
}

struct SequenceRecipe
{
    const char* name;
    float framesPerSecond;
    int frames;
    std::function<CImage(int)> paint;
};

std::vector<SequenceRecipe> GetSequenceRecipes()
{
    const Rgba normal{30, 60, 110, 235};
    const Rgba hover{45, 95, 165, 245};
    const Rgba pressed{20, 40, 80, 245};
    return {
        {"Menu Ball", 12.0f, kBallFrames, PaintBall},
        {"Interface/Menu Button/Arm Normal", 2.0f, 1, [](int i) { return PaintArm(false, i); }},
        {"Interface/Menu Button/Arm Hover", 8.0f, 3, [](int i) { return PaintArm(true, i); }},
        {"Interface/Menu Button/Panel Flip", 20.0f, kFlipFrames,
         [normal](int i) { return PaintPanel(static_cast<double>(i + 1) / kFlipFrames, normal); }},
        {"Interface/Menu Button/Panel Pressed", 1.0f, 1, [pressed](int) { return PaintPanel(1.0, pressed); }},
        {"Interface/Menu Button/Panel Normal", 1.0f, 1, [normal](int) { return PaintPanel(1.0, normal); }},
        {"Interface/Menu Button/Panel Hover", 1.0f, 1, [hover](int) { return PaintPanel(1.0, hover); }},
    };
}

bool SaveSequence(const SequenceRecipe& recipe)
{
    std::vector<CImage> frames;
    for (int i = 0; i < recipe.frames; ++i)
        frames.push_back(recipe.paint(i));
    return SaveDrawnSequence(kResources, recipe.name, frames, recipe.framesPerSecond);
}

struct Caption
{
    const char* text;
    float delay;
    const char* y; // "Center" or pixels from the top
};

// A commercial as a person would write it: its clips by file name ("Resources/<name>", recorded
// by the game once the rest of the data set is built), then its captions.
std::string CommercialText(const std::vector<const char*>& clips, const std::vector<Caption>& captions)
{
    std::string text = "CCommercial\n{\n\tDemo Clips=Array\n\t{\n\t\tItem Count=" + std::to_string(clips.size()) + "\n";
    for (const char* clip : clips)
        text += std::string("\t\tDemo Clip=") + clip + "\n";
    text += "\t}\n\tLines=Array\n\t{\n\t\tItem Count=" + std::to_string(captions.size()) + "\n";
    for (const Caption& caption : captions) {
        char delay[32];
        std::snprintf(delay, sizeof delay, "%.2f", caption.delay);
        text += std::string("\t\tLine=CCommercialLine\n\t\t{\n\t\t\tText=") + caption.text +
                "\n\t\t\tDelay Before Text Appears=" + delay + "\n\t\t\tY Position=" + caption.y +
                "\n\t\t\tDuration=4.00\n\t\t}\n";
    }
    return text + "\t}\n}\n";
}

} // namespace

bool AddMenuContent(CContentSet& set, std::string& error)
{
    {
        const CStagingFolder staging;
        if (!staging.IsReady()) {
            error = "cannot make a scratch folder for the menu sequences";
            return false;
        }
        for (const SequenceRecipe& recipe : GetSequenceRecipes())
            if (!SaveSequence(recipe)) {
                error = std::string("cannot write the sequence ") + recipe.name;
                return false;
            }
        if (!staging.AddFilesTo(set, error))
            return false;
    }
    const struct
    {
        const char* name;
        std::vector<const char*> clips; // as DemoClips.txt records them
        std::vector<Caption> captions;
    } commercials[] = {
        {"1 Intro",
         {"Intro1.Demo", "Intro2.Demo"},
         {{"Welcome to Vantorel!", 2.0f, "Center"},
          {"Steer the ship, keep the ball in play", 3.0f, "100"},
          {"and clear every brick of the round.", 0.5f, "140"}}},
        {"Highlights",
         {"Highlights1.Demo"},
         {{"Power-ups change the game", 1.0f, "Center"}, {"Catch them with the ship!", 3.0f, "Center"}}},
        {"Later Rounds",
         {"Later1.Demo"},
         {{"Every round lays its own wall", 1.5f, "Center"}, {"Keep the ball up until the last brick falls", 3.5f, "120"}}},
    };
    for (const auto& commercial : commercials) {
        const std::string text = CommercialText(commercial.clips, commercial.captions);
        const std::string entry = std::string(commercial.name) + ".Commercial";
        if (!set.AddEntry(kResources, entry, CContentSet::Bytes(text.begin(), text.end()))) {
            error = entry + " is in the data set twice";
            return false;
        }
    }
    return true;
}
