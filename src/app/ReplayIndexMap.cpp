#include "app/ReplayIndexMap.h"

#include "objects/ItemList.h"

CReplayIndexMap::Table* CReplayIndexMap::Find(const CItemList* collection)
{
    for (Table& table : m_tables)
        if (table.m_collection == collection)
            return &table;
    return nullptr;
}

const CReplayIndexMap::Table* CReplayIndexMap::Find(const CItemList* collection) const
{
    return const_cast<CReplayIndexMap*>(this)->Find(collection);
}

bool CReplayIndexMap::HasTable(const CItemList* collection) const
{
    return Find(collection) != nullptr;
}

void CReplayIndexMap::CreateTable(const CItemList* collection, uint32_t size)
{
    if (Table* table = Find(collection)) {
        table->m_size = size;
        table->m_entries.clear();
        return;
    }
    m_tables.push_back(Table{collection, size, {}});
}

uint32_t CReplayIndexMap::GetTableSize(const CItemList* collection) const
{
    const Table* table = Find(collection);
    return table ? table->m_size : 0;
}

int32_t CReplayIndexMap::GetEntry(const CItemList* collection, uint32_t i) const
{
    const Table* table = Find(collection);
    if (!table || i >= table->m_size)
        return kUnannounced;
    auto found = table->m_entries.find(i);
    return found == table->m_entries.end() ? kUnannounced : found->second;
}

void CReplayIndexMap::SetEntry(const CItemList* collection, uint32_t i, int32_t value)
{
    Table* table = Find(collection);
    if (table && i < table->m_size)
        table->m_entries[i] = value;
}

bool CReplayIndexMap::IsResolved(const CItemList* collection, uint32_t i) const
{
    return GetEntry(collection, i) != kUnannounced;
}

void CReplayIndexMap::ResolveByName(const CItemList* collection, uint32_t i, const char* name)
{
    const int index = collection ? collection->FindIndexByName(name ? name : "", -1) : -1;
    SetEntry(collection, i, index >= 0 ? index : kMissing);
}

int32_t CReplayIndexMap::GetLocalIndex(const CItemList* collection, uint32_t i) const
{
    const int32_t entry = GetEntry(collection, i);
    return entry >= 0 ? entry : -1;
}

void CReplayIndexMap::ClearEntry(const CItemList* collection, uint32_t i)
{
    SetEntry(collection, i, 0);
}
