#include "foundation/MountArchives.h"

#include "foundation/FileSearchSpec.h"
#include "foundation/FileSystem.h"
#include "foundation/FoundFileList.h"
#include "foundation/LocalizedString.h"
#include "foundation/OpenFlags.h"
#include "foundation/StartupStatusDisplay.h"
#include "foundation/TextUtilities.h"
#include "foundation/Win32Services.h"
#include "foundation/ZipArchiveSet.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

CLocalizedString s_badZipCaption("Bad Zip file", "Message box caption");
CLocalizedString s_badZipText("Unable to open zip file %s %s . May be damaged file.",
                              "The first %s is a folder, the second a zip file name");

// Names of KTD archives are collected into slots of this size (79 characters at most).
constexpr uint32_t kArchiveNameSlot = 80;

bool MountRootArchive(CZipArchiveSet& set, const std::string& path)
{
    return set.Mount(path.c_str(), true, false, "/", false, VF_VERBATIM);
}

void MountRootArchives(CZipArchiveSet& set, const char* programFile, const std::string& dataFolder)
{
    SetBaseFolder(".");

    CFileSearchSpec spec;
    spec.SetFolderAndExtension("", "KTD");
    spec.SetRecursionMode(CFileSearchSpec::RECURSE_NONE);
    const uint32_t count = CFileSystem::CountFiles(spec, VF_VERBATIM);
    std::vector<char> table(static_cast<size_t>(count) * kArchiveNameSlot + 1, '\0');
    const uint32_t found =
        CFileSystem::FindFilesIntoTable(spec, table.data(), nullptr, kArchiveNameSlot, count, VF_VERBATIM);
    std::vector<std::string> names;
    for (uint32_t i = 0; i < found; ++i)
        names.emplace_back(table.data() + static_cast<size_t>(i) * kArchiveNameSlot);
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return CompareTextNoCase(a.c_str(), b.c_str()) < 0; });

    // The program file may carry the data itself; otherwise the data folder's own archive.
    bool mounted = programFile && programFile[0] && MountRootArchive(set, programFile);
    if (!mounted)
        mounted = MountRootArchive(set, dataFolder + ".ZIP");
    if (!mounted)
        mounted = MountRootArchive(set, dataFolder + ".DAT");
    set.SetMounted(mounted);

    // Later archives hide earlier ones: the last in name order is found first.
    for (const std::string& name : names)
        if (MountRootArchive(set, name))
            set.SetMounted(true);
}

void MountDataZips(CZipArchiveSet& set)
{
    CStartupStatusDisplay& status = GetStartupStatusDisplay();
    status.ShowText("Enumerating Zip Files", 0, 0);
    CFileSearchSpec spec;
    spec.SetFolderAndExtension("", "zip");
    spec.SetRecursionMode(CFileSearchSpec::RECURSE_ALL);
    CFoundFileList zips;
    if (zips.Find(spec) == 0) {
        status.ShowText("No zip files found", 0, 0);
        return;
    }
    status.ShowText("Opening Zip Files and Retreiving File Lists", 0, 0);
    for (uint32_t i = 0; i < zips.GetCount(); ++i) {
        const std::string name = zips.GetName(i).CStr();
        // Sub/Sound.zip lends its entries the folder Sub/Sound/.
        const std::string mountPoint = name.substr(0, name.size() >= 4 ? name.size() - 4 : 0) + "/";
        if (!set.Mount(name.c_str(), i == 0, true, mountPoint.c_str(), true, 0)) {
            CSharedString text;
            text.Format(s_badZipText.GetFormat(), mountPoint.c_str(), name.c_str());
            FatalExit(s_badZipCaption.CStr(), text.CStr());
        }
        set.SetMounted(true);
    }
    status.ShowText("Done Opening Zip Files and Retreiving File Lists", 0, 0);
}

} // namespace

void MountArchivesWithProgramFile(const char* programFile, const char* dataFolder, bool skipRoot, bool skipDataZips)
{
    CZipArchiveSet& set = CZipArchiveSet::GetInstance();
    if (set.IsMounted())
        FatalExit("FATAL ERROR", "The data archives are mounted already."); // a programming error
    const std::string folder = dataFolder ? dataFolder : "";
    if (!skipRoot)
        MountRootArchives(set, programFile, folder);
    SetBaseFolder(folder.c_str());
    if (!skipDataZips)
        MountDataZips(set);
}

void CFileSystem::MountArchives(const char* dataFolder, bool skipRootArchives, bool skipDataZips)
{
    // The program's full path, 256 characters at most.
    char programFile[257] = {};
    if (!GetProgramFileName(programFile, sizeof programFile))
        programFile[0] = '\0';
    MountArchivesWithProgramFile(programFile, dataFolder, skipRootArchives, skipDataZips);
}

bool CFileSystem::UnmountArchives()
{
    CZipArchiveSet& set = CZipArchiveSet::GetInstance();
    if (!set.IsMounted())
        return false;
    set.UnmountAll();
    set.SetMounted(false);
    return true;
}
