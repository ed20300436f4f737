#include "objects/ItemListTreeAdapter.h"

#include "objects/ItemList.h"

CItemListTreeAdapter::CItemListTreeAdapter(CItemList* list)
    : m_list(list)
{
}

uint32_t CItemListTreeAdapter::GetRoot() const
{
    return kRoot;
}

uint32_t CItemListTreeAdapter::GetParent(uint32_t) const
{
    return kRoot;
}

const char* CItemListTreeAdapter::GetItemName(uint32_t item) const
{
    if (!m_list)
        return nullptr;
    return item == kRoot ? m_list->GetListName() : m_list->GetItemName(item);
}

uint32_t CItemListTreeAdapter::GetChildCount(uint32_t item) const
{
    return (item == kRoot && m_list) ? m_list->GetCount() : 0;
}

uint32_t CItemListTreeAdapter::GetChild(uint32_t item, uint32_t i) const
{
    return item == kRoot ? i : kRoot;
}

CItemList* CItemListTreeAdapter::GetSource() const
{
    return m_list;
}

bool CItemListTreeAdapter::CanSelect(uint32_t) const
{
    return m_list ? m_list->IsBrowsable() : true;
}
