#pragma once
// One entry of a zip archive's central directory, as the archive keeps it in memory: the full
// name (the archive's mount prefix followed by the stored name) and the 42 header bytes after
// the central signature, whose sizes, CRC, date, time and offset are updated by rewrites.
#include "foundation/ByteOrder.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

class CZipEntry
{
public:
    static constexpr uint32_t kHeaderSize = 42;
    // The fixed part of a local header, signature included.
    static constexpr uint32_t kLocalHeaderSize = 30;
    static constexpr uint32_t kCentralSignature = 0x02014B50;
    static constexpr uint32_t kLocalSignature = 0x04034B50;

    // Offsets of the fields within the 42 header bytes.
    enum : uint32_t
    {
        VERSION_MADE_BY = 0,
        VERSION_NEEDED = 2,
        FLAGS = 4,
        METHOD = 6,
        TIME = 8,
        DATE = 10,
        CRC = 12,
        COMPRESSED_SIZE = 16,
        UNCOMPRESSED_SIZE = 20,
        NAME_LENGTH = 24,
        EXTRA_LENGTH = 26,
        COMMENT_LENGTH = 28,
        DISK_START = 30,
        INTERNAL_ATTRIBUTES = 32,
        EXTERNAL_ATTRIBUTES = 34,
        LOCAL_OFFSET = 38,
    };
    // General-purpose flag bit: sizes and CRC follow the data in a descriptor.
    static constexpr uint16_t kFlagDataDescriptor = 0x8;

    CZipEntry(std::string fullName, const uint8_t* header);

    const std::string& GetFullName() const { return m_fullName; }
    // The name as stored in the archive: the full name without the mount prefix.
    const char* GetStoredName() const { return m_fullName.c_str() + m_prefixLength; }
    void SetPrefixLength(uint32_t length) { m_prefixLength = length; }

    uint16_t GetU16(uint32_t field) const { return LoadU16Le(m_header + field); }
    uint32_t GetU32(uint32_t field) const { return LoadU32Le(m_header + field); }
    void SetU16(uint32_t field, uint32_t value) { StoreU16Le(m_header + field, value); }
    void SetU32(uint32_t field, uint32_t value) { StoreU32Le(m_header + field, value); }

    uint16_t GetMethod() const { return GetU16(METHOD); }
    uint32_t GetSize() const { return GetU32(UNCOMPRESSED_SIZE); }
    uint32_t GetCompressedSize() const { return GetU32(COMPRESSED_SIZE); }
    uint16_t GetNameLength() const { return GetU16(NAME_LENGTH); }
    uint32_t GetLocalOffset() const { return GetU32(LOCAL_OFFSET); }
    void SetLocalOffset(uint32_t offset) { SetU32(LOCAL_OFFSET, offset); }
    // Both size fields (entries are stored, so they agree).
    void SetSizes(uint32_t size)
    {
        SetU32(COMPRESSED_SIZE, size);
        SetU32(UNCOMPRESSED_SIZE, size);
    }
    // The last-modification time as a UTC FILETIME.
    uint64_t GetFileTime() const;

    // The fixed part of the entry's local header, made from its central fields.
    void MakeLocalHeader(uint8_t (&header)[kLocalHeaderSize]) const;
    // Appends the entry's central header: signature, the 42 bytes and the stored name. Extra
    // fields and comments are not kept, so their lengths are written as 0.
    void AppendCentralHeader(std::vector<uint8_t>& directory) const;

    // Where the entry's data starts, as its local header says; 0 until the header was read.
    uint32_t GetDataStart() const { return m_dataStart; }
    void SetDataStart(uint32_t start) { m_dataStart = start; }

    // Whether the last enumeration that met this entry passed it to its visitor. Read by
    // opens on other threads, so kept atomic.
    bool IsListed() const { return m_listed.load(std::memory_order_relaxed); }
    void SetListed(bool listed) { m_listed.store(listed, std::memory_order_relaxed); }

private:
    std::string m_fullName;
    uint32_t m_prefixLength = 0;
    uint8_t m_header[kHeaderSize];
    uint32_t m_dataStart = 0;
    std::atomic<bool> m_listed{false};
};
