#include "foundation/SetAside.h"

#include "foundation/DiskAccess.h"
#include "platform/Files.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace setaside {

namespace {

// Enough for every copy a person would keep; past it something else is wrong.
constexpr int kMaxNames = 10000;

std::string Candidate(const char* name, const char* suffix, int number)
{
    std::string candidate = std::string(name) + suffix;
    if (number > 1)
        candidate += std::to_string(number);
    return platform::ResolvePath(candidate.c_str());
}

// Renames the file at path to the first free name.
bool ClaimFreeName(const std::string& path, const char* name, const char* suffix, std::string& keptAs)
{
    for (int number = 1; number <= kMaxNames; ++number) {
        const std::string candidate = Candidate(name, suffix, number);
        if (platform::RenameNoReplace(path.c_str(), candidate.c_str())) {
            keptAs = candidate;
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    errno = EEXIST;
    return false;
}

bool WriteAll(int fd, const void* bytes, size_t n)
{
    const auto* at = static_cast<const char*>(bytes);
    while (n > 0) {
        const ssize_t done = ::write(fd, at, n);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        at += done;
        n -= static_cast<size_t>(done);
    }
    return true;
}

} // namespace

bool MoveAside(const char* name, const char* suffix, std::string& keptAs)
{
    return ClaimFreeName(platform::ResolvePath(name), name, suffix, keptAs);
}

bool CopyAside(const char* name, const char* suffix, const void* bytes, size_t n, std::string& keptAs)
{
    // Named as the disk streams name their temporaries, so that whatever sweeps those finds it.
    const std::string target = platform::ResolvePath(name);
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = diskaccess::MakeTemporaryName(target);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    bool ok = WriteAll(fd, bytes, n) && ::fsync(fd) == 0;
    int saved = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        saved = errno;
    }
    if (ok && ClaimFreeName(temporary, name, suffix, keptAs))
        return true;
    if (ok)
        saved = errno;
    ::unlink(temporary.c_str());
    errno = saved;
    return false;
}

} // namespace setaside
