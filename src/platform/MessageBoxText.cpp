#include "platform/MessageBoxText.h"

namespace platform {

namespace {

// UTF-8 continuation bytes do not start a character.
bool StartsCharacter(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
}

void WrapLine(const std::string& line, size_t columns, std::string& out)
{
    size_t start = 0;   // first byte of the line being built
    while (start < line.size()) {
        // Find where the next `columns` characters end, remembering the last blank on the way.
        size_t end = start, count = 0, lastBlank = std::string::npos;
        while (end < line.size() && (count < columns || !StartsCharacter(line[end]))) {
            if (line[end] == ' ')
                lastBlank = end;
            count += StartsCharacter(line[end]);
            ++end;
        }
        if (end >= line.size()) {
            out.append(line, start, std::string::npos);
            return;
        }
        // A break at the blank after the last full word, or after an over-long word.
        size_t cut = line[end] == ' ' ? end : lastBlank;
        if (cut == std::string::npos || cut <= start) {
            cut = line.find(' ', end);
            if (cut == std::string::npos) {
                out.append(line, start, std::string::npos);
                return;
            }
        }
        size_t keep = cut;
        while (keep > start && line[keep - 1] == ' ')
            --keep;
        out.append(line, start, keep - start);
        out += '\n';
        start = cut;
        while (start < line.size() && line[start] == ' ')
            ++start;
    }
}

} // namespace

std::string WrapMessageText(const std::string& utf8, size_t columns)
{
    if (columns == 0)
        return utf8;
    std::string out;
    size_t start = 0;
    for (;;) {
        const size_t newline = utf8.find('\n', start);
        WrapLine(utf8.substr(start, newline == std::string::npos ? std::string::npos : newline - start), columns, out);
        if (newline == std::string::npos)
            return out;
        out += '\n';
        start = newline + 1;
    }
}

} // namespace platform
