#include "foundation/SetAside.h"

#include "foundation/DiskAccess.h"
#include "platform/DiskFiles.h"
#include "platform/Files.h"

#include <cerrno>
#include <cstdio>

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
    FILE* file = platform::CreateTemporaryFile(target, diskaccess::MakeTemporaryName, temporary);
    if (!file)
        return false;
    bool ok = (n == 0 || std::fwrite(bytes, 1, n, file) == n) && platform::SyncFile(file);
    int saved = errno;
    if (std::fclose(file) != 0 && ok) {
        ok = false;
        saved = errno;
    }
    if (ok && ClaimFreeName(temporary, name, suffix, keptAs))
        return true;
    if (ok)
        saved = errno;
    platform::RemoveFileVerbatim(temporary);
    errno = saved;
    return false;
}

} // namespace setaside
