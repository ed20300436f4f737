#include "DefaultContent.h"

#include "AudioContent.h"
#include "BackgroundContent.h"
#include "BrickContent.h"
#include "BrickLayerContent.h"
#include "CursorAndFonts.h"
#include "EffectContent.h"
#include "EndPictures.h"
#include "ShipContent.h"
#include "FrameSourceFile.h"
#include "GamePalette.h"
#include "ListIcons.h"
#include "MainMenuPicture.h"
#include "MenuContent.h"
#include "MouseCursor.h"
#include "MuteImage.h"
#include "NoneSequence.h"
#include "ScoreBoardPictures.h"
#include "SkinContent.h"
#include "SoundRecipes.h"
#include "SplashPicture.h"
#include "WebSpinner.h"
#include "WindowTextures.h"

#include <fstream>
#include <iterator>

namespace {

// The archives, by the folder each lends its entries.
constexpr const char* kPalettes = "Palettes";
constexpr const char* kSounds = "Sounds";
constexpr const char* kMusic = "Music";
// The stand-alone pictures' property files ("Resources/<name>.txt").
constexpr const char* kResources = "Resources";
// The pictures' source images ("Cache/Resources/<name>.Frame"): the frame list lists and loads
// its pictures from there when "Resources" holds no TGA files.
constexpr const char* kCache = "Cache";

// Files copied from data/: into the archive of their folder, or without one to the top of the
// data folder, where no archive can put them.
struct CopiedFile
{
    const char* archive; // null: a plain file
    const char* name;
};
constexpr CopiedFile kCopiedFiles[] = {
    {nullptr, "ForceFeedback.ifr"},
    // The credits dialog scrolls it.
    {nullptr, "Credits.txt"},
    // The logo draws straight onto the screen, so it keeps plain rows.
    {kResources, "CompanyLogo.txt"},
    // The installed modules the version check lists: the game itself and one add-on.
    {kResources, "TheGame.modinfo"},
    {kResources, "BonusRounds.modinfo"},
    {kResources, "Splash.FOO"},
    // The texts set over the completed-game picture.
    {kResources, "Completed Game.FOO"},
};

bool Add(bool added, const std::string& what, std::string& error)
{
    if (!added)
        error = what + " is in the data set twice";
    return added;
}

bool AddPalettes(CContentSet& set, std::string& error)
{
    return Add(set.AddEntry(kPalettes, "GamePalette.bmp", EncodePaletteBmp(MakeGamePalette())), "GamePalette.bmp",
               error);
}

bool AddSounds(CContentSet& set, std::string& error)
{
    for (const SoundRecipe& recipe : GetSoundRecipes())
        if (!Add(set.AddEntry(kSounds, recipe.name, EncodeSound(recipe)), recipe.name, error))
            return false;
    return true;
}

bool AddMusic(CContentSet& set, std::string& error)
{
    // The start song (found for "Intro.wav"), the themes the game names and their substitutes.
    return AddSongs(set, kMusic, error);
}

bool AddCopiedFiles(const ContentSources& sources, CContentSet& set, std::string& error)
{
    for (const CopiedFile& copied : kCopiedFiles) {
        const std::filesystem::path path =
            copied.archive ? sources.sourceFolder / copied.archive / copied.name : sources.sourceFolder / copied.name;
        std::ifstream file(path, std::ios::binary);
        if (!file) {
            error = "cannot read " + path.string();
            return false;
        }
        const CContentSet::Bytes bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        const bool added = copied.archive ? set.AddEntry(copied.archive, copied.name, bytes)
                                          : set.AddFile(copied.name, bytes);
        if (!Add(added, copied.name, error))
            return false;
    }
    return true;
}

bool DrawPictures(const ContentSources& sources, DrawnContent& drawn, std::string& error)
{
    drawn.companyLogo = PaintCompanyLogo(sources.fontFolder, error);
    drawn.mouseCursor = PaintMouseCursor();
    drawn.mainMenu = PaintMainMenuPicture();
    drawn.scoreBoard = PaintScoreBoardFrame();
    drawn.advertisements = PaintAdvertisements();
    if (drawn.companyLogo.IsEmpty())
        return false;
    drawn.gameOver = PaintGameOverPicture(sources.fontFolder, error);
    drawn.completedGame = PaintCompletedGamePicture(sources.fontFolder, error);
    return !drawn.gameOver.IsEmpty() && !drawn.completedGame.IsEmpty();
}

// The pictures of the frame list, each as its source image, where the list looks for it.
bool AddPictures(const DrawnContent& drawn, CContentSet& set, std::string& error)
{
    const CImage splash = PaintSplashPicture();
    const struct
    {
        const char* name;
        const CImage& image;
        bool lossless;
    } fixed[] = {
        {"CompanyLogo", drawn.companyLogo, true},
        {"Splash", splash, false},
        {"Main Menu Pluvex", drawn.mainMenu, true},
        {"Score Board Frame", drawn.scoreBoard, true},
        {"Game Over", drawn.gameOver, true},
        {"Completed Game", drawn.completedGame, false},
    };
    std::vector<std::decay_t<decltype(fixed[0])>> pictures(std::begin(fixed), std::end(fixed));
    const std::string plainRows = kPlainRowsProperties;
    for (const auto& [name, image] : drawn.advertisements) {
        pictures.push_back({name.c_str(), image, true});
        // The panel turns these by stretching strips of them (Normal Scale), which samples plain
        // rows directly; an opaque picture gains nothing from run-length rows.
        if (!Add(set.AddEntry(kResources, name + ".txt", CContentSet::Bytes(plainRows.begin(), plainRows.end())),
                 name + ".txt", error))
            return false;
    }
    // A full-screen picture is copied straight to the display, so it keeps plain rows.
    if (!Add(set.AddEntry(kResources, "Completed Game.txt", CContentSet::Bytes(plainRows.begin(), plainRows.end())),
             "Completed Game.txt", error))
        return false;
    for (const auto& picture : pictures) {
        const CContentSet::Bytes bytes = EncodeFrameSourceFile(picture.image, picture.lossless);
        if (bytes.empty()) {
            error = std::string("cannot encode the picture ") + picture.name;
            return false;
        }
        const std::string entry = std::string(kResources) + "/" + picture.name + ".Frame";
        if (!Add(set.AddEntry(kCache, entry, bytes), entry, error))
            return false;
    }
    return true;
}

bool DrawFonts(const ContentSources& sources, DrawnContent& drawn, std::string& error)
{
    drawn.fonts.clear();
    for (const FontRecipe& recipe : GetFontRecipes()) {
        FontImages font;
        if (!PaintFont(recipe, sources.fontFolder, font, error))
            return false;
        drawn.fonts.push_back(std::move(font));
    }
    return true;
}

} // namespace

bool BuildDefaultContent(const ContentSources& sources, CContentSet& set, DrawnContent& drawn, std::string& error)
{
    return AddPalettes(set, error) && AddSounds(set, error) && AddMusic(set, error) &&
           AddNoneSequence(set, error) && AddBrickContent(set, error) &&
           AddCopiedFiles(sources, set, error) && DrawPictures(sources, drawn, error) &&
           AddPictures(drawn, set, error) && AddSkinContent(set, error) && DrawFonts(sources, drawn, error) &&
           AddWindowTextures(set, error) && AddListIcons(set, error) && AddWebSpinner(set, error) &&
           AddMuteImage(set, error) &&
           AddCursorAndFonts(drawn.mouseCursor, drawn.fonts, set, error) && AddEffects(set, error) &&
           AddBackgrounds(set, error) &&
           AddMenuContent(set, error) && AddShipContent(set, error) && AddBrickLayerContent(set, error);
}
