#include "platform/DiskFiles.h"

#include "platform/Files.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

// A handle over the descriptor, which it then owns; the descriptor is closed when none is made.
FILE* AdoptDescriptor(int fd, const char* mode)
{
    FILE* file = ::fdopen(fd, mode);
    if (!file) {
        const int saved = errno;
        ::close(fd);
        errno = saved;
    }
    return file;
}

// A new file under the first free name of up to 100 the namer gives; the permission bits are set
// as given (not less the umask) when permissions is not negative. The descriptor, or -1.
int CreateFirstFree(const std::string& target, const TemporaryNamer& nameTemporary, int permissions,
                    std::string& temporary)
{
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = nameTemporary(target);
        fd = ::open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return -1;
    }
    if (fd >= 0 && permissions >= 0)
        ::fchmod(fd, static_cast<mode_t>(permissions));
    return fd;
}

EntryKind KindOfMode(mode_t mode)
{
    if (S_ISREG(mode))
        return EntryKind::Regular;
    if (S_ISDIR(mode))
        return EntryKind::Directory;
    if (S_ISLNK(mode))
        return EntryKind::Link;
    return EntryKind::Other;
}

} // namespace

FILE* OpenRegularFile(const std::string& path, bool update, uint64_t* size)
{
    if (path.empty()) {
        errno = ENOENT;
        return nullptr;
    }
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return nullptr;
    if (!S_ISREG(st.st_mode)) {
        errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        return nullptr;
    }
    if (update && (st.st_mode & S_IWUSR) == 0) {
        errno = EACCES;
        return nullptr;
    }
    // Without O_NONBLOCK a FIFO put in the file's place between the look and the open would hold
    // the open until a writer came; with it the open returns, and the second look refuses it.
    const int fd = ::open(path.c_str(), (update ? O_RDWR : O_RDONLY) | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat opened;
    const int status = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || status < 0 ||
        ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
        ::close(fd);
        errno = EINVAL;
        return nullptr;
    }
    if (size)
        *size = static_cast<uint64_t>(opened.st_size);
    return AdoptDescriptor(fd, update ? "r+b" : "rb");
}

FILE* CreateTemporaryFile(const std::string& target, const TemporaryNamer& nameTemporary, std::string& temporary)
{
    const int fd = CreateFirstFree(target, nameTemporary, -1, temporary);
    return fd < 0 ? nullptr : AdoptDescriptor(fd, "w+b");
}

bool CreateEmptyFile(const std::string& path)
{
    // Not blocking: a FIFO under the name would hold a plain open for writing until a reader
    // came.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    struct stat st;
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    return regular;
}

std::string CreateFileInTempFolder(const std::string& prefix)
{
    std::string name = GetTempFolder() + prefix + "XXXXXX";
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return {};
    ::close(fd);
    return name;
}

bool BeginReplacement(const std::string& requested, const TemporaryNamer& nameTemporary, ReplacementFile& out)
{
    out = ReplacementFile();
    if (requested.empty() || requested.back() == '/') {
        errno = EINVAL;
        return false;
    }
    // A link to a regular file is followed, so that the file it points to is replaced rather than
    // the link. Of the other kinds only a FIFO is replaced (by the rename, never opened); a
    // device, a socket or a link to anything but a regular file is refused, so that no save can
    // write into a device or take a system's name away.
    std::string target = requested;
    struct stat st;
    const bool named = ::stat(requested.c_str(), &st) == 0;
    if (named && S_ISDIR(st.st_mode)) {
        errno = EISDIR;
        return false;
    }
    struct stat link;
    const bool isLink = ::lstat(requested.c_str(), &link) == 0 && S_ISLNK(link.st_mode);
    if (isLink && named && S_ISREG(st.st_mode)) {
        if (char* real = ::realpath(requested.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
    } else if (named && !S_ISREG(st.st_mode) && (isLink || !S_ISFIFO(st.st_mode))) {
        errno = EINVAL;
        return false;
    }
    const bool exists = ::lstat(target.c_str(), &st) == 0;
    if (exists && (st.st_mode & S_IWUSR) == 0 && !S_ISLNK(st.st_mode)) {
        errno = EACCES;
        return false;
    }

    // The temporary file lies beside the target so that the rename never crosses file systems.
    const int permissions = exists && S_ISREG(st.st_mode) ? static_cast<int>(st.st_mode & 07777) : -1;
    std::string temporary;
    const int fd = CreateFirstFree(target, nameTemporary, permissions, temporary);
    if (fd < 0)
        return false;
    out.file = AdoptDescriptor(fd, "w+b");
    if (!out.file) {
        const int saved = errno;
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

bool TruncateFile(FILE* file, uint64_t size)
{
    if (!file || std::fflush(file) != 0)
        return false;
    return ::ftruncate(::fileno(file), static_cast<off_t>(size)) == 0;
}

bool SyncFile(FILE* file)
{
    return file && std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
}

bool RemoveFileVerbatim(const std::string& path)
{
    return ::unlink(path.c_str()) == 0;
}

bool ListFolderEntries(const std::string& folder, std::vector<FolderEntry>& entries)
{
    entries.clear();
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return false;
    while (dirent* entry = ::readdir(dir)) {
        FolderEntry item;
        item.name = entry->d_name;
        if (item.name == "." || item.name == "..")
            continue;
        switch (entry->d_type) {
        case DT_REG: item.kind = EntryKind::Regular; break;
        case DT_DIR: item.kind = EntryKind::Directory; break;
        case DT_LNK: item.kind = EntryKind::Link; break;
        case DT_UNKNOWN: item.kind = EntryKind::Unknown; break;
        default: item.kind = EntryKind::Other; break;
        }
        entries.push_back(std::move(item));
    }
    ::closedir(dir);
    return true;
}

EntryKind GetEntryKind(const std::string& path)
{
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0)
        return EntryKind::Missing;
    return KindOfMode(st.st_mode);
}

} // namespace platform
