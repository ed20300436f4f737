#include "online/ModuleInfoCollection.h"

#include "foundation/VersionText.h"
#include "graphics/RegisterResourceGroup.h"
#include "online/ModuleInfo.h"

namespace {

constexpr const char* kTypeName = "modinfo";
constexpr const char* kFolder = "Resources";

} // namespace

CModuleInfoCollection::CModuleInfoCollection() : CResourceCollection(kTypeName, CModuleInfo::GetStaticClassRecord())
{
}

CModuleInfoCollection::~CModuleInfoCollection() = default;

CModuleInfoCollection& CModuleInfoCollection::GetInstance()
{
    static CModuleInfoCollection s_modules;
    return s_modules;
}

void CModuleInfoCollection::SetUpAtStartUp()
{
    RegisterResourceGroup(*this, "Module Info", kFolder);
}

bool CModuleInfoCollection::StoreProgramVersion()
{
    CModuleInfo* game = FindModule(kGameModuleName);
    if (!game)
        return false;
    game->SetBuildNumber(static_cast<uint32_t>(GetBuildNumber()));
    game->SetDisplayVersion(FormatVersionAndBuild().CStr());
    return true;
}

CModuleInfo* CModuleInfoCollection::FindModule(const char* moduleName)
{
    int index = moduleName ? FindIndexByName(moduleName, -1) : -1;
    return index < 0 ? nullptr : GetModule(static_cast<uint32_t>(index));
}

CModuleInfo* CModuleInfoCollection::GetModule(uint32_t i)
{
    if (i >= GetCount())
        return nullptr;
    return static_cast<CModuleInfo*>(GetItem(i));
}

CObject* CModuleInfoCollection::LoadItem(const char* folder, const char* fileName, CObject** out)
{
    return ReadItemOfItemClass(folder, fileName, out);
}
