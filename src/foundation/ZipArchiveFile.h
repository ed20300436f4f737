#pragma once
// Appends one new stored entry to a zip file that is not mounted: the "zip;entry" names opened
// for create+write. The entry's data goes where the old central directory began; closing the
// stream writes the old directory after it, one new central header and an end record with the
// "KT" 5 6 signature, and cuts the file there.
#include "foundation/Stream.h"
#include "foundation/VirtualFile.h"
#include "foundation/ZipEntry.h"

#include <cstdint>
#include <memory>
#include <vector>

class CZipArchiveFile : public CStream
{
public:
    CZipArchiveFile();
    ~CZipArchiveFile() override;

    // A new stream appending the entry to the zip file, or null when the file cannot be
    // updated or is no zip file this reader takes.
    static CZipArchiveFile* Create(const char* zipPath, const char* entryName);
    bool Open(const char* zipPath, const char* entryName);

    uint32_t Write(const void* bytes, uint32_t n) override;
    // Reads stop at the end of what was written.
    uint32_t Read(void* buffer, uint32_t n) override;
    // Positions are relative to the entry's data and never go before it.
    bool SeekRelative(int32_t delta) override;
    bool Seek(uint32_t offset) override;
    int32_t GetPosition() override;
    // The bytes written so far (the furthest point reached, or the size set).
    uint32_t GetSize() override;
    int32_t SetSize(uint32_t n) override;
    // Completes the zip file; false when a write failed.
    bool Close() override;

    bool IsAppending() const { return m_appending; }

private:
    bool WriteLocalHeader(uint32_t size);
    void Abandon();

    CVirtualFile m_file;
    // The new entry's central fields and name (255 characters at most); its local header lies
    // where the old directory began.
    std::unique_ptr<CZipEntry> m_entry;
    std::vector<uint8_t> m_savedDirectory;
    uint8_t m_endRecord[18] = {}; // the end record after its signature
    uint32_t m_dataStart = 0;
    uint32_t m_dataEnd = 0; // the furthest byte of entry data written
    bool m_appending = false;
};
