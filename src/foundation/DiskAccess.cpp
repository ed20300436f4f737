#include "foundation/DiskAccess.h"

#include "foundation/SharedString.h"
#include "foundation/VersionText.h"
#include "platform/Files.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace diskaccess {

std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

FILE* OpenExisting(const std::string& path, bool update)
{
    platform::FileInfo info;
    if (path.empty() || !platform::GetFileInfo(path.c_str(), info) || info.isDirectory)
        return nullptr;
    if (update && info.readOnly) {
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
    const bool exists = ::stat(target.c_str(), &st) == 0;
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
