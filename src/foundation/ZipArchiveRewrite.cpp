// Rewriting an entry in place: the entry's record moves to the end of the data, the emptied
// entry is written through its stream, and the directory and end record follow it. The writes
// go data first, then the directory, then the end record, then the cut, so that an interrupted
// rewrite loses as little as it can.
#include "foundation/ZipArchive.h"

#include "foundation/FileTimes.h"
#include "foundation/OpenFlags.h"
#include "foundation/VirtualFile.h"

#include <cstring>
#include <vector>

namespace {

constexpr uint32_t kDescriptorSignature = 0x08074B50;

} // namespace

bool CZipArchive::MatchesDirectoryRead()
{
    // The file opened for writing must be the one the directory came from.
    uint8_t end[kEndRecordSize];
    const uint32_t size = m_file->GetSize();
    return size == m_fileSize && size >= kEndRecordSize && m_file->Seek(size - kEndRecordSize) &&
           m_file->Read(end, sizeof end) == sizeof end && std::memcmp(end, m_endRecord, sizeof end) == 0;
}

uint64_t CZipArchive::RecordEnd(CZipEntry& entry)
{
    if (entry.GetDataStart() == 0 && !LocateData(entry))
        return 0;
    uint64_t end = static_cast<uint64_t>(entry.GetDataStart()) + entry.GetCompressedSize();
    if (entry.GetU16(CZipEntry::FLAGS) & CZipEntry::kFlagDataDescriptor) {
        // CRC and sizes after the data, with or without their own signature.
        uint8_t word[4];
        if (end + 4 > m_file->GetSize() || !m_file->Seek(static_cast<uint32_t>(end)) || m_file->Read(word, 4) != 4)
            return 0;
        end += LoadU32Le(word) == kDescriptorSignature ? 16 : 12;
        if (end > m_file->GetSize())
            return 0;
    }
    return end;
}

CZipEntry* CZipArchive::MoveEntryToEnd(CZipEntry* entry)
{
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    size_t index = 0;
    while (index < m_entries.size() && m_entries[index].get() != entry)
        ++index;
    if (index >= m_entries.size())
        return nullptr;
    if (index + 1 == m_entries.size())
        return entry;

    const uint32_t offset = entry->GetLocalOffset();
    const uint32_t nextOffset = m_entries[index + 1]->GetLocalOffset();
    if (nextOffset <= offset)
        return nullptr;
    const uint32_t shift = nextOffset - offset;
    const uint64_t lastEnd = RecordEnd(*m_entries.back());
    if (lastEnd < nextOffset || lastEnd > 0xFFFFFFFFu)
        return nullptr;
    if (!m_file->MoveBlock(offset, nextOffset, static_cast<uint32_t>(lastEnd - nextOffset)))
        return nullptr;

    for (size_t i = index + 1; i < m_entries.size(); ++i) {
        CZipEntry& later = *m_entries[i];
        later.SetLocalOffset(later.GetLocalOffset() - shift);
        if (later.GetDataStart() != 0)
            later.SetDataStart(later.GetDataStart() - shift);
    }
    entry->SetLocalOffset(static_cast<uint32_t>(lastEnd - shift));
    entry->SetDataStart(0);
    SortEntries();
    return entry;
}

CZipEntry* CZipArchive::BeginRewrite(CZipEntry* entry)
{
    if (!m_writable || m_openStreams != 0 || m_privateStreams != 0)
        return nullptr;
    if (!IsFileOpen() || !(m_file->GetOpenFlags() & VF_WRITE)) {
        if (m_file)
            m_file->Close();
        if (!OpenFile(VF_WRITE))
            return nullptr;
        if (!MatchesDirectoryRead()) {
            m_file->Close();
            return nullptr;
        }
    }

    CZipEntry* moved = MoveEntryToEnd(entry);
    if (!moved) {
        m_file->Close();
        return nullptr;
    }
    moved->SetSizes(0);
    moved->SetU32(CZipEntry::CRC, 0);
    moved->SetU16(CZipEntry::METHOD, 0);
    moved->SetU16(CZipEntry::EXTRA_LENGTH, 0);
    // No data descriptor follows the rewritten data.
    moved->SetU16(CZipEntry::FLAGS, moved->GetU16(CZipEntry::FLAGS) & ~CZipEntry::kFlagDataDescriptor);
    uint16_t date = 0;
    uint16_t time = 0;
    GetCurrentDosDateTime(date, time);
    moved->SetU16(CZipEntry::DATE, date);
    moved->SetU16(CZipEntry::TIME, time);
    moved->SetDataStart(moved->GetLocalOffset() + CZipEntry::kLocalHeaderSize + moved->GetNameLength());
    m_changed = true;
    if (!WriteLocalHeader(*moved)) {
        // The records have moved: the directory must follow them even though the entry is lost.
        RewriteDirectory();
        m_file->Close();
        return nullptr;
    }
    return moved;
}

bool CZipArchive::WriteLocalHeader(const CZipEntry& entry)
{
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    if (!IsFileOpen())
        return false;
    uint8_t header[CZipEntry::kLocalHeaderSize];
    entry.MakeLocalHeader(header);
    const uint32_t nameLength = entry.GetNameLength();
    return m_file->Seek(entry.GetLocalOffset()) && m_file->Write(header, sizeof header) == sizeof header &&
           (nameLength == 0 || m_file->Write(entry.GetStoredName(), nameLength) == nameLength);
}

bool CZipArchive::WriteEndRecord(uint32_t directoryStart)
{
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    if (!IsFileOpen())
        return false;
    const int32_t position = m_file->GetPosition();
    if (position < 0 || static_cast<uint32_t>(position) < directoryStart)
        return false;
    const uint32_t count = static_cast<uint32_t>(m_entries.size());
    uint8_t record[kEndRecordSize];
    StoreU32Le(record, m_endSignature);
    StoreU16Le(record + 4, 0);
    StoreU16Le(record + 6, 0);
    StoreU16Le(record + 8, count);
    StoreU16Le(record + 10, count);
    StoreU32Le(record + 12, static_cast<uint32_t>(position) - directoryStart);
    StoreU32Le(record + 16, directoryStart);
    StoreU16Le(record + 20, 0);
    const uint32_t end = static_cast<uint32_t>(position) + kEndRecordSize;
    if (m_file->Write(record, sizeof record) != sizeof record || m_file->SetSize(end) != 0)
        return false;
    m_fileSize = end;
    std::memcpy(m_endRecord, record, sizeof record);
    return true;
}

bool CZipArchive::RewriteDirectory()
{
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    if (!IsFileOpen())
        return false;
    const uint64_t start = m_entries.empty() ? 0 : RecordEnd(*m_entries.back());
    if (start > 0xFFFFFFFFu || (!m_entries.empty() && start == 0))
        return false;

    // The whole directory in one write.
    std::vector<uint8_t> directory;
    for (const std::unique_ptr<CZipEntry>& entry : m_entries)
        entry->AppendCentralHeader(directory);
    if (start + directory.size() + kEndRecordSize > 0xFFFFFFFFu)
        return false;
    const uint32_t size = static_cast<uint32_t>(directory.size());
    if (!m_file->Seek(static_cast<uint32_t>(start)) || (size && m_file->Write(directory.data(), size) != size) ||
        !WriteEndRecord(static_cast<uint32_t>(start)))
        return false;
    m_changed = false;
    return true;
}
