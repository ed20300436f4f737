#include "objects/PropertyDescriptorList.h"

#include "objects/PropertyDescriptor.h"

namespace {

// Owns the descriptors of every non-owning list. Never destroyed: class records, which point at
// these descriptors, live until the process ends.
CPropertyDescriptorList& GetOwningList()
{
    static CPropertyDescriptorList* s_list = new CPropertyDescriptorList(true);
    return *s_list;
}

} // namespace

CPropertyDescriptorList::CPropertyDescriptorList(bool ownsItems)
    : m_ownsItems(ownsItems)
{
}

CPropertyDescriptorList::~CPropertyDescriptorList()
{
    if (m_ownsItems)
        for (size_t i = m_items.size(); i-- > 0;)
            delete m_items[i];
}

const char* CPropertyDescriptorList::GetItemName(uint32_t i) const
{
    return i < m_items.size() ? m_items[i]->GetLabel().CStr() : nullptr;
}

uint32_t CPropertyDescriptorList::GetCount() const
{
    return static_cast<uint32_t>(m_items.size());
}

bool CPropertyDescriptorList::Contains(const CPropertyDescriptor* descriptor) const
{
    for (CPropertyDescriptor* item : m_items)
        if (item == descriptor)
            return true;
    return false;
}

void CPropertyDescriptorList::Add(CPropertyDescriptor* descriptor)
{
    m_items.push_back(descriptor);
    if (!m_ownsItems) {
        CPropertyDescriptorList& owner = GetOwningList();
        if (!owner.Contains(descriptor))
            owner.m_items.push_back(descriptor);
    }
}

CPropertyDescriptor* CPropertyDescriptorList::Find(const char* label) const
{
    int index = FindIndexByName(label, -1);
    if (index >= 0)
        return m_items[static_cast<size_t>(index)];
    for (CPropertyDescriptor* item : m_items)
        if (!item->GetAlias().IsEmpty() && NamesEqual(item->GetAlias().CStr(), label))
            return item;
    return nullptr;
}
