#include "shell/StartUpSettings.h"

#include "foundation/ConfigFile.h"
#include "platform/Files.h"

bool WriteInstallPath()
{
    std::string folder = platform::GetExecutablePath();
    const size_t slash = folder.find_last_of("/\\");
    folder = slash == std::string::npos ? std::string(".") : folder.substr(0, slash ? slash : 1);
    return WriteRegistryString(kProductRegistryKey, "InstallPath", folder.c_str());
}

bool ReadConfigBool(const char* key, bool defaultValue)
{
    return ReadConfigInt(g_configFile.GetPath(), g_configFile.GetSection(), key, defaultValue ? 1 : 0) != 0;
}
