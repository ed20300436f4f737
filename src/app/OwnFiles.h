#pragma once
// The files the game writes through a temporary beside them, by the folder it writes them in.
// Their writers take the names from here, and the start-up sweep removes only the temporaries of
// these names that a killed write left behind: a file of any other name is the player's or another
// program's, however it is named. A new writer of files adds its name to the table in OwnFiles.cpp.
//
// Left out on purpose: files under names a person gives (a demo clip recorded with /RecordDemo, a
// developer script's picture) and the developer's rewrites of data files anywhere in the data
// folder (brick layouts, TGA files, object files, a new sequence's Properties.txt). Their
// temporaries are not the sweep's to find.
#include <string>

namespace ownfiles {

// In the game folder (the current folder), besides the configuration file MakeConfigFileName
// names for a writable folder:
inline constexpr const char* kStatistics = "Stats.dat";
// Its copies kept aside (setaside::): "Stats.dat.bad", "Stats.dat.bad2", ...
inline constexpr const char* kSetAsideSuffix = ".bad";
// One integer conversion, the screenshot's number.
inline constexpr const char* kScreenshotPattern = "Vantorel Screen Shot %02d.TGA";
// Made and removed again at start to learn whether the folder is writable.
inline constexpr const char* kWritableProbe = "TestDestinationReadibility.txt";
// Copied out of the data by the "REMOVE" start.
inline constexpr const char* kRemovalNotes = "Remove.txt";

// The data folder's folder of the game palette; its tables are cached in its "Cache".
inline constexpr const char* kPaletteFolder = "Palettes";

enum class Folder
{
    Game,          // the current folder
    Settings,      // diskaccess::UserConfigFolder(): INI files of any name
    DataCache,     // the data folder's "Cache" and its sub-folders: frame and sequence caches
    PaletteCache,  // kPaletteFolder's "Cache": the palette's copy and its tables
};

// Whether the game writes a file of this bare name in the folder. ASCII case is ignored, as the
// file layer finds names: a save of "Stats.dat" where "stats.dat" lies writes ".stats.dat.tmp...".
bool IsOwnName(Folder folder, const std::string& name);

// Removes from the folder the temporaries of the game's own files that processes no longer
// running left; the number removed.
int SweepTemporaries(Folder folder);
// The same for every folder the game writes in, at start-up.
int SweepTemporariesOfKilledWrites();

} // namespace ownfiles
