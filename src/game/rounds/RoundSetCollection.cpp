#include "game/rounds/RoundSetCollection.h"

#include "game/rounds/CheckPointDefinition.h"
#include "game/rounds/RoundSet.h"
#include "graphics/RegisterResourceGroup.h"

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
    RegisterResourceGroup(*this, "Round Sets", kFolder);
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
