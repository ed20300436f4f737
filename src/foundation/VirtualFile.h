#pragma once
// The file object the whole program opens by name: an archive entry, a disk file or a memory
// stream, chosen when it is opened. It owns its stream. All multi-byte values are little-endian.
#include "foundation/Stream.h"

#include <cstdint>
#include <string>

// Receives the fraction done (0.0 to 1.0) while a file is copied.
using FileProgressCallback = void (*)(float fraction);

class CVirtualFile
{
public:
    CVirtualFile();
    virtual ~CVirtualFile();
    CVirtualFile(const CVirtualFile&) = delete;
    CVirtualFile& operator=(const CVirtualFile&) = delete;

    // Opens by name: a buffer name, a compressed write (kept in memory, stored at close), a
    // compressed read (a plain file reads unchanged; a damaged record fails the open), the whole
    // file in memory, or whatever the stream chooser gives. False leaves the file closed. A
    // whole-file read of more than wholeFileLimit bytes fails with errno EFBIG; a disk name that
    // is no regular file (a FIFO, a device) does not open.
    bool Open(const char* name, uint32_t flags, uint32_t wholeFileLimit = kMaxWholeFileBytes);
    // Closes the current stream and adopts the given one; true when it is not null.
    bool AttachStream(CStream* stream, uint32_t flags);
    // Closes and deletes the stream. False when the data could not be stored: a compressed
    // write whose target could not be written, or a created file that could not replace the old
    // one (which is then left as it was).
    virtual bool Close();
    void SetDirectReadAllowed(bool allowed) { m_directReadAllowed = allowed; }
    bool IsDirectReadAllowed() const { return m_directReadAllowed; }

    bool IsOpen() const { return m_stream != nullptr; }
    CStream* GetStream() const { return m_stream; }
    uint32_t GetOpenFlags() const { return m_flags; }

    uint32_t Write(const void* bytes, uint32_t n);
    uint32_t Read(void* buffer, uint32_t n);
    bool Seek(uint32_t offset);
    bool SeekRelative(int32_t delta);
    int32_t GetPosition();
    uint32_t GetSize();
    int32_t SetSize(uint32_t n);
    // A pointer to the next n bytes of a memory stream, advancing past them; null otherwise.
    uint8_t* ReadDirect(uint32_t n);
    // The memory stream's buffer, handed to the caller (freed with std::free); null otherwise.
    uint8_t* DetachBuffer();

    CVirtualFile& WriteU8(uint32_t value);
    CVirtualFile& WriteU32(uint32_t value);
    CVirtualFile& WriteU64(uint64_t value);
    // A short read leaves the missing bytes 0.
    CVirtualFile& ReadU8(uint8_t& out);
    CVirtualFile& ReadU32(uint32_t& out);
    CVirtualFile& ReadU64(uint64_t& out);

    // u32 length, then the characters without a terminator.
    CVirtualFile& WriteCountedString(const char* text);
    // Reads a counted string into a buffer of bufferSize bytes. errno is cleared; a length beyond
    // the bytes left in the file or the room in the buffer sets errno to ERANGE and leaves the
    // buffer untouched (the position stays after the length). True when the string was read.
    bool ReadCountedString(char* buffer, uint32_t bufferSize);
    // Frees *text (std::free), reads a counted string into a new heap text (std::malloc);
    // false, with *text null, without a stream or when the length exceeds the bytes left.
    bool ReadAllocatedString(char** text);

    CVirtualFile& WriteByte(uint8_t byte);
    CVirtualFile& WriteText(const char* text);
    // The text (when not null), CR LF, then one TAB per indent level.
    CVirtualFile& WriteLine(const char* text);
    CVirtualFile& Indent();
    CVirtualFile& Outdent();
    uint32_t GetIndentLevel() const { return m_indent; }
    bool ReadLine(char* buffer, uint32_t size);
    // Reads lines until one holds something other than whitespace; false at the end.
    bool ReadNonBlankLine(char* buffer, uint32_t size);

    // Moves n bytes from a higher source offset down to the destination, front first.
    bool MoveBlock(uint32_t destination, uint32_t source, uint32_t n);
    // Copies the whole file into the other one; false on any short read or write (the other
    // file, when created, then keeps its old contents at close).
    bool CopyTo(CVirtualFile& other, FileProgressCallback progress);
    bool ContentEquals(CVirtualFile& other);

    // Statistics.
    uint32_t GetShortReadCount() const { return m_shortReads; }
    uint32_t GetDirectReadCount() const { return m_directReadBytes; }
    static int GetOpenFileCount();
    static int GetMostOpenFileCount();

private:
    void CloseQuietly();
    void CountOpen();
    // The u32 length in front of a counted string; false on a short read.
    bool ReadStringLength(uint32_t& length);
    int64_t BytesLeft();

    CStream* m_stream = nullptr;
    uint32_t m_indent = 0;
    uint32_t m_flags = 0;
    uint32_t m_shortReads = 0;
    uint32_t m_directReadBytes = 0;
    bool m_directReadAllowed = false;
    // Target of a compressed write, stored at close. A plain string: files may be opened on the
    // sound thread, and shared strings count references without locking.
    std::string m_name;
};
