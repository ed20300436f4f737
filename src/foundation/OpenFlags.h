#pragma once
// The open flags shared by every open of the file layer, and the process-wide base folder that
// relative names are joined to.
#include <cstdint>

enum : uint32_t
{
    VF_CREATE = 0x1,          // with VF_WRITE: create the file, or empty an existing one
    VF_WRITE = 0x2,           // open for writing (without VF_CREATE: update in place)
    VF_READ = 0x4,            // open for reading
    VF_PRIVATE_HANDLE = 0x10, // an archive entry stream opens its own handle on the archive file
    VF_VERBATIM = 0x20,       // the name is used as given: no base folder, no archives
    VF_NO_DISK = 0x40,        // only archive entries, never a disk file
    VF_ABSOLUTE = 0x80,       // set with VF_VERBATIM on absolute names; nothing tests it
    VF_MAKE_FOLDERS = 0x100,  // creating a disk file makes its missing folders
    VF_IN_MEMORY = 0x200,     // read the whole file into a memory stream
    VF_ARCHIVE_FILE = 0x400,  // the file layer opens an archive file itself; nothing tests it
    VF_COMPRESSED = 0x800,    // the file holds one compressed block record
    VF_LISTED_ONLY = 0x8000,  // only archive entries that an enumeration has listed
};

// Files read whole (VF_IN_MEMORY) are at most this large unless the caller gives its own bound:
// beyond the largest data file by far, short of what a hostile name (a huge file) could cost.
inline constexpr uint32_t kMaxWholeFileBytes = 256u << 20;

// The base folder: "." until the archive mount makes it the data folder. At most 255 characters
// are kept.
const char* GetBaseFolder();
void SetBaseFolder(const char* folder);
