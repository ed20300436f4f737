#pragma once
// Path texts and the disk tests the file layer shares. Paths are zero-terminated texts; '/' and
// '\' are both separators on input and '/' is the one written. Outputs go to caller buffers of a
// given size (the file layer uses kPathBufferSize): a result that does not fit is never cut
// short, the function fails and leaves the empty text, so an overlong name is simply not found.
#include <cstddef>
#include <cstdint>

constexpr size_t kPathBufferSize = 256;

// out = folder, a '/' unless the folder is empty or already ends with a separator, then name.
bool JoinPath(char* out, size_t size, const char* folder, const char* name);
// JoinPath, then a and b appended (typically a dot and an extension); null texts count as empty.
bool JoinPathAndAppend(char* out, size_t size, const char* folder, const char* name, const char* a,
                       const char* b);
// In place: an empty path becomes the name; otherwise a separator unless the path ends with one,
// then the name.
bool AppendPathComponent(char* path, size_t size, const char* name);
bool AppendPathComponentWithBackslash(char* path, size_t size, const char* name);

template <size_t N>
bool JoinPath(char (&out)[N], const char* folder, const char* name)
{
    return JoinPath(out, N, folder, name);
}
template <size_t N>
bool JoinPathAndAppend(char (&out)[N], const char* folder, const char* name, const char* a, const char* b)
{
    return JoinPathAndAppend(out, N, folder, name, a, b);
}
template <size_t N>
bool AppendPathComponent(char (&path)[N], const char* name)
{
    return AppendPathComponent(path, N, name);
}
template <size_t N>
bool AppendPathComponentWithBackslash(char (&path)[N], const char* name)
{
    return AppendPathComponentWithBackslash(path, N, name);
}

// The text after the last separator, or the whole path; "In Path Name Null!" for null.
const char* GetFileNamePart(const char* path);
char* GetFileNamePart(char* path);
// Cuts the path after its last separator (which stays); without one the path becomes empty.
void StripFileNamePart(char* path);
// The last '.' of the file-name part, or its terminator when it has none. A dot in a folder name
// is no extension.
const char* FindFileExtension(const char* name);
char* FindFileExtension(char* name);
// Overwrites the name from its extension's dot (or from its end) with the extension, which
// carries its dot. Fails, leaving the name as it was, when the result does not fit.
bool ReplaceFileExtension(char* name, size_t size, const char* extension);
template <size_t N>
bool ReplaceFileExtension(char (&name)[N], const char* extension)
{
    return ReplaceFileExtension(name, N, extension);
}

// Whether the directory search finds the path (a file or a folder); '*' and '?' are allowed in
// its last segment.
// Absolute names ("/x", "\x", "C:x") never go through the base folder or the archives: the
// flags with VF_VERBATIM and VF_ABSOLUTE added for such a name, unchanged otherwise.
uint32_t AddAbsoluteNameFlags(const char* name, uint32_t flags);

bool PathExists(const char* path);
// An existing path: true unless it is read-only. A missing one: whether its folder (or the
// current folder) exists and takes new files.
bool IsPathWritable(const char* path);
// Creates every missing folder of the path, the highest first. False when nothing was created,
// so a path that already exists gives false.
bool CreateFolderChain(const char* path);
// The read-only attribute: the owner may not write. False when the path cannot be examined.
bool IsFileReadOnly(const char* path);
// Sets or clears only the read-only attribute; nothing when the path cannot be examined.
void SetFileReadOnly(const char* path, bool readOnly);

// Formats the printf pattern (one integer conversion) with 0, 1, 2, ... until the result names
// nothing on disk. False when a name does not fit or the pattern takes no number and its one
// name exists.
bool MakeNumberedFileName(char* out, size_t size, const char* pattern);
// A new, empty file in the system's temporary folder whose name begins with the prefix; out
// receives its path.
bool MakeTempFileName(char* out, size_t size, const char* prefix);
