#pragma once
// Two persistent stores of named values in place of the registry, one for the user and one for
// the machine, each a small settings file: a section per key path, a line per value, holding
// either sz:"text" or dword:XXXXXXXX.
#include <cstdint>
#include <string>

class CRegistryStore
{
public:
    enum Hive
    {
        UserHive,
        MachineHive,
    };

    static CRegistryStore& GetInstance();

    // The file behind a store; by default "UserRegistry.ini" and "MachineRegistry.ini" in the
    // per-user configuration folder.
    void SetFile(Hive hive, const std::string& path);
    std::string GetFile(Hive hive) const;

    // A string value; false when absent or of another type.
    bool ReadString(Hive hive, const char* keyPath, const char* valueName, std::string& out) const;
    // A 32-bit value; false when absent or of another type.
    bool ReadDword(Hive hive, const char* keyPath, const char* valueName, uint32_t& out) const;
    // False when the value cannot be stored (a read-only store file, a name it cannot hold).
    bool WriteString(Hive hive, const char* keyPath, const char* valueName, const char* text);
    bool WriteDword(Hive hive, const char* keyPath, const char* valueName, uint32_t value);

private:
    CRegistryStore() = default;
    bool ReadRaw(Hive hive, const char* keyPath, const char* valueName, std::string& raw) const;
    bool WriteRaw(Hive hive, const char* keyPath, const char* valueName, const std::string& raw);

    std::string m_files[2];
};
