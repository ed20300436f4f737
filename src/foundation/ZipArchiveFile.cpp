#include "foundation/ZipArchiveFile.h"

#include "foundation/ByteOrder.h"
#include "foundation/OpenFlags.h"
#include "foundation/ZipArchive.h"

#include <cstring>

namespace {

constexpr uint32_t kCentralHeaderSize = 4 + CZipEntry::kHeaderSize;
constexpr uint16_t kVersionNeeded = 10;
constexpr uint16_t kVersionMadeBy = 42;
constexpr uint32_t kMaxNameLength = 255;

} // namespace

CZipArchiveFile::CZipArchiveFile() = default;

CZipArchiveFile::~CZipArchiveFile()
{
    CZipArchiveFile::Close();
}

CZipArchiveFile* CZipArchiveFile::Create(const char* zipPath, const char* entryName)
{
    auto* stream = new CZipArchiveFile();
    if (!stream->Open(zipPath, entryName)) {
        delete stream;
        return nullptr;
    }
    return stream;
}

void CZipArchiveFile::Abandon()
{
    m_file.Close();
    m_savedDirectory.clear();
    m_appending = false;
}

bool CZipArchiveFile::Open(const char* zipPath, const char* entryName)
{
    Close();
    if (!zipPath || !entryName)
        return false;
    if (!m_file.Open(zipPath, VF_READ | VF_WRITE | VF_VERBATIM))
        return false;

    const uint32_t size = m_file.GetSize();
    uint8_t end[CZipArchive::kEndRecordSize];
    if (size < sizeof end || !m_file.Seek(size - sizeof end) || m_file.Read(end, sizeof end) != sizeof end) {
        Abandon();
        return false;
    }
    const uint32_t signature = LoadU32Le(end);
    if (signature != CZipArchive::kEndSignature && signature != CZipArchive::kVariantEndSignature) {
        Abandon();
        return false;
    }
    std::memcpy(m_endRecord, end + 4, sizeof m_endRecord);
    const uint32_t directorySize = LoadU32Le(m_endRecord + 8);
    const uint32_t directoryOffset = LoadU32Le(m_endRecord + 12);
    // The old directory must lie before the end record, and one more entry must be countable.
    if (static_cast<uint64_t>(directoryOffset) + directorySize > size - sizeof end ||
        LoadU16Le(m_endRecord + 4) == 0xFFFF || LoadU16Le(m_endRecord + 6) == 0xFFFF) {
        Abandon();
        return false;
    }
    m_savedDirectory.resize(directorySize);
    if (directorySize &&
        (!m_file.Seek(directoryOffset) || m_file.Read(m_savedDirectory.data(), directorySize) != directorySize)) {
        Abandon();
        return false;
    }

    // Flags, method, time, date and CRC stay 0.
    uint8_t header[CZipEntry::kHeaderSize] = {};
    const size_t nameLength = strnlen(entryName, kMaxNameLength);
    StoreU16Le(header + CZipEntry::VERSION_MADE_BY, kVersionMadeBy);
    StoreU16Le(header + CZipEntry::VERSION_NEEDED, kVersionNeeded);
    StoreU16Le(header + CZipEntry::NAME_LENGTH, static_cast<uint32_t>(nameLength));
    StoreU32Le(header + CZipEntry::LOCAL_OFFSET, directoryOffset);
    m_entry = std::make_unique<CZipEntry>(std::string(entryName, nameLength), header);
    m_dataStart = directoryOffset + CZipEntry::kLocalHeaderSize + static_cast<uint32_t>(nameLength);
    m_dataEnd = m_dataStart;
    if (!WriteLocalHeader(0)) {
        Abandon();
        return false;
    }
    m_appending = true;
    return true;
}

bool CZipArchiveFile::WriteLocalHeader(uint32_t size)
{
    m_entry->SetSizes(size);
    uint8_t header[CZipEntry::kLocalHeaderSize];
    m_entry->MakeLocalHeader(header);
    const uint32_t nameLength = m_entry->GetNameLength();
    return m_file.Seek(m_entry->GetLocalOffset()) && m_file.Write(header, sizeof header) == sizeof header &&
           (nameLength == 0 || m_file.Write(m_entry->GetStoredName(), nameLength) == nameLength);
}

uint32_t CZipArchiveFile::Write(const void* bytes, uint32_t n)
{
    if (!m_appending)
        return 0;
    const int32_t before = m_file.GetPosition();
    if (before < 0 || static_cast<uint32_t>(before) < m_dataStart)
        return 0;
    if (static_cast<uint64_t>(before) + n > 0xFFFFFFFFu - CZipArchive::kEndRecordSize)
        return 0;
    // A write past the data leaves a gap of zeros, not of the old directory.
    if (static_cast<uint32_t>(before) > m_dataEnd && (m_file.SetSize(m_dataEnd) != 0 || !m_file.Seek(before)))
        return 0;
    const uint32_t written = m_file.Write(bytes, n);
    const uint32_t after = static_cast<uint32_t>(before) + written;
    if (after > m_dataEnd)
        m_dataEnd = after;
    return written;
}

uint32_t CZipArchiveFile::Read(void* buffer, uint32_t n)
{
    if (!m_appending)
        return 0;
    const int32_t position = m_file.GetPosition();
    if (position < 0 || static_cast<uint32_t>(position) >= m_dataEnd)
        return 0;
    // Past the data lie the remains of the old directory, which are no part of the entry.
    if (n > m_dataEnd - static_cast<uint32_t>(position))
        n = m_dataEnd - static_cast<uint32_t>(position);
    return m_file.Read(buffer, n);
}

bool CZipArchiveFile::SeekRelative(int32_t delta)
{
    if (!m_appending)
        return false;
    const int64_t target = static_cast<int64_t>(m_file.GetPosition()) + delta;
    if (target < m_dataStart || target > 0xFFFFFFFFll)
        return false;
    return m_file.Seek(static_cast<uint32_t>(target));
}

bool CZipArchiveFile::Seek(uint32_t offset)
{
    if (!m_appending || static_cast<uint64_t>(m_dataStart) + offset > 0xFFFFFFFFu)
        return false;
    return m_file.Seek(m_dataStart + offset);
}

int32_t CZipArchiveFile::GetPosition()
{
    if (!m_appending)
        return -1;
    return m_file.GetPosition() - static_cast<int32_t>(m_dataStart);
}

uint32_t CZipArchiveFile::GetSize()
{
    return m_appending ? m_dataEnd - m_dataStart : 0;
}

int32_t CZipArchiveFile::SetSize(uint32_t n)
{
    if (!m_appending || static_cast<uint64_t>(m_dataStart) + n > 0xFFFFFFFFu - CZipArchive::kEndRecordSize)
        return -1;
    // Cut at the data first, so that a grown entry holds zeros rather than the old directory.
    if ((n > m_dataEnd - m_dataStart && m_file.SetSize(m_dataEnd) != 0) || m_file.SetSize(m_dataStart + n) != 0)
        return -1;
    m_dataEnd = m_dataStart + n;
    return 0;
}

bool CZipArchiveFile::Close()
{
    if (!m_appending)
        return true;
    const uint32_t size = m_dataEnd - m_dataStart;
    bool ok = WriteLocalHeader(size);

    // After the data: the old directory, the new entry's central header, the end record.
    const uint32_t directoryOffset = m_dataEnd;
    std::vector<uint8_t> tail(m_savedDirectory);
    m_entry->AppendCentralHeader(tail);

    uint8_t end[CZipArchive::kEndRecordSize];
    StoreU32Le(end, CZipArchive::kVariantEndSignature);
    std::memcpy(end + 4, m_endRecord, sizeof m_endRecord);
    StoreU16Le(end + 8, LoadU16Le(m_endRecord + 4) + 1);
    StoreU16Le(end + 10, LoadU16Le(m_endRecord + 6) + 1);
    StoreU32Le(end + 12, LoadU32Le(m_endRecord + 8) + kCentralHeaderSize + m_entry->GetNameLength());
    StoreU32Le(end + 16, directoryOffset);
    StoreU16Le(end + 20, 0);
    tail.insert(tail.end(), end, end + sizeof end);

    const uint32_t tailSize = static_cast<uint32_t>(tail.size());
    ok = ok && m_file.Seek(directoryOffset) && m_file.Write(tail.data(), tailSize) == tailSize;
    // Nothing of the old directory may stay behind the new end record.
    ok = ok && m_file.SetSize(directoryOffset + tailSize) == 0;
    ok = m_file.Close() && ok;
    m_savedDirectory.clear();
    m_appending = false;
    return ok;
}
