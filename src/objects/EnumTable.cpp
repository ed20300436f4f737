#include "objects/EnumTable.h"

namespace {

uint32_t CountEntries(const CEnumTableEntry* entries)
{
    uint32_t count = 0;
    if (entries)
        while (entries[count].m_name)
            ++count;
    return count;
}

} // namespace

CEnumTable::CEnumTable(const CEnumTableEntry* entries)
    : CNamedList(false, sizeof(CEnumTableEntry), CountEntries(entries), entries, nullptr)
    , m_entries(entries)
{
}

const char* CEnumTable::GetItemName(uint32_t i) const
{
    return i < m_count ? m_entries[i].m_name : nullptr;
}

int32_t CEnumTable::GetValue(uint32_t i) const
{
    return i < m_count ? m_entries[i].m_value : 0;
}

int CEnumTable::FindIndexByName(const CSharedString& name, int hint) const
{
    // The string form searches exactly as the text form does.
    return FindIndexByName(name.CStr(), hint);
}

int CEnumTable::FindIndexByName(const char* name, int hint) const
{
    if (IsValidHint(hint) && NamesEqual(m_entries[hint].m_name, name))
        return hint;
    for (uint32_t i = 0; i < m_count; ++i)
        if (NamesEqual(m_entries[i].m_name, name))
            return static_cast<int>(i);
    for (uint32_t i = 0; i < m_count; ++i)
        if (m_entries[i].m_alternateName && NamesEqual(m_entries[i].m_alternateName, name))
            return static_cast<int>(i);
    return FindByFileName(name);
}
