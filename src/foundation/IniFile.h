#pragma once
// Settings files by section and key, with private-profile behaviour: names ignore case and
// surrounding blanks, a missing key gives the default, a write creates the file and the section
// when needed and changes the key in place, keeping every other line (comments included), and
// the file is written whole with CR LF line ends.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CIniFile
{
public:
    // A settings file larger than this is not read: it is unreadable, like a FIFO or a device
    // under the name, so reads give their defaults and writes leave it alone.
    static constexpr uint64_t kMaxFileBytes = 4u << 20;

    // Splits INI text into lines (CR LF, LF or CR end a line).
    void Parse(const char* bytes, size_t n);
    // The lines joined with CR LF, each line ended.
    std::string Serialize() const;

    // The value of the first such key in the first such section: blanks around it removed, then
    // one pair of surrounding quotes. False when there is none.
    bool Find(const char* section, const char* key, std::string& value) const;
    // Sets a key (its line changes in place, or a new line follows the section's last line; a
    // new section goes to the end). A null value removes the key; a null key the section.
    void Set(const char* section, const char* key, const char* value);

    size_t GetLineCount() const { return m_lines.size(); }

    // Reads and parses a settings file; false (and no lines) when it cannot be read, is no
    // regular file or is larger than kMaxFileBytes.
    bool Load(const std::string& path);
    // Sets a key in a settings file on disk (see Set), creating the file when it is missing,
    // and its folder too when makeFolder. False when the file could not be written; it is then
    // left as it was. A read-only file is refused.
    static bool UpdateFile(const std::string& path, bool makeFolder, const char* section, const char* key,
                           const char* value);

    // The disk file for a settings file name: a name with a folder ("./x", ".\x", "a/b") is
    // found from the current folder; a bare name lies in the per-user configuration folder.
    static std::string ResolveFileName(const char* fileName);

    // Copies the value (or the default) into the buffer, cut at size - 1 characters; returns
    // the number of characters copied. The default may point into the buffer.
    static uint32_t ReadString(const char* fileName, const char* section, const char* key, const char* defaultText,
                               char* buffer, uint32_t size);
    // The value read like atoi (signed), or the default when the key is missing.
    static int ReadInt(const char* fileName, const char* section, const char* key, int defaultValue);
    // Writes a key (null value removes it); false when the file could not be written, and then
    // the file is left as it was. A read-only file is refused.
    static bool WriteString(const char* fileName, const char* section, const char* key, const char* value);

private:
    // The index of the section's header line, or -1.
    long FindSection(const char* section) const;
    // The index just past the section's last line (the next header or the end).
    size_t SectionEnd(size_t header) const;

    std::vector<std::string> m_lines;
};
