#pragma once
// What a module (the game itself or an add-on) says of itself: the name shown to the player, its
// build number and the version text shown beside it. Installed modules are read from their
// "modinfo" files; the server's module database embeds one per module, carrying the newest build.
#include "foundation/SharedString.h"
#include "objects/Object.h"

#include <cstdint>

class CModuleInfo : public CObject
{
    DECLARE_CLASS_RECORD(CModuleInfo)

    CModuleInfo();
    ~CModuleInfo() override;

    const CSharedString& GetDisplayName() const { return m_displayName; }
    void SetDisplayName(const char* name) { m_displayName.AssignText(name); }
    uint32_t GetBuildNumber() const { return m_buildNumber; }
    void SetBuildNumber(uint32_t build) { m_buildNumber = build; }
    const CSharedString& GetDisplayVersion() const { return m_displayVersion; }
    void SetDisplayVersion(const char* version) { m_displayVersion.AssignText(version); }

private:
    CSharedString m_displayName;
    uint32_t m_buildNumber = 1;
    CSharedString m_displayVersion;
};
