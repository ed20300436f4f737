// CSharedString: substitution, numbers, paths, searching, editing and comparison.
#include "foundation/SharedString.h"

#include "foundation/LocalizedString.h"
#include "foundation/TextUtilities.h"
#include "foundation/WideText.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

CLocalizedString g_hoursMinutesSeparator(":", "Hours:Minutes separator");
CLocalizedString g_minutesSecondsSeparator(":", "Minutes:Seconds separator");
CLocalizedString g_daysSuffix("d", "\"d\" is short for the days");
CLocalizedString g_minutesSuffix("m", "suffix indicating minutes");
CLocalizedString g_secondsSuffix("s", "suffix indicating seconds");

namespace {

inline int Sign(int d)
{
    return (d > 0) - (d < 0);
}

// A three-way comparison of two strings of any widths: 8-bit pairs by the narrow comparison,
// 16-bit pairs by the wide one, mixed pairs by the mixed one with the 8-bit side widened.
int CompareWidths(const CSharedString& a, const CSharedString& b, int (*narrow)(const char*, const char*),
                  int (*wide)(const char16_t*, const char16_t*), int (*mixed)(const char16_t*, const char*))
{
    if (!a.IsWide() && !b.IsWide())
        return Sign(narrow(a.CStr(), b.CStr()));
    if (a.IsWide() && b.IsWide())
        return wide(a.CWideStr(), b.CWideStr());
    if (a.IsWide())
        return mixed(a.CWideStr(), b.CStr());
    return -mixed(b.CWideStr(), a.CStr());
}

int FindLastSeparator(const CSharedString& s)
{
    for (int i = s.GetLength(); i-- > 0;) {
        const char16_t c = s.GetAt(i);
        if (c == '/' || c == '\\')
            return i;
    }
    return -1;
}

// Appends a path component: '/' first unless the text is empty or already ends in '/'.
void JoinComponent(CSharedString& path, const char* component, int n)
{
    const int length = path.GetLength();
    if (length > 0 && path.GetAt(length - 1) != '/')
        path.AppendChars("/", 1);
    path.AppendChars(component, n);
}

// "%d", or "%0<width>d" / "%<width>d" when padding or a width is asked for.
int FormatPaddedInteger(char (&out)[48], int value, int zeroPad, int width)
{
    char pattern[24] = "%";
    size_t at = 1;
    if (zeroPad || width) {
        if (zeroPad == 1)
            pattern[at++] = '0';
        if (width)
            at += static_cast<size_t>(std::snprintf(pattern + at, sizeof pattern - at, "%d", width));
    }
    pattern[at++] = 'd';
    pattern[at] = 0;
    int n = std::snprintf(out, sizeof out, pattern, value);
    if (n < 0)
        n = 0;
    if (n >= static_cast<int>(sizeof out))
        n = static_cast<int>(sizeof out) - 1;
    return n;
}

} // namespace

// ---- substitution -----------------------------------------------------------------------------

bool CSharedString::SubstituteIntArg(int value, int zeroPad, int width)
{
    if (const int percent = FindText("%%", 0); percent >= 0)
        Splice(percent, 2, "%", 1, false);
    char number[48];
    const int n = FormatPaddedInteger(number, value, zeroPad, width);
    for (const char* placeholder : {"%d", "%u", "%i"}) {
        const int index = FindText(placeholder, 0);
        if (index >= 0) {
            Splice(index, 2, number, n, false);
            return true;
        }
    }
    return false;
}

void CSharedString::SubstituteStringArg(const CSharedString& text)
{
    const CSharedString source(text);
    if (const int percent = FindText("%%", 0); percent >= 0)
        Splice(percent, 2, "%", 1, false);
    if (const int index = FindText("%s", 0); index >= 0)
        Splice(index, 2, source.CStr(), source.GetLength(), source.IsWide());
}

// ---- numbers ----------------------------------------------------------------------------------

void CSharedString::AppendInteger(int value, int zeroPad, int width)
{
    // The number is formatted on its own: filling a "%d" appended to the text would also act on
    // a "%%" or "%d" that the text already holds.
    char number[48];
    const int n = FormatPaddedInteger(number, value, zeroPad, width);
    AppendChars(number, n);
}

void CSharedString::SetToInteger(int value, int radix)
{
    // Room for 32 binary digits and a sign.
    constexpr int kRoom = 34;
    if (IsWide()) {
        Buffer* fresh = AllocateBuffer(kRoom, false);
        DropReference(m_buffer);
        m_buffer = fresh;
    } else {
        EnsureUniqueCapacity(CapacityChars(m_buffer) < kRoom ? kRoom : CapacityChars(m_buffer));
    }
    char* out = Chars(m_buffer);
    if (radix < 2 || radix > 36) {
        out[0] = 0;
        return;
    }
    // Decimal numbers carry a sign; other radices show the 32-bit pattern unsigned.
    const bool negative = radix == 10 && value < 0;
    uint32_t magnitude = negative ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    char digits[33];
    int count = 0;
    do {
        digits[count++] = "0123456789abcdefghijklmnopqrstuvwxyz"[magnitude % static_cast<uint32_t>(radix)];
        magnitude /= static_cast<uint32_t>(radix);
    } while (magnitude);
    int at = 0;
    if (negative)
        out[at++] = '-';
    while (count)
        out[at++] = digits[--count];
    out[at] = 0;
}

void CSharedString::SetToHex(const void* bytes, int n)
{
    if (!bytes || n <= 0) {
        ResetToEmpty();
        return;
    }
    Hold hold(*this, bytes);
    if (IsWide()) {
        Buffer* fresh = AllocateBuffer(2 * n, false);
        DropReference(m_buffer);
        m_buffer = fresh;
    }
    char* out = GetBufferNoCopy(2 * n);
    BytesToHex(out, bytes, static_cast<size_t>(n));
}

void CSharedString::FormatWithCommas(int value)
{
    Format("%d", value);
    // A leading minus sign is not a digit: "-123" must not become "-,123".
    const int firstDigit = value < 0 ? 1 : 0;
    for (int p = GetLength() - 3; p > firstDigit; p -= 3)
        Splice(p, 0, ",", 1, false);
}

void CSharedString::FormatMinutesSeconds(const char* format, float seconds)
{
    const int minutes = static_cast<int>(seconds * 0.016666668f);
    const float remainder = seconds - 60.0f * static_cast<float>(minutes);
    const int wholeSeconds = static_cast<int>(remainder);
    const int hundredths = static_cast<int>((remainder - static_cast<float>(wholeSeconds)) * 100.0f);
    Format(format, minutes, wholeSeconds, hundredths);
}

void CSharedString::FormatHoursMinutesSeconds(float seconds)
{
    const int hours = static_cast<int>(seconds * 0.00027777778f);
    const float remainder = seconds - 3600.0f * static_cast<float>(hours);
    const int minutes = static_cast<int>(remainder * 0.016666668f);
    const int wholeSeconds = static_cast<int>(remainder - 60.0f * static_cast<float>(minutes));
    SetText("%d%s%d%s%d");
    SubstituteIntArg(hours, 1, 2);
    SubstituteStringArg(g_hoursMinutesSeparator);
    SubstituteIntArg(minutes, 1, 2);
    SubstituteStringArg(g_minutesSecondsSeparator);
    SubstituteIntArg(wholeSeconds, 1, 2);
}

// ---- paths ------------------------------------------------------------------------------------

void CSharedString::SetToJoinedPath(const char* folder, const char* name)
{
    SetToJoinedPathWithSuffix(folder, name, nullptr);
}

void CSharedString::SetToJoinedPathWithSuffix(const char* folder, const char* name, const char* suffix)
{
    // Built aside: the arguments may point into this string.
    CSharedString path(folder ? folder : "");
    JoinComponent(path, name, static_cast<int>(StrLen(name)));
    path.AppendText(suffix);
    *this = std::move(path);
}

void CSharedString::SetToDashPrefixedPath(const char* root, const char* itemPath, const char* suffix)
{
    CSharedString folder, base;
    SplitPathText(itemPath, &folder, &base);
    CSharedString path(root ? root : "");
    if (folder.IsNotEmpty())
        JoinComponent(path, folder.CStr(), folder.GetLength());
    CSharedString dashed("-");
    dashed.Append(base);
    JoinComponent(path, dashed.CStr(), dashed.GetLength());
    path.AppendText(suffix);
    *this = std::move(path);
}

void CSharedString::SetToDashFolderFilePath(const char* root, const char* itemPath, const char* file, const char* suffix)
{
    CSharedString path;
    path.SetToDashPrefixedPath(root, itemPath, nullptr);
    JoinComponent(path, file, static_cast<int>(StrLen(file)));
    path.AppendText(suffix);
    *this = std::move(path);
}

void CSharedString::SplitPath(CSharedString* folder, CSharedString* name) const
{
    const int separator = FindLastSeparator(*this);
    CSharedString folderPart = separator < 0 ? CSharedString() : Mid(0, separator);
    CSharedString namePart = separator < 0 ? *this : MidToEnd(separator + 1);
    if (folder)
        *folder = std::move(folderPart);
    if (name)
        *name = std::move(namePart);
}

void CSharedString::SplitPathText(const char* text, CSharedString* folder, CSharedString* name)
{
    const CSharedString whole(text);
    whole.SplitPath(folder, name);
}

// ---- reading and searching --------------------------------------------------------------------

char16_t CSharedString::GetAt(int index) const
{
    if (IsEmpty())
        return 0;
    return IsWide() ? WideChars(m_buffer)[index] : static_cast<unsigned char>(Chars(m_buffer)[index]);
}

int CSharedString::GetCharAt(int index) const
{
    return IsWide() ? WideChars(m_buffer)[index] : static_cast<signed char>(Chars(m_buffer)[index]);
}

void CSharedString::SetAt(int index, int c)
{
    const int length = GetLength();
    // Writing past the text would overwrite its terminator.
    if (index < 0 || index >= length)
        return;
    if (c >= -128 && c < 0)
        c &= 0xFF;
    if (c > 0xFF && !IsWide())
        MakeWide();
    EnsureUniqueCapacity(length);
    if (IsWide())
        WideChars(m_buffer)[index] = static_cast<char16_t>(c & 0xFFFF);
    else
        Chars(m_buffer)[index] = static_cast<char>(c);
}

int CSharedString::FindChar(int c, int start) const
{
    const int length = GetLength();
    if (start < 0)
        start = 0;
    if (c >= -128 && c < 0)
        c &= 0xFF;
    for (int i = start; i < length; ++i)
        if (GetAt(i) == c)
            return i;
    return -1;
}

int CSharedString::FindText(const char* pattern, int start) const
{
    const int length = GetLength();
    if (start < 0)
        start = 0;
    if (start >= length)
        return -1;
    if (IsWide()) {
        const char16_t* text = CWideStr();
        const char16_t* found = WideTextFindNarrow(text + start, pattern);
        return found ? static_cast<int>(found - text) : -1;
    }
    const char* text = CStr();
    const char* found = std::strstr(text + start, pattern);
    return found ? static_cast<int>(found - text) : -1;
}

int CSharedString::Find(const CSharedString& pattern, int start) const
{
    if (!pattern.IsWide())
        return FindText(pattern.CStr(), start);
    const int length = GetLength();
    if (start < 0)
        start = 0;
    if (start >= length)
        return -1;
    if (IsWide()) {
        const char16_t* text = CWideStr();
        const char16_t* found = WideTextFind(text + start, pattern.CWideStr());
        return found ? static_cast<int>(found - text) : -1;
    }
    // A narrow text can only hold a wide pattern whose units all fit in a byte.
    std::string narrow;
    for (const char16_t* p = pattern.CWideStr(); *p; ++p) {
        if (*p > 0xFF)
            return -1;
        narrow += static_cast<char>(*p);
    }
    const char* text = CStr();
    const char* found = std::strstr(text + start, narrow.c_str());
    return found ? static_cast<int>(found - text) : -1;
}

CSharedString CSharedString::Mid(int start, int n) const
{
    const int length = GetLength();
    if (start < 0)
        start = 0;
    if (start >= length || n <= 0)
        return CSharedString();
    if (n > length - start)
        n = length - start;
    if (!IsWide())
        return CSharedString(CStr() + start, n);
    CSharedString part;
    part.DropReference();
    part.m_buffer = AllocateBuffer(n, true);
    std::memcpy(WideChars(part.m_buffer), CWideStr() + start, static_cast<size_t>(n) * sizeof(char16_t));
    WideChars(part.m_buffer)[n] = 0;
    return part;
}

CSharedString CSharedString::MidToEnd(int start) const
{
    return Mid(start, GetLength() - (start < 0 ? 0 : start));
}

// ---- changing in place ------------------------------------------------------------------------

bool CSharedString::ReplaceFirst(const CSharedString& pattern, const CSharedString& replacement, int start)
{
    const CSharedString find(pattern);
    const int index = Find(find, start);
    if (index < 0)
        return false;
    ReplaceRange(index, find.GetLength(), replacement);
    return true;
}

bool CSharedString::ReplaceFirstText(const char* pattern, const CSharedString& replacement, int start)
{
    return ReplaceFirst(CSharedString(pattern), replacement, start);
}

void CSharedString::ReplaceRange(int index, int n, const CSharedString& replacement)
{
    const CSharedString insert(replacement);
    Splice(index, n, insert.CStr(), insert.GetLength(), insert.IsWide());
}

int CSharedString::ReplaceAll(const CSharedString& pattern, const CSharedString& replacement, int start)
{
    const CSharedString find(pattern);
    const CSharedString insert(replacement);
    const int patternLength = find.GetLength();
    // An empty pattern would match at every position without end.
    if (patternLength == 0)
        return 0;
    const int insertLength = insert.GetLength();
    int count = 0;
    for (int index = Find(find, start); index >= 0; index = Find(find, index + insertLength)) {
        Splice(index, patternLength, insert.CStr(), insertLength, insert.IsWide());
        ++count;
    }
    return count;
}

void CSharedString::TrimLeft()
{
    const int length = GetLength();
    int count = 0;
    while (count < length && IsWhitespaceChar(GetAt(count)))
        ++count;
    if (count > 0)
        Splice(0, count, nullptr, 0, false);
}

void CSharedString::TrimRight()
{
    const int length = GetLength();
    int keep = length;
    while (keep > 0 && IsWhitespaceChar(GetAt(keep - 1)))
        --keep;
    if (keep < length)
        Splice(keep, length - keep, nullptr, 0, false);
}

void CSharedString::KeepOnlyChars(const char* set)
{
    Hold hold(*this, set);
    const int length = GetLength();
    if (length == 0)
        return;
    EnsureUniqueCapacity(length);
    const unsigned char* keep = reinterpret_cast<const unsigned char*>(set ? set : "");
    auto inSet = [keep](unsigned c) {
        for (const unsigned char* k = keep; *k; ++k)
            if (*k == c)
                return true;
        return false;
    };
    int out = 0;
    if (IsWide()) {
        char16_t* chars = WideChars(m_buffer);
        for (int i = 0; i < length; ++i)
            if (inSet(chars[i]))
                chars[out++] = chars[i];
        chars[out] = 0;
    } else {
        char* chars = Chars(m_buffer);
        for (int i = 0; i < length; ++i)
            if (inSet(static_cast<unsigned char>(chars[i])))
                chars[out++] = chars[i];
        chars[out] = 0;
    }
}

void CSharedString::MakeUpper()
{
    const int length = GetLength();
    if (length == 0)
        return;
    EnsureUniqueCapacity(length);
    if (IsWide()) {
        char16_t* chars = WideChars(m_buffer);
        for (int i = 0; i < length; ++i)
            chars[i] = static_cast<char16_t>(AsciiToUpper(chars[i]));
    } else {
        MakeUpperAscii(Chars(m_buffer));
    }
}

// ---- comparison -------------------------------------------------------------------------------

int CSharedString::Compare(const CSharedString& other) const
{
    return CompareWidths(*this, other, [](const char* a, const char* b) { return std::strcmp(a, b); }, WideTextCompare,
                         WideTextCompareNarrow);
}

int CSharedString::CompareCStr(const char* text) const
{
    if (!text)
        text = "";
    if (IsWide())
        return WideTextCompareNarrow(CWideStr(), text);
    return Sign(std::strcmp(CStr(), text));
}

int CSharedString::CompareNoCase(const CSharedString& other) const
{
    return CompareWidths(*this, other, CompareTextNoCase, WideTextCompareNoCase, WideTextCompareNarrowNoCase);
}

int CSharedString::CompareNoCaseCStr(const char* text) const
{
    if (!text)
        text = "";
    if (IsWide())
        return WideTextCompareNarrowNoCase(CWideStr(), text);
    return Sign(CompareTextNoCase(CStr(), text));
}
