#pragma once
// One block of bytes compressed with zlib behind its two lengths:
// u8 1, u32 compressed length c, u32 raw length r, then c bytes of zlib data (little-endian).
#include <cstdint>

class CVirtualFile;

class CCompressedBlockCodec
{
public:
    CCompressedBlockCodec() = default;

    // The zlib level of the file layer's compressed writes.
    static constexpr int kFileLevel = 6;

    // Writes one record at the file's position. False when compression failed (the record then
    // holds c = 0 and no data) or a write came up short.
    static bool Write(CVirtualFile& file, const void* bytes, uint32_t n, int level);
    // Creates the named file (opened with the flags and VF_CREATE | VF_WRITE) holding one record.
    // False when anything failed: the file layer then keeps the old file as it was.
    static bool WriteFile(const char* name, uint32_t flags, const void* bytes, uint32_t n, int level);

    // Reads one record: a new heap buffer of r bytes (std::free it; an empty record gives a
    // buffer of its own) with r in rawLength, or null. When the first byte is not 1 there is no
    // record: null, the byte stays consumed and *damaged is false. A record whose lengths do not
    // fit the bytes left, or whose data zlib refuses or that inflates to another length, is
    // damaged: null with *damaged true; so is one whose raw length passes maxRaw (a reader's bound
    // for its kind of file).
    static uint8_t* Read(CVirtualFile& file, uint32_t& rawLength, bool* damaged = nullptr,
                         uint32_t maxRaw = UINT32_MAX);
    // Passes over one record without inflating it, so that a reader can weigh its raw length r
    // first. False when there is no record or its lengths do not fit the bytes left (the
    // position is then unspecified).
    static bool Skip(CVirtualFile& file, uint32_t& rawLength);
};
