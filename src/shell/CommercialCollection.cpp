#include "shell/CommercialCollection.h"

#include "foundation/FileSearchSpec.h"
#include "graphics/RegisterResourceGroup.h"
#include "objects/FilePlayList.h"
#include "shell/Commercial.h"

namespace {

constexpr const char* kTypeName = "Commercial";
constexpr const char* kFolder = "Resources";
constexpr const char* kDemoExtension = "Demo";

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
    RegisterResourceGroup(*this, kTypeName, kFolder);
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
