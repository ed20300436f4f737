#pragma once
// The process-wide list of resource collections in order of registration. The registration index
// numbers a collection for the replay stream; through the registry the application clears usage
// marks, finds the file of any loaded object and unloads everything at shut-down.
#include "objects/ItemList.h"

#include <vector>

class CResourceCollection;

class CResourceRegistry : public CItemList
{
public:
    // Created on first use; lives until the process ends.
    static CResourceRegistry* GetInstance();

    // Item name = the type name the collection was registered under.
    const char* GetItemName(uint32_t i) const override;
    uint32_t GetCount() const override;

    // Appends the collection and returns its index (the collection keeps it, SetRegistryIndex).
    // value and flag are kept for the caller.
    int AddCollection(const char* typeName, CResourceCollection* collection, uint32_t value, uint8_t flag);
    // The collection at index; null past the end or once it was destroyed.
    CResourceCollection* GetCollection(uint32_t i) const;
    uint32_t GetValue(uint32_t i) const { return i < m_entries.size() ? m_entries[i].m_value : 0; }
    uint8_t GetFlag(uint32_t i) const { return i < m_entries.size() ? m_entries[i].m_flag : 0; }

    // Every collection clears its usage marks, in registration order.
    void ClearAllUsageMarks();
    // The file of a loaded object: the first collection that holds it answers.
    bool FindObjectFilePath(const CObject* object, CSharedString& path);
    // Every collection unloads its items, the last registered first.
    void UnloadAll();

    // A collection that goes away leaves its slot empty, so that later indices stay as they are.
    void ForgetCollection(CResourceCollection* collection);

private:
    CResourceRegistry() = default;

    struct Entry
    {
        CSharedString m_typeName;
        CResourceCollection* m_collection;
        uint32_t m_value;
        uint8_t m_flag;
    };

    std::vector<Entry> m_entries;
};
