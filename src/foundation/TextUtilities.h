#pragma once
// Free functions on zero-terminated 8-bit texts. Whitespace throughout the program is tab, space,
// CR and LF. Case folding is that of the C locale (ASCII letters only), whatever locale is set.
#include <cstddef>

inline bool IsWhitespaceChar(int c)
{
    return c == '\t' || c == ' ' || c == '\r' || c == '\n';
}

inline int AsciiToLower(int c)
{
    return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
}

inline int AsciiToUpper(int c)
{
    return (c >= 'a' && c <= 'z') ? c - ('a' - 'A') : c;
}

// Case-insensitive comparisons of bytes as unsigned values after folding to lower case
// (strcasecmp and strncasecmp in the C locale).
int CompareTextNoCase(const char* a, const char* b);
int CompareTextNoCaseN(const char* a, const char* b, size_t n);

// True when the text is empty (or null) or holds only whitespace.
bool IsBlankText(const char* text);
// The first character that is not whitespace (the terminator for a blank text).
const char* SkipWhitespace(const char* text);
char* SkipWhitespace(char* text);
const char* SkipLeadingWhitespace(const char* text);
char* SkipLeadingWhitespace(char* text);
// The first whitespace character, or the terminator.
const char* SkipToWhitespace(const char* text);
char* SkipToWhitespace(char* text);

// Removes in place every character that is not in the set.
void KeepOnlyCharsInText(char* text, const char* set);
// a-z to A-Z in place; other bytes unchanged.
void MakeUpperAscii(char* text);
// When the text begins with the prefix (ignoring case), removes it in place; says whether it did.
bool RemovePrefixNoCase(char* text, const char* prefix);
// A heap copy to be released with std::free; null for null.
char* DuplicateText(const char* text);
// The first position where the pattern matches ignoring case, or null; an empty text gives null.
const char* FindTextNoCase(const char* text, const char* pattern);
char* FindTextNoCase(char* text, const char* pattern);

// Comparison that ignores case, leading and trailing whitespace, and treats every run of
// whitespace as one space. Returns the difference of the first differing characters, or -1/1
// when one text has characters left over, 0 when equal.
int CompareTextLoosely(const char* a, const char* b);
int CompareTextLooselyN(const char* a, const char* b, size_t lengthA, size_t lengthB);

// Two upper-case digits per byte, then a terminator (out holds 2n + 1 characters).
void BytesToHex(char* out, const void* bytes, size_t n);
// Decodes min(n, length / 2) digit pairs (0-9, A-F, a-f); returns the number of bytes written.
size_t HexToBytes(void* out, const char* hex, size_t n);
// The value of one hexadecimal digit, or -1 for any other character.
int HexDigitValue(char c);

// Moves the record at index from to index to in an array of fixed-size records, shifting the
// records between by one place.
void MoveStridedArrayElement(void* base, size_t stride, int to, int from);
