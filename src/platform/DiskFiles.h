#pragma once
// Files on disk by their POSIX path, used as given: the caller has resolved the engine's name
// (ResolvePath in Files.h) already, and nothing here looks for a case-insensitive match again, so
// a name about to be made is never taken for another file's. These are the disk streams' and the
// configuration store's operations: opening an existing file, writing a file whole through a
// temporary and a rename, truncating, syncing, and the folder walk of the start-up sweep. A file
// with no write permission for its owner counts as read-only (like the read-only attribute, it
// refuses writes even to the superuser). Failures leave errno set.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace platform {

// Opens an existing regular file for reading ("rb") or for update ("r+b"); update refuses a
// read-only file (EACCES). Anything else under the name is refused at once, without blocking and
// without reading it: a folder with EISDIR, a FIFO, a device or a socket with EINVAL; an empty
// path with ENOENT. size, when given, receives the file's size at the open.
FILE* OpenRegularFile(const std::string& path, bool update, uint64_t* size = nullptr);

// Creates the file, or empties the regular file already under the name, without blocking: true
// only when the name then holds a regular file. Anything else under the name gives false and is
// not written.
bool CreateEmptyFile(const std::string& path);

// A new, empty file in the temporary folder (GetTempFolder) whose name begins with prefix; its
// path, or empty when it could not be made.
std::string CreateFileInTempFolder(const std::string& prefix);

// Gives the name of a temporary file beside the target (a fresh one at each call).
using TemporaryNamer = std::function<std::string(const std::string& target)>;

// A new file ("w+b", permissions 0666 less the umask) under the first of up to 100 names from
// nameTemporary(target) that nothing has yet, so that no other file is ever opened through it;
// temporary receives the name. Null (errno set) when none could be made.
FILE* CreateTemporaryFile(const std::string& target, const TemporaryNamer& nameTemporary, std::string& temporary);

// A file written whole. The bytes go to a temporary file beside the target, which replaces the
// target only when every write, the flush, the sync and the close succeeded, so a failed save
// leaves the old file as it was. A link to a regular file is followed (that file is replaced); a
// FIFO under the name is replaced by the new file; a device, a socket or a link to anything but a
// regular file is refused. Nothing is ever written through such a name, and nothing blocks.
struct ReplacementFile
{
    FILE* file = nullptr;
    std::string target;
    std::string temporary;
    bool failed = false;   // a write went wrong: the target must not be replaced
};

// Starts a replacement; the temporary file is made as by CreateTemporaryFile, with the permission
// bits of the file it replaces. False (errno set) when the target is a folder (EISDIR), read-only
// (EACCES), refused above (EINVAL), or its folder cannot take the temporary file.
bool BeginReplacement(const std::string& target, const TemporaryNamer& nameTemporary, ReplacementFile& out);
// Flushes, syncs and closes; replaces the target when nothing failed, else removes the temporary.
// The result says whether the target was replaced.
bool CommitReplacement(ReplacementFile& file);

// fflush, then cuts or extends the file behind the handle to size bytes.
bool TruncateFile(FILE* file, uint64_t size);
// fflush, then waits until the file's bytes are on the disk.
bool SyncFile(FILE* file);

// Removes the file (or link, never what it points to) under the path.
bool RemoveFileVerbatim(const std::string& path);

enum class EntryKind { Missing, Regular, Directory, Link, Other, Unknown };

struct FolderEntry
{
    std::string name;
    // As the folder records it, without a look at the entry: Unknown where the file system does
    // not say. A link is Link.
    EntryKind kind = EntryKind::Unknown;
};

// The entries of the folder ("" is the current folder) other than "." and "..", in the folder's
// order. False when it cannot be read.
bool ListFolderEntries(const std::string& folder, std::vector<FolderEntry>& entries);
// What is under the path, a link not followed (Link); Missing when nothing is, or it cannot be
// looked at.
EntryKind GetEntryKind(const std::string& path);

} // namespace platform
