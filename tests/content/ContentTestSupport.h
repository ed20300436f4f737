#pragma once
// Helpers of the data-set tests: the content tool run into a folder of the test's own, the
// sources it reads, and the built files listed for comparison.
#include "TestSupport.h"
#include "foundation/FileSearchSpec.h"
#include "sound/MusicList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

namespace contenttest {

namespace fs = std::filesystem;

inline const char* SourceFolder()
{
    return VANTOREL_SOURCE_DIR "/data";
}

inline const char* FontFolder()
{
    return VANTOREL_FONT_DIR;
}

// Loads the music list from the folder's songs, as the program does (a folder without songs
// empties it).
inline void LoadMusicList(const char* folder)
{
    CFileSearchSpec spec;
    spec.SetFolder(folder);
    spec.AddExtension("ogg");
    CMusicList::GetInstance().Load(spec, CFilePlayList::ORDER_SHUFFLED, nullptr, 0);
}

// Runs the content tool; its exit status.
inline int RunTool(const fs::path& out, const std::string& extra = "")
{
    return testsupport::RunCommand(std::string("'") + VANTOREL_CONTENT_TOOL + "' --source '" + SourceFolder() +
                                   "' --fonts '" + FontFolder() + "' --out '" + out.string() + "' " + extra +
                                   " >/dev/null 2>&1");
}

// The files the tool writes (archives and plain files, sub-folders included), by their path
// below the folder, with their bytes. Folders the program itself makes at run time (caches) are
// left out.
inline std::map<std::string, std::string> BuiltFiles(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    for (auto it = fs::recursive_directory_iterator(folder); it != fs::recursive_directory_iterator(); ++it) {
        if (it->is_directory() && it->path().filename() == "Cache") {
            it.disable_recursion_pending();
            continue;
        }
        if (it->is_regular_file())
            files[fs::relative(it->path(), folder).string()] = testsupport::ReadFileBytes(it->path());
    }
    return files;
}

// One run of the tool shared by the tests of a program: the data set as a fresh build makes it.
inline const fs::path& BuiltDataFolder()
{
    static testsupport::TempDir folder;
    static const bool built = RunTool(folder.Path() / "Data") == 0;
    EXPECT_TRUE(built);
    return folder.Path();
}

} // namespace contenttest
