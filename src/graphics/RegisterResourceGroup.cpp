#include "graphics/RegisterResourceGroup.h"

#include "foundation/FileSystem.h"
#include "graphics/ResourceListing.h"
#include "objects/FolderTree.h"
#include "objects/ResourceCollection.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr const char* kCachedDescriptionExtension = "property";

// The items below the folder, or when it has none, the cached descriptions below "Cache/<folder>".
void ListItems(const CResourceCollection& collection, const char* folder, std::vector<CSharedString>& names)
{
    const char* extension = collection.GetTypeName().CStr();
    if (!extension || !*extension) {
        ListSequenceItems(folder, names);
        return;
    }
    if (ListResourceFiles(folder, extension, names) != 0)
        return;
    const std::string cache = std::string(CFileSystem::GetCacheFolderName()) + "/" + folder;
    ListResourceFiles(cache.c_str(), kCachedDescriptionExtension, names);
}

} // namespace

void RegisterResourceGroup(CResourceCollection& collection, const char* displayName, const char* rootFolder,
                           uint32_t /*reserved*/)
{
    if (collection.GetRegistryIndex() < 0)
        collection.Register(displayName);
    const char* folder = rootFolder ? rootFolder : "";
    collection.FreeEntries();
    collection.SetFolder(folder);

    std::vector<CSharedString> listed;
    ListItems(collection, folder, listed);
    std::vector<CSharedString> names;
    names.reserve(listed.size());
    for (const CSharedString& name : listed) {
        if (static_cast<uint32_t>(name.GetLength()) > kLongestResourceItemName) {
            std::fprintf(stderr, "%s: skipped \"%s\", whose name is too long\n", displayName ? displayName : "",
                         name.CStr());
            continue;
        }
        names.push_back(name);
    }
    collection.SetEntries(names);
    collection.SetTree(new CFolderTree(&collection));
}
