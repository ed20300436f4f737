#include "foundation/DiskAccess.h"

#include "foundation/SharedString.h"
#include "foundation/VersionText.h"
#include "platform/DiskFiles.h"
#include "platform/Process.h"

#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace diskaccess {

std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool ReadWholeFile(const std::string& path, std::string& out, uint64_t limit)
{
    out.clear();
    uint64_t size = 0;
    FILE* file = platform::OpenRegularFile(path, false, &size);
    if (!file)
        return false;
    bool ok = size <= limit;
    if (ok)
        out.reserve(static_cast<size_t>(size));
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
    platform::ReplacementFile file;
    if (!platform::BeginReplacement(path, MakeTemporaryName, file))
        return false;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.file) != bytes.size())
        file.failed = true;
    return platform::CommitReplacement(file);
}

std::string MakeTemporaryName(const std::string& target)
{
    static std::atomic<unsigned> s_counter{0};
    const std::string folder = FolderOf(target);
    return folder + "." + target.substr(folder.size()) + ".tmp" + std::to_string(platform::GetProcessId()) + "-" +
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
    std::vector<platform::FolderEntry> entries;
    if (!platform::ListFolderEntries(folder, entries))
        return 0;
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    std::vector<std::string> subfolders;
    int removed = 0;
    for (const platform::FolderEntry& entry : entries) {
        const std::string& name = entry.name;
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
        const bool maybeFolder = recursive && (entry.kind == platform::EntryKind::Directory ||
                                               entry.kind == platform::EntryKind::Unknown);
        if (!temporary && !maybeFolder)
            continue;
        const std::string path = prefix + name;
        const platform::EntryKind kind = platform::GetEntryKind(path);
        if (kind == platform::EntryKind::Directory) {
            if (recursive)
                subfolders.push_back(path);
        } else if (kind == platform::EntryKind::Regular && temporary &&
                   // A process of that id still running may be writing it (another copy of the
                   // game sharing the folder): it stays.
                   !platform::IsProcessRunning(pid)) {
            if (platform::RemoveFileVerbatim(path))
                ++removed;
        }
    }
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
