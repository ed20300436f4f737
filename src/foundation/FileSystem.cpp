#include "foundation/FileSystem.h"

#include "foundation/ArchiveStreamProvider.h"
#include "foundation/DirectorySearch.h"
#include "foundation/FileNameCollector.h"
#include "foundation/FilePaths.h"
#include "foundation/FileTimes.h"
#include "foundation/LocalizedString.h"
#include "foundation/OpenFlags.h"
#include "foundation/TextUtilities.h"
#include "foundation/Win32Services.h"
#include "platform/Files.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

CLocalizedString s_illegalNameCaption("Illegal file name", "Message box caption");
CLocalizedString s_tildeText("\"%s\" is an illegal file name because it contains a tilde character",
                             "%s is a file name");

// The base folder as names are joined to it: empty, or ending with its separator.
std::string BaseFolderPrefix()
{
    std::string base = GetBaseFolder();
    if (!base.empty() && base.back() != '/' && base.back() != '\\')
        base += '/';
    return base;
}

// The disk path of a name: joined to the base folder unless VF_VERBATIM. False for a missing
// name or one that does not fit a path buffer.
bool DiskPath(const char* name, uint32_t flags, std::string& out)
{
    if (!name || !*name)
        return false;
    flags = AddAbsoluteNameFlags(name, flags);
    out = (flags & VF_VERBATIM) ? std::string(name) : BaseFolderPrefix() + name;
    return out.size() < kPathBufferSize;
}

CArchiveStreamProvider* UsableArchives(uint32_t flags)
{
    CArchiveStreamProvider* archives = CStream::GetArchiveProvider();
    if (!archives || (flags & VF_VERBATIM) || !archives->HasMountedArchives())
        return nullptr;
    return archives;
}

size_t FileNameStart(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? 0 : slash + 1;
}

uint32_t ClampSize(uint64_t size)
{
    return size > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<uint32_t>(size);
}

bool IsZipOnlySearch(const CFileSearchSpec& spec)
{
    return !spec.IsFindingFolders() && spec.GetExtensionCount() == 1 &&
           CompareTextNoCase(spec.GetExtension(0).CStr(), "ZIP") == 0;
}

// The disk half of a search. The search spec's folder is a disk path; names are reported without its
// first strip characters (the base folder and its separator).
void ScanDiskFolder(CFileVisitor& visitor, const CFileSearchSpec& spec, const std::string& diskFolder, size_t strip)
{
    // A folder given without its closing separator stands for its parent.
    const std::string folder = diskFolder.substr(0, FileNameStart(diskFolder));
    std::vector<platform::DirectoryEntry> entries;
    if (!platform::ListDirectory(folder.empty() ? "." : folder.c_str(), entries))
        return;

    const bool findFolders = spec.IsFindingFolders();
    for (int i = 0; i < spec.GetExtensionCount(); ++i) {
        const CSharedString& extension = spec.GetExtension(i);
        std::string pattern = spec.GetNamePrefix();
        pattern += "*.";
        pattern += extension.IsEmpty() ? "*" : extension.CStr();
        for (const platform::DirectoryEntry& entry : entries) {
            const std::string& name = entry.name;
            if (entry.info.isDirectory != findFolders || name[0] == '.' ||
                !MatchWildcard(pattern.c_str(), name.c_str()))
                continue;
            const std::string path = folder + name;
            if (name.find('~') != std::string::npos) {
                CSharedString text;
                text.Format(s_tildeText.GetFormat(), path.c_str());
                FatalExit(s_illegalNameCaption.CStr(), text.CStr());
            }
            // Like every path buffer of the file layer, found names are bounded.
            if (path.size() >= kPathBufferSize)
                continue;
            const char* reported = spec.GetNamesWithoutFolders() ? name.c_str() : path.c_str() + strip;
            visitor.Dispatch(reported, ClampSize(entry.info.size),
                             UnixTimeToFileTime(entry.info.modified.seconds, entry.info.modified.nanoseconds));
        }
    }

    const uint32_t mode = spec.GetRecursionMode();
    if (mode != CFileSearchSpec::RECURSE_ALL && mode != CFileSearchSpec::RECURSE_SKIP_DASHED)
        return;
    const bool zipOnly = IsZipOnlySearch(spec);
    for (const platform::DirectoryEntry& entry : entries) {
        const std::string& name = entry.name;
        if (!entry.info.isDirectory || name[0] == '.' || !MatchWildcard("*.", name.c_str()))
            continue;
        if (mode == CFileSearchSpec::RECURSE_SKIP_DASHED && name[0] == '-')
            continue;
        // Archives kept in a cache folder are copies, never data to mount.
        if (zipOnly && CompareTextNoCase(name.c_str(), "cache") == 0)
            continue;
        const std::string subFolder = folder + name + "/";
        // Bounded like every path, which also ends a walk caught in a loop of links.
        if (subFolder.size() >= kPathBufferSize)
            continue;
        CFileSearchSpec sub = spec;
        sub.SetFolder(subFolder.c_str());
        ScanDiskFolder(visitor, sub, subFolder, strip);
    }
}

} // namespace

uint32_t CFileSystem::EnumerateFiles(CFileVisitor& visitor, const CFileSearchSpec& spec, uint32_t flags)
{
    std::string diskFolder;
    size_t strip = 0;
    if (flags & VF_VERBATIM) {
        diskFolder = spec.GetFolder();
    } else {
        const std::string base = BaseFolderPrefix();
        diskFolder = base + spec.GetFolder();
        strip = base.size();
    }
    CFileSearchSpec diskSpec = spec;
    diskSpec.SetFolder(diskFolder.c_str());
    ScanDiskFolder(visitor, diskSpec, diskFolder, strip);

    if (CArchiveStreamProvider* archives = UsableArchives(flags))
        archives->EnumerateEntries(visitor, spec);
    return visitor.GetCount();
}

uint32_t CFileSystem::CountFiles(const CFileSearchSpec& spec, uint32_t flags)
{
    CFileCounter counter;
    return EnumerateFiles(counter, spec, flags);
}

uint32_t CFileSystem::FindFilesIntoTable(const CFileSearchSpec& spec, char* names, void* values, uint32_t stride,
                                         uint32_t capacity, uint32_t flags)
{
    CFileNameCollector collector(names, values, stride, capacity, stride > 0 ? stride - 1 : 0);
    return EnumerateFiles(collector, spec, flags);
}

bool CFileSystem::ReadWholeFile(const char* name, void* buffer, uint32_t n)
{
    CVirtualFile file;
    if (!file.Open(name, VF_READ))
        return false;
    return file.GetSize() == n && (n == 0 || (buffer && file.Read(buffer, n) == n));
}

bool CFileSystem::WriteWholeFile(const char* name, const void* bytes, uint32_t n)
{
    CVirtualFile file;
    if (!file.Open(name, VF_CREATE | VF_WRITE))
        return false;
    bool ok = n == 0 || (bytes && file.Write(bytes, n) == n);
    if (!ok)
        file.GetStream()->MarkWriteFailed(); // keep the old file rather than a cut one
    ok = file.Close() && ok;
    return ok;
}

bool CFileSystem::RemoveFile(const char* name, uint32_t flags)
{
    std::string path;
    if (!DiskPath(name, flags, path))
        return false;
    platform::FileInfo info;
    return platform::GetFileInfo(path.c_str(), info) && !info.isDirectory && platform::RemoveFile(path.c_str());
}

bool CFileSystem::FileExists(const char* name, uint32_t flags)
{
    CVirtualFile file;
    return file.Open(name, VF_READ | VF_ABSOLUTE | (flags & VF_VERBATIM));
}

bool CFileSystem::IsFileWritable(const char* name, uint32_t flags)
{
    flags = AddAbsoluteNameFlags(name, flags);
    if (CArchiveStreamProvider* archives = UsableArchives(flags)) {
        bool writable = false;
        if (name && archives->FindEntry(name, writable))
            return writable;
    }
    std::string path;
    return DiskPath(name, flags, path) && IsPathWritable(path.c_str());
}

uint64_t CFileSystem::GetFileTimeStamp(const char* name, uint32_t flags, uint32_t which)
{
    flags = AddAbsoluteNameFlags(name, flags);
    std::string path;
    if (DiskPath(name, flags, path))
        if (const uint64_t time = GetDiskFileTime(path.c_str(), which))
            return time;
    if (CArchiveStreamProvider* archives = UsableArchives(flags))
        if (name && *name)
            return archives->GetEntryFileTime(name);
    return 0;
}

bool CFileSystem::SetFileTimeStamp(const char* name, uint64_t time, uint32_t flags, uint32_t whichBits)
{
    std::string path;
    return DiskPath(name, flags, path) && SetDiskFileTime(path.c_str(), time, whichBits);
}

bool CFileSystem::MakeUniqueFileName(char* out, size_t size, const char* pattern, uint32_t flags)
{
    if (!out || size == 0)
        return false;
    out[0] = '\0';
    if (!pattern)
        return false;
    if (flags & VF_VERBATIM)
        return MakeNumberedFileName(out, size, pattern);

    // The base folder goes through the formatter with the pattern, so its '%' are escaped.
    const std::string base = BaseFolderPrefix();
    std::string joined;
    for (char c : base) {
        joined += c;
        if (c == '%')
            joined += '%';
    }
    joined += pattern;
    char path[kPathBufferSize];
    if (!MakeNumberedFileName(path, sizeof path, joined.c_str()))
        return false;
    const char* relative = path + base.size();
    const size_t length = std::strlen(relative);
    if (length >= size)
        return false;
    std::memcpy(out, relative, length + 1);
    return true;
}
