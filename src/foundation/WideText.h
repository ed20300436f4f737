#pragma once
// Zero-terminated 16-bit texts (UTF-16 code units), the storage of wide shared strings.
#include <cstddef>

// Copies up to and including the terminator.
char16_t* WideTextCopy(char16_t* destination, const char16_t* source);
// Copies at most n units; when the source ends earlier, the rest of the n units is zero-filled.
char16_t* WideTextCopyN(char16_t* destination, const char16_t* source, size_t n);
size_t WideTextLength(const char16_t* text);

// Three-way comparisons, unit by unit as unsigned values (8-bit characters as unsigned bytes).
int WideTextCompare(const char16_t* a, const char16_t* b);
int WideTextCompareNarrow(const char16_t* a, const char* b);
// The same after mapping a-z to A-Z on both sides; no other letters are folded.
int WideTextCompareNoCase(const char16_t* a, const char16_t* b);
int WideTextCompareNarrowNoCase(const char16_t* a, const char* b);

// First occurrence of the pattern, or null; an empty pattern gives the start of the text.
const char16_t* WideTextFind(const char16_t* text, const char16_t* pattern);
const char16_t* WideTextFindNarrow(const char16_t* text, const char* pattern);

// Writes the low bytes of the first min(n, length) units; no terminator is added.
void WideTextNarrow(char* destination, const char16_t* source, size_t n);
