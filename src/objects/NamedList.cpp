#include "objects/NamedList.h"

CNamedList::CNamedList() = default;

CNamedList::CNamedList(bool sorted, uint32_t stride, uint32_t count, const void* items, const void* alternateNames)
{
    SetItemTable(sorted, count, stride, items, alternateNames);
}

void CNamedList::SetItemTable(bool sorted, uint32_t count, uint32_t stride, const void* items, const void* alternateNames)
{
    m_sorted = sorted;
    m_stride = stride;
    m_count = count;
    m_items = items;
    m_alternateNames = alternateNames;
}

const char* CNamedList::GetItemName(uint32_t i) const
{
    if (i >= m_count || !m_items)
        return nullptr;
    const char* name = RecordAt(i);
    return *name ? name : nullptr;
}

uint32_t CNamedList::GetCount() const
{
    return m_count;
}

uintptr_t CNamedList::GetUserValue() const
{
    return m_userValue;
}

void CNamedList::SetUserValue(uintptr_t value)
{
    m_userValue = value;
}

int CNamedList::FindIndexByName(const char* name, int hint) const
{
    if (!m_items)
        return -1;
    if (m_sorted)
        return FindSortedByName(name, hint);
    if (IsValidHint(hint) && NamesEqual(RecordAt(static_cast<uint32_t>(hint)), name))
        return hint;
    for (uint32_t i = 0; i < m_count; ++i) {
        const char* record = RecordAt(i);
        if (!*record)
            break;
        if (NamesEqual(record, name))
            return static_cast<int>(i);
    }
    return FindByFileName(name);
}
