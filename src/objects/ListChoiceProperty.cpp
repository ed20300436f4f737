#include "objects/ListChoiceProperty.h"

#include "foundation/VirtualFile.h"
#include "objects/CurrentObjectFileName.h"
#include "objects/ItemList.h"

CListChoiceProperty::CListChoiceProperty(const char* name, uint32_t offset, uint32_t flags, const char* defaultName,
                                         Setter setter)
    : CPropertyDescriptor(name, nullptr, offset, 4, flags)
    , m_setter(setter)
    , m_hasDefaultName(defaultName != nullptr)
{
    m_defaultName.AssignText(defaultName);
}

bool CListChoiceProperty::IsSimpleValue() const
{
    return true;
}

void CListChoiceProperty::Store(CObject* object, uint32_t index) const
{
    if (m_setter)
        (object->*m_setter)(index);
    else
        StoreMember(object, index);
}

void CListChoiceProperty::CopyValue(CObject* destination, const CObject* source,
                                    const CPropertyDescriptor& sourceDescriptor) const
{
    StoreMember(destination, LoadAt<uint32_t>(source, sourceDescriptor.GetOffset()));
}

void CListChoiceProperty::ChooseByName(CObject* object, const char* itemName) const
{
    CItemList* list = GetList(object);
    if (!list)
        return;
    // The fatal report names the file and this property.
    CSharedString source(CurrentObjectFileName());
    source.AppendText(":");
    source.AppendText(GetLabel().CStr());
    CCurrentObjectFileNameScope scope(source.CStr());
    int index = list->FindIndexByName(itemName, -1);
    if (index == -1)
        index = list->FindIndexOrFail(itemName, -1);
    Store(object, static_cast<uint32_t>(index));
}

void CListChoiceProperty::SetDefault(CObject* object) const
{
    if (!m_hasDefaultName) {
        StoreMember<uint32_t>(object, 0);
        return;
    }
    CCurrentObjectFileNameScope scope("The Program EXE (C++ Source Code's default value)");
    ChooseByName(object, m_defaultName.CStr());
}

void CListChoiceProperty::FormatValue(const CObject* object, CSharedString& out) const
{
    CItemList* list = GetList(object);
    out.AssignText(list ? list->GetItemName(GetValue(object)) : nullptr);
}

void CListChoiceProperty::ParseValue(CObject* object, const char* value, CObjectTextStream&) const
{
    ChooseByName(object, value);
}

bool CListChoiceProperty::WriteBinary(const CObject* object, CVirtualFile& stream) const
{
    CItemList* list = GetList(object);
    const char* name = list ? list->GetItemName(GetValue(object)) : nullptr;
    return WriteCountedText(stream, name ? name : "");
}

bool CListChoiceProperty::ReadBinary(CObject* object, CVirtualFile& stream) const
{
    CSharedString name;
    if (!ReadCountedText(stream, name, kMaxBinaryName))
        return false;
    CItemList* list = GetList(object);
    if (!list)
        return false;
    StoreMember(object, static_cast<uint32_t>(list->FindIndexOrFail(name.CStr(), -1)));
    return true;
}

void CListChoiceProperty::FixUpAfterLoad(CObject* object) const
{
    if (CItemList* list = GetList(object))
        list->MarkItemUsed(GetValue(object));
}
