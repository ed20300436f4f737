#pragma once
// An item list over a static table of {value, name, alternate name} entries, ended by an entry
// whose name is null (an empty name is an item). Property types offer its names as choices.
#include "objects/NamedList.h"

struct CEnumTableEntry
{
    int32_t m_value;
    const char* m_name;
    const char* m_alternateName;
};

class CEnumTable : public CNamedList
{
public:
    explicit CEnumTable(const CEnumTableEntry* entries);

    const char* GetItemName(uint32_t i) const override;
    // The value (first column) of entry i; 0 past the end.
    int32_t GetValue(uint32_t i) const;
    const CEnumTableEntry* GetEntries() const { return m_entries; }

    int FindIndexByName(const CSharedString& name, int hint) const override;
    int FindIndexByName(const char* name, int hint) const override;

private:
    const CEnumTableEntry* m_entries;
};
