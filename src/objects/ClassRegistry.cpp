#include "objects/ClassRegistry.h"

#include "foundation/LocalizedString.h"
#include "foundation/Win32Services.h"

#include <algorithm>

namespace {

CLocalizedString s_fatalCaption("FATAL ERROR!", nullptr, false);
CLocalizedString s_corruptedText("The executable or data file appears to have become corrupted. Please reinstall the "
                                 "product, or contact the vendor for assistance.",
                                 nullptr, false);

} // namespace

CClassRegistry* CClassRegistry::GetInstance()
{
    // Never destroyed: class records are reached from static objects of every subsystem, whose
    // destructors may run after this file's.
    static CClassRegistry* s_instance = new CClassRegistry;
    return s_instance;
}

const char* CClassRegistry::GetItemName(uint32_t i) const
{
    return i < m_records.size() ? m_records[i]->GetName() : nullptr;
}

uint32_t CClassRegistry::GetCount() const
{
    return static_cast<uint32_t>(m_records.size());
}

bool CClassRegistry::Register(CClassRecord* record)
{
    if (!record)
        return false;
    int index = -1;
    CClassRecord* existing = FindExact(record->GetName(), &index, false);
    if (existing) {
        if (!(record->GetVersion() > existing->GetVersion()))
            return false;
        RemoveEntry(static_cast<uint32_t>(index));
    }
    m_sorted = false;
    m_records.push_back(record);
    return true;
}

CClassRecord* CClassRegistry::FindExact(const char* name, int* index, bool alternateNames) const
{
    *index = -1;
    if (m_sorted) {
        *index = BinarySearchByName(name, -1);
    } else {
        for (size_t i = m_records.size(); i-- > 0;)
            if (NamesEqual(m_records[i]->GetName(), name)) {
                *index = static_cast<int>(i);
                break;
            }
    }
    if (*index == -1 && alternateNames)
        for (size_t i = m_records.size(); i-- > 0;) {
            const char* alternate = m_records[i]->GetAlternateName();
            if (alternate && NamesEqual(alternate, name)) {
                *index = static_cast<int>(i);
                break;
            }
        }
    return *index == -1 ? nullptr : m_records[static_cast<size_t>(*index)];
}

CClassRecord* CClassRegistry::Find(const char* name, int* index) const
{
    int found = -1;
    CClassRecord* record = FindExact(name, &found, true);
    if (!record && name && name[0] != 'C') {
        CSharedString prefixed;
        prefixed.Format("C%s", name);
        record = FindExact(prefixed.CStr(), &found, true);
    }
    if (index)
        *index = found;
    return record;
}

CObject* CClassRegistry::CreateObject(const char* name) const
{
    int index = -1;
    CClassRecord* record = Find(name, &index);
    if (record && !record->IsAbstract() && index >= 0 && static_cast<uint32_t>(index) < m_records.size())
        return record->CreateObject();
    FatalExit(s_fatalCaption.CStr(), s_corruptedText.CStr());
}

void CClassRegistry::SortByName()
{
    if (m_records.size() >= 2)
        std::sort(m_records.begin(), m_records.end(), [](const CClassRecord* a, const CClassRecord* b) {
            return CompareNames(a->GetName(), b->GetName()) < 0;
        });
    m_sorted = true;
}

void CClassRegistry::RemoveEntry(uint32_t index)
{
    if (index < m_records.size())
        m_records.erase(m_records.begin() + index);
}
