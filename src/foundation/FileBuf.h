#pragma once
// A stream over a block of memory: a whole file read into memory, bytes collected to be written
// out later, or a heap buffer handed over by a caller. Buffers are heap blocks (std::malloc);
// a buffer handed out by TakeBuffer is freed with std::free.
#include "foundation/Stream.h"

#include <cstdint>

class CFileBuf : public CStream
{
public:
    CFileBuf();
    ~CFileBuf() override;

    bool IsMemoryStream() const override;
    // Grows an owned buffer as needed; a buffer the stream does not own is never grown, and a
    // write into it is clipped at its capacity. Returns the count written.
    uint32_t Write(const void* bytes, uint32_t n) override;
    uint32_t Read(void* buffer, uint32_t n) override;
    // Moves the position; false (not moved) when it would go below 0 or past 4 GiB.
    bool SeekRelative(int32_t delta) override;
    bool Seek(uint32_t offset) override;
    int32_t GetPosition() override;
    uint32_t GetSize() override;
    // Cuts the data to n bytes or extends it with zeros (the position stays); -1 when a buffer
    // the stream does not own would have to grow.
    int32_t SetSize(uint32_t n) override;
    bool Close() override;
    bool HasDirectAccess() const override;
    // A pointer to the next n bytes, advancing past them; null (not moved) when fewer remain.
    uint8_t* AccessAndAdvance(uint32_t n) override;
    // Detaches the buffer and closes the stream; the caller frees it with std::free. A buffer the
    // stream does not own is handed out as a copy. Null when there is no buffer.
    uint8_t* TakeBuffer() override;
    // CR LF, LF and CR end a line; a last line without a line end is delivered.
    bool ReadLine(char* buffer, uint32_t size) override;

    bool Skip(int32_t n) { return SeekRelative(n); }

    // Adopts a heap buffer (std::malloc) of n bytes: position 0, length = capacity = n, owned.
    void ConstructOverBuffer(uint8_t* buffer, uint32_t n);
    // A read view of another memory stream's bytes: not owned, never grown, writes stay within
    // the source's length. The source must outlive the view.
    void ConstructView(const CFileBuf& source);
    // Position and length 0; the buffer is kept.
    void Empty();
    // Makes room for the needed size; false when the buffer is not owned or memory ran out.
    bool Grow(uint32_t needed);
    // Both have a buffer and equal bytes (two buffers of size 0 are equal).
    bool ContentEquals(const CFileBuf& other) const;
    // Replaces the contents with the other stream's whole contents.
    void CopyFrom(const CFileBuf& other);

    uint32_t GetCapacity() const { return m_capacity; }
    const uint8_t* GetData() const { return m_data; }
    bool OwnsBuffer() const { return m_ownsBuffer; }

private:
    uint32_t m_position = 0;
    uint32_t m_length = 0;
    uint32_t m_capacity = 0;
    uint8_t* m_data = nullptr;
    bool m_ownsBuffer = false;
};

// Reads a whole file (opened through CVirtualFile with the given flags) into a new memory
// stream; null when it cannot be opened or read completely, or (errno EFBIG) when it holds more
// than limit bytes.
CFileBuf* LoadFileToMemoryStream(const char* name, uint32_t flags, uint32_t limit = kMaxWholeFileBytes);
