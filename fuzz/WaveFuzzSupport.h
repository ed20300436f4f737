#pragma once
// What the wave-source fuzz targets share: the input as an open file, and the check that ends
// the run on a broken promise.
#include "foundation/FileBuf.h"
#include "foundation/OpenFlags.h"
#include "foundation/VirtualFile.h"

#include <cstdint>
#include <cstdlib>

namespace wavefuzz {

// The bytes as a file open for reading, in memory; the caller owns it.
inline CVirtualFile* NewMemoryFile(const uint8_t* data, size_t size)
{
    auto* memory = new CFileBuf();
    if (size)
        memory->Write(data, static_cast<uint32_t>(size));
    memory->Seek(0);
    auto* file = new CVirtualFile;
    file->AttachStream(memory, VF_READ);
    return file;
}

inline void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace wavefuzz
