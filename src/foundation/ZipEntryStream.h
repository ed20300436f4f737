#pragma once
// One stored entry of a mounted zip archive as a stream of its own: positions are relative to
// the entry's data and reads stop at its end. A stream made for a rewrite writes the entry (the
// last in the archive, so it may grow); closing it stores the CRC and has the directory written.
//
// A stream reads through the archive's own file under the archive's lock, or, with
// VF_PRIVATE_HANDLE, through a file of its own.
#include "foundation/Stream.h"

#include <cstdint>
#include <memory>

class CVirtualFile;
class CZipArchive;
class CZipEntry;

class CZipEntryStream : public CStream
{
public:
    CZipEntryStream();
    ~CZipEntryStream() override;

    // Binds the stream to the entry whose data starts at dataStart. With VF_PRIVATE_HANDLE in
    // flags the stream opens the archive path itself; otherwise it reads through archiveFile,
    // which the archive opens again when it is closed. False when no file could be opened.
    bool Attach(uint32_t dataStart, CZipEntry* entry, CVirtualFile* archiveFile, const char* archivePath,
                CZipArchive* archive, uint32_t flags);

    uint32_t Write(const void* bytes, uint32_t n) override;
    uint32_t Read(void* buffer, uint32_t n) override;
    // The new position must lie inside the entry; its end is refused.
    bool SeekRelative(int32_t delta) override;
    // 0 to the entry's size, the end included.
    bool Seek(uint32_t offset) override;
    int32_t GetPosition() override;
    uint32_t GetSize() override;
    // Only a stream that rewrites its entry changes the entry's size (growing it with zeros);
    // -1 otherwise.
    int32_t SetSize(uint32_t n) override;
    bool Close() override;

    bool HasPrivateHandle() const { return m_privateHandle != 0; }
    uint32_t GetDataStart() const { return m_dataStart; }

private:
    bool IsWriter() const;

    uint32_t m_privateHandle = 0;
    uint32_t m_position = 0; // in the archive file
    uint32_t m_dataStart = 0;
    CZipEntry* m_entry = nullptr;
    CVirtualFile* m_archiveFile = nullptr;
    std::unique_ptr<CVirtualFile> m_privateFile;
    CZipArchive* m_archive = nullptr;
    // Keeps the archive (and so the entry) alive while the stream is open.
    std::shared_ptr<CZipArchive> m_archiveOwner;
    uint32_t m_flags = 0;
};
