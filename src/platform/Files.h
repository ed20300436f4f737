#pragma once
// Files and folders. The engine names files the Windows way: '\' separators, ".\" prefixes and
// names whose case may differ from the disk's. Every function here takes such a name, turns it into
// a POSIX path and, where a segment does not exist as written, finds it case-insensitively in its
// folder. File-name bytes are kept as they are.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace platform {

// '\' becomes '/'; nothing else changes.
std::string ToPosixPath(const char* path);

// The POSIX path of an existing file or folder named by path, each segment that is missing as
// written replaced by the one entry of its folder equal to it ignoring ASCII case (an exact match
// always wins; among several others the first in byte order). Segments that match nothing are
// kept as written, so the result also names a file about to be made.
std::string ResolvePath(const char* path);

struct FileTime
{
    int64_t seconds = 0;        // since 1970-01-01 UTC
    int32_t nanoseconds = 0;
};

struct FileInfo
{
    bool isDirectory = false;
    bool readOnly = false;      // the owner may not write it
    uint64_t size = 0;
    FileTime modified;
    FileTime accessed;
    FileTime created;           // birth time when the file system keeps one, else the modified time
    bool hasBirthTime = false;
};

// False when nothing exists under the name.
bool GetFileInfo(const char* path, FileInfo& info);
bool FileExists(const char* path);
bool IsDirectory(const char* path);
// Whether path is a folder in which this process may create files.
bool IsWritableDirectory(const char* path);

bool SetReadOnly(const char* path, bool readOnly);
bool SetModifiedTime(const char* path, const FileTime& time);
// Sets the last-access and the last-write time; a null time is left as it is.
bool SetFileTimes(const char* path, const FileTime* accessed, const FileTime* modified);

struct DirectoryEntry
{
    std::string name;           // the name on disk
    FileInfo info;
};

// The entries of a folder other than "." and "..", sorted by name ignoring case (then by bytes).
// False when the folder cannot be read.
bool ListDirectory(const char* path, std::vector<DirectoryEntry>& entries);

bool MakeDirectory(const char* path);
// Makes every missing folder of path (the path names a folder).
bool MakeDirectories(const char* path);
bool RemoveFile(const char* path);
bool RemoveDirectory(const char* path);
// Replaces an existing target.
bool RenameFile(const char* from, const char* to);
// Gives the file the new name only when nothing has that name yet (the check and the rename are
// one step, so two programs never both take a name, except on a file system with neither that
// rename nor hard links); false with errno EEXIST when it is taken.
bool RenameNoReplace(const char* from, const char* to);

// fopen of the resolved path.
FILE* OpenFile(const char* path, const char* mode);

// The program's own file (/proc/self/exe); empty when it cannot be read.
std::string GetExecutablePath();
// $TMPDIR, or "/tmp/"; always ends with '/'.
std::string GetTempFolder();
std::string GetCurrentDirectory();
bool SetCurrentDirectory(const char* path);

} // namespace platform
