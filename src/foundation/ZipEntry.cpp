#include "foundation/ZipEntry.h"

#include "foundation/FileTimes.h"

#include <cstring>
#include <utility>

CZipEntry::CZipEntry(std::string fullName, const uint8_t* header) : m_fullName(std::move(fullName))
{
    std::memcpy(m_header, header, kHeaderSize);
}

uint64_t CZipEntry::GetFileTime() const
{
    return DosDateTimeToUtcFileTime(GetU16(DATE), GetU16(TIME));
}

void CZipEntry::MakeLocalHeader(uint8_t (&header)[kLocalHeaderSize]) const
{
    StoreU32Le(header, kLocalSignature);
    StoreU16Le(header + 4, GetU16(VERSION_NEEDED));
    StoreU16Le(header + 6, GetU16(FLAGS));
    StoreU16Le(header + 8, GetU16(METHOD));
    StoreU16Le(header + 10, GetU16(TIME));
    StoreU16Le(header + 12, GetU16(DATE));
    StoreU32Le(header + 14, GetU32(CRC));
    StoreU32Le(header + 18, GetU32(COMPRESSED_SIZE));
    StoreU32Le(header + 22, GetU32(UNCOMPRESSED_SIZE));
    StoreU16Le(header + 26, GetNameLength());
    StoreU16Le(header + 28, GetU16(EXTRA_LENGTH));
}

void CZipEntry::AppendCentralHeader(std::vector<uint8_t>& directory) const
{
    uint8_t header[4 + kHeaderSize];
    StoreU32Le(header, kCentralSignature);
    std::memcpy(header + 4, m_header, kHeaderSize);
    StoreU16Le(header + 4 + EXTRA_LENGTH, 0);
    StoreU16Le(header + 4 + COMMENT_LENGTH, 0);
    directory.insert(directory.end(), header, header + sizeof header);
    const char* name = GetStoredName();
    directory.insert(directory.end(), name, name + GetNameLength());
}
