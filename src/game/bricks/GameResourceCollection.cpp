#include "game/bricks/GameResourceCollection.h"

#include "graphics/RegisterResourceGroup.h"

#include <cstring>

namespace {

constexpr const char* kFolder = "Resources";

} // namespace

CGameResourceCollection::CGameResourceCollection(const char* typeName, CClassRecord* itemClass,
                                                 const char* displayName)
    : CResourceCollection(typeName, itemClass), m_displayName(displayName)
{
}

CGameResourceCollection::~CGameResourceCollection() = default;

void CGameResourceCollection::SetUpAtStartUp()
{
    RegisterResourceGroup(*this, m_displayName, kFolder);
}

CObject* CGameResourceCollection::LoadItem(const char* folder, const char* fileName, CObject** out)
{
    // Play never writes into the data, where a loose file would shadow the archive's entry.
    return ReadItemOfItemClass(folder, fileName, out);
}

void CGameResourceCollection::GetItemFilePath(uint32_t i, CSharedString& path)
{
    const CResourceEntry* entry = GetEntry(i);
    path.SetToJoinedPath(GetFolder().CStr(), entry ? entry->GetName() : "");
    const char* typeName = GetTypeName().CStr();
    const char* dot = std::strrchr(typeName, '.');
    if (dot) {
        path.AppendText(dot);
    } else {
        path.AppendText(".");
        path.AppendText(typeName);
    }
}
