#include "graphics/SequenceCollection.h"

#include "graphics/FrameLoadStage.h"
#include "graphics/RegisterResourceGroup.h"
#include "graphics/Sequence.h"

CSequenceCollection::CSequenceCollection(CClassRecord* itemClass)
    : CResourceCollection(nullptr, itemClass ? itemClass : CSequence::GetStaticClassRecord())
{
}

CSequenceCollection::~CSequenceCollection() = default;

CSequenceCollection& CSequenceCollection::GetInstance()
{
    static CSequenceCollection s_sequences;
    return s_sequences;
}

void CSequenceCollection::SetUpAtStartUp()
{
    SetUp("Sequences", "Resources");
}

void CSequenceCollection::SetUp(const char* displayName, const char* folder)
{
    RegisterResourceGroup(*this, displayName, folder);
}

CObject* CSequenceCollection::LoadItem(const char* folder, const char* fileName, CObject** out)
{
    auto* sequence = new CSequence;
    if (out)
        *out = sequence;
    CFrameLoadStage stages;
    sequence->GetLoadStages(stages, nullptr);
    sequence->Load(folder, fileName, &stages);
    return sequence;
}

void CSequenceCollection::GetItemFilePath(uint32_t i, CSharedString& path)
{
    const CResourceEntry* entry = GetEntry(i);
    CSequence::GetPropertiesFileName(path, GetFolder().CStr(), entry ? entry->GetName() : "");
}

CSequence* CSequenceCollection::FindSequence(const char* name)
{
    const int index = FindIndexByName(name, -1);
    return index < 0 ? nullptr : dynamic_cast<CSequence*>(GetItem(static_cast<uint32_t>(index)));
}

bool CSequenceCollection::UnloadSequence(const CSequence* sequence)
{
    const int index = FindLoadedObjectIndex(sequence);
    if (index < 0)
        return false;
    UnloadItem(static_cast<uint32_t>(index));
    return true;
}

void CSequenceCollection::LoadAll()
{
    for (uint32_t i = 0; i < GetCount(); ++i)
        GetItem(i);
}
