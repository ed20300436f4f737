#include "foundation/FilePaths.h"

#include "foundation/DirectorySearch.h"
#include "foundation/OpenFlags.h"
#include "platform/DiskFiles.h"
#include "platform/Files.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

const char* Safe(const char* text)
{
    return text ? text : "";
}

// Copies the pieces into out when they fit with their terminator; otherwise out becomes empty.
bool Assemble(char* out, size_t size, const std::string& text)
{
    if (!out || size == 0)
        return false;
    if (text.size() >= size) {
        out[0] = '\0';
        return false;
    }
    std::memcpy(out, text.c_str(), text.size() + 1);
    return true;
}

std::string Joined(const char* folder, const char* name, char separator)
{
    std::string text = Safe(folder);
    if (text.empty())
        return Safe(name);
    if (!IsSeparator(text.back()))
        text += separator;
    return text + Safe(name);
}

// The index just after the last separator (0 when there is none).
size_t FileNameStart(const char* path)
{
    size_t start = 0;
    for (size_t i = 0; path[i]; ++i)
        if (IsSeparator(path[i]))
            start = i + 1;
    return start;
}

bool HasWildcard(const char* text)
{
    return std::strpbrk(text, "*?") != nullptr;
}

// Whether the pattern holds at most one conversion, and that one an integer conversion, so that
// formatting it with one int is safe. count receives the number of integer conversions.
bool IsIntegerPattern(const char* pattern, int& count)
{
    count = 0;
    for (const char* p = pattern; *p; ++p) {
        if (*p != '%')
            continue;
        ++p;
        if (*p == '%')
            continue;
        while (*p && std::strchr("-+ #0", *p))
            ++p;
        while (*p >= '0' && *p <= '9')
            ++p;
        if (*p == '.') {
            ++p;
            while (*p >= '0' && *p <= '9')
                ++p;
        }
        if (!*p || !std::strchr("diuxXo", *p))
            return false;
        if (++count > 1)
            return false;
    }
    return true;
}

} // namespace

bool JoinPath(char* out, size_t size, const char* folder, const char* name)
{
    return Assemble(out, size, Joined(folder, name, '/'));
}

bool JoinPathAndAppend(char* out, size_t size, const char* folder, const char* name, const char* a, const char* b)
{
    return Assemble(out, size, Joined(folder, name, '/') + Safe(a) + Safe(b));
}

bool AppendPathComponent(char* path, size_t size, const char* name)
{
    if (!path)
        return false;
    return Assemble(path, size, Joined(path, name, '/'));
}

bool AppendPathComponentWithBackslash(char* path, size_t size, const char* name)
{
    if (!path)
        return false;
    return Assemble(path, size, Joined(path, name, '\\'));
}

const char* GetFileNamePart(const char* path)
{
    if (!path)
        return "In Path Name Null!";
    return path + FileNameStart(path);
}

char* GetFileNamePart(char* path)
{
    if (!path)
        return nullptr;
    return path + FileNameStart(path);
}

void StripFileNamePart(char* path)
{
    if (path)
        path[FileNameStart(path)] = '\0';
}

const char* FindFileExtension(const char* name)
{
    const char* fileName = name + FileNameStart(name);
    const char* dot = std::strrchr(fileName, '.');
    return dot ? dot : fileName + std::strlen(fileName);
}

char* FindFileExtension(char* name)
{
    return const_cast<char*>(FindFileExtension(static_cast<const char*>(name)));
}

bool ReplaceFileExtension(char* name, size_t size, const char* extension)
{
    if (!name)
        return false;
    const size_t keep = static_cast<size_t>(FindFileExtension(name) - name);
    const size_t add = std::strlen(Safe(extension));
    if (keep + add >= size)
        return false;
    std::memcpy(name + keep, Safe(extension), add + 1);
    return true;
}

uint32_t AddAbsoluteNameFlags(const char* name, uint32_t flags)
{
    const bool absolute = name && name[0] && (name[0] == '/' || name[0] == '\\' || name[1] == ':');
    return absolute ? flags | VF_VERBATIM | VF_ABSOLUTE : flags;
}

bool PathExists(const char* path)
{
    if (!path || !*path)
        return false;
    std::string text = path;
    // A folder given with its separator is the folder itself.
    while (text.size() > 1 && IsSeparator(text.back()))
        text.pop_back();
    if (!HasWildcard(text.c_str() + FileNameStart(text.c_str())))
        return platform::FileExists(text.c_str());
    std::vector<platform::DirectoryEntry> hits;
    return SearchDirectory(text.c_str(), hits) && !hits.empty();
}

bool IsPathWritable(const char* path)
{
    if (!path || !*path)
        return false;
    platform::FileInfo info;
    if (platform::GetFileInfo(path, info))
        return !info.readOnly;
    std::string folder(path, FileNameStart(path));
    return platform::IsWritableDirectory(folder.empty() ? "." : folder.c_str());
}

bool CreateFolderChain(const char* path)
{
    if (!path || !*path)
        return false;
    std::string whole = path;
    if (whole.size() > 1 && IsSeparator(whole.back()))
        whole.pop_back();
    // Each pass creates the highest missing folder, until the whole path is made.
    for (;;) {
        std::string attempt = whole;
        for (;;) {
            if (platform::MakeDirectory(attempt.c_str())) {
                if (attempt.size() == whole.size())
                    return true;
                break;
            }
            const size_t cut = attempt.find_last_of("/\\");
            if (cut == std::string::npos || cut == 0)
                return false;
            attempt.resize(cut);
        }
    }
}

bool IsFileReadOnly(const char* path)
{
    platform::FileInfo info;
    return path && platform::GetFileInfo(path, info) && info.readOnly;
}

void SetFileReadOnly(const char* path, bool readOnly)
{
    if (path)
        platform::SetReadOnly(path, readOnly);
}

bool MakeNumberedFileName(char* out, size_t size, const char* pattern)
{
    if (!out || size == 0)
        return false;
    out[0] = '\0';
    int conversions = 0;
    if (!pattern || !IsIntegerPattern(pattern, conversions))
        return false;
    for (int number = 0; number < INT_MAX; ++number) {
        const int length = std::snprintf(out, size, pattern, number);
        if (length < 0 || static_cast<size_t>(length) >= size) {
            out[0] = '\0';
            return false;
        }
        if (!PathExists(out))
            return true;
        if (conversions == 0)
            break;
    }
    out[0] = '\0';
    return false;
}

bool MakeTempFileName(char* out, size_t size, const char* prefix)
{
    if (!out || size == 0)
        return false;
    out[0] = '\0';
    const std::string name = platform::CreateFileInTempFolder(Safe(prefix));
    if (name.empty())
        return false;
    if (!Assemble(out, size, name)) {
        platform::RemoveFileVerbatim(name);
        return false;
    }
    return true;
}
