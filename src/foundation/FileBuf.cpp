#include "foundation/FileBuf.h"

#include "foundation/VirtualFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

CFileBuf::CFileBuf() = default;

CFileBuf::~CFileBuf()
{
    CFileBuf::Close();
}

bool CFileBuf::IsMemoryStream() const
{
    return true;
}

bool CFileBuf::Grow(uint32_t needed)
{
    if (m_capacity >= needed)
        return true;
    if (m_data && !m_ownsBuffer)
        return false;
    uint64_t capacity = needed;
    const uint64_t byHalf = uint64_t(m_capacity) + m_capacity / 2;
    const uint64_t byFour = uint64_t(m_capacity) + 4;
    if (byHalf > capacity)
        capacity = byHalf;
    if (byFour > capacity)
        capacity = byFour;
    if (capacity > 0xFFFFFFFFu)
        capacity = 0xFFFFFFFFu;
    auto* block = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(capacity)));
    if (!block)
        return false;
    if (m_data) {
        if (m_length)
            std::memcpy(block, m_data, m_length);
        std::free(m_data);
    }
    m_data = block;
    m_capacity = static_cast<uint32_t>(capacity);
    m_ownsBuffer = true;
    return true;
}

uint32_t CFileBuf::Write(const void* bytes, uint32_t n)
{
    uint64_t end = uint64_t(m_position) + n;
    if (end > 0xFFFFFFFFu)
        return 0;
    if (end > m_capacity && !Grow(static_cast<uint32_t>(end))) {
        if (!m_data || m_ownsBuffer || m_position >= m_capacity)
            return 0;
        // A borrowed buffer cannot grow: keep what fits.
        end = m_capacity;
        n = m_capacity - m_position;
    }
    // Bytes between the old end and a position sought past it read as zeros. Even an empty
    // write makes the data reach the position.
    if (m_position > m_length)
        std::memset(m_data + m_length, 0, m_position - m_length);
    if (n)
        std::memcpy(m_data + m_position, bytes, n);
    m_position = static_cast<uint32_t>(end);
    if (m_position > m_length)
        m_length = m_position;
    return n;
}

uint32_t CFileBuf::Read(void* buffer, uint32_t n)
{
    if (m_position >= m_length || n == 0)
        return 0;
    const uint32_t count = (m_length - m_position < n) ? m_length - m_position : n;
    std::memcpy(buffer, m_data + m_position, count);
    m_position += count;
    return count;
}

bool CFileBuf::SeekRelative(int32_t delta)
{
    const int64_t target = int64_t(m_position) + delta;
    if (target < 0 || target > 0xFFFFFFFFll)
        return false;
    m_position = static_cast<uint32_t>(target);
    return true;
}

bool CFileBuf::Seek(uint32_t offset)
{
    m_position = offset;
    return true;
}

int32_t CFileBuf::GetPosition()
{
    return static_cast<int32_t>(m_position);
}

uint32_t CFileBuf::GetSize()
{
    return m_length;
}

int32_t CFileBuf::SetSize(uint32_t n)
{
    if (n > m_length) {
        if (!Grow(n))
            return -1;
        std::memset(m_data + m_length, 0, n - m_length);
    }
    m_length = n;
    return 0;
}

bool CFileBuf::Close()
{
    if (m_ownsBuffer)
        std::free(m_data);
    m_data = nullptr;
    m_position = m_length = m_capacity = 0;
    m_ownsBuffer = false;
    return true;
}

bool CFileBuf::HasDirectAccess() const
{
    return true;
}

uint8_t* CFileBuf::AccessAndAdvance(uint32_t n)
{
    if (!m_data || m_position > m_length || n > m_length - m_position)
        return nullptr;
    uint8_t* at = m_data + m_position;
    m_position += n;
    return at;
}

uint8_t* CFileBuf::TakeBuffer()
{
    uint8_t* buffer = nullptr;
    if (m_data && m_ownsBuffer) {
        buffer = m_data;
        m_data = nullptr;
        m_ownsBuffer = false;
    } else if (m_data) {
        buffer = static_cast<uint8_t*>(std::malloc(m_length ? m_length : 1));
        if (buffer && m_length)
            std::memcpy(buffer, m_data, m_length);
    }
    Close();
    return buffer;
}

bool CFileBuf::ReadLine(char* buffer, uint32_t size)
{
    if (m_position >= m_length || !buffer)
        return false;
    uint32_t end = m_position;
    while (end < m_length && m_data[end] != '\r' && m_data[end] != '\n')
        ++end;
    const uint32_t lineLength = end - m_position;
    if (uint64_t(lineLength) + 1 >= size)
        return false;
    std::memcpy(buffer, m_data + m_position, lineLength);
    buffer[lineLength] = '\0';
    m_position = end;
    if (m_position < m_length && m_data[m_position] == '\r')
        ++m_position;
    if (m_position < m_length && m_data[m_position] == '\n')
        ++m_position;
    return true;
}

void CFileBuf::ConstructOverBuffer(uint8_t* buffer, uint32_t n)
{
    Close();
    m_data = buffer;
    m_length = m_capacity = buffer ? n : 0;
    m_position = 0;
    m_ownsBuffer = buffer != nullptr;
}

void CFileBuf::ConstructView(const CFileBuf& source)
{
    Close();
    m_data = source.m_data;
    m_length = m_capacity = source.m_data ? source.m_length : 0;
    m_position = 0;
    m_ownsBuffer = false;
}

void CFileBuf::Empty()
{
    m_position = 0;
    m_length = 0;
}

bool CFileBuf::ContentEquals(const CFileBuf& other) const
{
    if (!m_data || !other.m_data || m_length != other.m_length)
        return false;
    return m_length == 0 || std::memcmp(m_data, other.m_data, m_length) == 0;
}

void CFileBuf::CopyFrom(const CFileBuf& other)
{
    if (&other == this)
        return;
    m_position = 0;
    m_length = 0;
    Seek(0);
    if (other.m_data && other.m_length)
        Write(other.m_data, other.m_length);
}

CFileBuf* LoadFileToMemoryStream(const char* name, uint32_t flags, uint32_t limit)
{
    CVirtualFile file;
    if (!file.Open(name, flags))
        return nullptr;
    const uint32_t size = file.GetSize();
    if (size > limit) {
        errno = EFBIG;
        return nullptr;
    }
    auto* buffer = static_cast<uint8_t*>(std::malloc(size ? size : 1));
    if (!buffer)
        return nullptr;
    if (file.Read(buffer, size) != size) {
        std::free(buffer);
        return nullptr;
    }
    file.Close();
    CFileBuf* stream = new CFileBuf();
    stream->ConstructOverBuffer(buffer, size);
    return stream;
}
