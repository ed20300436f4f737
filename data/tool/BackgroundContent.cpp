#include "BackgroundContent.h"

#include "BackgroundPictures.h"
#include "DrawnSequence.h"
#include "FrameSourceFile.h"
#include "StagingFolder.h"

#include <vector>

namespace {

constexpr const char* kResources = "Resources";
// The stand-alone pictures' source images, where the frame list finds them.
constexpr const char* kCache = "Cache";

// Written as a person would write them; the names are those of the sequence, frame and music
// lists. Angles are in radians.
constexpr const char* kSpace = "CBackgroundDefinition\r\n{\r\n"
                               "\tDraw Shadows=1\r\n"
                               "\tShadow Offset=8,8\r\n"
                               "\tPlayfield=1\r\n"
                               "\tForeground Sprites=1\r\n"
                               "\tMidground Image=Space Midground\r\n"
                               "\tBackground Sprites=1\r\n"
                               "\tBackground Image=Backgrounds/Space\r\n"
                               "\tMusic Tracks=CMusicMixerData\r\n\t{\r\n"
                               "\t\tNum Seconds To Switch=5\r\n"
                               "\t\tFull Mix Song=SpaceRumble fast.ogg\r\n"
                               "\t\tMed Mix Song=Space/SpaceRumble norm.ogg\r\n"
                               "\t\tAmbiant Song=Space/SpaceRumble slow.ogg\r\n"
                               "\t}\r\n"
                               "\tSprite Generators=Array\r\n\t{\r\n\t\tItem Count=2\r\n"
                               "\t\tGenerator=CBackgroundSpriteGenerator\r\n\t\t{\r\n"
                               "\t\t\tType=CRandomDebrisAI\r\n\t\t\t{\r\n"
                               "\t\t\t\tSequence=Space Debris\r\n\t\t\t\tMin Speed=6\r\n\t\t\t\tMax Speed=24\r\n"
                               "\t\t\t\tMin Angle=0.3\r\n\t\t\t\tMax Angle=1.2\r\n"
                               "\t\t\t}\r\n"
                               "\t\t\tCount=10\r\n\t\t\tLayer=Background Sprites\r\n"
                               "\t\t}\r\n"
                               "\t\tGenerator=CBackgroundSpriteGenerator\r\n\t\t{\r\n"
                               "\t\t\tType=CPlanktonAI\r\n\t\t\t{\r\n"
                               "\t\t\t\tSequence=Space Dust\r\n\t\t\t\tMin Speed=2\r\n\t\t\t\tMax Speed=9\r\n"
                               "\t\t\t}\r\n"
                               "\t\t\tCount=24\r\n\t\t\tLayer=Foreground Sprites\r\n"
                               "\t\t}\r\n"
                               "\t}\r\n}\r\n";

constexpr const char* kDeepSea = "CBackgroundDefinition\r\n{\r\n"
                                 "\tDraw Shadows=1\r\n"
                                 "\tShadow Offset=12,14\r\n"
                                 "\tPlayfield=1\r\n"
                                 "\tBackground Sprites=1\r\n"
                                 "\tBackground Image=Backgrounds/Deep Sea\r\n"
                                 "\tMusic Tracks=CMusicMixerData\r\n\t{\r\n"
                                 "\t\tNum Seconds To Switch=4\r\n"
                                 "\t\tFull Mix Song=Water Fast.ogg\r\n"
                                 "\t\tMed Mix Song=Water Fast.ogg\r\n"
                                 "\t\tAmbiant Song=Water Fast.ogg\r\n"
                                 "\t}\r\n"
                                 "\tSprite Generators=Array\r\n\t{\r\n\t\tItem Count=2\r\n"
                                 "\t\tGenerator=CBackgroundSpriteGenerator\r\n\t\t{\r\n"
                                 "\t\t\tType=CFishAI\r\n\t\t\t{\r\n"
                                 "\t\t\t\tLeft Sequence=Fish Left\r\n\t\t\t\tRight Sequence=Fish Right\r\n"
                                 "\t\t\t\tMinimum Speed=25\r\n\t\t\t\tMaximum Speed=60\r\n"
                                 "\t\t\t}\r\n"
                                 "\t\t\tCount=6\r\n\t\t\tLayer=Background Sprites\r\n"
                                 "\t\t}\r\n"
                                 "\t\tGenerator=CBackgroundSpriteGenerator\r\n\t\t{\r\n"
                                 "\t\t\tType=CPlanktonAI\r\n\t\t\t{\r\n"
                                 "\t\t\t\tSequence=Plankton\r\n\t\t\t\tMin Speed=1\r\n\t\t\t\tMax Speed=6\r\n"
                                 "\t\t\t}\r\n"
                                 "\t\t\tCount=30\r\n\t\t\tLayer=Background Sprites\r\n"
                                 "\t\t}\r\n"
                                 "\t}\r\n}\r\n";

bool AddText(CContentSet& set, const std::string& name, const char* text, std::string& error)
{
    const std::string bytes(text);
    if (!set.AddEntry(kResources, name, CContentSet::Bytes(bytes.begin(), bytes.end()))) {
        error = name + " is in the data set twice";
        return false;
    }
    return true;
}

// The picture, stored lossless and dithered as the midground is, so that the midground drawn over
// a backdrop matches it pixel for pixel.
bool AddPicture(CContentSet& set, const std::string& name, const CImage& image, std::string& error)
{
    const CContentSet::Bytes bytes = EncodeFrameSourceFile(image, true);
    const std::string entry = std::string(kResources) + "/" + name + ".Frame";
    const std::string properties = "CStandAloneFrame\r\n{\r\n\tLoss Less=1\r\n}\r\n";
    if (bytes.empty() || !set.AddEntry(kCache, entry, bytes) ||
        !set.AddEntry(kResources, name + ".txt", CContentSet::Bytes(properties.begin(), properties.end()))) {
        error = "cannot add the picture " + name;
        return false;
    }
    return true;
}

bool SaveSequences(const CImage& spaceBackdrop)
{
    const struct
    {
        const char* name;
        std::vector<CImage> frames;
        float framesPerSecond;
        bool dither = false;
    } sequences[] = {
        {"Space Midground", {PaintSpaceMidground(spaceBackdrop)}, 1.0f, true},
        {"Space Debris", PaintDebrisFrames(), 6.0f},
        {"Space Dust", PaintDustFrames(), 3.0f},
        {"Fish Left", PaintFishFrames(true), 8.0f},
        {"Fish Right", PaintFishFrames(false), 8.0f},
        {"Plankton", PaintPlanktonFrames(), 4.0f},
    };
    for (const auto& sequence : sequences)
        if (!SaveDrawnSequence(kResources, sequence.name, sequence.frames, sequence.framesPerSecond,
                               sequence.dither))
            return false;
    return true;
}

} // namespace

bool AddBackgrounds(CContentSet& set, std::string& error)
{
    const CImage spaceBackdrop = PaintSpaceBackdrop();
    {
        const CStagingFolder staging;
        if (!staging.IsReady()) {
            error = "cannot make a scratch folder for the background sequences";
            return false;
        }
        if (!SaveSequences(spaceBackdrop)) {
            error = "cannot write the background sequences";
            return false;
        }
        if (!staging.AddFilesTo(set, error))
            return false;
    }
    // The picture "!None" of no scenery comes with the skin's pictures.
    return AddPicture(set, "Backgrounds/Space", spaceBackdrop, error) &&
           AddPicture(set, "Backgrounds/Deep Sea", PaintDeepSeaBackdrop(), error) &&
           AddText(set, "Space.Background", kSpace, error) && AddText(set, "Deep Sea.Background", kDeepSea, error);
}
