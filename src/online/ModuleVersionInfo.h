#pragma once
// One module as the maker's server knows it: the name of its "modinfo" entry, where to download
// it, and its newest build with the name and version text to show.
#include "foundation/SharedString.h"
#include "objects/Object.h"
#include "online/ModuleInfo.h"

class CModuleVersionInfo : public CObject
{
    DECLARE_CLASS_RECORD(CModuleVersionInfo)

    CModuleVersionInfo();
    ~CModuleVersionInfo() override;

    const CSharedString& GetModuleName() const { return m_moduleName; }
    void SetModuleName(const char* name) { m_moduleName.AssignText(name); }
    const CSharedString& GetDownloadUrl() const { return m_downloadUrl; }
    void SetDownloadUrl(const char* url) { m_downloadUrl.AssignText(url); }
    CModuleInfo& GetModuleInfo() { return m_moduleInfo; }
    const CModuleInfo& GetModuleInfo() const { return m_moduleInfo; }

private:
    CSharedString m_moduleName;
    CSharedString m_downloadUrl;
    CModuleInfo m_moduleInfo;
};
