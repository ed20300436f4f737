#pragma once
// The version check's comparison of the installed modules with the server's module database, as
// the rows the version-check window shows: name, version, and a status that is either a plain
// word or a button opening the module's download address.
#include "foundation/LocalizedString.h"
#include "foundation/SharedString.h"

#include <vector>

class CDownloadableModuleList;
class CModuleInfoCollection;

enum class EModuleStatus
{
    None,              // no fetch: the installed module only
    AddOnAvailable,    // on the server, not installed (button)
    UpdateAvailable,   // the server's build is newer (button)
    Current,           // the installed build is the server's or newer
    PreInitialRelease, // installed, unknown to the server
};

struct CModuleRow
{
    CSharedString m_name;
    CSharedString m_version;
    EModuleStatus m_status = EModuleStatus::None;
    // The server's address for AddOnAvailable and UpdateAvailable; empty otherwise.
    CSharedString m_downloadUrl;

    bool HasButton() const
    {
        return m_status == EModuleStatus::AddOnAvailable || m_status == EModuleStatus::UpdateAvailable;
    }
};

extern CLocalizedString g_addOnAvailableText;
extern CLocalizedString g_updateAvailableText;
extern CLocalizedString g_currentText;
extern CLocalizedString g_preInitialReleaseText;

// The status word shown for a row; empty for None.
const char* GetModuleStatusText(EModuleStatus status);

// The rows for the installed modules and the server's list (null: no fetch, every installed
// module with no status). With a list: one row per server module, in its order, then one per
// installed module the list does not name (compared without regard to case). Installed modules
// whose file cannot be read are left out.
std::vector<CModuleRow> BuildModuleRows(CModuleInfoCollection& installed, const CDownloadableModuleList* downloaded);
