#include "shell/CommercialCollection.h"

#include "foundation/FileSearchSpec.h"
#include "foundation/FileSystem.h"
#include "graphics/ResourceListing.h"
#include "objects/FilePlayList.h"
#include "objects/FolderTree.h"
#include "shell/Commercial.h"

#include <string>
#include <vector>

namespace {

constexpr const char* kTypeName = "Commercial";
constexpr const char* kFolder = "Resources";
constexpr const char* kDemoExtension = "Demo";
// What the data's cache holds for each object file when the files themselves are left out.
constexpr const char* kCachedExtension = "property";

} // namespace

CCommercialCollection& CCommercialCollection::GetInstance()
{
    static CCommercialCollection s_commercials;
    return s_commercials;
}

CCommercialCollection::CCommercialCollection() : CResourceCollection(kTypeName, CCommercial::GetStaticClassRecord())
{
}

CCommercialCollection::~CCommercialCollection() = default;

void CCommercialCollection::Load()
{
    CFileSearchSpec demos;
    demos.SetFolderAndExtension("Resources/", kDemoExtension);
    demos.SetRecursionMode(CFileSearchSpec::RECURSE_SKIP_DASHED);
    GetDemoFileList().Load(demos, CFilePlayList::ORDER_AS_FOUND, nullptr, 0);

    SetTypeName(kTypeName);
    if (GetRegistryIndex() < 0)
        Register(kTypeName);
    FreeEntries();
    SetFolder(kFolder);
    std::vector<CSharedString> names;
    if (ListResourceFiles(kFolder, kTypeName, names) == 0) {
        const std::string cache = std::string(CFileSystem::GetCacheFolderName()) + "/" + kFolder;
        ListResourceFiles(cache.c_str(), kCachedExtension, names);
    }
    SetEntries(names);
    SetTree(new CFolderTree(this));
}

CCommercial* CCommercialCollection::GetCommercial(uint32_t i)
{
    return dynamic_cast<CCommercial*>(GetItem(i));
}

CObject* CCommercialCollection::LoadItem(const char* folder, const char* fileName, CObject** out)
{
    // Play never writes into the data, where a loose file would shadow the archive's entry.
    return ReadItemOfItemClass(folder, fileName, out);
}
