#pragma once
// Text inside the program is 8-bit Windows-1252; UTF-8 is used at the edges (SDL, the desktop
// clipboard, the terminal). These convert between the two.
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// The Unicode code point of a Windows-1252 byte. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control code points of the same value, as Windows does.
char32_t Cp1252ToCodePoint(unsigned char byte);

// The Windows-1252 byte of a code point, or -1 when the code page has none.
int CodePointToCp1252(char32_t codePoint);

std::string Cp1252ToUtf8(std::string_view text);

// Converts UTF-8 to Windows-1252. A code point the code page lacks, and every malformed sequence,
// becomes the replacement byte; with replacement 0 it is dropped instead.
std::string Utf8ToCp1252(std::string_view text, char replacement = '?');

} // namespace platform
