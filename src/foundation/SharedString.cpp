#include "foundation/SharedString.h"

#include "foundation/FormatText.h"
#include "foundation/SmallBlockAllocator.h"
#include "foundation/TextUtilities.h"
#include "foundation/WideText.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

// ---- buffers ---------------------------------------------------------------------------------

CSharedString::Buffer* CSharedString::GetSharedEmptyBuffer()
{
    // Constant-initialised, so it is ready before any static initialiser runs. Its count starts
    // at 1 and it is never freed.
    struct alignas(8) Empty
    {
        Buffer m_header;
        char16_t m_terminator;
    };
    static constinit Empty s_empty = {{1, 0, 0, 0}, 0};
    return &s_empty.m_header;
}

size_t CSharedString::StrLen(const char* text)
{
    return text ? std::strlen(text) : 0;
}

namespace {

// Widens n 8-bit characters to 16-bit units, each byte taken as unsigned.
void WidenChars(char16_t* out, const char* in, int n)
{
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(in);
    for (int i = 0; i < n; ++i)
        out[i] = bytes[i];
}

} // namespace

void CSharedString::InitBuffer(Buffer* b, uint32_t capacity, bool wide)
{
    b->m_count = 1;
    b->m_capacity = capacity;
    b->m_wide = wide ? 1 : 0;
    b->m_reserved = 0;
    if (wide) {
        WideChars(b)[0] = 0;
        WideChars(b)[capacity / 2] = 0;
    } else {
        Chars(b)[0] = 0;
        Chars(b)[capacity] = 0;
    }
}

CSharedString::Buffer* CSharedString::AllocateBuffer(int n, bool wide)
{
    if (n < 0)
        n = 0;
    const uint32_t capacity = wide ? 2u * static_cast<uint32_t>(n) + 1 : static_cast<uint32_t>(n);
    Buffer* b = static_cast<Buffer*>(AllocSmallBlock(GetBlockSize(capacity)));
    InitBuffer(b, capacity, wide);
    return b;
}

void CSharedString::DropReference(Buffer* b)
{
    if (--b->m_count == 0 && b != GetSharedEmptyBuffer())
        FreeSmallBlock(b, GetBlockSize(b->m_capacity));
}

bool CSharedString::PointsIntoBuffer(const void* p) const
{
    const uintptr_t address = reinterpret_cast<uintptr_t>(p);
    const uintptr_t begin = reinterpret_cast<uintptr_t>(m_buffer);
    return address >= begin && address < begin + GetBlockSize(m_buffer->m_capacity);
}

// ---- construction and release ------------------------------------------------------------------

CSharedString::CSharedString() : m_buffer(GetSharedEmptyBuffer())
{
    ++m_buffer->m_count;
}

CSharedString::CSharedString(const CSharedString& other) : m_buffer(other.m_buffer)
{
    ++m_buffer->m_count;
}

CSharedString::CSharedString(CSharedString&& other) noexcept : m_buffer(other.m_buffer)
{
    other.m_buffer = GetSharedEmptyBuffer();
    ++other.m_buffer->m_count;
}

CSharedString::CSharedString(const char* text)
{
    if (!text) {
        m_buffer = GetSharedEmptyBuffer();
        ++m_buffer->m_count;
        return;
    }
    const int n = static_cast<int>(std::strlen(text));
    m_buffer = AllocateBuffer(n, false);
    std::memcpy(Chars(m_buffer), text, static_cast<size_t>(n) + 1);
}

CSharedString::CSharedString(const char* chars, int n)
{
    if (!chars || n < 0)
        n = 0;
    m_buffer = AllocateBuffer(n, false);
    if (n > 0)
        std::memcpy(Chars(m_buffer), chars, static_cast<size_t>(n));
    Chars(m_buffer)[n] = 0;
}

CSharedString::CSharedString(const char16_t* text)
{
    if (!text) {
        m_buffer = GetSharedEmptyBuffer();
        ++m_buffer->m_count;
        return;
    }
    const int n = static_cast<int>(WideTextLength(text));
    m_buffer = AllocateBuffer(n, true);
    std::memcpy(WideChars(m_buffer), text, (static_cast<size_t>(n) + 1) * sizeof(char16_t));
}

CSharedString CSharedString::ConstructConcatenated(const char* a, int lengthA, const char* b, int lengthB)
{
    if (!a || lengthA < 0)
        lengthA = 0;
    if (!b || lengthB < 0)
        lengthB = 0;
    CSharedString s;
    s.DropReference();
    s.m_buffer = AllocateBuffer(lengthA + lengthB, false);
    char* out = Chars(s.m_buffer);
    if (lengthA)
        std::memcpy(out, a, static_cast<size_t>(lengthA));
    if (lengthB)
        std::memcpy(out + lengthA, b, static_cast<size_t>(lengthB));
    out[lengthA + lengthB] = 0;
    return s;
}

void CSharedString::Release()
{
    if (m_buffer) {
        DropReference(m_buffer);
        m_buffer = nullptr;
    }
}

void CSharedString::ResetToEmpty()
{
    Buffer* empty = GetSharedEmptyBuffer();
    if (m_buffer == empty)
        return;
    ++empty->m_count;
    DropReference(m_buffer);
    m_buffer = empty;
}

CSharedString& CSharedString::operator=(CSharedString&& other) noexcept
{
    if (this != &other) {
        Buffer* taken = other.m_buffer;
        other.m_buffer = GetSharedEmptyBuffer();
        ++other.m_buffer->m_count;
        DropReference(m_buffer);
        m_buffer = taken;
    }
    return *this;
}

// ---- buffer access ----------------------------------------------------------------------------

int CSharedString::GetLength() const
{
    return static_cast<int>(IsWide() ? WideTextLength(WideChars(m_buffer)) : std::strlen(Chars(m_buffer)));
}

void CSharedString::EnsureUniqueCapacity(int n)
{
    if (m_buffer->m_count <= 1 && m_buffer != GetSharedEmptyBuffer() && CapacityChars(m_buffer) >= n)
        return;
    const bool wide = IsWide();
    Buffer* fresh = AllocateBuffer(n, wide);
    int length = GetLength();
    if (length > n)
        length = n < 0 ? 0 : n;
    if (wide) {
        std::memcpy(WideChars(fresh), WideChars(m_buffer), static_cast<size_t>(length) * sizeof(char16_t));
        WideChars(fresh)[length] = 0;
    } else {
        std::memcpy(Chars(fresh), Chars(m_buffer), static_cast<size_t>(length));
        Chars(fresh)[length] = 0;
    }
    DropReference(m_buffer);
    m_buffer = fresh;
}

void CSharedString::Reserve(int n)
{
    if (CapacityChars(m_buffer) < n)
        EnsureUniqueCapacity(n);
}

char* CSharedString::GetBuffer(int n)
{
    EnsureUniqueCapacity(n);
    return Chars(m_buffer);
}

char* CSharedString::GetBufferNoCopy(int n)
{
    if (m_buffer->m_count > 1 || m_buffer == GetSharedEmptyBuffer() || CapacityChars(m_buffer) < n) {
        Buffer* fresh = AllocateBuffer(n, IsWide());
        DropReference(m_buffer);
        m_buffer = fresh;
    }
    return Chars(m_buffer);
}

void CSharedString::ReleaseBuffer(int length)
{
    if (length < 0 || m_buffer == GetSharedEmptyBuffer())
        return;
    if (length > CapacityChars(m_buffer))
        length = CapacityChars(m_buffer);
    if (IsWide())
        WideChars(m_buffer)[length] = 0;
    else
        Chars(m_buffer)[length] = 0;
}

void CSharedString::MakeWide()
{
    if (IsWide())
        return;
    Buffer* fresh = AllocateBuffer(CapacityChars(m_buffer), true);
    WidenChars(WideChars(fresh), Chars(m_buffer), GetLength() + 1);
    DropReference(m_buffer);
    m_buffer = fresh;
}

// The one editing primitive: replaces removeCount characters at index with insertLength
// characters, 8-bit or 16-bit. A wide insert makes the string wide; a narrow insert into a wide
// string is widened. Unshared buffers with room are edited in place, otherwise the result is
// built in a buffer of exactly its length (growth is exact).
void CSharedString::Splice(int index, int removeCount, const void* insert, int insertLength, bool insertWide)
{
    const int length = GetLength();
    if (index < 0)
        index = 0;
    if (index > length)
        index = length;
    if (removeCount < 0)
        removeCount = 0;
    if (removeCount > length - index)
        removeCount = length - index;
    if (!insert || insertLength < 0)
        insertLength = 0;
    const int newLength = length - removeCount + insertLength;
    const int tailLength = length - index - removeCount;
    const bool wide = IsWide() || (insertWide && insertLength > 0);

    auto copyInsert = [&](Buffer* to) {
        if (!insertLength)
            return;
        if (wide && insertWide)
            std::memmove(WideChars(to) + index, insert, static_cast<size_t>(insertLength) * sizeof(char16_t));
        else if (wide)
            WidenChars(WideChars(to) + index, static_cast<const char*>(insert), insertLength);
        else
            std::memmove(Chars(to) + index, insert, static_cast<size_t>(insertLength));
    };

    if (wide == IsWide() && m_buffer->m_count <= 1 && m_buffer != GetSharedEmptyBuffer()
        && CapacityChars(m_buffer) >= newLength) {
        if (wide) {
            char16_t* chars = WideChars(m_buffer);
            std::memmove(chars + index + insertLength, chars + index + removeCount, static_cast<size_t>(tailLength) * sizeof(char16_t));
            chars[newLength] = 0;
        } else {
            char* chars = Chars(m_buffer);
            std::memmove(chars + index + insertLength, chars + index + removeCount, static_cast<size_t>(tailLength));
            chars[newLength] = 0;
        }
        copyInsert(m_buffer);
        return;
    }

    Buffer* fresh = AllocateBuffer(newLength, wide);
    if (wide) {
        char16_t* out = WideChars(fresh);
        if (IsWide()) {
            const char16_t* in = WideChars(m_buffer);
            std::memcpy(out, in, static_cast<size_t>(index) * sizeof(char16_t));
            std::memcpy(out + index + insertLength, in + index + removeCount, static_cast<size_t>(tailLength) * sizeof(char16_t));
        } else {
            const char* in = Chars(m_buffer);
            WidenChars(out, in, index);
            WidenChars(out + index + insertLength, in + index + removeCount, tailLength);
        }
        out[newLength] = 0;
    } else {
        char* out = Chars(fresh);
        const char* in = Chars(m_buffer);
        std::memcpy(out, in, static_cast<size_t>(index));
        std::memcpy(out + index + insertLength, in + index + removeCount, static_cast<size_t>(tailLength));
        out[newLength] = 0;
    }
    copyInsert(fresh);
    DropReference(m_buffer);
    m_buffer = fresh;
}

// ---- assignment -------------------------------------------------------------------------------

CSharedString& CSharedString::Assign(const CSharedString& other)
{
    if (m_buffer != other.m_buffer) {
        ++other.m_buffer->m_count;
        DropReference(m_buffer);
        m_buffer = other.m_buffer;
    }
    return *this;
}

void CSharedString::AssignNarrow(const char* chars, int n)
{
    if (!IsWide() && m_buffer->m_count == 1 && m_buffer != GetSharedEmptyBuffer() && CapacityChars(m_buffer) >= n) {
        std::memmove(Chars(m_buffer), chars, static_cast<size_t>(n));
        Chars(m_buffer)[n] = 0;
        return;
    }
    Buffer* fresh = AllocateBuffer(n, false);
    std::memcpy(Chars(fresh), chars, static_cast<size_t>(n));
    Chars(fresh)[n] = 0;
    DropReference(m_buffer);
    m_buffer = fresh;
}

void CSharedString::SetText(const char* text)
{
    if (!text || !*text) {
        ResetToEmpty();
        return;
    }
    AssignNarrow(text, static_cast<int>(std::strlen(text)));
}

void CSharedString::AssignChars(const char* chars, int n)
{
    if (!chars || n <= 0) {
        ResetToEmpty();
        return;
    }
    AssignNarrow(chars, n);
}

void CSharedString::AssignLeft(const CSharedString& other, int n)
{
    const int length = other.GetLength();
    if (n > length)
        n = length;
    if (other.IsWide())
        Assign(other.Mid(0, n));
    else
        AssignChars(other.CStr(), n);
}

// ---- appending --------------------------------------------------------------------------------

void CSharedString::AppendCharsNoHold(const char* chars, int n)
{
    Splice(GetLength(), 0, chars, n, false);
}

void CSharedString::AppendChars(const char* chars, int n)
{
    if (!chars || n <= 0)
        return;
    Hold hold(*this, chars);
    AppendCharsNoHold(chars, n);
}

CSharedString& CSharedString::AppendText(const char* text)
{
    if (text)
        AppendChars(text, static_cast<int>(std::strlen(text)));
    return *this;
}

CSharedString& CSharedString::Append(const CSharedString& other)
{
    const CSharedString source(other); // shares the buffer, so appending a string to itself is safe
    const int n = source.GetLength();
    if (n > 0)
        Splice(GetLength(), 0, source.CStr(), n, source.IsWide());
    return *this;
}

void CSharedString::AppendFirstChars(const CSharedString& other, int n)
{
    const CSharedString source(other);
    const int length = source.GetLength();
    if (n > length)
        n = length;
    if (n > 0)
        Splice(GetLength(), 0, source.CStr(), n, source.IsWide());
}

void CSharedString::AppendRepeated(int c, int n)
{
    if (n <= 0)
        return;
    if (c >= -128 && c < 0)
        c &= 0xFF;
    if (c > 0xFF) {
        std::u16string units(static_cast<size_t>(n), static_cast<char16_t>(c & 0xFFFF));
        Splice(GetLength(), 0, units.data(), n, true);
    } else {
        std::string bytes(static_cast<size_t>(n), static_cast<char>(c));
        Splice(GetLength(), 0, bytes.data(), n, false);
    }
}

void CSharedString::AppendPathChars(const char* component, int n)
{
    Hold hold(*this, component);
    const int length = GetLength();
    if (length > 0 && GetAt(length - 1) != '/')
        AppendCharsNoHold("/", 1);
    if (component && n > 0)
        AppendCharsNoHold(component, n);
}

void CSharedString::AppendPath(const char* component)
{
    AppendPathChars(component, static_cast<int>(StrLen(component)));
}

// ---- formatting -------------------------------------------------------------------------------

void CSharedString::AssignFormatted(const char* text, int n, bool wide)
{
    if (!wide) {
        if (n == 0 && (m_buffer->m_count > 1 || m_buffer == GetSharedEmptyBuffer())) {
            ResetToEmpty();
            return;
        }
        AssignNarrow(text, n);
        return;
    }
    if (m_buffer->m_count > 1 || CapacityChars(m_buffer) < n) {
        Buffer* fresh = AllocateBuffer(n, true);
        DropReference(m_buffer);
        m_buffer = fresh;
    }
    WidenChars(WideChars(m_buffer), text, n);
    WideChars(m_buffer)[n] = 0;
}

void CSharedString::FormatV(const char* format, va_list args)
{
    // Formatting goes to a separate place first and the old buffer is released only afterwards,
    // so arguments may point into this string's own text.
    char local[512];
    int n = FormatTextV(local, sizeof local, format, args);
    if (n < 0)
        n = 0;
    if (static_cast<size_t>(n) < sizeof local) {
        AssignFormatted(local, n, IsWide());
        return;
    }
    if (!IsWide()) {
        Buffer* fresh = AllocateBuffer(n, false);
        FormatTextV(Chars(fresh), static_cast<size_t>(n) + 1, format, args);
        DropReference(m_buffer);
        m_buffer = fresh;
        return;
    }
    std::string text(static_cast<size_t>(n) + 1, '\0');
    FormatTextV(text.data(), text.size(), format, args);
    AssignFormatted(text.data(), n, true);
}

void CSharedString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CSharedString::AppendFormatV(const char* format, va_list args)
{
    char local[512];
    int n = FormatTextV(local, sizeof local, format, args);
    if (n <= 0)
        return;
    if (static_cast<size_t>(n) < sizeof local) {
        AppendCharsNoHold(local, n);
        return;
    }
    std::string text(static_cast<size_t>(n) + 1, '\0');
    FormatTextV(text.data(), text.size(), format, args);
    AppendCharsNoHold(text.data(), n);
}

void CSharedString::AppendFormat(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    AppendFormatV(format, args);
    va_end(args);
}
