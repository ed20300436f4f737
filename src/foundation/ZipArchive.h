#pragma once
// One mounted zip archive whose entries are stored without compression. The central directory
// is read into memory (at once, or on first use for deferred archives); names are looked up
// ignoring case, listed for searches and opened as entry streams. An entry can be rewritten in
// place: it is moved to the end of the archive, emptied, written through its stream, and the
// directory and end record are written again when that stream closes.
//
// An archive may be read from several threads (music streams are refilled on the timer
// thread): every use of the archive's own file happens under its lock. Streams keep their
// archive alive, so an archive that is unmounted while a stream is open goes when the stream
// closes.
#include "foundation/ZipEntry.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class CFileSearchSpec;
class CFileVisitor;
class CVirtualFile;
class CZipEntryStream;

class CZipArchive : public std::enable_shared_from_this<CZipArchive>
{
public:
    // The end-record signatures: "PK" 5 6 and the variant "KT" 5 6, as little-endian words.
    static constexpr uint32_t kEndSignature = 0x06054B50;
    static constexpr uint32_t kVariantEndSignature = 0x0605544B;
    static constexpr uint32_t kEndRecordSize = 22;

    CZipArchive();
    ~CZipArchive();
    CZipArchive(const CZipArchive&) = delete;
    CZipArchive& operator=(const CZipArchive&) = delete;

    // Forgets earlier contents and takes the archive's path, whether entries may be rewritten,
    // the mount prefix (a '/'-terminated folder path; one beginning with '/' counts as empty)
    // and the flags its file is opened with. Unless deferred, the directory is read now and the
    // file stays open; a deferred archive reads its directory on first use and closes its file
    // whenever no stream uses it.
    bool Open(const char* archivePath, bool writable, const char* mountPrefix, bool deferred, uint32_t openFlags);
    void Close();
    // Reads the end record and the central directory. False for a file that is no archive this
    // reader takes (shorter than an end record, a comment after the end record, a damaged or
    // truncated directory); an entry that is not stored ends the program.
    bool ReadDirectory();

    // The entry of that full name (ignoring case), or null; insertion receives the index in the
    // name order where the name stands or would stand.
    CZipEntry* FindEntryByName(const char* fullName, uint32_t* insertion);
    // Whether the name lies under the prefix and is an entry; writable receives whether it may
    // be rewritten (never for a read-only archive, else whether the archive file is writable).
    bool FindEntry(const char* fullName, bool& writable);
    // Passes the entries (or the folders they lie in) that the search spec finds to the visitor, and
    // keeps the visitor's answer as each entry's listed flag.
    void EnumerateEntries(CFileVisitor& visitor, const CFileSearchSpec& spec);
    // The entry's time; for a name under the prefix that is no entry, the archive file's own
    // last-write time; 0 for a name outside the prefix.
    uint64_t GetEntryFileTime(const char* fullName);
    // A stream on the entry, or null. VF_LISTED_ONLY takes only entries an enumeration listed;
    // VF_CREATE rewrites the entry (empty, dated now); VF_PRIVATE_HANDLE gives the stream its own
    // file on the archive.
    CZipEntryStream* OpenEntry(const char* fullName, uint32_t flags);

    // Rewriting, with the archive file open for writing (OpenEntry with VF_CREATE opens it so).
    // Moves the entry's whole local record to the end of the data; the result is the entry.
    CZipEntry* MoveEntryToEnd(CZipEntry* entry);
    // Writes the entry's local header (from its central fields, with its stored name).
    bool WriteLocalHeader(const CZipEntry& entry);
    // Writes the end record at the current position and cuts the file after it.
    bool WriteEndRecord(uint32_t directoryStart);
    // Writes the central directory after the last entry's data, then the end record.
    bool RewriteDirectory();

    const std::string& GetPath() const { return m_path; }
    const std::string& GetPrefix() const { return m_prefix; }
    bool IsDirectoryRead() const { return m_directoryRead; }
    bool IsChanged() const { return m_changed; }
    bool IsWritable() const { return m_writable; }
    uint32_t GetOpenFlags() const { return m_openFlags; }
    uint32_t GetEndSignature() const { return m_endSignature; }
    uint32_t GetEntryCount() const { return static_cast<uint32_t>(m_entries.size()); }
    // The entries in the order of their data in the file.
    const CZipEntry& GetEntry(uint32_t index) const { return *m_entries[index]; }
    // Streams that read through the archive's own file, and streams with their own.
    uint32_t GetOpenStreamCount() const { return m_openStreams; }
    uint32_t GetPrivateStreamCount() const { return m_privateStreams; }
    bool IsFileOpen() const;

    // For the entry streams.
    std::recursive_mutex& GetLock() { return m_lock; }
    // A stream starts reading through the archive's file, which is opened again when closed.
    bool AttachSharedStream();
    void AttachPrivateStream();
    // A stream is done. After a rewrite the directory is written; the file is closed when no
    // stream uses it and the archive does not keep it open. False when a write failed.
    bool ReleaseStream(bool shared, bool rewrote);

private:
    bool ReadDirectoryLocked(bool& compressed);
    // ReadDirectoryLocked; an entry that is not stored ends the program, with the lock let go.
    bool ReadDirectoryOrEnd(std::unique_lock<std::recursive_mutex>& lock);
    // Reads the directory when it has not been read; ends the program when that fails.
    void EnsureDirectory(std::unique_lock<std::recursive_mutex>& lock);
    bool OpenFile(uint32_t extraFlags);
    void CloseFileIfUnused();
    bool IsUnderPrefix(const char* name) const;
    void SortEntries();
    // Reads the entry's local header for the start of its data, checking that it lies in the file.
    bool LocateData(CZipEntry& entry);
    // The end of the entry's whole local record (data descriptor included); 0 when unknown.
    uint64_t RecordEnd(CZipEntry& entry);
    CZipEntry* BeginRewrite(CZipEntry* entry);
    bool MatchesDirectoryRead();
    void ListEntries(CFileVisitor& visitor, const CFileSearchSpec& spec, const std::string& extension);

    std::recursive_mutex m_lock;
    bool m_directoryRead = false;
    bool m_changed = false;
    bool m_keepOpen = false;
    std::unique_ptr<CVirtualFile> m_file;
    std::string m_path;
    std::string m_prefix;
    std::vector<std::unique_ptr<CZipEntry>> m_entries; // by local header offset
    std::vector<uint32_t> m_nameIndex;                 // entry indices by full name, ignoring case
    uint32_t m_openStreams = 0;
    uint32_t m_privateStreams = 0;
    uint32_t m_openFlags = 0;
    uint32_t m_endSignature = kEndSignature;
    bool m_writable = false;
    // The file as the directory was read from it, so that a rewrite can tell it is the same.
    uint32_t m_fileSize = 0;
    uint8_t m_endRecord[kEndRecordSize] = {};
};
