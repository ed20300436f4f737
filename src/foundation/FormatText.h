#pragma once
// printf-style formatting of 8-bit text.
//
// Beyond the C library's conversions, the program's format strings use the 16-bit text forms
// "%S", "%ls", "%ws" (char16_t text) and "%C", "%lc", "%wc" (one char16_t unit, passed as int),
// and the size prefixes "I64", "I32" and "I". These are handled here and never reach the C
// library, whose wide conversions expect a 4-byte wchar_t. A 16-bit unit above 255 comes out
// as '?'. "%n" consumes its pointer and writes nothing.
#include <cstdarg>
#include <cstddef>

// Formats into out (size bytes, always terminated when size > 0) and returns the length of the
// full output, like vsnprintf; -1 when the output cannot be produced (longer than INT_MAX).
int FormatTextV(char* out, size_t size, const char* format, va_list args);
int FormatText(char* out, size_t size, const char* format, ...);

// An upper bound of what FormatTextV writes for the format and its arguments, terminator
// excluded. Plain characters count 1, "%%" and characters 1, integers 32 (more when a precision
// asks for more digits), pointers 32, floating conversions 64 (or their exact length when
// longer), texts their length cut to the precision; '#' adds 2; a wider field counts its width.
// An empty format gives 0.
size_t EstimateFormatLengthV(const char* format, va_list args);
size_t EstimateFormatLength(const char* format, ...);
