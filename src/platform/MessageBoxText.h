#pragma once
// The text of a system message box laid out in lines: some desktops' boxes never break a line
// themselves and grow as wide as the text, past the edge of a small screen.
#include <cstddef>
#include <string>

namespace platform {

// The UTF-8 text with every line longer than columns characters broken at the blanks before the
// limit (a word longer than a line stays whole on a line of its own). The blanks at a break go;
// the text's own line breaks and the blanks inside a line stay.
std::string WrapMessageText(const std::string& utf8, size_t columns);

} // namespace platform
