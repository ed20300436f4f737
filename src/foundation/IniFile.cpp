#include "foundation/IniFile.h"

#include "foundation/DiskAccess.h"
#include "foundation/TextUtilities.h"
#include "platform/Files.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string Trim(const char* begin, const char* end)
{
    while (begin < end && IsBlank(*begin))
        ++begin;
    while (end > begin && IsBlank(end[-1]))
        --end;
    return std::string(begin, end);
}

std::string Trim(const std::string& text)
{
    return Trim(text.data(), text.data() + text.size());
}

bool EqualNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && CompareTextNoCaseN(a.data(), b.data(), a.size()) == 0;
}

enum class LineKind { Other, Section, Key };

// What a line is; for a section header its name, for a key line its key and raw value.
LineKind Classify(const std::string& line, std::string* name, std::string* value)
{
    size_t start = 0;
    while (start < line.size() && IsBlank(line[start]))
        ++start;
    if (start == line.size())
        return LineKind::Other;
    const char first = line[start];
    if (first == '[') {
        size_t close = line.find(']', start + 1);
        if (close == std::string::npos)
            close = line.size();
        if (name)
            *name = Trim(line.data() + start + 1, line.data() + close);
        return LineKind::Section;
    }
    if (first == ';' || first == '#')
        return LineKind::Other;
    const size_t equals = line.find('=', start);
    if (equals == std::string::npos)
        return LineKind::Other;
    if (name)
        *name = Trim(line.data() + start, line.data() + equals);
    if (value)
        *value = line.substr(equals + 1);
    return LineKind::Key;
}

// A settings file named without a folder, which lives in the per-user folder.
bool IsBareName(const char* fileName)
{
    return !std::strchr(fileName, '/') && !std::strchr(fileName, '\\');
}

bool IsBlankLine(const std::string& line)
{
    for (char c : line)
        if (!IsBlank(c))
            return false;
    return true;
}

} // namespace

void CIniFile::Parse(const char* bytes, size_t n)
{
    m_lines.clear();
    size_t start = 0;
    size_t i = 0;
    while (i < n) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            m_lines.emplace_back(bytes + start, bytes + i);
            if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
        ++i;
    }
    if (start < n)
        m_lines.emplace_back(bytes + start, bytes + n);
}

std::string CIniFile::Serialize() const
{
    std::string text;
    for (const std::string& line : m_lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

long CIniFile::FindSection(const char* section) const
{
    if (!section)
        return -1;
    const std::string wanted = Trim(section, section + std::strlen(section));
    std::string name;
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (Classify(m_lines[i], &name, nullptr) == LineKind::Section && EqualNoCase(name, wanted))
            return static_cast<long>(i);
    return -1;
}

size_t CIniFile::SectionEnd(size_t header) const
{
    size_t i = header + 1;
    while (i < m_lines.size() && Classify(m_lines[i], nullptr, nullptr) != LineKind::Section)
        ++i;
    return i;
}

bool CIniFile::Find(const char* section, const char* key, std::string& value) const
{
    const long header = FindSection(section);
    if (header < 0 || !key)
        return false;
    const std::string wanted = Trim(key, key + std::strlen(key));
    const size_t end = SectionEnd(static_cast<size_t>(header));
    std::string name;
    std::string raw;
    for (size_t i = static_cast<size_t>(header) + 1; i < end; ++i) {
        if (Classify(m_lines[i], &name, &raw) == LineKind::Key && EqualNoCase(name, wanted)) {
            value = Trim(raw);
            if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
                value = value.substr(1, value.size() - 2);
            return true;
        }
    }
    return false;
}

void CIniFile::Set(const char* section, const char* key, const char* value)
{
    if (!section)
        return;
    const std::string sectionName = Trim(section, section + std::strlen(section));
    const long found = FindSection(section);
    if (found < 0) {
        if (!key || !value)
            return;
        if (!m_lines.empty() && !IsBlankLine(m_lines.back()))
            m_lines.emplace_back();
        m_lines.push_back("[" + sectionName + "]");
        m_lines.push_back(Trim(key, key + std::strlen(key)) + "=" + value);
        return;
    }
    const size_t header = static_cast<size_t>(found);
    const size_t end = SectionEnd(header);
    if (!key) {
        m_lines.erase(m_lines.begin() + static_cast<long>(header), m_lines.begin() + static_cast<long>(end));
        return;
    }
    const std::string wanted = Trim(key, key + std::strlen(key));
    std::string name;
    for (size_t i = header + 1; i < end; ++i) {
        if (Classify(m_lines[i], &name, nullptr) == LineKind::Key && EqualNoCase(name, wanted)) {
            if (value)
                m_lines[i] = name + "=" + value;
            else
                m_lines.erase(m_lines.begin() + static_cast<long>(i));
            return;
        }
    }
    if (!value)
        return;
    size_t last = end;
    while (last > header + 1 && IsBlankLine(m_lines[last - 1]))
        --last;
    m_lines.insert(m_lines.begin() + static_cast<long>(last), wanted + "=" + value);
}

bool CIniFile::Load(const std::string& path)
{
    std::string bytes;
    if (path.empty() || !diskaccess::ReadWholeFile(path, bytes, kMaxFileBytes)) {
        m_lines.clear();
        return false;
    }
    Parse(bytes.data(), bytes.size());
    return true;
}

bool CIniFile::UpdateFile(const std::string& path, bool makeFolder, const char* section, const char* key,
                          const char* value)
{
    if (path.empty() || !section)
        return false;
    CIniFile ini;
    if (platform::FileExists(path.c_str())) {
        if (!ini.Load(path))
            return false;
    } else if (makeFolder && !platform::MakeDirectories(diskaccess::FolderOf(path).c_str())) {
        return false;
    }
    ini.Set(section, key, value);
    return diskaccess::WriteWholeFile(path, ini.Serialize());
}

std::string CIniFile::ResolveFileName(const char* fileName)
{
    if (!fileName || !fileName[0])
        return std::string();
    if (IsBareName(fileName))
        return diskaccess::UserConfigFolder() + fileName;
    return platform::ResolvePath(fileName);
}

uint32_t CIniFile::ReadString(const char* fileName, const char* section, const char* key, const char* defaultText,
                              char* buffer, uint32_t size)
{
    std::string result = defaultText ? defaultText : "";
    CIniFile ini;
    std::string value;
    if (ini.Load(ResolveFileName(fileName)) && ini.Find(section, key, value))
        result = value;
    if (!buffer || size == 0)
        return 0;
    const size_t count = result.size() < size - 1 ? result.size() : size - 1;
    std::memcpy(buffer, result.data(), count);
    buffer[count] = '\0';
    return static_cast<uint32_t>(count);
}

int CIniFile::ReadInt(const char* fileName, const char* section, const char* key, int defaultValue)
{
    CIniFile ini;
    std::string value;
    if (!ini.Load(ResolveFileName(fileName)) || !ini.Find(section, key, value))
        return defaultValue;
    long long number = std::strtoll(value.c_str(), nullptr, 10);
    if (number > INT_MAX)
        number = INT_MAX;
    if (number < INT_MIN)
        number = INT_MIN;
    return static_cast<int>(number);
}

bool CIniFile::WriteString(const char* fileName, const char* section, const char* key, const char* value)
{
    // The per-user folder of bare names is made on the first write to it.
    return UpdateFile(ResolveFileName(fileName), fileName && IsBareName(fileName), section, key, value);
}
