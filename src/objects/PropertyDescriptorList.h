#pragma once
// An item list of property descriptors (item name = label), used for the dynamic properties of a
// class. A list that does not own its descriptors hands them to one process-wide owning list.
#include "objects/ItemList.h"

#include <vector>

class CPropertyDescriptor;

class CPropertyDescriptorList : public CItemList
{
public:
    explicit CPropertyDescriptorList(bool ownsItems);
    ~CPropertyDescriptorList() override;
    CPropertyDescriptorList(const CPropertyDescriptorList&) = delete;
    CPropertyDescriptorList& operator=(const CPropertyDescriptorList&) = delete;

    const char* GetItemName(uint32_t i) const override;
    uint32_t GetCount() const override;

    // Appends a descriptor. Without ownership it is also entrusted (once) to the process-wide list.
    void Add(CPropertyDescriptor* descriptor);
    CPropertyDescriptor* GetAt(uint32_t i) const { return i < m_items.size() ? m_items[i] : nullptr; }
    bool Contains(const CPropertyDescriptor* descriptor) const;
    // By label (the item-list search), then by alias; null when neither matches.
    CPropertyDescriptor* Find(const char* label) const;

private:
    std::vector<CPropertyDescriptor*> m_items;
    bool m_ownsItems;
};
