#pragma once
// The directory search of the file layer: folder listings filtered by the wildcard patterns that
// data and code were written against (case-insensitive, '*' and '?', "*.*" for every name and
// a trailing "." for names without an extension).
#include "platform/Files.h"

#include <vector>

// Whether the name matches the pattern:
// - '*' matches any run of characters, '?' exactly one, letters match ignoring ASCII case;
// - a pattern ending in ".*" also matches names without that last part ("*.*" matches all);
// - a pattern ending in "." matches only names without a dot ("*." finds extensionless names).
bool MatchWildcard(const char* pattern, const char* name);

// The entries of a folder that match a pattern: pathPattern is the folder (found ignoring case),
// a separator and the pattern; without a separator the current folder is searched. Entries come
// in name order ignoring case. False when the folder cannot be read.
bool SearchDirectory(const char* pathPattern, std::vector<platform::DirectoryEntry>& hits);
