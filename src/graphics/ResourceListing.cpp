#include "graphics/ResourceListing.h"

#include "foundation/FileSearchSpec.h"
#include "foundation/FileSystem.h"
#include "foundation/FoundFileList.h"
#include "foundation/TextUtilities.h"
#include "graphics/Sequence.h"

#include <string>

namespace {

std::string WithSlash(const char* folder)
{
    std::string text = folder ? folder : "";
    if (!text.empty() && text.back() != '/' && text.back() != '\\')
        text += '/';
    return text;
}

CSharedString ItemName(const char* found, const std::string& prefix, bool dropExtension)
{
    std::string name = found;
    if (name.size() >= prefix.size() && CompareTextNoCaseN(name.c_str(), prefix.c_str(), prefix.size()) == 0)
        name.erase(0, prefix.size());
    const size_t slash = name.find_last_of("/\\");
    const size_t dot = name.find_last_of('.');
    if (dropExtension && dot != std::string::npos && (slash == std::string::npos || dot > slash))
        name.erase(dot);
    const size_t file = slash == std::string::npos ? 0 : slash + 1;
    if (file < name.size() && name[file] == '-')
        name.erase(file, 1);
    return CSharedString(name.c_str());
}

uint32_t Collect(const CFileSearchSpec& spec, const std::string& prefix, bool dropExtension,
                 std::vector<CSharedString>& names)
{
    CFoundFileList found;
    const uint32_t count = found.Find(spec);
    for (uint32_t i = 0; i < count; ++i)
        names.push_back(ItemName(found.GetName(i).CStr(), prefix, dropExtension));
    return count;
}

} // namespace

uint32_t ListResourceFiles(const char* folder, const char* extension, std::vector<CSharedString>& names)
{
    const std::string prefix = WithSlash(folder);
    CFileSearchSpec spec;
    spec.SetFolderAndExtension(prefix.c_str(), extension);
    spec.SetRecursionMode(CFileSearchSpec::RECURSE_SKIP_DASHED);
    return Collect(spec, prefix, true, names);
}

uint32_t ListResourceItemFolders(const char* folder, std::vector<CSharedString>& names)
{
    const std::string prefix = WithSlash(folder);
    CFileSearchSpec spec;
    spec.SetFolderForSubfolders(prefix.c_str(), true);
    spec.SetRecursionMode(CFileSearchSpec::RECURSE_SKIP_DASHED);
    return Collect(spec, prefix, false, names);
}

uint32_t ListSequenceItems(const char* folder, std::vector<CSharedString>& names)
{
    if (const uint32_t count = ListResourceItemFolders(folder, names))
        return count;
    const char* extension = CSequence::GetCacheExtension();
    if (!extension)
        return 0;
    const std::string cache = std::string(CFileSystem::GetCacheFolderName()) + "/" + (folder ? folder : "");
    return ListResourceFiles(cache.c_str(), extension, names);
}
