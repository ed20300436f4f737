#include "objects/ResourceRegistry.h"

#include "objects/ResourceCollection.h"

CResourceRegistry* CResourceRegistry::GetInstance()
{
    // Never destroyed: static collections leave it from their destructors at exit.
    static CResourceRegistry* s_instance = new CResourceRegistry;
    return s_instance;
}

const char* CResourceRegistry::GetItemName(uint32_t i) const
{
    return i < m_entries.size() ? m_entries[i].m_typeName.CStr() : nullptr;
}

uint32_t CResourceRegistry::GetCount() const
{
    return static_cast<uint32_t>(m_entries.size());
}

int CResourceRegistry::AddCollection(const char* typeName, CResourceCollection* collection, uint32_t value,
                                     uint8_t flag)
{
    m_entries.push_back({CSharedString(typeName), collection, value, flag});
    return static_cast<int>(m_entries.size() - 1);
}

CResourceCollection* CResourceRegistry::GetCollection(uint32_t i) const
{
    return i < m_entries.size() ? m_entries[i].m_collection : nullptr;
}

void CResourceRegistry::ClearAllUsageMarks()
{
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (CResourceCollection* collection = m_entries[i].m_collection)
            collection->ClearUsageMarks();
}

bool CResourceRegistry::FindObjectFilePath(const CObject* object, CSharedString& path)
{
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (CResourceCollection* collection = m_entries[i].m_collection)
            if (collection->GetObjectFilePath(object, path))
                return true;
    return false;
}

void CResourceRegistry::UnloadAll()
{
    for (size_t i = m_entries.size(); i-- > 0;)
        if (CResourceCollection* collection = m_entries[i].m_collection)
            collection->UnloadAllLoaded();
}

void CResourceRegistry::ForgetCollection(CResourceCollection* collection)
{
    for (Entry& entry : m_entries)
        if (entry.m_collection == collection)
            entry.m_collection = nullptr;
}
