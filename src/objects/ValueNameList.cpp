#include "objects/ValueNameList.h"

#include <utility>

template <class T>
CValueNameListOf<T>::CValueNameListOf(const CValueNameListOf& other)
    : CItemList()
{
    m_items.reserve(other.m_items.size());
    for (const Item* item : other.m_items)
        m_items.push_back(new Item{item->m_name, item->m_value});
}

template <class T>
CValueNameListOf<T>::~CValueNameListOf()
{
    Clear();
}

template <class T>
const char* CValueNameListOf<T>::GetItemName(uint32_t i) const
{
    return i < m_items.size() ? m_items[i]->m_name.CStr() : nullptr;
}

template <class T>
void CValueNameListOf<T>::GetItemNameString(CSharedString& out, uint32_t i) const
{
    if (i < m_items.size())
        out = m_items[i]->m_name;
    else
        out.AssignText("");
}

template <class T>
uint32_t CValueNameListOf<T>::GetCount() const
{
    return static_cast<uint32_t>(m_items.size());
}

template <class T>
int CValueNameListOf<T>::FindIndexByValue(T value) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i]->m_value == value)
            return static_cast<int>(i);
    return -1;
}

template <class T>
int CValueNameListOf<T>::AddItemByName(const CSharedString& name)
{
    m_items.push_back(new Item{name, T()});
    return static_cast<int>(m_items.size() - 1);
}

template <class T>
int CValueNameListOf<T>::AddItemByName(const char* name)
{
    return Add(name, T());
}

template <class T>
int CValueNameListOf<T>::Add(const char* name, T value)
{
    Item* item = new Item{CSharedString(), value};
    item->m_name.AssignText(name);
    m_items.push_back(item);
    return static_cast<int>(m_items.size() - 1);
}

template <class T>
void CValueNameListOf<T>::RemoveItem(uint32_t i)
{
    if (i >= m_items.size())
        return;
    delete m_items[i];
    m_items.erase(m_items.begin() + i);
}

template <class T>
void CValueNameListOf<T>::Clear()
{
    for (size_t i = m_items.size(); i-- > 0;)
        delete m_items[i];
    m_items.clear();
}

template <class T>
void CValueNameListOf<T>::SwapItems(uint32_t i, uint32_t j)
{
    if (i < m_items.size() && j < m_items.size())
        std::swap(m_items[i], m_items[j]);
}

template class CValueNameListOf<uint32_t>;
template class CValueNameListOf<float>;
template class CValueNameListOf<int64_t>;
