#include "foundation/DirectorySearch.h"

#include "foundation/TextUtilities.h"

#include <cstring>
#include <string>

namespace {

// '*' and '?' over the whole name, from the front, with the last star taking the rest on a
// mismatch (linear in practice, never exponential).
bool MatchStars(const char* pattern, size_t patternLength, const char* name)
{
    size_t p = 0;
    size_t n = 0;
    size_t starPattern = std::string::npos;
    size_t starName = 0;
    const size_t nameLength = std::strlen(name);
    while (n < nameLength) {
        if (p < patternLength && pattern[p] == '*') {
            starPattern = p++;
            starName = n;
        } else if (p < patternLength &&
                   (pattern[p] == '?' || AsciiToLower(static_cast<unsigned char>(pattern[p])) ==
                                             AsciiToLower(static_cast<unsigned char>(name[n])))) {
            ++p;
            ++n;
        } else if (starPattern != std::string::npos) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < patternLength && pattern[p] == '*')
        ++p;
    return p == patternLength;
}

} // namespace

bool MatchWildcard(const char* pattern, const char* name)
{
    if (!pattern || !name)
        return false;
    size_t length = std::strlen(pattern);
    if (length >= 2 && pattern[length - 2] == '.' && pattern[length - 1] == '*') {
        if (MatchStars(pattern, length - 2, name))
            return true;
        return MatchStars(pattern, length, name);
    }
    if (length >= 1 && pattern[length - 1] == '.') {
        if (std::strchr(name, '.'))
            return false;
        while (length > 0 && pattern[length - 1] == '.')
            --length;
        return MatchStars(pattern, length, name);
    }
    return MatchStars(pattern, length, name);
}

bool SearchDirectory(const char* pathPattern, std::vector<platform::DirectoryEntry>& hits)
{
    hits.clear();
    if (!pathPattern)
        return false;
    const char* pattern = pathPattern;
    for (const char* p = pathPattern; *p; ++p)
        if (*p == '/' || *p == '\\')
            pattern = p + 1;
    const std::string folder(pathPattern, pattern);
    std::vector<platform::DirectoryEntry> entries;
    if (!platform::ListDirectory(folder.empty() ? "." : folder.c_str(), entries))
        return false;
    for (platform::DirectoryEntry& entry : entries)
        if (MatchWildcard(pattern, entry.name.c_str()))
            hits.push_back(std::move(entry));
    return true;
}
