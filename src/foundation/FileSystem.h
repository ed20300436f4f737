#pragma once
// Static operations over the virtual file system.
#include "foundation/VirtualFile.h"

#include <cstdint>

class CFileSystem
{
public:
    // Copies a file: the source opened with its extra flags plus VF_READ, the destination with
    // its extra flags plus VF_CREATE and VF_WRITE. False when either cannot be opened or the
    // copy or the close fails (a created destination then keeps its old contents).
    static bool CopyFileWithProgress(const char* sourceName, uint32_t sourceFlags, const char* destinationName,
                                     uint32_t destinationFlags, FileProgressCallback progress);
};
