#pragma once
// The catalogue of class records by name, through which objects are created by class name.
// Records register from the static initialisers in any order; the application sorts the registry
// once after start-up, and a sorted registry is searched by binary search.
#include "objects/ClassRecord.h"

#include <vector>

class CClassRegistry : public CItemList
{
public:
    // Created on first use; lives until the process ends.
    static CClassRegistry* GetInstance();

    const char* GetItemName(uint32_t i) const override;
    uint32_t GetCount() const override;
    CClassRecord* GetRecord(uint32_t i) const { return i < m_records.size() ? m_records[i] : nullptr; }

    // Adds a record. A record of an already registered name replaces the registered one only when
    // its version is higher (the old record is kept alive, not deleted); otherwise false.
    bool Register(CClassRecord* record);
    // The record of that name (case-insensitive), then of that alternate name; a name not beginning
    // with "C" is also tried with "C" in front ("Font" finds "CFont"). Null when unknown.
    CClassRecord* Find(const char* name, int* index = nullptr) const;
    // A new object of the named class. An unknown or abstract class ends the program.
    CObject* CreateObject(const char* name) const;
    void SortByName();
    bool IsSorted() const { return m_sorted; }
    void RemoveEntry(uint32_t index);

private:
    CClassRegistry() = default;
    CClassRecord* FindExact(const char* name, int* index, bool alternateNames) const;

    std::vector<CClassRecord*> m_records;
    bool m_sorted = false;
};
