#include "sound/SoundFolder.h"

#include "foundation/FileSearchSpec.h"
#include "foundation/FoundFileList.h"
#include "objects/ItemList.h"

#include <algorithm>
#include <cstring>

std::vector<std::string> ListSoundFiles(const char* folder, const char* extension1, const char* extension2)
{
    std::string prefix = folder ? folder : "";
    if (!prefix.empty() && prefix.back() != '/' && prefix.back() != '\\')
        prefix += '/';
    CFileSearchSpec spec;
    spec.SetFolder(prefix.c_str());
    spec.SetRecursionMode(CFileSearchSpec::RECURSE_NONE);
    spec.SetNamesWithoutFolders(true);
    for (const char* extension : {extension1, extension2})
        if (extension && *extension && std::strcmp(extension, ".") != 0)
            spec.AddExtension(extension);
    std::vector<std::string> names;
    if (spec.GetExtensionCount() == 0)
        return names;
    CFoundFileList found;
    found.Find(spec);
    for (uint32_t i = 0; i < found.GetCount(); ++i)
        names.emplace_back(found.GetName(i).CStr());
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return CItemList::CompareNames(a.c_str(), b.c_str()) < 0;
    });
    return names;
}
