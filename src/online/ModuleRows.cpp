#include "online/ModuleRows.h"

#include "online/DownloadableModuleList.h"
#include "online/ModuleInfo.h"
#include "online/ModuleInfoCollection.h"

CLocalizedString g_addOnAvailableText("Add On Available");
CLocalizedString g_updateAvailableText("Update Available");
CLocalizedString g_currentText("Current");
CLocalizedString g_preInitialReleaseText("Pre-Initial Release");

const char* GetModuleStatusText(EModuleStatus status)
{
    switch (status) {
    case EModuleStatus::AddOnAvailable:
        return g_addOnAvailableText.CStr();
    case EModuleStatus::UpdateAvailable:
        return g_updateAvailableText.CStr();
    case EModuleStatus::Current:
        return g_currentText.CStr();
    case EModuleStatus::PreInitialRelease:
        return g_preInitialReleaseText.CStr();
    case EModuleStatus::None:
        break;
    }
    return "";
}

namespace {

CModuleRow MakeServerRow(const CModuleVersionInfo& offered, const CModuleInfo* installed)
{
    const CModuleInfo& newest = offered.GetModuleInfo();
    CModuleRow row;
    if (!installed) {
        row.m_name = newest.GetDisplayName();
        row.m_status = EModuleStatus::AddOnAvailable;
    } else if (installed->GetBuildNumber() < newest.GetBuildNumber()) {
        row.m_name = newest.GetDisplayName();
        row.m_version = installed->GetDisplayVersion();
        row.m_status = EModuleStatus::UpdateAvailable;
    } else {
        row.m_name = installed->GetDisplayName();
        row.m_version = installed->GetDisplayVersion();
        row.m_status = EModuleStatus::Current;
    }
    if (row.HasButton())
        row.m_downloadUrl = offered.GetDownloadUrl();
    return row;
}

} // namespace

std::vector<CModuleRow> BuildModuleRows(CModuleInfoCollection& installed, const CDownloadableModuleList* downloaded)
{
    std::vector<CModuleRow> rows;
    if (downloaded)
        for (uint32_t i = 0; i < downloaded->GetModuleCount(); ++i) {
            const CModuleVersionInfo* offered = downloaded->GetModule(i);
            rows.push_back(MakeServerRow(*offered, installed.FindModule(offered->GetModuleName().CStr())));
        }

    for (uint32_t i = 0; i < installed.GetCount(); ++i) {
        const char* moduleName = installed.GetItemName(i);
        if (downloaded && downloaded->FindModule(moduleName))
            continue;
        const CModuleInfo* module = installed.GetModule(i);
        if (!module)
            continue;
        CModuleRow row;
        row.m_name = module->GetDisplayName();
        row.m_version = module->GetDisplayVersion();
        row.m_status = downloaded ? EModuleStatus::PreInitialRelease : EModuleStatus::None;
        rows.push_back(row);
    }
    return rows;
}
