#include "online/DownloadableModuleList.h"

#include "foundation/FileBuf.h"
#include "foundation/OpenFlags.h"
#include "objects/ItemList.h"
#include "objects/ObjectArrayProperty.h"
#include "objects/ObjectTextStream.h"
#include "objects/SharedStringPropertyDescriptor.h"


IMPLEMENT_CLASS_RECORD(CDownloadableModuleList, CObject, 0.0f)

namespace {

CObjectArrayProperty* s_modulesProperty = nullptr;

} // namespace

void CDownloadableModuleList::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CSharedStringPropertyDescriptor("Last Updated Date", &CDownloadableModuleList::m_lastUpdated,
                                                            1, "Sep 26, 2001"));
    s_modulesProperty = new CObjectArrayProperty("Version Info", &CDownloadableModuleList::m_moduleCount,
                                                 &CDownloadableModuleList::m_modules, nullptr, nullptr, 1);
    record->AddProperty(s_modulesProperty);
}

CDownloadableModuleList::CDownloadableModuleList()
{
    InitOwnProperties();
}

CDownloadableModuleList::~CDownloadableModuleList()
{
    DestroyOwnProperties();
}

CModuleVersionInfo* CDownloadableModuleList::AddModule()
{
    s_modulesProperty->Resize(this, m_moduleCount + 1);
    return GetModule(m_moduleCount - 1);
}

const CModuleVersionInfo* CDownloadableModuleList::FindModule(const char* moduleName) const
{
    for (uint32_t i = 0; i < m_moduleCount; ++i)
        if (CItemList::NamesEqual(m_modules[i].GetModuleName().CStr(), moduleName))
            return &m_modules[i];
    return nullptr;
}

bool CDownloadableModuleList::ReadDatabase(const void* bytes, size_t n)
{
    SetPropertiesToDefaults();
    if (!bytes || n == 0 || n > UINT32_MAX)
        return false;
    auto* buffer = new CFileBuf;
    if (buffer->Write(bytes, static_cast<uint32_t>(n)) != n) {
        delete buffer;
        return false;
    }
    buffer->Seek(0);

    CObjectTextStream stream;
    stream.OpenMemory(buffer, VF_READ);
    // A proxy's error page or a damaged answer must not end the program.
    stream.SetDamageTolerated(true);
    bool read = ReadFromTextStream(stream) && !stream.IsDamaged();
    stream.Close();
    if (!read)
        SetPropertiesToDefaults();
    return read;
}

CSharedString CDownloadableModuleList::WriteDatabase() const
{
    CObjectTextStream stream;
    stream.OpenMemory(new CFileBuf, VF_CREATE | VF_WRITE);
    WriteToTextStream(stream);
    auto* buffer = static_cast<CFileBuf*>(stream.GetStream());
    CSharedString text;
    text.AssignChars(reinterpret_cast<const char*>(buffer->GetData()), static_cast<int>(buffer->GetSize()));
    stream.Close();
    return text;
}
