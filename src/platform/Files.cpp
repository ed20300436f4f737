#include "platform/Files.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

bool Exists(const std::string& path)
{
    struct stat st{};
    return lstat(path.c_str(), &st) == 0;
}

// The entry of folder equal to name ignoring ASCII case; empty when there is none.
std::string FindCaseInsensitive(const std::string& folder, const std::string& name)
{
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return {};
    std::string best;
    while (dirent* entry = readdir(dir)) {
        if (strcasecmp(entry->d_name, name.c_str()) == 0 && (best.empty() || std::strcmp(entry->d_name, best.c_str()) < 0))
            best = entry->d_name;
    }
    closedir(dir);
    return best;
}

FileTime ToFileTime(const timespec& ts)
{
    return {static_cast<int64_t>(ts.tv_sec), static_cast<int32_t>(ts.tv_nsec)};
}

} // namespace

std::string ToPosixPath(const char* path)
{
    std::string out = path ? path : "";
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

std::string ResolvePath(const char* path)
{
    std::string posix = ToPosixPath(path);
    if (posix.empty() || Exists(posix))
        return posix;
    std::string resolved;
    size_t start = 0;
    if (posix[0] == '/') {
        resolved = "/";
        start = 1;
    }
    bool searching = true;
    while (start <= posix.size()) {
        size_t end = posix.find('/', start);
        if (end == std::string::npos)
            end = posix.size();
        std::string segment = posix.substr(start, end - start);
        bool last = end == posix.size();
        if (!segment.empty()) {
            std::string candidate = resolved + segment;
            if (searching && segment != "." && segment != ".." && !Exists(candidate)) {
                std::string found = FindCaseInsensitive(resolved, segment);
                if (!found.empty())
                    candidate = resolved + found;
                else
                    searching = false;   // nothing below a missing folder can exist
            }
            resolved = candidate;
        }
        if (!last && (resolved.empty() || resolved.back() != '/'))
            resolved += '/';
        start = end + 1;
    }
    return resolved;
}

bool GetFileInfo(const char* path, FileInfo& info)
{
    std::string resolved = ResolvePath(path);
    info = FileInfo{};
#ifdef STATX_BTIME
    struct statx sx{};
    if (statx(AT_FDCWD, resolved.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &sx) == 0) {
        info.isDirectory = S_ISDIR(sx.stx_mode);
        info.readOnly = (sx.stx_mode & S_IWUSR) == 0;
        info.size = sx.stx_size;
        info.modified = {static_cast<int64_t>(sx.stx_mtime.tv_sec), static_cast<int32_t>(sx.stx_mtime.tv_nsec)};
        info.accessed = {static_cast<int64_t>(sx.stx_atime.tv_sec), static_cast<int32_t>(sx.stx_atime.tv_nsec)};
        if (sx.stx_mask & STATX_BTIME) {
            info.hasBirthTime = true;
            info.created = {static_cast<int64_t>(sx.stx_btime.tv_sec), static_cast<int32_t>(sx.stx_btime.tv_nsec)};
        } else {
            info.created = info.modified;
        }
        return true;
    }
    if (errno != ENOSYS)
        return false;
#endif
    struct stat st{};
    if (stat(resolved.c_str(), &st) != 0)
        return false;
    info.isDirectory = S_ISDIR(st.st_mode);
    info.readOnly = (st.st_mode & S_IWUSR) == 0;
    info.size = static_cast<uint64_t>(st.st_size);
    info.modified = ToFileTime(st.st_mtim);
    info.accessed = ToFileTime(st.st_atim);
    info.created = info.modified;
    return true;
}

bool FileExists(const char* path)
{
    FileInfo info;
    return GetFileInfo(path, info);
}

bool IsDirectory(const char* path)
{
    FileInfo info;
    return GetFileInfo(path, info) && info.isDirectory;
}

bool IsWritableDirectory(const char* path)
{
    const std::string resolved = ResolvePath(path);
    const char* folder = resolved.empty() ? "." : resolved.c_str();
    struct stat st{};
    return stat(folder, &st) == 0 && S_ISDIR(st.st_mode) && access(folder, W_OK | X_OK) == 0;
}

bool SetReadOnly(const char* path, bool readOnly)
{
    std::string resolved = ResolvePath(path);
    struct stat st{};
    // Only a file of its own: a name linked to a device or a pipe is not the program's to change.
    if (stat(resolved.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    mode_t mode = st.st_mode & 07777;
    mode = readOnly ? (mode & ~static_cast<mode_t>(S_IWUSR)) : (mode | S_IWUSR);
    return chmod(resolved.c_str(), mode) == 0;
}

bool SetModifiedTime(const char* path, const FileTime& time)
{
    return SetFileTimes(path, nullptr, &time);
}

bool SetFileTimes(const char* path, const FileTime* accessed, const FileTime* modified)
{
    std::string resolved = ResolvePath(path);
    timespec times[2];
    const FileTime* given[2] = {accessed, modified};
    for (int i = 0; i < 2; ++i) {
        if (given[i]) {
            times[i].tv_sec = static_cast<time_t>(given[i]->seconds);
            times[i].tv_nsec = given[i]->nanoseconds;
        } else {
            times[i].tv_sec = 0;
            times[i].tv_nsec = UTIME_OMIT;
        }
    }
    return utimensat(AT_FDCWD, resolved.c_str(), times, 0) == 0;
}

bool ListDirectory(const char* path, std::vector<DirectoryEntry>& entries)
{
    entries.clear();
    std::string folder = ResolvePath(path);
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return false;
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    while (dirent* entry = readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        DirectoryEntry item;
        item.name = entry->d_name;
        // An entry that vanished meanwhile is left out.
        if (GetFileInfo((folder + item.name).c_str(), item.info))
            entries.push_back(std::move(item));
    }
    closedir(dir);
    std::sort(entries.begin(), entries.end(), [](const DirectoryEntry& a, const DirectoryEntry& b) {
        int c = strcasecmp(a.name.c_str(), b.name.c_str());
        return c != 0 ? c < 0 : a.name < b.name;
    });
    return true;
}

bool MakeDirectory(const char* path)
{
    return mkdir(ResolvePath(path).c_str(), 0777) == 0;
}

bool MakeDirectories(const char* path)
{
    std::string resolved = ResolvePath(path);
    for (size_t i = 1; i <= resolved.size(); ++i) {
        if (i == resolved.size() || resolved[i] == '/') {
            std::string part = resolved.substr(0, i);
            if (mkdir(part.c_str(), 0777) != 0 && errno != EEXIST)
                return false;
        }
    }
    struct stat st{};
    return stat(resolved.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool RemoveFile(const char* path)
{
    return unlink(ResolvePath(path).c_str()) == 0;
}

bool RemoveDirectory(const char* path)
{
    return rmdir(ResolvePath(path).c_str()) == 0;
}

bool RenameFile(const char* from, const char* to)
{
    return rename(ResolvePath(from).c_str(), ResolvePath(to).c_str()) == 0;
}

bool RenameNoReplace(const char* from, const char* to)
{
    const std::string source = ResolvePath(from);
    const std::string target = ResolvePath(to);
    if (renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    // File systems without the flag: a hard link is made only where no name is, too.
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    if (link(source.c_str(), target.c_str()) == 0) {
        unlink(source.c_str());
        return true;
    }
    if (errno == EEXIST)
        return false;
    // Nor links: look first (one instance of the program writes here).
    struct stat st;
    if (lstat(target.c_str(), &st) == 0) {
        errno = EEXIST;
        return false;
    }
    return rename(source.c_str(), target.c_str()) == 0;
}

FILE* OpenFile(const char* path, const char* mode)
{
    return std::fopen(ResolvePath(path).c_str(), mode);
}

std::string GetExecutablePath()
{
    std::vector<char> buffer(4096);
    ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0)
        return {};
    return std::string(buffer.data(), static_cast<size_t>(n));
}

std::string GetTempFolder()
{
    const char* env = std::getenv("TMPDIR");
    std::string folder = (env && *env) ? env : "/tmp/";
    if (folder.back() != '/')
        folder += '/';
    return folder;
}

std::string GetCurrentDirectory()
{
    std::vector<char> buffer(4096);
    if (!getcwd(buffer.data(), buffer.size()))
        return {};
    return buffer.data();
}

bool SetCurrentDirectory(const char* path)
{
    return chdir(ResolvePath(path).c_str()) == 0;
}

} // namespace platform
