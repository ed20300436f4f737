#pragma once
// The engine's own conventions over the platform's disk files (platform/DiskFiles.h): the names of
// the temporary files its writes go through (the platform's replacements and temporary files take
// MakeTemporaryName as their namer) and the sweep of those left behind, whole-file reads and
// writes for the configuration store, and the per-user configuration folder. Names are resolved
// by the platform layer (platform/Files.h) before they reach these functions.
#include <cstdint>
#include <functional>
#include <string>

namespace diskaccess {

// The folder part of a path including its last '/', or "" when it has none.
std::string FolderOf(const std::string& path);

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
