#pragma once
// A growable array of replay-function pointers (not owned), in small-block memory. The global one
// is the registry of every replay function; each replay stream keeps its own, in index order.
#include <cstdint>

class CReplayFunction;

class CReplayFunctionTable
{
public:
    CReplayFunctionTable() = default;
    ~CReplayFunctionTable();
    CReplayFunctionTable(const CReplayFunctionTable&) = delete;
    CReplayFunctionTable& operator=(const CReplayFunctionTable&) = delete;

    void Add(CReplayFunction* function);
    // Removes the first occurrence; nothing when absent.
    void Remove(const CReplayFunction* function);
    // Count 0; the storage stays.
    void Clear() { m_count = 0; }
    // The position of the function, or -1.
    int IndexOf(const CReplayFunction* function) const;
    // Sorts by name, byte-wise as unsigned characters, keeping equal names in their order.
    void SortByName();

    uint32_t GetCount() const { return m_count; }
    CReplayFunction* operator[](uint32_t i) const { return m_items[i]; }

private:
    CReplayFunction** m_items = nullptr;
    uint32_t m_count = 0;
    uint32_t m_capacity = 0;
};
