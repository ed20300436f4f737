// Reads compressed block records from arbitrary bytes, one after another. A record that reads
// must come back equal after writing it again; anything else must be refused cleanly.
#include "foundation/CompressedBlockCodec.h"
#include "foundation/FileBuf.h"
#include "foundation/VirtualFile.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 24))
        return 0;
    auto* memory = new CFileBuf();
    if (size)
        memory->Write(data, static_cast<uint32_t>(size));
    memory->Seek(0);
    CVirtualFile file;
    file.AttachStream(memory, VF_READ);

    for (int records = 0; records < 16; ++records) {
        uint32_t rawLength = 0;
        bool damaged = false;
        uint8_t* raw = CCompressedBlockCodec::Read(file, rawLength, &damaged);
        if (!raw)
            break;
        CVirtualFile copy;
        copy.AttachStream(new CFileBuf(), VF_READ | VF_WRITE);
        if (!CCompressedBlockCodec::Write(copy, raw, rawLength, 1))
            std::abort();
        copy.Seek(0);
        uint32_t againLength = 0;
        uint8_t* again = CCompressedBlockCodec::Read(copy, againLength);
        if (!again || againLength != rawLength || (rawLength && std::memcmp(raw, again, rawLength) != 0))
            std::abort();
        std::free(again);
        std::free(raw);
    }
    return 0;
}
