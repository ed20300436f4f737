#include "DefaultContent.h"

#include "AudioContent.h"
#include "GamePalette.h"
#include "MouseCursor.h"
#include "SoundRecipes.h"

#include <fstream>
#include <iterator>

namespace {

// The archives, by the folder each lends its entries.
constexpr const char* kPalettes = "Palettes";
constexpr const char* kSounds = "Sounds";
constexpr const char* kMusic = "Music";

// Files copied from data/ to the top of the data folder.
constexpr const char* kPlainFiles[] = {"ForceFeedback.ifr"};

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

bool AddPlainFiles(const ContentSources& sources, CContentSet& set, std::string& error)
{
    for (const char* name : kPlainFiles) {
        std::ifstream file(sources.sourceFolder / name, std::ios::binary);
        if (!file) {
            error = "cannot read " + (sources.sourceFolder / name).string();
            return false;
        }
        const CContentSet::Bytes bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        if (!Add(set.AddFile(name, bytes), name, error))
            return false;
    }
    return true;
}

bool DrawPictures(const ContentSources& sources, DrawnContent& drawn, std::string& error)
{
    drawn.companyLogo = PaintCompanyLogo(sources.fontFolder, error);
    drawn.mouseCursor = PaintMouseCursor();
    return !drawn.companyLogo.IsEmpty();
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
           AddPlainFiles(sources, set, error) && DrawPictures(sources, drawn, error) && DrawFonts(sources, drawn, error);
}
