#include "foundation/WideText.h"

#include <type_traits>

namespace {

inline unsigned FoldUpper(unsigned c)
{
    return (c >= 'a' && c <= 'z') ? c - ('a' - 'A') : c;
}

template <typename B, bool kFold>
int CompareUnits(const char16_t* a, const B* b)
{
    for (;; ++a, ++b) {
        unsigned ca = *a;
        unsigned cb = static_cast<std::make_unsigned_t<B>>(*b);
        if (kFold) {
            ca = FoldUpper(ca);
            cb = FoldUpper(cb);
        }
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
}

template <typename P>
const char16_t* FindUnits(const char16_t* text, const P* pattern)
{
    if (!*pattern)
        return text;
    for (; *text; ++text) {
        const char16_t* t = text;
        const P* p = pattern;
        while (*p && *t == static_cast<char16_t>(static_cast<std::make_unsigned_t<P>>(*p))) {
            ++t;
            ++p;
        }
        if (!*p)
            return text;
    }
    return nullptr;
}

} // namespace

char16_t* WideTextCopy(char16_t* destination, const char16_t* source)
{
    char16_t* out = destination;
    while ((*out++ = *source++) != 0) {
    }
    return destination;
}

char16_t* WideTextCopyN(char16_t* destination, const char16_t* source, size_t n)
{
    size_t i = 0;
    for (; i < n && source[i]; ++i)
        destination[i] = source[i];
    for (; i < n; ++i)
        destination[i] = 0;
    return destination;
}

size_t WideTextLength(const char16_t* text)
{
    const char16_t* end = text;
    while (*end)
        ++end;
    return static_cast<size_t>(end - text);
}

int WideTextCompare(const char16_t* a, const char16_t* b)
{
    return CompareUnits<char16_t, false>(a, b);
}

int WideTextCompareNarrow(const char16_t* a, const char* b)
{
    return CompareUnits<char, false>(a, b);
}

int WideTextCompareNoCase(const char16_t* a, const char16_t* b)
{
    return CompareUnits<char16_t, true>(a, b);
}

int WideTextCompareNarrowNoCase(const char16_t* a, const char* b)
{
    return CompareUnits<char, true>(a, b);
}

const char16_t* WideTextFind(const char16_t* text, const char16_t* pattern)
{
    return FindUnits(text, pattern);
}

const char16_t* WideTextFindNarrow(const char16_t* text, const char* pattern)
{
    return FindUnits(text, pattern);
}

void WideTextNarrow(char* destination, const char16_t* source, size_t n)
{
    for (size_t i = 0; i < n && source[i]; ++i)
        destination[i] = static_cast<char>(source[i] & 0xFF);
}
