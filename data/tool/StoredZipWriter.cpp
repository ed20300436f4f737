#include "StoredZipWriter.h"

#include "foundation/ByteOrder.h"
#include "foundation/Crc32.h"
#include "foundation/TextUtilities.h"
#include "foundation/ZipEntry.h"

#include <cstring>

namespace {

// Version 1.0 is enough to extract stored entries; made by MS-DOS, version 2.0.
constexpr uint16_t kVersionNeeded = 10;
constexpr uint16_t kVersionMadeBy = 20;
constexpr uint32_t kEndSignature = 0x06054B50;
constexpr uint32_t kEndRecordSize = 22;
constexpr uint64_t kMaxArchiveSize = 0xFFFFFFFFull;
constexpr size_t kMaxEntries = 0xFFFF;

// An entry's central fields, from which the engine makes both of its headers.
void FillHeader(uint8_t (&header)[CZipEntry::kHeaderSize], size_t nameLength, uint32_t crc, uint32_t size,
                uint32_t offset)
{
    std::memset(header, 0, sizeof header);
    StoreU16Le(header + CZipEntry::VERSION_MADE_BY, kVersionMadeBy);
    StoreU16Le(header + CZipEntry::VERSION_NEEDED, kVersionNeeded);
    StoreU16Le(header + CZipEntry::TIME, CStoredZipWriter::kDosTime);
    StoreU16Le(header + CZipEntry::DATE, CStoredZipWriter::kDosDate);
    StoreU32Le(header + CZipEntry::CRC, crc);
    StoreU32Le(header + CZipEntry::COMPRESSED_SIZE, size);
    StoreU32Le(header + CZipEntry::UNCOMPRESSED_SIZE, size);
    StoreU16Le(header + CZipEntry::NAME_LENGTH, static_cast<uint32_t>(nameLength));
    StoreU32Le(header + CZipEntry::LOCAL_OFFSET, offset);
}

} // namespace

bool CStoredZipWriter::AddEntry(const std::string& name, const std::vector<uint8_t>& bytes)
{
    if (name.empty() || name.size() > 0xFFFF || name[0] == '/' || name.find('\\') != std::string::npos)
        return false;
    for (const Entry& entry : m_entries)
        if (CompareTextNoCase(entry.m_name.c_str(), name.c_str()) == 0)
            return false;
    // Room for this record, every central header and the end record within 32-bit offsets.
    const uint64_t centralSize = 4 + CZipEntry::kHeaderSize + name.size();
    const uint64_t total = m_records.size() + CZipEntry::kLocalHeaderSize + name.size() + bytes.size() +
                           m_directorySize + centralSize + kEndRecordSize;
    if (m_entries.size() >= kMaxEntries || total > kMaxArchiveSize)
        return false;

    const Entry entry{name, Crc32(bytes.data(), bytes.size()), static_cast<uint32_t>(bytes.size()),
                      static_cast<uint32_t>(m_records.size())};
    uint8_t central[CZipEntry::kHeaderSize];
    FillHeader(central, name.size(), entry.m_crc, entry.m_size, entry.m_offset);
    uint8_t local[CZipEntry::kLocalHeaderSize];
    CZipEntry(name, central).MakeLocalHeader(local);
    m_records.insert(m_records.end(), local, local + sizeof local);
    m_records.insert(m_records.end(), name.begin(), name.end());
    m_records.insert(m_records.end(), bytes.begin(), bytes.end());
    m_entries.push_back(entry);
    m_directorySize += centralSize;
    return true;
}

std::vector<uint8_t> CStoredZipWriter::Finish() const
{
    std::vector<uint8_t> archive(m_records);
    const uint32_t directoryStart = static_cast<uint32_t>(archive.size());
    for (const Entry& entry : m_entries) {
        uint8_t central[CZipEntry::kHeaderSize];
        FillHeader(central, entry.m_name.size(), entry.m_crc, entry.m_size, entry.m_offset);
        CZipEntry(entry.m_name, central).AppendCentralHeader(archive);
    }
    uint8_t end[kEndRecordSize] = {};
    StoreU32Le(end, kEndSignature);
    StoreU16Le(end + 8, static_cast<uint32_t>(m_entries.size()));
    StoreU16Le(end + 10, static_cast<uint32_t>(m_entries.size()));
    StoreU32Le(end + 12, static_cast<uint32_t>(archive.size()) - directoryStart);
    StoreU32Le(end + 16, directoryStart);
    archive.insert(archive.end(), end, end + sizeof end);
    return archive;
}
