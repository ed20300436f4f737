#include "sound/SoundFolder.h"

#include "foundation/OpenFlags.h"
#include "platform/Files.h"

#include <strings.h>

namespace {

bool HasExtension(const std::string& name, const char* extension)
{
    if (!extension || !*extension)
        return false;
    if (*extension == '.')
        ++extension;
    const size_t dot = name.rfind('.');
    return dot != std::string::npos && strcasecmp(name.c_str() + dot + 1, extension) == 0;
}

} // namespace

std::vector<std::string> ListSoundFiles(const char* folder, const char* extension1, const char* extension2)
{
    std::vector<std::string> names;
    std::string path = GetBaseFolder();
    if (!path.empty() && path.back() != '/' && path.back() != '\\')
        path += '/';
    path += folder ? folder : "";
    std::vector<platform::DirectoryEntry> entries;
    if (!platform::ListDirectory(path.c_str(), entries))
        return names;
    for (const platform::DirectoryEntry& entry : entries) {
        if (entry.info.isDirectory)
            continue;
        if (HasExtension(entry.name, extension1) || HasExtension(entry.name, extension2))
            names.push_back(entry.name);
    }
    return names;
}
