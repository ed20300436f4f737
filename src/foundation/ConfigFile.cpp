#include "foundation/ConfigFile.h"

#include "foundation/FilePaths.h"
#include "foundation/IniFile.h"
#include "foundation/RegistryStore.h"
#include "foundation/TextUtilities.h"
#include "platform/DiskFiles.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

constinit CConfigFile g_configFile;

namespace {

// Before every write: a read-only settings file is made writable (nothing when it is missing;
// the write then creates it).
void ClearReadOnly(const char* file)
{
    const std::string path = CIniFile::ResolveFileName(file);
    if (!path.empty() && IsFileReadOnly(path.c_str()))
        SetFileReadOnly(path.c_str(), false);
}

const char* SkipSectionBlanks(const char* section)
{
    return section ? SkipLeadingWhitespace(section) : section;
}

} // namespace

void CConfigFile::SetPath(const char* fileName)
{
    std::strncpy(m_path, fileName ? fileName : "", sizeof m_path - 1);
    m_path[sizeof m_path - 1] = '\0';
}

void CConfigFile::ReadString(const char* section, const char* key, CSharedString& text) const
{
    char buffer[256];
    std::strncpy(buffer, text.CStr(), sizeof buffer - 1);
    buffer[sizeof buffer - 1] = '\0';
    ReadConfigString(m_path, section, key, buffer, sizeof buffer);
    text.AssignText(buffer);
}

CSharedString GetDefaultConfigFileName()
{
    CSharedString name;
    name.AssignText(".\\Config.INI");
    return name;
}

CSharedString MakeConfigFileName(const char* productName, bool writable)
{
    CSharedString name;
    if (writable)
        name.Format(".\\\\%s.CFG", productName);
    else
        name.Format("%sCD.INI", productName);
    return name;
}

bool IsCurrentFolderWritable()
{
    // Only a regular file made or emptied here answers yes (never blocking on a FIFO under the
    // probe's name); anything else that has the name is left as it is.
    if (!platform::CreateEmptyFile("TestSave.dat"))
        return false;
    std::remove("TestSave.dat");
    return true;
}

void ChooseConfigFile(const char* productName)
{
    g_configFile.SetPath(MakeConfigFileName(productName, IsCurrentFolderWritable()).CStr());
}

int ReadConfigInt(const char* file, const char* section, const char* key, int defaultValue)
{
    return CIniFile::ReadInt(file, SkipSectionBlanks(section), key, defaultValue);
}

bool WriteConfigInt(const char* file, const char* section, const char* key, int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    ClearReadOnly(file);
    return CIniFile::WriteString(file, SkipSectionBlanks(section), key, text);
}

float ReadConfigFloat(const char* file, const char* section, const char* key, float defaultValue)
{
    char text[20];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(defaultValue));
    CIniFile::ReadString(file, SkipSectionBlanks(section), key, text, text, sizeof text);
    return static_cast<float>(std::atof(text));
}

bool WriteConfigFloat(const char* file, const char* section, const char* key, float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    ClearReadOnly(file);
    return CIniFile::WriteString(file, SkipSectionBlanks(section), key, text);
}

uint32_t ReadConfigString(const char* file, const char* section, const char* key, char* buffer, uint32_t size)
{
    return CIniFile::ReadString(file, SkipSectionBlanks(section), key, buffer, buffer, size);
}

bool WriteConfigString(const char* file, const char* section, const char* key, const char* text)
{
    ClearReadOnly(file);
    return CIniFile::WriteString(file, SkipSectionBlanks(section), key, text);
}

CSharedString ReadRegistryString(const char* keyPath, const char* valueName, bool* found)
{
    CRegistryStore& store = CRegistryStore::GetInstance();
    if (found)
        *found = false;
    std::string value;
    const bool have = store.ReadString(CRegistryStore::UserHive, keyPath, valueName, value) ||
                      store.ReadString(CRegistryStore::MachineHive, keyPath, valueName, value);
    if (found && have)
        *found = true;
    CSharedString result;
    if (have)
        result.AssignText(value.c_str());
    return result;
}

bool WriteRegistryString(const char* keyPath, const char* valueName, const char* text)
{
    CRegistryStore& store = CRegistryStore::GetInstance();
    return store.WriteString(CRegistryStore::MachineHive, keyPath, valueName, text) ||
           store.WriteString(CRegistryStore::UserHive, keyPath, valueName, text);
}

uint32_t ReadRegistryDword(const char* keyPath, const char* valueName, bool* found)
{
    CRegistryStore& store = CRegistryStore::GetInstance();
    uint32_t result = 0;
    uint32_t value = 0;
    if (found)
        *found = false;
    if (store.ReadDword(CRegistryStore::UserHive, keyPath, valueName, value)) {
        result = value;
        if (found)
            *found = true;
    }
    if (store.ReadDword(CRegistryStore::MachineHive, keyPath, valueName, value)) {
        result = value;
        if (found)
            *found = true;
    }
    return result;
}

bool WriteRegistryDword(const char* keyPath, const char* valueName, uint32_t value)
{
    CRegistryStore& store = CRegistryStore::GetInstance();
    return store.WriteDword(CRegistryStore::MachineHive, keyPath, valueName, value) ||
           store.WriteDword(CRegistryStore::UserHive, keyPath, valueName, value);
}
