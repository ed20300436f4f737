#include "online/ModuleInfo.h"

#include "objects/SharedStringPropertyDescriptor.h"
#include "objects/UIntProperty.h"

IMPLEMENT_CLASS_RECORD(CModuleInfo, CObject, 0.0f)

void CModuleInfo::AddProperties(CClassRecord* record)
{
    record->AddProperty(
        new CSharedStringPropertyDescriptor("Module Display Name", &CModuleInfo::m_displayName, 1, "The Game"));
    record->AddProperty(new CUIntProperty("Build Number", &CModuleInfo::m_buildNumber, 1, 1));
    record->AddProperty(
        new CSharedStringPropertyDescriptor("Display Version Number", &CModuleInfo::m_displayVersion, 1, "1.0"));
}

CModuleInfo::CModuleInfo()
{
    InitOwnProperties();
}

CModuleInfo::~CModuleInfo()
{
    DestroyOwnProperties();
}
