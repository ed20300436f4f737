#pragma once
// The item numbers of a replay stream, per collection. A stream refers to an item of a collection
// by a number of its own and names the item once, on first use; the reading map translates each
// number into the item of that name in the running program (whose order may differ), and the
// writing map remembers which numbers were named already.
//
// Each collection has a table of the size the stream announced for it. An entry is unannounced
// (-1), announced without a local item (kMissing), or the local item number. Entries are kept
// only for numbers in use, so an announced size costs nothing until its numbers appear.
#include <cstdint>
#include <unordered_map>
#include <vector>

class CItemList;

class CReplayIndexMap
{
public:
    static constexpr int32_t kUnannounced = -1;
    static constexpr int32_t kMissing = -2;

    bool HasTable(const CItemList* collection) const;
    // A table of size entries, all unannounced (an existing one is replaced).
    void CreateTable(const CItemList* collection, uint32_t size);
    // 0 without a table.
    uint32_t GetTableSize(const CItemList* collection) const;
    // Whether entry i is announced. False without a table or past its size.
    bool IsResolved(const CItemList* collection, uint32_t i) const;
    // Entry i becomes the number of the collection's item of that name, or kMissing when the
    // collection has none. Nothing without a table or past its size.
    void ResolveByName(const CItemList* collection, uint32_t i, const char* name);
    // The local item number of entry i; -1 when it has none (unannounced, missing, past the size,
    // no table).
    int32_t GetLocalIndex(const CItemList* collection, uint32_t i) const;
    // Marks entry i announced (0): the writer's record that its name has been written.
    void ClearEntry(const CItemList* collection, uint32_t i);

private:
    struct Table
    {
        const CItemList* m_collection;
        uint32_t m_size;
        std::unordered_map<uint32_t, int32_t> m_entries;
    };

    Table* Find(const CItemList* collection);
    const Table* Find(const CItemList* collection) const;
    int32_t GetEntry(const CItemList* collection, uint32_t i) const;
    void SetEntry(const CItemList* collection, uint32_t i, int32_t value);

    std::vector<Table> m_tables;
};
