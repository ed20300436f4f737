#include "app/ForceFeedbackProject.h"

#include "foundation/FileBuf.h"
#include "foundation/OpenFlags.h"
#include "objects/ItemList.h"
#include "objects/ObjectArrayProperty.h"
#include "objects/ObjectTextStream.h"

IMPLEMENT_CLASS_RECORD(CForceFeedbackProject, CObject, 1.0f)
void CForceFeedbackProject::AddProperties(CClassRecord* record)
{
    record->AddProperty(new CObjectArrayProperty("Effects", &CForceFeedbackProject::m_effectCount,
                                                 &CForceFeedbackProject::m_effects, nullptr, nullptr, 0));
}

bool CForceFeedbackProject::LoadFromMemory(const void* bytes, uint32_t size)
{
    SetPropertiesToDefaults();
    CFileBuf* buffer = new CFileBuf;
    buffer->Write(bytes, size);
    buffer->Seek(0);
    CObjectTextStream stream;
    stream.OpenMemory(buffer, VF_READ);
    CSharedString className;
    if (!stream.ReadNonBlankTextLine(className))
        return false;
    className.TrimLeft();
    className.TrimRight();
    if (!CItemList::NamesEqual(className.CStr(), GetClassRecord()->GetName()) || !ReadFromTextStream(stream)) {
        SetPropertiesToDefaults();
        return false;
    }
    return true;
}

const CForceFeedbackEffectInfo* CForceFeedbackProject::FindEffect(const char* name) const
{
    for (uint32_t i = 0; i < m_effectCount; ++i)
        if (CItemList::NamesEqual(m_effects[i].m_name.CStr(), name))
            return &m_effects[i];
    return nullptr;
}
