#pragma once
// The stdio side of the disk streams and the configuration store: opening existing files,
// writing whole files through a temporary file and a rename, truncation, and the per-user
// configuration folder. Names are resolved by the platform layer (platform/Files.h) before
// they reach these functions. A file with no write permission for its owner counts as
// read-only (like the read-only attribute, it refuses writes even to the superuser).
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

namespace diskaccess {

// The folder part of a path including its last '/', or "" when it has none.
std::string FolderOf(const std::string& path);

// Opens an existing regular file for reading ("rb") or for update ("r+b"); update refuses a
// read-only file. Anything else under the name (a folder, a FIFO, a device, a socket) is refused
// at once, without blocking and without reading it: null with errno set.
FILE* OpenExisting(const std::string& path, bool update);

// A file written whole. The bytes go to a temporary file beside the target, which replaces the
// target only when every write, the flush and the close succeeded, so a failed save leaves the
// old file as it was. A link to a regular file is followed (that file is replaced); a FIFO under
// the name is replaced by the new file; a device, a socket or a link to anything but a regular
// file is refused. Nothing is ever written through such a name, and nothing blocks.
struct ReplacementFile
{
    FILE* file = nullptr;
    std::string target;
    std::string temporary;
    bool failed = false;   // a write went wrong: the target must not be replaced
};

// Starts a replacement; false (with errno set) when the target is read-only, refused (above) or
// its folder cannot take the temporary file.
bool BeginReplacement(const std::string& target, ReplacementFile& out);
// Flushes and closes; replaces the target when nothing failed. The result says whether it did.
bool CommitReplacement(ReplacementFile& file);

// fflush, then ftruncate of the file behind the handle.
bool TruncateFile(FILE* file, uint64_t size);

// Whole-file helpers for the configuration store (writes go through a replacement). A file of
// more than limit bytes is not read: false with errno EFBIG.
bool ReadWholeFile(const std::string& path, std::string& out, uint64_t limit);
bool WriteWholeFile(const std::string& path, const std::string& bytes);

// The name of a temporary file beside the target: "." + the target's name + ".tmp" + the process
// id + "-" + a counter, in the target's folder.
std::string MakeTemporaryName(const std::string& target);
// Whether a bare file name has the shape MakeTemporaryName gives; the process id it carries and
// the target's name inside it.
bool IsTemporaryName(const std::string& name, long* processId = nullptr, std::string* target = nullptr);
// Removes the temporaries that processes no longer running left in the folder (and its sub-folders
// with recursive, links to folders not followed) whose target's bare name isOwn accepts. A
// temporary of a temporary (a file written through the disk streams under a temporary's name) is
// judged by the innermost name. Nothing else is touched. The number removed.
int SweepTemporaries(const std::string& folder, bool recursive, const std::function<bool(const std::string&)>& isOwn);

// The per-user folder for configuration files without a folder: $XDG_CONFIG_HOME/<product>/,
// else $HOME/.config/<product>/; ends with '/'.
std::string UserConfigFolder();

} // namespace diskaccess
