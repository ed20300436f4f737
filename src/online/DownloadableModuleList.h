#pragma once
// The maker's module database (a ".modDB" file): the date it was last updated and one entry per
// module the server offers. It arrives over the network, so ReadDatabase treats its bytes as
// untrusted: anything that is not a whole, undamaged database is refused, never fatal.
#include "foundation/SharedString.h"
#include "objects/Object.h"
#include "online/ModuleVersionInfo.h"

#include <cstddef>
#include <cstdint>

class CDownloadableModuleList : public CObject
{
    DECLARE_CLASS_RECORD(CDownloadableModuleList)

    CDownloadableModuleList();
    ~CDownloadableModuleList() override;

    const CSharedString& GetLastUpdatedDate() const { return m_lastUpdated; }
    void SetLastUpdatedDate(const char* date) { m_lastUpdated.AssignText(date); }
    uint32_t GetModuleCount() const { return m_moduleCount; }
    // Null past the end.
    const CModuleVersionInfo* GetModule(uint32_t i) const { return i < m_moduleCount ? &m_modules[i] : nullptr; }
    CModuleVersionInfo* GetModule(uint32_t i) { return i < m_moduleCount ? &m_modules[i] : nullptr; }
    // Appends a module at its defaults and returns it.
    CModuleVersionInfo* AddModule();
    // The module of that name, compared without regard to case; null when the list has none.
    const CModuleVersionInfo* FindModule(const char* moduleName) const;

    // Reads a database from the bytes (the object text format, class name line first). False, with
    // the list back at its defaults, when the bytes hold anything but one whole database of this
    // class: another class, a stray "{", a block cut short, a page of HTML.
    bool ReadDatabase(const void* bytes, size_t n);
    // The database in the object text format, as the server publishes it.
    CSharedString WriteDatabase() const;

private:
    CSharedString m_lastUpdated;
    uint32_t m_moduleCount = 0;
    CModuleVersionInfo* m_modules = nullptr;
};
