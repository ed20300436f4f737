#include "online/ModuleVersionInfo.h"

#include "objects/EmbeddedObjectProperty.h"
#include "objects/SharedStringPropertyDescriptor.h"

IMPLEMENT_CLASS_RECORD(CModuleVersionInfo, CObject, 0.0f)

void CModuleVersionInfo::AddProperties(CClassRecord* record)
{
    record->AddProperty(
        new CSharedStringPropertyDescriptor("Module Name", &CModuleVersionInfo::m_moduleName, 1, "game"));
    record->AddProperty(new CSharedStringPropertyDescriptor("Download URL", &CModuleVersionInfo::m_downloadUrl, 1,
                                                            "http://www.quorvane.invalid/downloads/module.zip"));
    record->AddProperty(new CEmbeddedObjectProperty("Module Info", &CModuleVersionInfo::m_moduleInfo, 1));
}

CModuleVersionInfo::CModuleVersionInfo()
{
    InitOwnProperties();
}

CModuleVersionInfo::~CModuleVersionInfo()
{
    DestroyOwnProperties();
}
