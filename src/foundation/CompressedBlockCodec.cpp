#include "foundation/CompressedBlockCodec.h"

#include "foundation/ByteOrder.h"
#include "foundation/OpenFlags.h"
#include "foundation/VirtualFile.h"

#include <cstdlib>
#include <vector>
#include <zlib.h>

namespace {

// Deflate expands incompressible data by a few bytes per 16 KiB and compresses by at most about
// 1032:1, so a raw length far beyond that is a damaged record, never an allocation to make.
constexpr uint64_t s_maxInflateRatio = 1032;
constexpr uint64_t s_inflateSlack = 64;

} // namespace

bool CCompressedBlockCodec::Write(CVirtualFile& file, const void* bytes, uint32_t n, int level)
{
    static const uint8_t s_nothing = 0;
    uLongf compressedLength = compressBound(n);
    std::vector<uint8_t> compressed(compressedLength);
    const int result = compress2(compressed.data(), &compressedLength,
                                 static_cast<const Bytef*>(n ? bytes : &s_nothing), n, level);
    if (result != Z_OK || compressedLength > 0xFFFFFFFFu)
        compressedLength = 0;

    uint8_t header[9];
    header[0] = 1;
    StoreU32Le(header + 1, static_cast<uint32_t>(compressedLength));
    StoreU32Le(header + 5, n);
    bool ok = file.Write(header, sizeof header) == sizeof header;
    if (compressedLength > 0) {
        const auto length = static_cast<uint32_t>(compressedLength);
        ok = file.Write(compressed.data(), length) == length && ok;
    }
    return ok && compressedLength > 0;
}

bool CCompressedBlockCodec::WriteFile(const char* name, uint32_t flags, const void* bytes, uint32_t n, int level)
{
    CVirtualFile target;
    if (!target.Open(name, flags | VF_CREATE | VF_WRITE))
        return false;
    const bool written = Write(target, bytes, n, level);
    if (!written)
        target.GetStream()->MarkWriteFailed();
    return target.Close() && written;
}

namespace {

// The record's two lengths after its flag byte, when they fit the bytes left of the file.
bool ReadLengths(CVirtualFile& file, uint32_t& compressedLength, uint32_t& raw)
{
    file.ReadU32(compressedLength).ReadU32(raw);
    const int32_t position = file.GetPosition();
    const uint32_t size = file.GetSize();
    return position >= 9 && static_cast<uint32_t>(position) <= size && compressedLength != 0 &&
           compressedLength <= size - static_cast<uint32_t>(position) &&
           raw <= uint64_t(compressedLength) * s_maxInflateRatio + s_inflateSlack;
}

} // namespace

bool CCompressedBlockCodec::Skip(CVirtualFile& file, uint32_t& rawLength)
{
    rawLength = 0;
    uint8_t flag = 0;
    uint32_t compressedLength = 0, raw = 0;
    if (file.Read(&flag, 1) != 1 || flag != 1 || !ReadLengths(file, compressedLength, raw) ||
        !file.Seek(static_cast<uint32_t>(file.GetPosition()) + compressedLength))
        return false;
    rawLength = raw;
    return true;
}

uint8_t* CCompressedBlockCodec::Read(CVirtualFile& file, uint32_t& rawLength, bool* damaged, uint32_t maxRaw)
{
    if (damaged)
        *damaged = false;
    rawLength = 0;
    uint8_t flag = 0;
    if (file.Read(&flag, 1) != 1 || flag != 1)
        return nullptr;

    auto fail = [&]() -> uint8_t* {
        if (damaged)
            *damaged = true;
        rawLength = 0;
        return nullptr;
    };
    uint32_t compressedLength = 0;
    uint32_t raw = 0;
    if (!ReadLengths(file, compressedLength, raw) || raw > maxRaw)
        return fail();

    std::vector<uint8_t> compressed(compressedLength);
    if (file.Read(compressed.data(), compressedLength) != compressedLength)
        return fail();
    auto* out = static_cast<uint8_t*>(std::malloc(raw ? raw : 1));
    if (!out)
        return fail();
    uLongf outLength = raw;
    const int result = uncompress(out, &outLength, compressed.data(), compressedLength);
    if (result != Z_OK || outLength != raw) {
        std::free(out);
        return fail();
    }
    rawLength = raw;
    return out;
}
