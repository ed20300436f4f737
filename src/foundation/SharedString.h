#pragma once
// The program's everyday text value: one pointer to a reference-counted buffer shared between
// copies and copied only when a string that shares it is changed. A buffer holds 8-bit
// (Windows-1252) characters or, once a character above 255 or a wide string is put into it,
// 16-bit units. Every empty string points at one process-wide empty buffer.
//
// Not thread-safe: reference counts change without locking.
#include <cstdarg>
#include <cstddef>
#include <cstdint>

class CLocalizedString;

class CSharedString
{
public:
    CSharedString();
    CSharedString(const CSharedString& other);
    CSharedString(CSharedString&& other) noexcept;
    CSharedString(const char* text);
    CSharedString(const char* chars, int n);
    explicit CSharedString(const char16_t* text);
    ~CSharedString() { Release(); }

    static CSharedString ConstructEmpty() { return CSharedString(); }
    static CSharedString ConstructCopy(const CSharedString& other) { return CSharedString(other); }
    static CSharedString ConstructFromText(const char* text) { return CSharedString(text); }
    static CSharedString ConstructFromChars(const char* chars, int n) { return CSharedString(chars, n); }
    static CSharedString ConstructFromWideText(const char16_t* text) { return CSharedString(text); }
    static CSharedString ConstructConcatenated(const char* a, int lengthA, const char* b, int lengthB);

    // Drops this string's reference; the string is unusable afterwards (the destructor's work).
    void Release();
    void ResetToEmpty();
    void Clear() { ResetToEmpty(); }

    CSharedString& operator=(const CSharedString& other) { return Assign(other); }
    CSharedString& operator=(CSharedString&& other) noexcept;
    CSharedString& operator=(const char* text)
    {
        SetText(text);
        return *this;
    }

    // Buffer access. GetBuffer and GetBufferNoCopy make the buffer unique with room for at least
    // n characters (GetBufferNoCopy may drop the text); ReleaseBuffer ends the text at the given
    // length, or measures it for -1.
    void EnsureUniqueCapacity(int n);
    void Reserve(int n);
    char* GetBuffer(int n);
    char* GetBufferNoCopy(int n);
    void ReleaseBuffer(int length = -1);
    void MakeWide();

    // Assignment.
    CSharedString& Assign(const CSharedString& other);
    void SetFrom(const CSharedString& other) { Assign(other); }
    void SetText(const char* text);
    void AssignText(const char* text) { SetText(text); }
    void AssignChars(const char* chars, int n);
    void AssignLeft(const CSharedString& other, int n);

    // Appending.
    CSharedString& AppendText(const char* text);
    void AddText(const char* text) { AppendChars(text, static_cast<int>(StrLen(text))); }
    void AppendChars(const char* chars, int n);
    CSharedString& Append(const CSharedString& other);
    void AppendFirstChars(const CSharedString& other, int n);
    void AppendRepeated(int c, int n);
    void AppendPath(const char* component);
    void AppendPathChars(const char* component, int n);
    void AppendFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void AppendFormatV(const char* format, va_list args);
    void AppendInteger(int value, int zeroPad, int width);

    // Paths: '/' is the separator inserted; splitting accepts '/' and '\'.
    void SetToJoinedPath(const char* folder, const char* name);
    void SetToJoinedPathWithSuffix(const char* folder, const char* name, const char* suffix);
    void SetToDashFolderFilePath(const char* root, const char* itemPath, const char* file, const char* suffix);
    void SetToDashPrefixedPath(const char* root, const char* itemPath, const char* suffix);
    void SplitPath(CSharedString* folder, CSharedString* name) const;
    static void SplitPathText(const char* text, CSharedString* folder, CSharedString* name);

    // Formatting (see foundation/FormatText.h for the conversions understood). The compiler
    // checks literal formats the C library's way; a format with 16-bit conversions ("%S") is
    // best passed through a variable.
    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* format, va_list args);
    bool SubstituteIntArg(int value, int zeroPad, int width);
    void SubstituteStringArg(const CSharedString& text);
    void SetToInteger(int value, int radix);
    void SetToHex(const void* bytes, int n);
    void FormatWithCommas(int value);
    void FormatMinutesSeconds(const char* format, float seconds);
    void FormatHoursMinutesSeconds(float seconds);

    // Reading and searching. Indices are in characters (8-bit or 16-bit by the width).
    const char* CStr() const { return Chars(m_buffer); }
    const char16_t* CWideStr() const { return WideChars(m_buffer); }
    int GetLength() const;
    int GetCapacity() const { return CapacityChars(m_buffer); }
    bool IsWide() const { return m_buffer->m_wide != 0; }
    bool IsEmpty() const { return !IsNotEmpty(); }
    bool IsNotEmpty() const { return IsWide() ? WideChars(m_buffer)[0] != 0 : Chars(m_buffer)[0] != 0; }
    unsigned char GetByteAt(int index) const { return static_cast<unsigned char>(Chars(m_buffer)[index]); }
    char16_t GetAt(int index) const;
    int GetCharAt(int index) const;
    // A character above 255 makes the string wide; -128..-1 are taken as 8-bit characters.
    void SetAt(int index, int c);
    int FindChar(int c, int start = 0) const;
    int Find(const CSharedString& pattern, int start = 0) const;
    CSharedString Mid(int start, int n) const;
    CSharedString MidToEnd(int start) const;

    // Changing in place.
    bool ReplaceFirst(const CSharedString& pattern, const CSharedString& replacement, int start = 0);
    bool ReplaceFirstText(const char* pattern, const CSharedString& replacement, int start = 0);
    void ReplaceRange(int index, int n, const CSharedString& replacement);
    int ReplaceAll(const CSharedString& pattern, const CSharedString& replacement, int start = 0);
    void TrimLeft();
    void TrimRight();
    void KeepOnlyChars(const char* set);
    void MakeUpper();

    // Three-way comparisons (-1, 0, 1); an empty string sorts first.
    int Compare(const CSharedString& other) const;
    int CompareCStr(const char* text) const;
    int CompareNoCase(const CSharedString& other) const;
    int CompareNoCaseCStr(const char* text) const;

    bool operator==(const CSharedString& other) const { return Compare(other) == 0; }
    bool operator==(const char* text) const { return CompareCStr(text) == 0; }

    // Internal layout, exposed for tests: the size of the block that holds a buffer of the given
    // capacity in bytes.
    static constexpr size_t kHeaderSize = 10;
    static constexpr size_t GetBlockSize(uint32_t capacityBytes) { return kHeaderSize + capacityBytes + 1; }
    // Reference count of this string's buffer.
    uint32_t GetReferenceCount() const { return m_buffer->m_count; }

private:
    // The header keeps the characters 2-aligned, so 16-bit text is read in place.
#pragma pack(push, 2)
    struct Buffer
    {
        uint32_t m_count;
        uint32_t m_capacity; // bytes of text room, terminator excluded; 2n + 1 for n wide units
        uint8_t m_wide;
        uint8_t m_reserved;
    };
#pragma pack(pop)
    static_assert(sizeof(Buffer) == kHeaderSize);

    // Keeps the current buffer alive while its own characters are the source of a change: a
    // text that points into the buffer must stay readable after the string has moved to a new
    // buffer. With the extra reference the buffer counts as shared, so it is never written.
    class Hold
    {
    public:
        Hold(const CSharedString& s, const void* p) : m_buffer(p && s.PointsIntoBuffer(p) ? s.m_buffer : nullptr)
        {
            if (m_buffer)
                ++m_buffer->m_count;
        }
        ~Hold()
        {
            if (m_buffer)
                DropReference(m_buffer);
        }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        Buffer* m_buffer;
    };

    static char* Chars(Buffer* b) { return reinterpret_cast<char*>(b) + kHeaderSize; }
    static char16_t* WideChars(Buffer* b) { return reinterpret_cast<char16_t*>(Chars(b)); }
    static int CapacityChars(const Buffer* b) { return static_cast<int>(b->m_wide ? b->m_capacity / 2 : b->m_capacity); }
    static size_t StrLen(const char* text);

    static Buffer* AllocateBuffer(int n, bool wide);
    static void InitBuffer(Buffer* b, uint32_t capacity, bool wide);
    static Buffer* GetSharedEmptyBuffer();
    static void DropReference(Buffer* b);
    void DropReference() { DropReference(m_buffer); }
    bool PointsIntoBuffer(const void* p) const;

    // Replaces n characters at index by the given 8-bit or 16-bit run, widening as needed.
    void Splice(int index, int removeCount, const void* insert, int insertLength, bool insertWide);
    void AssignNarrow(const char* chars, int n);
    void AssignFormatted(const char* text, int n, bool wide);
    void AppendCharsNoHold(const char* chars, int n);
    int FindText(const char* pattern, int start) const;

    Buffer* m_buffer;
};
