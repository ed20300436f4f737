#include "foundation/DiskAccess.h"

#include "foundation/SharedString.h"
#include "foundation/VersionText.h"
#include "platform/Files.h"

#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace diskaccess {

std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

FILE* OpenExisting(const std::string& path, bool update)
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
    FILE* file = ::fdopen(fd, update ? "r+b" : "rb");
    if (!file)
        ::close(fd);
    return file;
}

bool BeginReplacement(const std::string& requested, ReplacementFile& out)
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
    int fd = -1;
    std::string temporary;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = MakeTemporaryName(target);
        fd = ::open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    if (exists && S_ISREG(st.st_mode))
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

bool TruncateFile(FILE* file, uint64_t size)
{
    if (!file || std::fflush(file) != 0)
        return false;
    return ::ftruncate(::fileno(file), static_cast<off_t>(size)) == 0;
}

bool ReadWholeFile(const std::string& path, std::string& out, uint64_t limit)
{
    out.clear();
    FILE* file = OpenExisting(path, false);
    if (!file)
        return false;
    struct stat st;
    bool ok = ::fstat(::fileno(file), &st) == 0 && static_cast<uint64_t>(st.st_size) <= limit;
    if (ok)
        out.reserve(static_cast<size_t>(st.st_size));
    char chunk[65536];
    size_t got;
    // The size is looked at again while reading: a file that grows past the limit meanwhile
    // is refused too.
    while (ok && (got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        if (got > limit - out.size())
            ok = false;
        else
            out.append(chunk, got);
    }
    ok = ok && !std::ferror(file);
    std::fclose(file);
    if (!ok) {
        out.clear();
        errno = EFBIG;
    }
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

std::string MakeTemporaryName(const std::string& target)
{
    static std::atomic<unsigned> s_counter{0};
    const std::string folder = FolderOf(target);
    return folder + "." + target.substr(folder.size()) + ".tmp" + std::to_string(::getpid()) + "-" +
           std::to_string(s_counter.fetch_add(1));
}

bool IsTemporaryName(const std::string& name, long* processId, std::string* target)
{
    const size_t tmp = name.rfind(".tmp");
    if (name.size() < 2 || name[0] != '.' || tmp == std::string::npos || tmp < 2 ||
        name.find('/') != std::string::npos)
        return false;
    const char* digits = name.c_str() + tmp + 4;
    char* end = nullptr;
    if (!std::isdigit(static_cast<unsigned char>(*digits)))
        return false;
    errno = 0;
    const long pid = std::strtol(digits, &end, 10);
    if (errno != 0 || *end != '-' || !std::isdigit(static_cast<unsigned char>(end[1])))
        return false;
    for (const char* c = end + 1; *c; ++c)
        if (!std::isdigit(static_cast<unsigned char>(*c)))
            return false;
    if (pid <= 0)
        return false;
    if (processId)
        *processId = pid;
    if (target)
        *target = name.substr(1, tmp - 1);
    return true;
}

int SweepTemporaries(const std::string& folder, bool recursive, const std::function<bool(const std::string&)>& isOwn)
{
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return 0;
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    std::vector<std::string> subfolders;
    int removed = 0;
    while (dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        long pid = 0;
        std::string target;
        bool temporary = IsTemporaryName(name, &pid, &target);
        // A screenshot is written whole under a temporary's name, which the disk stream writes
        // through a temporary of its own: the name that tells whose file it is lies innermost.
        for (std::string inner; temporary && IsTemporaryName(target, nullptr, &inner);)
            target = inner;
        temporary = temporary && isOwn(target);
        // Only a temporary's name, or what may be a folder, is worth a look at the entry itself:
        // the data folder's cache holds many files, and this runs at every start.
        const bool maybeFolder = recursive && (entry->d_type == DT_DIR || entry->d_type == DT_UNKNOWN);
        struct stat st;
        if ((!temporary && !maybeFolder) || ::lstat((prefix + name).c_str(), &st) != 0)
            continue;
        if (S_ISDIR(st.st_mode)) {
            if (recursive)
                subfolders.push_back(prefix + name);
        } else if (S_ISREG(st.st_mode) && temporary &&
                   // A process of that id still running may be writing it (another copy of the
                   // game sharing the folder): it stays.
                   ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
            if (::unlink((prefix + name).c_str()) == 0)
                ++removed;
        }
    }
    ::closedir(dir);
    for (const std::string& subfolder : subfolders)
        removed += SweepTemporaries(subfolder, true, isOwn);
    return removed;
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
