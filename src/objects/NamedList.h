#pragma once
// An item list over a caller's table of fixed-stride records whose first field is the item's
// NUL-terminated name. The table may end with a record whose name is empty; every search is
// bounded by the count as well, so tables without that record are read safely.
#include "objects/ItemList.h"

class CNamedList : public CItemList
{
public:
    CNamedList();
    CNamedList(bool sorted, uint32_t stride, uint32_t count, const void* items, const void* alternateNames);

    // Re-points the list at another table without touching anything else. (Note the order: count
    // before stride, unlike the constructor.)
    void SetItemTable(bool sorted, uint32_t count, uint32_t stride, const void* items, const void* alternateNames);

    const char* GetItemName(uint32_t i) const override;
    uint32_t GetCount() const override;
    uintptr_t GetUserValue() const override;
    void SetUserValue(uintptr_t value) override;

    using CItemList::FindIndexByName;
    int FindIndexByName(const char* name, int hint) const override;

    bool IsSorted() const { return m_sorted; }
    uint32_t GetStride() const { return m_stride; }
    const void* GetItems() const { return m_items; }
    const void* GetAlternateNames() const { return m_alternateNames; }

protected:
    // The record at index i (no bounds check).
    const char* RecordAt(uint32_t i) const { return static_cast<const char*>(m_items) + static_cast<size_t>(i) * m_stride; }

    const void* m_items = nullptr;
    const void* m_alternateNames = nullptr;
    uint32_t m_stride = 0;
    uintptr_t m_userValue = 0;
    uint32_t m_count = 0;
    bool m_sorted = false;
};
