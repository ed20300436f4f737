#pragma once
// The bit-packed stream of a demo: records of calls, each the index of a replay function followed
// by that function's fields. Bits are packed least significant first; raw fields (bytes, 32- and
// 64-bit values, byte blocks, names) start at the next byte boundary, and so does every record.
//
// Reading never fails: a bit field past the end reads bytes of 0xCF without consuming anything, a
// raw read reports false, and every count and index read is checked, so damaged or hostile bytes
// give wrong values but never an unsafe access. ExecuteNextRecord answers false on a record that
// names no function; the player then ends playback.
//
// A reference to an item of a collection is written as the collection's item count (raw 32-bit,
// on its first reference), then the item's number in BitLength(count) bits, then (on the number's
// first use) the item's name, zero-terminated. The number equal to the count stands for no item.
#include "app/ReplayFunctionTable.h"
#include "app/ReplayIndexMap.h"
#include "objects/Point.h"

#include <cstdint>
#include <memory>
#include <vector>

class CColor;
class CItemList;
class CReplayFunction;

class CReplayStream
{
public:
    // Record kinds; 0, 1 and 4 mark the stream as holding content.
    static constexpr int kDrawRecord = 2;
    static constexpr int kStateRecord = 4;
    static constexpr uint8_t kMissingByte = 0xCF;

    CReplayStream();
    ~CReplayStream();
    CReplayStream(const CReplayStream&) = delete;
    CReplayStream& operator=(const CReplayStream&) = delete;

    // The number of binary digits of value: 0 for 0, 1 for 1, 2 for 2 and 3, ...
    static uint32_t BitLength(uint32_t value);

    // Sorts the registry by name and takes every function whose flag mask holds all bits of mask,
    // in that order; the index width becomes BitLength(count - 1).
    void RegisterFunctions(uint32_t mask);
    const CReplayFunctionTable& GetFunctions() const { return m_functions; }
    uint32_t GetIndexWidth() const { return m_indexWidth; }

    // Writing. BeginRecord is false, writing nothing, for a function the stream does not hold.
    bool BeginRecord(const CReplayFunction* function, int kind);
    // The low n bits of value (n up to 32).
    void WriteBits(uint32_t value, uint32_t n);
    void WriteBool(bool value) { WriteBits(value ? 1 : 0, 1); }
    // The colour's 16-bit 5-6-5 pixel.
    void WriteColor(const CColor& color);
    // Each axis rounded to a whole number, clamped to its bounds and written less its minimum in
    // BitLength(max - min) bits. ymin = ymax = 0 take the x bounds.
    void WriteQuantizedPoint(const CFloatPoint& point, int32_t xmin, int32_t xmax, int32_t ymin, int32_t ymax);
    void WriteByte(uint8_t value);
    void WriteDword(uint32_t value);
    void WriteQword(uint64_t value);
    void AppendBytes(const void* bytes, uint32_t count);
    // index outside 0..count-1 of the collection (-1 included) is written as no item.
    void WriteObjectReference(int32_t index, const CItemList* collection);

    // Reading.
    uint32_t ReadBits(uint32_t n);
    bool ReadBool() { return ReadBits(1) != 0; }
    void ReadColor(CColor& color);
    // The point read back lies within the bounds whatever the bytes say.
    void ReadQuantizedPoint(CFloatPoint& point, int32_t xmin, int32_t xmax, int32_t ymin, int32_t ymax);
    // False, leaving the value untouched and consuming nothing, when the bytes are not there.
    bool ReadByte(uint8_t& value);
    bool ReadDword(uint32_t& value);
    bool ReadQword(uint64_t& value);
    // The local number of the item referred to; -1 for no item, a number outside the announced
    // count, or a name the collection does not hold.
    int32_t ReadObjectReference(const CItemList* collection);
    // Reads the next record and runs its function. False when the index names no function, or
    // when the function read nothing although bytes are left (a stream that would never end).
    bool ExecuteNextRecord();

    // At least n unread bytes remain.
    bool HasBytesLeft(uint32_t n) const { return static_cast<uint64_t>(m_readPosition) + n <= m_length; }
    // Forgets the bytes (the buffer stays); the bytes read so far are added to the total read.
    void Clear();
    // New, empty reference tables for reading and writing.
    void ResetObjectTables();

    const uint8_t* GetBytes() const { return m_buffer.data(); }
    uint32_t GetLength() const { return m_length; }
    uint32_t GetCapacity() const { return static_cast<uint32_t>(m_buffer.size()); }
    uint32_t GetReadPosition() const { return m_readPosition; }
    uint32_t GetTotalRead() const { return m_totalRead; }
    bool HasContent() const { return m_hasContent; }
    CReplayFunction* GetCurrentRecord() const { return m_currentRecord; }
    CReplayIndexMap& GetReadingReferences() { return *m_readingReferences; }
    CReplayIndexMap& GetWritingReferences() { return *m_writingReferences; }

private:
    void AlignWrite() { m_writeBitsFree = 0; }
    void AlignRead() { m_readBitsLeft = 0; }
    // The next byte, consumed; kMissingByte, not consumed, past the end.
    uint8_t NextByte();
    bool ReadRaw(void* out, uint32_t count);
    void WriteLittleEndian(uint64_t value, uint32_t count);
    bool ReadLittleEndian(uint64_t& value, uint32_t count);
    void Reserve(uint64_t needed);

    CReplayFunctionTable m_functions;
    uint32_t m_indexWidth = 0;
    std::vector<uint8_t> m_buffer;
    bool m_hasContent = false;
    uint32_t m_readPosition = 0;
    uint32_t m_readBitsLeft = 0;
    uint8_t m_partialByte = 0; // the byte whose high m_readBitsLeft bits are unread
    uint32_t m_length = 0;
    uint32_t m_writeBitsFree = 0;
    uint32_t m_totalRead = 0;
    std::unique_ptr<CReplayIndexMap> m_readingReferences;
    std::unique_ptr<CReplayIndexMap> m_writingReferences;
    CReplayFunction* m_currentRecord = nullptr;
};
