#pragma once
// The stdio side of the disk streams and the configuration store: opening existing files,
// writing whole files through a temporary file and a rename, truncation, and the per-user
// configuration folder. Names are resolved by the platform layer (platform/Files.h) before
// they reach these functions. A file with no write permission for its owner counts as
// read-only (like the read-only attribute, it refuses writes even to the superuser).
#include <cstdint>
#include <cstdio>
#include <string>

namespace diskaccess {

// The folder part of a path including its last '/', or "" when it has none.
std::string FolderOf(const std::string& path);

// Opens an existing file for reading ("rb") or for update ("r+b"); update refuses a read-only file.
FILE* OpenExisting(const std::string& path, bool update);

// A file written whole. The bytes go to a temporary file beside the target, which replaces the
// target only when every write, the flush and the close succeeded, so a failed save leaves the
// old file as it was. A target that exists but is no regular file is written in place.
struct ReplacementFile
{
    FILE* file = nullptr;
    std::string target;
    std::string temporary; // empty when writing in place
    bool failed = false;   // a write went wrong: the target must not be replaced
};

// Starts a replacement; false (with errno set) when the target is read-only or its folder
// cannot take the temporary file.
bool BeginReplacement(const std::string& target, ReplacementFile& out);
// Flushes and closes; replaces the target when nothing failed. The result says whether it did.
bool CommitReplacement(ReplacementFile& file);

// fflush, then ftruncate of the file behind the handle.
bool TruncateFile(FILE* file, uint64_t size);

// Whole-file helpers for the configuration store (writes go through a replacement).
bool ReadWholeFile(const std::string& path, std::string& out);
bool WriteWholeFile(const std::string& path, const std::string& bytes);

// The per-user folder for configuration files without a folder: $XDG_CONFIG_HOME/<product>/,
// else $HOME/.config/<product>/; ends with '/'.
std::string UserConfigFolder();

} // namespace diskaccess
