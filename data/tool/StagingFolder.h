#pragma once
// A scratch folder that the engine's own file writers write into: while it lives it is the
// engine's base folder, so a writer's "Fonts/-Big White/Big White.tga" lands inside it. Its
// files then join the data set, each in the archive named by its first folder.
//
// The rule a caller must know: the engine's base folder is process-wide, so only one staging
// folder may live at a time; the old base folder comes back, and the folder and its files are
// removed, when it goes.
#include "ContentSet.h"

#include <filesystem>
#include <string>

class CStagingFolder
{
public:
    CStagingFolder();
    ~CStagingFolder();
    CStagingFolder(const CStagingFolder&) = delete;
    CStagingFolder& operator=(const CStagingFolder&) = delete;

    // False when the folder could not be made; the base folder is then left alone.
    bool IsReady() const { return !m_folder.empty(); }
    const std::filesystem::path& GetPath() const { return m_folder; }

    // Adds every file written so far to the set, in name order: "Cache/Resources/X.Sequence" as
    // the entry "Resources/X.Sequence" of the archive "Cache". False, with error set, for a file
    // outside any folder, one that cannot be read, or a name the set already has.
    bool AddFilesTo(CContentSet& set, std::string& error) const;

private:
    std::filesystem::path m_folder;
    std::string m_oldBaseFolder;
};
