#include "app/OwnFiles.h"

#include "foundation/ConfigFile.h"
#include "foundation/DiskAccess.h"
#include "foundation/FileSystem.h"
#include "foundation/OpenFlags.h"
#include "foundation/SharedString.h"
#include "foundation/TextUtilities.h"
#include "foundation/VersionText.h"
#include "platform/Files.h"

#include <cctype>
#include <vector>

namespace ownfiles {

namespace {

enum class Shape
{
    Whole,         // the name itself
    Numbered,      // the name, then nothing or a number
    Pattern,       // the name with a number for its one integer conversion
    Ending,        // any name ending so
};

struct OwnName
{
    Folder folder;
    Shape shape;
    std::string text;
};

std::string ConfigFileName()
{
    CSharedString product;
    GetProductName(product);
    const std::string path = MakeConfigFileName(product.CStr(), true).CStr();
    return path.substr(path.find_last_of("\\/") + 1);
}

const std::vector<OwnName>& Table()
{
    static const std::vector<OwnName> s_table = {
        {Folder::Game, Shape::Whole, kStatistics},
        {Folder::Game, Shape::Numbered, std::string(kStatistics) + kSetAsideSuffix},
        {Folder::Game, Shape::Pattern, kScreenshotPattern},
        {Folder::Game, Shape::Whole, ConfigFileName()},
        {Folder::Game, Shape::Whole, kWritableProbe},
        {Folder::Game, Shape::Whole, kRemovalNotes},
        // The configuration file of a read-only game folder, settings files named without a
        // folder, the registry's stores.
        {Folder::Settings, Shape::Ending, ".ini"},
        // CFrame::BuildCacheFileName and CSequence::GetCacheFileName (fonts load as sequences);
        // the source records beside them come with the data.
        {Folder::DataCache, Shape::Ending, ".frm"},
        {Folder::DataCache, Shape::Ending, ".frm16"},
        {Folder::DataCache, Shape::Ending, ".frm24"},
        {Folder::DataCache, Shape::Ending, ".frm32"},
        {Folder::DataCache, Shape::Ending, ".seq"},
        {Folder::DataCache, Shape::Ending, ".seq16"},
        {Folder::DataCache, Shape::Ending, ".seq24"},
        {Folder::DataCache, Shape::Ending, ".seq32"},
        // SetUpBlitTables.
        {Folder::PaletteCache, Shape::Ending, ".pal"},
    };
    return s_table;
}

bool StartsWith(const std::string& name, size_t at, const std::string& text)
{
    return name.size() - at >= text.size() && CompareTextNoCaseN(name.c_str() + at, text.c_str(), text.size()) == 0;
}

bool AllDigits(const std::string& name, size_t from, size_t to)
{
    for (size_t i = from; i < to; ++i)
        if (!std::isdigit(static_cast<unsigned char>(name[i])))
            return false;
    return true;
}

bool Matches(const OwnName& own, const std::string& name)
{
    const std::string& text = own.text;
    switch (own.shape) {
    case Shape::Whole: return CompareTextNoCase(name.c_str(), text.c_str()) == 0;
    case Shape::Numbered: return StartsWith(name, 0, text) && AllDigits(name, text.size(), name.size());
    case Shape::Pattern: {
        // The conversion runs from '%' to its 'd': a number of at least one digit stands for it.
        const size_t percent = text.find('%');
        const size_t d = text.find('d', percent);
        if (percent == std::string::npos || d == std::string::npos)
            return false;
        const std::string before = text.substr(0, percent), after = text.substr(d + 1);
        return name.size() > before.size() + after.size() && StartsWith(name, 0, before) &&
               StartsWith(name, name.size() - after.size(), after) &&
               AllDigits(name, before.size(), name.size() - after.size());
    }
    case Shape::Ending: return name.size() > text.size() && StartsWith(name, name.size() - text.size(), text);
    }
    return false;
}

// A folder of the data folder, found as the writers find it there.
std::string InDataFolder(const std::string& name)
{
    const std::string data = GetBaseFolder();
    return platform::ResolvePath((data.empty() ? name : data + "/" + name).c_str());
}

} // namespace

bool IsOwnName(Folder folder, const std::string& name)
{
    for (const OwnName& own : Table())
        if (own.folder == folder && Matches(own, name))
            return true;
    return false;
}

int SweepTemporaries(Folder folder)
{
    const auto own = [folder](const std::string& name) { return IsOwnName(folder, name); };
    const std::string cache = CFileSystem::GetCacheFolderName();
    switch (folder) {
    case Folder::Game: return diskaccess::SweepTemporaries("", false, own);
    case Folder::Settings: return diskaccess::SweepTemporaries(diskaccess::UserConfigFolder(), false, own);
    case Folder::DataCache: return diskaccess::SweepTemporaries(InDataFolder(cache), true, own);
    case Folder::PaletteCache:
        return diskaccess::SweepTemporaries(InDataFolder(std::string(kPaletteFolder) + "/" + cache), false, own);
    }
    return 0;
}

int SweepTemporariesOfKilledWrites()
{
    int removed = 0;
    for (Folder folder : {Folder::Game, Folder::Settings, Folder::DataCache, Folder::PaletteCache})
        removed += SweepTemporaries(folder);
    return removed;
}

} // namespace ownfiles
