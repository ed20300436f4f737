#pragma once
// The byte-stream interface behind every open file: disk files (this class itself, over a stdio
// handle), memory streams (CFileBuf) and archive entries. Application code opens files through
// CVirtualFile, which owns the stream.
#include "foundation/OpenFlags.h"
#include "foundation/SharedString.h"
#include "platform/DiskFiles.h"

#include <cstdint>
#include <cstdio>
#include <string>

class CArchiveStreamProvider;

class CStream
{
public:
    CStream();
    virtual ~CStream();
    CStream(const CStream&) = delete;
    CStream& operator=(const CStream&) = delete;

    // Memory streams answer true.
    virtual bool IsMemoryStream() const;
    virtual uint32_t Write(const void* bytes, uint32_t n);
    virtual uint32_t Read(void* buffer, uint32_t n);
    virtual bool SeekRelative(int32_t delta);
    virtual bool Seek(uint32_t offset);
    virtual int32_t GetPosition();
    virtual uint32_t GetSize();
    // 0 on success, -1 on failure.
    virtual int32_t SetSize(uint32_t n);
    // Closes the stream. For a file created by the disk stream, this is where the written file
    // replaces the old one; false when that could not be done (nothing was replaced then).
    virtual bool Close();
    // Memory streams answer true: they hand out pointers into their data.
    virtual bool HasDirectAccess() const;
    // A pointer to the next n bytes, advancing past them; null for streams without direct access.
    virtual uint8_t* AccessAndAdvance(uint32_t n);
    // Hands the stream's buffer to the caller (freed with std::free); null for non-memory streams.
    virtual uint8_t* TakeBuffer();
    // Reads one line without its line end (CR, LF, CR LF, LF CR or CR CR LF); a last line without
    // a line end is delivered too. False at the end, or when the line does not fit (size - 2
    // characters at most), leaving the position where it was.
    virtual bool ReadLine(char* buffer, uint32_t size);

    // The backend chooser: an archive entry, an appended zip entry or a disk file; null on failure.
    static CStream* OpenForPath(const char* name, uint32_t flags);
    // Opens a disk file into this stream (joined to the base folder unless VF_VERBATIM).
    bool OpenDiskFile(const char* name, uint32_t flags);

    // CRC-32 of the whole stream; leaves the position at the end of the data.
    uint32_t ComputeCrc32();

    // "~CFileBuf 0x" + 8 hexadecimal digits naming this stream + "/" + suffix. The digits are a
    // handle into a table of live streams, never an address; the entry goes when the stream dies.
    CSharedString MakeBufferName(const char* suffix);
    // Whether the text has the form of a buffer name: the prefix and at least 8 more characters.
    static bool IsBufferName(const char* name);
    // The live stream such a name refers to, or null (other names, stale or unknown handles).
    static CStream* FindByBufferName(const char* name);
    // Deletes the stream such a name refers to; other names are ignored.
    static void DeleteByBufferName(const char* name);

    // Marks a disk file being created as failed, so that closing it keeps the old file.
    void MarkWriteFailed();

    // Installed by the archive set; null (the default) means no archive is mounted.
    static void SetArchiveProvider(CArchiveStreamProvider* provider);
    static CArchiveStreamProvider* GetArchiveProvider();

protected:
    FILE* m_file = nullptr;
    bool m_owns = false;

private:
    bool OpenCreated(const std::string& path, uint32_t flags);

    enum class Access { None, Read, Write };

    uint32_t m_bufferHandle = 0;
    Access m_lastAccess = Access::None;
    // A file opened with VF_CREATE + VF_WRITE is written beside its target and replaces it at close.
    platform::ReplacementFile m_created;
};
