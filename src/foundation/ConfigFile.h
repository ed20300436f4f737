#pragma once
// The configuration file (INI) and the registry values. Settings are read by file, section and
// key with a default; the section's leading blanks are skipped.
#include "foundation/SharedString.h"

#include <cstdint>

class CConfigFile
{
public:
    void SetPath(const char* fileName);
    const char* GetPath() const { return m_path; }
    const char* GetSection() const { return m_section; }
    // Reads at most 255 characters; the string's current text is the default.
    void ReadString(const char* section, const char* key, CSharedString& text) const;

private:
    char m_path[256] = ".\\Config.INI";
    char m_section[16] = "Options";
};

// The one configuration file, ".\Config.INI" until the per-installation name is chosen.
extern constinit CConfigFile g_configFile;

CSharedString GetDefaultConfigFileName();
// ".\\<product>.CFG" (two backslashes) when the program's folder is writable, else "<product>CD.INI".
CSharedString MakeConfigFileName(const char* productName, bool writable);
// Probes whether the current folder is writable by creating and deleting "TestSave.dat".
bool IsCurrentFolderWritable();
// Gives the global configuration file its per-installation name (probe, then MakeConfigFileName).
void ChooseConfigFile(const char* productName);

int ReadConfigInt(const char* file, const char* section, const char* key, int defaultValue);
// Each writer first makes a read-only file writable; the result says whether the value was stored.
bool WriteConfigInt(const char* file, const char* section, const char* key, int value);
// Reads at most 19 characters and converts them with atof; the default when the key is missing.
float ReadConfigFloat(const char* file, const char* section, const char* key, float defaultValue);
bool WriteConfigFloat(const char* file, const char* section, const char* key, float value);
// The buffer's current contents are the default; returns the number of characters copied.
uint32_t ReadConfigString(const char* file, const char* section, const char* key, char* buffer, uint32_t size);
bool WriteConfigString(const char* file, const char* section, const char* key, const char* text);

// Strings: the user's store first, then the machine's. Empty when neither has it.
CSharedString ReadRegistryString(const char* keyPath, const char* valueName, bool* found = nullptr);
// The machine's store first, the user's when that fails; true when one of them took it.
bool WriteRegistryString(const char* keyPath, const char* valueName, const char* text);
// Both stores are read and the machine's value wins; 0 when neither has it.
uint32_t ReadRegistryDword(const char* keyPath, const char* valueName, bool* found = nullptr);
bool WriteRegistryDword(const char* keyPath, const char* valueName, uint32_t value);
