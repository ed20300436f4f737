#include "foundation/DiskAccess.h"

#include "foundation/SharedString.h"
#include "foundation/VersionText.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace diskaccess {

namespace {

char FoldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualNoCase(const std::string& a, const char* b)
{
    size_t i = 0;
    for (; i < a.size(); ++i) {
        if (b[i] == '\0' || FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    }
    return b[i] == '\0';
}

std::string Join(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    if (folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

// The entry of the folder whose name equals the segment ignoring case, or "" when none does.
std::string FindNoCase(const std::string& folder, const std::string& segment)
{
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return std::string();
    std::string found;
    while (dirent* entry = readdir(dir)) {
        if (EqualNoCase(segment, entry->d_name)) {
            found = entry->d_name;
            break;
        }
    }
    closedir(dir);
    return found;
}

bool StatPath(const std::string& path, struct stat& st)
{
    return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

} // namespace

std::string ResolvePath(const char* name)
{
    if (!name)
        return std::string();
    std::string path(name);
    for (char& c : path)
        if (c == '\\')
            c = '/';
    if (path.empty())
        return path;

    std::string current;
    size_t start = 0;
    if (path[0] == '/') {
        current = "/";
        start = 1;
    }
    bool lookUp = true;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        std::string segment = path.substr(start, end - start);
        const bool last = end == path.size();
        if (lookUp && !segment.empty() && segment != "." && segment != "..") {
            std::string candidate = Join(current, segment);
            if (!Exists(candidate)) {
                std::string actual = FindNoCase(current, segment);
                if (!actual.empty())
                    segment = actual;
                else
                    lookUp = false; // nothing below a missing folder can exist
            }
        }
        if (segment.empty() && !last && !current.empty() && current.back() == '/') {
            // a doubled separator adds nothing
        } else if (last && segment.empty()) {
            if (!current.empty() && current.back() != '/')
                current += '/';
        } else {
            current = Join(current, segment);
        }
        if (last)
            break;
        start = end + 1;
    }
    return current;
}

bool Exists(const std::string& path)
{
    struct stat st;
    return StatPath(path, st);
}

bool IsRegularFile(const std::string& path)
{
    struct stat st;
    return StatPath(path, st) && S_ISREG(st.st_mode);
}

bool IsFolder(const std::string& path)
{
    struct stat st;
    return StatPath(path, st) && S_ISDIR(st.st_mode);
}

bool IsReadOnly(const std::string& path)
{
    struct stat st;
    return StatPath(path, st) && (st.st_mode & S_IWUSR) == 0;
}

bool SetReadOnly(const std::string& path, bool readOnly)
{
    struct stat st;
    if (!StatPath(path, st))
        return false;
    mode_t mode = st.st_mode & 07777;
    mode = readOnly ? (mode & ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH)) : (mode | S_IWUSR);
    return ::chmod(path.c_str(), mode) == 0;
}

bool RemoveFile(const std::string& path)
{
    return !path.empty() && ::unlink(path.c_str()) == 0;
}

std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool CreateFolderChain(const std::string& folder)
{
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    if (path.empty() || IsFolder(path))
        return !path.empty();
    for (size_t i = 1; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/') {
            std::string part = path.substr(0, i);
            if (!IsFolder(part) && ::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST)
                return false;
        }
    }
    return IsFolder(path);
}

FILE* OpenExisting(const std::string& path, bool update)
{
    if (path.empty() || IsFolder(path))
        return nullptr;
    if (update && IsReadOnly(path)) {
        errno = EACCES;
        return nullptr;
    }
    return std::fopen(path.c_str(), update ? "r+b" : "rb");
}

bool BeginReplacement(const std::string& requested, ReplacementFile& out)
{
    out = ReplacementFile();
    if (requested.empty() || requested.back() == '/') {
        errno = EINVAL;
        return false;
    }
    // A link is followed, so that the file it points to is replaced rather than the link.
    std::string target = requested;
    struct stat link;
    if (::lstat(requested.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        if (char* real = ::realpath(requested.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
    }
    struct stat st;
    const bool exists = StatPath(target, st);
    if (exists && S_ISDIR(st.st_mode)) {
        errno = EISDIR;
        return false;
    }
    if (exists && (st.st_mode & S_IWUSR) == 0) {
        errno = EACCES;
        return false;
    }
    if (exists && !S_ISREG(st.st_mode)) {
        out.file = std::fopen(target.c_str(), "wb");
        out.target = target;
        return out.file != nullptr;
    }

    // The temporary file lies beside the target so that the rename never crosses file systems.
    static std::atomic<unsigned> s_counter{0};
    const std::string folder = FolderOf(target);
    const std::string name = target.substr(folder.size());
    int fd = -1;
    std::string temporary;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = folder + "." + name + ".tmp" + std::to_string(::getpid()) + "-" +
                    std::to_string(s_counter.fetch_add(1));
        fd = ::open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    if (exists)
        ::fchmod(fd, st.st_mode & 07777);
    out.file = ::fdopen(fd, "w+b");
    if (!out.file) {
        int saved = errno;
        ::close(fd);
        ::unlink(temporary.c_str());
        errno = saved;
        return false;
    }
    out.target = target;
    out.temporary = temporary;
    return true;
}

bool CommitReplacement(ReplacementFile& file)
{
    if (!file.file)
        return false;
    bool ok = !file.failed && std::fflush(file.file) == 0 && !std::ferror(file.file);
    if (ok && !file.temporary.empty())
        ok = ::fsync(::fileno(file.file)) == 0;
    if (std::fclose(file.file) != 0)
        ok = false;
    file.file = nullptr;
    if (!file.temporary.empty()) {
        if (ok)
            ok = ::rename(file.temporary.c_str(), file.target.c_str()) == 0;
        if (!ok)
            ::unlink(file.temporary.c_str());
    }
    file.temporary.clear();
    return ok;
}

void AbandonReplacement(ReplacementFile& file)
{
    if (file.file)
        std::fclose(file.file);
    file.file = nullptr;
    if (!file.temporary.empty())
        ::unlink(file.temporary.c_str());
    file.temporary.clear();
}

bool TruncateFile(FILE* file, uint64_t size)
{
    if (!file || std::fflush(file) != 0)
        return false;
    return ::ftruncate(::fileno(file), static_cast<off_t>(size)) == 0;
}

bool ReadWholeFile(const std::string& path, std::string& out)
{
    out.clear();
    FILE* file = OpenExisting(path, false);
    if (!file)
        return false;
    char chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        out.append(chunk, got);
    const bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes)
{
    ReplacementFile file;
    if (!BeginReplacement(path, file))
        return false;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.file) != bytes.size())
        file.failed = true;
    return CommitReplacement(file);
}

std::string UserConfigFolder()
{
    std::string base;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home && home[0] ? home : ".") + "/.config";
    }
    if (base.back() != '/')
        base += '/';
    CSharedString product;
    GetProductName(product);
    return base + product.CStr() + "/";
}

} // namespace diskaccess
