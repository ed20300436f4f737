#include "foundation/TextUtilities.h"

#include <algorithm>

#include <cstdlib>
#include <cstring>
#include <vector>

int CompareTextNoCase(const char* a, const char* b)
{
    const unsigned char* x = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* y = reinterpret_cast<const unsigned char*>(b);
    for (;; ++x, ++y) {
        const int cx = AsciiToLower(*x);
        const int cy = AsciiToLower(*y);
        if (cx != cy || cx == 0)
            return cx - cy;
    }
}

int CompareTextNoCaseN(const char* a, const char* b, size_t n)
{
    const unsigned char* x = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* y = reinterpret_cast<const unsigned char*>(b);
    for (; n > 0; --n, ++x, ++y) {
        const int cx = AsciiToLower(*x);
        const int cy = AsciiToLower(*y);
        if (cx != cy || cx == 0)
            return cx - cy;
    }
    return 0;
}

bool IsBlankText(const char* text)
{
    return !text || *SkipWhitespace(text) == 0;
}

const char* SkipWhitespace(const char* text)
{
    while (IsWhitespaceChar(static_cast<unsigned char>(*text)))
        ++text;
    return text;
}

char* SkipWhitespace(char* text)
{
    return const_cast<char*>(SkipWhitespace(static_cast<const char*>(text)));
}

const char* SkipLeadingWhitespace(const char* text)
{
    return SkipWhitespace(text);
}

char* SkipLeadingWhitespace(char* text)
{
    return SkipWhitespace(text);
}

const char* SkipToWhitespace(const char* text)
{
    while (*text && !IsWhitespaceChar(static_cast<unsigned char>(*text)))
        ++text;
    return text;
}

char* SkipToWhitespace(char* text)
{
    return const_cast<char*>(SkipToWhitespace(static_cast<const char*>(text)));
}

void KeepOnlyCharsInText(char* text, const char* set)
{
    char* out = text;
    for (const char* in = text; *in; ++in)
        if (std::strchr(set, *in))
            *out++ = *in;
    *out = 0;
}

void MakeUpperAscii(char* text)
{
    for (; *text; ++text)
        *text = static_cast<char>(AsciiToUpper(static_cast<unsigned char>(*text)));
}

bool RemovePrefixNoCase(char* text, const char* prefix)
{
    const size_t n = std::strlen(prefix);
    if (CompareTextNoCaseN(text, prefix, n) != 0)
        return false;
    std::memmove(text, text + n, std::strlen(text + n) + 1);
    return true;
}

char* DuplicateText(const char* text)
{
    if (!text)
        return nullptr;
    const size_t n = std::strlen(text) + 1;
    char* copy = static_cast<char*>(std::malloc(n));
    if (copy)
        std::memcpy(copy, text, n);
    return copy;
}

const char* FindTextNoCase(const char* text, const char* pattern)
{
    if (!*text)
        return nullptr;
    const size_t n = std::strlen(pattern);
    for (; *text; ++text)
        if (CompareTextNoCaseN(text, pattern, n) == 0)
            return text;
    return nullptr;
}

char* FindTextNoCase(char* text, const char* pattern)
{
    return const_cast<char*>(FindTextNoCase(static_cast<const char*>(text), pattern));
}

int CompareTextLooselyN(const char* a, const char* b, size_t lengthA, size_t lengthB)
{
    const unsigned char* x = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* y = reinterpret_cast<const unsigned char*>(b);
    const unsigned char* endX = x + strnlen(a, lengthA);
    const unsigned char* endY = y + strnlen(b, lengthB);
    auto skip = [](const unsigned char*& p, const unsigned char* end) {
        while (p < end && IsWhitespaceChar(*p))
            ++p;
    };
    skip(x, endX);
    skip(y, endY);
    while (x < endX && y < endY) {
        const bool spaceX = IsWhitespaceChar(*x);
        const bool spaceY = IsWhitespaceChar(*y);
        const int cx = spaceX ? ' ' : AsciiToLower(*x);
        const int cy = spaceY ? ' ' : AsciiToLower(*y);
        if (cx != cy)
            return cx - cy;
        if (spaceX)
            skip(x, endX);
        else
            ++x;
        if (spaceY)
            skip(y, endY);
        else
            ++y;
    }
    skip(x, endX);
    skip(y, endY);
    if (x < endX)
        return -1;
    if (y < endY)
        return 1;
    return 0;
}

int CompareTextLoosely(const char* a, const char* b)
{
    return CompareTextLooselyN(a, b, std::strlen(a), std::strlen(b));
}

void BytesToHex(char* out, const void* bytes, size_t n)
{
    static const char kDigits[] = "0123456789ABCDEF";
    const unsigned char* in = static_cast<const unsigned char*>(bytes);
    for (size_t i = 0; i < n; ++i) {
        *out++ = kDigits[in[i] >> 4];
        *out++ = kDigits[in[i] & 15];
    }
    *out = 0;
}

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

size_t HexToBytes(void* out, const char* hex, size_t n)
{
    const size_t pairs = std::strlen(hex) / 2;
    if (n > pairs)
        n = pairs;
    unsigned char* bytes = static_cast<unsigned char*>(out);
    for (size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<unsigned char>(std::max(HexDigitValue(hex[2 * i]), 0) << 4 | std::max(HexDigitValue(hex[2 * i + 1]), 0));
    return n;
}

void MoveStridedArrayElement(void* base, size_t stride, int to, int from)
{
    if (to == from || stride == 0)
        return;
    // The whole record travels, whatever its size.
    unsigned char* records = static_cast<unsigned char*>(base);
    std::vector<unsigned char> moved(records + size_t(from) * stride, records + size_t(from + 1) * stride);
    if (from < to)
        std::memmove(records + size_t(from) * stride, records + size_t(from + 1) * stride, size_t(to - from) * stride);
    else
        std::memmove(records + size_t(to + 1) * stride, records + size_t(to) * stride, size_t(from - to) * stride);
    std::memcpy(records + size_t(to) * stride, moved.data(), stride);
}
