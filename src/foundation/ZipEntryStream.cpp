#include "foundation/ZipEntryStream.h"

#include "foundation/OpenFlags.h"
#include "foundation/VirtualFile.h"
#include "foundation/ZipArchive.h"
#include "foundation/ZipEntry.h"

#include <mutex>

CZipEntryStream::CZipEntryStream() = default;

CZipEntryStream::~CZipEntryStream()
{
    CZipEntryStream::Close();
}

bool CZipEntryStream::Attach(uint32_t dataStart, CZipEntry* entry, CVirtualFile* archiveFile,
                             const char* archivePath, CZipArchive* archive, uint32_t flags)
{
    if (!entry || !archive)
        return false;
    m_flags = flags;
    m_archive = archive;
    m_archiveOwner = archive->weak_from_this().lock();
    m_entry = entry;
    m_dataStart = dataStart;
    m_position = dataStart;

    if (flags & VF_PRIVATE_HANDLE) {
        m_privateHandle = 1;
        m_privateFile = std::make_unique<CVirtualFile>();
        if (!archivePath ||
            !m_privateFile->Open(archivePath, archive->GetOpenFlags() | VF_READ | VF_ARCHIVE_FILE)) {
            m_privateFile.reset();
            m_entry = nullptr;
            m_archiveOwner.reset();
            return false;
        }
        m_archiveFile = m_privateFile.get();
        archive->AttachPrivateStream();
        return true;
    }
    // Every stream on the shared file is counted, and one that cannot have the file fails.
    if (!archiveFile || !archive->AttachSharedStream()) {
        m_entry = nullptr;
        m_archiveOwner.reset();
        return false;
    }
    m_archiveFile = archiveFile;
    return true;
}

bool CZipEntryStream::IsWriter() const
{
    return (m_flags & VF_WRITE) != 0 && !m_privateHandle;
}

uint32_t CZipEntryStream::Read(void* buffer, uint32_t n)
{
    if (!m_entry || !m_archiveFile)
        return 0;
    const uint64_t end = static_cast<uint64_t>(m_dataStart) + m_entry->GetSize();
    if (m_position >= end)
        return 0;
    if (n > end - m_position)
        n = static_cast<uint32_t>(end - m_position);
    if (n == 0)
        return 0;
    std::unique_lock<std::recursive_mutex> lock;
    if (!m_privateHandle)
        lock = std::unique_lock<std::recursive_mutex>(m_archive->GetLock());
    if (!m_archiveFile->Seek(m_position))
        return 0;
    const uint32_t got = m_archiveFile->Read(buffer, n);
    m_position += got;
    return got;
}

uint32_t CZipEntryStream::Write(const void* bytes, uint32_t n)
{
    // Only the stream of a rewrite writes: its entry is the last one and may grow. Any other
    // write would run over the entries after it.
    if (!m_entry || !m_archiveFile || !IsWriter())
        return 0;
    if (static_cast<uint64_t>(m_position) + n > 0xFFFFFFFFu)
        n = 0xFFFFFFFFu - m_position;
    if (n == 0)
        return 0;
    std::lock_guard<std::recursive_mutex> lock(m_archive->GetLock());
    if (!m_archiveFile->Seek(m_position))
        return 0;
    const uint32_t written = m_archiveFile->Write(bytes, n);
    m_position += written;
    if (m_position - m_dataStart > m_entry->GetSize())
        m_entry->SetSizes(m_position - m_dataStart);
    return written;
}

bool CZipEntryStream::SeekRelative(int32_t delta)
{
    if (!m_entry)
        return false;
    const int64_t target = static_cast<int64_t>(m_position) + delta;
    if (target < m_dataStart || target >= static_cast<int64_t>(m_dataStart) + m_entry->GetSize())
        return false;
    m_position = static_cast<uint32_t>(target);
    return true;
}

bool CZipEntryStream::Seek(uint32_t offset)
{
    if (!m_entry || offset > m_entry->GetSize())
        return false;
    m_position = m_dataStart + offset;
    return true;
}

int32_t CZipEntryStream::GetPosition()
{
    if (!m_entry)
        return -1;
    return static_cast<int32_t>(m_position - m_dataStart);
}

uint32_t CZipEntryStream::GetSize()
{
    return m_entry ? m_entry->GetSize() : 0xFFFFFFFFu;
}

int32_t CZipEntryStream::SetSize(uint32_t n)
{
    if (!m_entry || !m_archiveFile || !IsWriter())
        return -1;
    if (static_cast<uint64_t>(m_dataStart) + n > 0xFFFFFFFFu)
        return -1;
    std::lock_guard<std::recursive_mutex> lock(m_archive->GetLock());
    // Grown bytes read as zeros, as on a disk file; never as what the archive file held there
    // (bytes cut off before, old records).
    const uint32_t size = m_entry->GetSize();
    if (n > size) {
        static const uint8_t s_zeros[4096] = {};
        if (!m_archiveFile->Seek(m_dataStart + size))
            return -1;
        for (uint32_t left = n - size; left > 0;) {
            const uint32_t count = left < sizeof s_zeros ? left : static_cast<uint32_t>(sizeof s_zeros);
            if (m_archiveFile->Write(s_zeros, count) != count)
                return -1;
            left -= count;
        }
    }
    m_entry->SetSizes(n);
    if (m_position > m_dataStart + n)
        m_position = m_dataStart + n;
    return 0;
}

bool CZipEntryStream::Close()
{
    if (!m_archiveFile)
        return true;
    bool ok = true;
    const bool rewrote = IsWriter() && m_entry;
    if (rewrote) {
        std::lock_guard<std::recursive_mutex> lock(m_archive->GetLock());
        m_entry->SetU32(CZipEntry::CRC, ComputeCrc32());
        ok = m_archive->WriteLocalHeader(*m_entry);
    }
    if (m_privateHandle) {
        m_privateFile.reset();
        m_archive->ReleaseStream(false, false);
    } else {
        ok = m_archive->ReleaseStream(true, rewrote) && ok;
    }
    m_archiveFile = nullptr;
    m_entry = nullptr;
    m_archive = nullptr;
    m_archiveOwner.reset(); // may delete an archive unmounted while this stream was open
    return ok;
}
