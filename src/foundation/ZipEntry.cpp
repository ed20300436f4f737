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
