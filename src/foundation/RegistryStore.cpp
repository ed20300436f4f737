#include "foundation/RegistryStore.h"

#include "foundation/DiskAccess.h"
#include "foundation/IniFile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Value names become keys of the store file: they must survive as one trimmed key.
bool IsStorableName(const char* name)
{
    if (!name)
        return false;
    const size_t length = std::strlen(name);
    if (length && (name[0] == ' ' || name[0] == '\t' || name[length - 1] == ' ' || name[length - 1] == '\t'))
        return false;
    if (length && (name[0] == '[' || name[0] == ';' || name[0] == '#'))
        return false;
    return std::strpbrk(name, "=\r\n") == nullptr;
}

bool IsStorableKeyPath(const char* keyPath)
{
    return keyPath && keyPath[0] && std::strpbrk(keyPath, "]\r\n") == nullptr;
}

const char* StoredName(const char* valueName)
{
    return valueName[0] ? valueName : "@"; // the key's default value
}

std::string EscapeText(const char* text)
{
    std::string out = "sz:\"";
    for (const char* p = text; *p; ++p) {
        switch (*p) {
        case '\\': out += "\\\\"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        default: out += *p; break;
        }
    }
    out += '"';
    return out;
}

bool UnescapeText(const std::string& raw, std::string& out)
{
    if (raw.size() < 5 || raw.compare(0, 4, "sz:\"") != 0 || raw.back() != '"')
        return false;
    out.clear();
    for (size_t i = 4; i + 1 < raw.size(); ++i) {
        char c = raw[i];
        if (c == '\\' && i + 2 < raw.size()) {
            const char next = raw[++i];
            c = next == 'r' ? '\r' : next == 'n' ? '\n' : next;
        }
        out += c;
    }
    return true;
}

} // namespace

CRegistryStore& CRegistryStore::GetInstance()
{
    static CRegistryStore s_instance;
    return s_instance;
}

void CRegistryStore::SetFile(Hive hive, const std::string& path)
{
    m_files[hive] = path;
}

std::string CRegistryStore::GetFile(Hive hive) const
{
    if (!m_files[hive].empty())
        return m_files[hive];
    return diskaccess::UserConfigFolder() + (hive == UserHive ? "UserRegistry.ini" : "MachineRegistry.ini");
}

bool CRegistryStore::ReadRaw(Hive hive, const char* keyPath, const char* valueName, std::string& raw) const
{
    if (!IsStorableKeyPath(keyPath) || !IsStorableName(valueName))
        return false;
    CIniFile ini;
    return ini.Load(GetFile(hive)) && ini.Find(keyPath, StoredName(valueName), raw);
}

bool CRegistryStore::WriteRaw(Hive hive, const char* keyPath, const char* valueName, const std::string& raw)
{
    if (!IsStorableKeyPath(keyPath) || !IsStorableName(valueName))
        return false;
    return CIniFile::UpdateFile(GetFile(hive), true, keyPath, StoredName(valueName), raw.c_str());
}

bool CRegistryStore::ReadString(Hive hive, const char* keyPath, const char* valueName, std::string& out) const
{
    std::string raw;
    return ReadRaw(hive, keyPath, valueName, raw) && UnescapeText(raw, out);
}

bool CRegistryStore::ReadDword(Hive hive, const char* keyPath, const char* valueName, uint32_t& out) const
{
    std::string raw;
    if (!ReadRaw(hive, keyPath, valueName, raw) || raw.size() != 14 || raw.compare(0, 6, "dword:") != 0)
        return false;
    char* end = nullptr;
    const unsigned long value = std::strtoul(raw.c_str() + 6, &end, 16);
    if (!end || *end != '\0')
        return false;
    out = static_cast<uint32_t>(value);
    return true;
}

bool CRegistryStore::WriteString(Hive hive, const char* keyPath, const char* valueName, const char* text)
{
    return WriteRaw(hive, keyPath, valueName, EscapeText(text ? text : ""));
}

bool CRegistryStore::WriteDword(Hive hive, const char* keyPath, const char* valueName, uint32_t value)
{
    char raw[16];
    std::snprintf(raw, sizeof raw, "dword:%08X", value);
    return WriteRaw(hive, keyPath, valueName, raw);
}
