#include "game/rounds/RoundSetCollection.h"

#include "game/rounds/CheckPointDefinition.h"
#include "game/rounds/RoundSet.h"
#include "graphics/ResourceListing.h"
#include "objects/FolderTree.h"

#include <vector>

namespace {

constexpr const char* kTypeName = "RoundSet";
constexpr const char* kFolder = "Resources";

} // namespace

CRoundSetCollection::CRoundSetCollection() : CResourceCollection(kTypeName, CRoundSet::GetStaticClassRecord())
{
    CCheckPointDefinition::GetStaticClassRecord();
}

CRoundSetCollection::~CRoundSetCollection() = default;

CRoundSetCollection& CRoundSetCollection::GetInstance()
{
    static CRoundSetCollection s_sets;
    return s_sets;
}

void CRoundSetCollection::SetUpAtStartUp()
{
    if (GetRegistryIndex() < 0)
        Register("Round Sets");
    FreeEntries();
    SetFolder(kFolder);
    std::vector<CSharedString> names;
    ListResourceFiles(kFolder, kTypeName, names);
    SetEntries(names);
    SetTree(new CFolderTree(this));
}

CRoundSet* CRoundSetCollection::GetSet(uint32_t i)
{
    return i < GetCount() ? dynamic_cast<CRoundSet*>(GetItem(i)) : nullptr;
}

uint32_t CRoundSetCollection::GetRoundCount(uint32_t i)
{
    const CRoundSet* set = GetSet(i);
    return set ? set->GetRoundCount() : 0;
}

CObject* CRoundSetCollection::LoadItem(const char* folder, const char* fileName, CObject** out)
{
    return ReadItemOfItemClass(folder, fileName, out);
}
