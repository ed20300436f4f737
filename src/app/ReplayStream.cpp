#include "app/ReplayStream.h"

#include "app/ReplayFunction.h"
#include "graphics/Color.h"
#include "objects/CurrentObjectFileName.h"
#include "objects/ItemList.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <string>

namespace {

uint32_t LowBits(uint32_t value, uint32_t n)
{
    return n >= 32 ? value : value & ((1u << n) - 1);
}

// The value rounded to a whole number and clamped to [low, high], less low.
uint32_t QuantizeAxis(float value, int32_t low, int32_t high)
{
    if (std::isnan(value))
        return 0;
    const double clamped = std::clamp(static_cast<double>(value), static_cast<double>(low), static_cast<double>(high));
    return static_cast<uint32_t>(static_cast<int64_t>(std::round(clamped)) - low);
}

uint32_t AxisWidth(int32_t low, int32_t high)
{
    return high > low ? CReplayStream::BitLength(static_cast<uint32_t>(static_cast<int64_t>(high) - low)) : 0;
}

} // namespace

CReplayStream::CReplayStream()
    : m_readingReferences(std::make_unique<CReplayIndexMap>())
    , m_writingReferences(std::make_unique<CReplayIndexMap>())
{
}

CReplayStream::~CReplayStream() = default;

uint32_t CReplayStream::BitLength(uint32_t value)
{
    return static_cast<uint32_t>(std::bit_width(value));
}

void CReplayStream::RegisterFunctions(uint32_t mask)
{
    CReplayFunctionTable& registry = CReplayFunction::GetRegistry();
    registry.SortByName();
    m_functions.Clear();
    for (uint32_t i = 0; i < registry.GetCount(); ++i)
        if ((registry[i]->GetFlagMask() & mask) == mask)
            m_functions.Add(registry[i]);
    const uint32_t count = m_functions.GetCount();
    m_indexWidth = count > 0 ? BitLength(count - 1) : 0;
}

void CReplayStream::Reserve(uint64_t needed)
{
    if (needed <= m_buffer.size())
        return;
    // Grows to the larger of the need and twice the capacity.
    m_buffer.resize(static_cast<size_t>(std::max<uint64_t>(needed, 2 * static_cast<uint64_t>(m_buffer.size()))));
}

bool CReplayStream::BeginRecord(const CReplayFunction* function, int kind)
{
    const int index = m_functions.IndexOf(function);
    if (index < 0)
        return false;
    if (kind == 0 || kind == 1 || kind == 4)
        m_hasContent = true;
    AlignWrite();
    WriteBits(static_cast<uint32_t>(index), m_indexWidth);
    return true;
}

void CReplayStream::WriteBits(uint32_t value, uint32_t n)
{
    n = std::min(n, 32u);
    uint64_t bits = LowBits(value, n);
    if (m_writeBitsFree > 0 && n > 0) {
        const uint32_t k = std::min(n, m_writeBitsFree);
        m_buffer[m_length - 1] |= static_cast<uint8_t>((bits & ((1u << k) - 1)) << (8 - m_writeBitsFree));
        m_writeBitsFree -= k;
        bits >>= k;
        n -= k;
    }
    if (n == 0)
        return;
    const uint32_t bytes = (n + 7) / 8;
    if (static_cast<uint64_t>(m_length) + bytes > UINT32_MAX)
        return;
    Reserve(static_cast<uint64_t>(m_length) + bytes);
    for (uint32_t i = 0; i < bytes; ++i, bits >>= 8)
        m_buffer[m_length++] = static_cast<uint8_t>(bits);
    m_writeBitsFree = bytes * 8 - n;
}

void CReplayStream::WriteColor(const CColor& color)
{
    WriteBits(color.GetPixel16(), 16);
}

void CReplayStream::WriteQuantizedPoint(const CFloatPoint& point, int32_t xmin, int32_t xmax, int32_t ymin,
                                        int32_t ymax)
{
    if (ymin == 0 && ymax == 0) {
        ymin = xmin;
        ymax = xmax;
    }
    WriteBits(QuantizeAxis(point.m_x, xmin, xmax), AxisWidth(xmin, xmax));
    WriteBits(QuantizeAxis(point.m_y, ymin, ymax), AxisWidth(ymin, ymax));
}

void CReplayStream::AppendBytes(const void* bytes, uint32_t count)
{
    AlignWrite();
    if (count == 0 || static_cast<uint64_t>(m_length) + count > UINT32_MAX)
        return;
    Reserve(static_cast<uint64_t>(m_length) + count);
    std::memcpy(m_buffer.data() + m_length, bytes, count);
    m_length += count;
}

void CReplayStream::WriteByte(uint8_t value)
{
    AppendBytes(&value, 1);
}

void CReplayStream::WriteLittleEndian(uint64_t value, uint32_t count)
{
    uint8_t bytes[8];
    for (uint32_t i = 0; i < count; ++i)
        bytes[i] = static_cast<uint8_t>(value >> (8 * i));
    AppendBytes(bytes, count);
}

void CReplayStream::WriteDword(uint32_t value)
{
    WriteLittleEndian(value, 4);
}

void CReplayStream::WriteQword(uint64_t value)
{
    WriteLittleEndian(value, 8);
}

void CReplayStream::WriteObjectReference(int32_t index, const CItemList* collection)
{
    CReplayIndexMap& map = *m_writingReferences;
    if (!map.HasTable(collection)) {
        const uint32_t count = collection ? collection->GetCount() : 0;
        WriteDword(count);
        map.CreateTable(collection, count);
    }
    const uint32_t size = map.GetTableSize(collection);
    const bool isItem = index >= 0 && static_cast<uint32_t>(index) < size;
    const uint32_t number = isItem ? static_cast<uint32_t>(index) : size;
    WriteBits(number, BitLength(size));
    if (!isItem || map.IsResolved(collection, number))
        return;
    const char* name = collection->GetItemName(number);
    if (!name)
        name = "";
    AppendBytes(name, static_cast<uint32_t>(std::strlen(name)) + 1);
    map.ClearEntry(collection, number);
}

uint8_t CReplayStream::NextByte()
{
    if (m_readPosition >= m_length)
        return kMissingByte;
    return m_buffer[m_readPosition++];
}

uint32_t CReplayStream::ReadBits(uint32_t n)
{
    n = std::min(n, 32u);
    uint64_t result = 0;
    uint32_t got = 0;
    if (m_readBitsLeft > 0 && n > 0) {
        const uint32_t k = std::min(n, m_readBitsLeft);
        result = (m_partialByte >> (8 - m_readBitsLeft)) & ((1u << k) - 1);
        m_readBitsLeft -= k;
        n -= k;
        got = k;
    }
    while (n >= 8) {
        result |= static_cast<uint64_t>(NextByte()) << got;
        got += 8;
        n -= 8;
    }
    if (n > 0) {
        m_partialByte = NextByte();
        result |= static_cast<uint64_t>(m_partialByte & ((1u << n) - 1)) << got;
        m_readBitsLeft = 8 - n;
    }
    return static_cast<uint32_t>(result);
}

void CReplayStream::ReadColor(CColor& color)
{
    color.SetFromPixel565(static_cast<uint16_t>(ReadBits(16)));
}

void CReplayStream::ReadQuantizedPoint(CFloatPoint& point, int32_t xmin, int32_t xmax, int32_t ymin, int32_t ymax)
{
    if (ymin == 0 && ymax == 0) {
        ymin = xmin;
        ymax = xmax;
    }
    auto axis = [this](int32_t low, int32_t high) {
        const int64_t value = static_cast<int64_t>(ReadBits(AxisWidth(low, high))) + low;
        return static_cast<float>(std::clamp<int64_t>(value, low, std::max(low, high)));
    };
    point.m_x = axis(xmin, xmax);
    point.m_y = axis(ymin, ymax);
}

bool CReplayStream::ReadRaw(void* out, uint32_t count)
{
    AlignRead();
    if (!HasBytesLeft(count))
        return false;
    std::memcpy(out, m_buffer.data() + m_readPosition, count);
    m_readPosition += count;
    return true;
}

bool CReplayStream::ReadByte(uint8_t& value)
{
    return ReadRaw(&value, 1);
}

bool CReplayStream::ReadLittleEndian(uint64_t& value, uint32_t count)
{
    uint8_t bytes[8];
    if (!ReadRaw(bytes, count))
        return false;
    value = 0;
    for (uint32_t i = 0; i < count; ++i)
        value |= static_cast<uint64_t>(bytes[i]) << (8 * i);
    return true;
}

bool CReplayStream::ReadDword(uint32_t& value)
{
    uint64_t read = 0;
    if (!ReadLittleEndian(read, 4))
        return false;
    value = static_cast<uint32_t>(read);
    return true;
}

bool CReplayStream::ReadQword(uint64_t& value)
{
    return ReadLittleEndian(value, 8);
}

int32_t CReplayStream::ReadObjectReference(const CItemList* collection)
{
    CReplayIndexMap& map = *m_readingReferences;
    if (!map.HasTable(collection)) {
        uint32_t count = 0;
        ReadDword(count);
        map.CreateTable(collection, count);
    }
    const uint32_t size = map.GetTableSize(collection);
    const uint32_t number = ReadBits(BitLength(size));
    if (number >= size)
        return -1;
    if (!map.IsResolved(collection, number)) {
        AlignRead();
        // The name ends at its zero byte; one that runs past the end is empty and not consumed.
        const uint8_t* start = m_buffer.data() + m_readPosition;
        const void* end = m_readPosition < m_length ? std::memchr(start, 0, m_length - m_readPosition) : nullptr;
        std::string name;
        if (end) {
            name.assign(reinterpret_cast<const char*>(start), static_cast<const uint8_t*>(end) - start);
            m_readPosition += static_cast<uint32_t>(name.size()) + 1;
        }
        CCurrentObjectFileNameScope source("Remote comuter");
        map.ResolveByName(collection, number, name.c_str());
    }
    return map.GetLocalIndex(collection, number);
}

bool CReplayStream::ExecuteNextRecord()
{
    AlignRead();
    const uint32_t start = m_readPosition;
    const uint32_t index = ReadBits(m_indexWidth);
    if (index >= m_functions.GetCount())
        return false;
    m_currentRecord = m_functions[index];
    m_currentRecord->Execute(*this);
    return m_readPosition != start || m_readBitsLeft != 0 || !HasBytesLeft(1);
}

void CReplayStream::Clear()
{
    m_totalRead += m_readPosition;
    m_readPosition = 0;
    m_readBitsLeft = 0;
    m_length = 0;
    m_writeBitsFree = 0;
    m_hasContent = false;
}

void CReplayStream::ResetObjectTables()
{
    m_readingReferences = std::make_unique<CReplayIndexMap>();
    m_writingReferences = std::make_unique<CReplayIndexMap>();
}
