#include "objects/DynamicPropertiesProperty.h"

#include "foundation/TextUtilities.h"
#include "foundation/VirtualFile.h"
#include "objects/DynamicProperties.h"
#include "objects/NumberText.h"
#include "objects/Object.h"
#include "objects/ObjectTextStream.h"
#include "objects/PropertyDescriptorList.h"

#include <cstring>

namespace {

CObject* SlotObject(void* slot)
{
    return static_cast<CObject*>(slot);
}

} // namespace

CDynamicPropertiesProperty::CDynamicPropertiesProperty(uint32_t offset)
    : CPropertyDescriptor("Dynamic Properties", nullptr, offset, sizeof(CDynamicProperties*), 1)
{
}

CPropertyDescriptor* CDynamicPropertiesProperty::Clone() const
{
    return new CDynamicPropertiesProperty(*this);
}

bool CDynamicPropertiesProperty::IsSimpleValue() const
{
    return false;
}

CDynamicProperties* CDynamicPropertiesProperty::GetSet(const CObject* object) const
{
    return LoadMember<CDynamicProperties*>(object);
}

void CDynamicPropertiesProperty::SetSet(CObject* object, CDynamicProperties* set) const
{
    delete GetSet(object);
    StoreMember(object, set);
}

void CDynamicPropertiesProperty::CopyValue(CObject* destination, const CObject* source,
                                           const CPropertyDescriptor& sourceDescriptor) const
{
    CDynamicProperties* theirs = LoadAt<CDynamicProperties*>(source, sourceDescriptor.GetOffset());
    if (theirs == GetSet(destination))
        return;
    SetSet(destination, nullptr);
    if (theirs) {
        CDynamicProperties* copy = new CDynamicProperties;
        copy->CopyFrom(*theirs);
        StoreMember(destination, copy);
    }
}

void CDynamicPropertiesProperty::InitMember(CObject* object) const
{
    StoreMember<CDynamicProperties*>(object, nullptr);
}

void CDynamicPropertiesProperty::DestroyMember(CObject* object) const
{
    SetSet(object, nullptr);
}

void CDynamicPropertiesProperty::SetDefault(CObject* object) const
{
    SetSet(object, nullptr);
}

void CDynamicPropertiesProperty::NotifyLoaded(CObject* object, bool tracksReferences) const
{
    if (CDynamicProperties* set = GetSet(object))
        set->NotifyLoaded(tracksReferences);
}

void CDynamicPropertiesProperty::FixUpAfterLoad(CObject* object) const
{
    if (CDynamicProperties* set = GetSet(object))
        set->FixUpAfterLoad();
}

void CDynamicPropertiesProperty::FormatValue(const CObject* object, CSharedString& out) const
{
    CDynamicProperties* set = GetSet(object);
    if (set && set->GetCount() > 0)
        out.Format("%d", static_cast<int>(set->GetCount()));
    else
        out.AssignText("");
}

bool CDynamicPropertiesProperty::ShouldWrite(const CObject* object) const
{
    CDynamicProperties* set = GetSet(object);
    return set && set->GetCount() > 0;
}

void CDynamicPropertiesProperty::WriteText(const CObject* object, CObjectTextStream& stream) const
{
    CDynamicProperties* set = GetSet(object);
    if (!set || set->GetCount() == 0) {
        stream.WriteLine("0");
        return;
    }
    CSharedString count;
    count.Format("%d", static_cast<int>(set->GetCount()));
    stream.WriteLine(count.CStr());
    stream.WriteLine("{");
    stream.Indent();
    for (uint32_t i = 0; i < set->GetCount(); ++i) {
        const CPropertyDescriptor* descriptor = set->GetDescriptor(i);
        stream.WriteText(descriptor->GetLabel().CStr());
        stream.WriteText("=");
        descriptor->WriteText(SlotObject(set->GetSlot(i)), stream);
    }
    stream.Outdent();
    stream.WriteLine("}");
}

void CDynamicPropertiesProperty::ParseValue(CObject* object, const char* value, CObjectTextStream& stream) const
{
    SetSet(object, nullptr);
    if (ParseLeadingInteger(value) == 0)
        return;
    CDynamicProperties* set = new CDynamicProperties;
    StoreMember(object, set);

    CSharedString line;
    if (!stream.ReadNonBlankTextLine(line)) // the "{"
        return;
    CSharedString label;
    while (stream.ReadNonBlankTextLine(line)) {
        const char* text = SkipWhitespace(line.CStr());
        if (*text == '}')
            break;
        const char* equals = std::strchr(text, '=');
        if (!equals)
            continue;
        label.AssignChars(text, static_cast<uint32_t>(equals - text));
        CPropertyDescriptor* descriptor = object->GetDynamicPropertyList()->Find(label.CStr());
        if (descriptor) {
            // A label given twice parses over the first value.
            void* slot = set->GetOrAdd(descriptor);
            descriptor->ParseValue(SlotObject(slot), equals + 1, stream);
        } else {
            object->ReadCustomProperties(label.CStr(), equals + 1, stream);
        }
    }
}

bool CDynamicPropertiesProperty::WriteBinary(const CObject* object, CVirtualFile& stream) const
{
    CDynamicProperties* set = GetSet(object);
    uint32_t count = set ? set->GetCount() : 0;
    if (!WriteLittleEndian(stream, count, 4))
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        const CPropertyDescriptor* descriptor = set->GetDescriptor(i);
        if (!WriteCountedText(stream, descriptor->GetLabel().CStr()))
            return false;
        if (!descriptor->WriteBinary(SlotObject(set->GetSlot(i)), stream))
            return false;
    }
    return true;
}

bool CDynamicPropertiesProperty::ReadBinary(CObject* object, CVirtualFile& stream) const
{
    SetSet(object, nullptr);
    uint64_t count = 0;
    if (!ReadLittleEndian(stream, count, 4))
        return false;
    if (count == 0)
        return true;
    CDynamicProperties* set = new CDynamicProperties;
    StoreMember(object, set);
    CSharedString label;
    for (uint64_t i = 0; i < count; ++i) {
        if (!ReadCountedText(stream, label, kMaxCountedText))
            return false;
        CPropertyDescriptor* descriptor = object->GetDynamicPropertyList()->Find(label.CStr());
        if (!descriptor)
            return false;
        void* slot = set->GetOrAdd(descriptor);
        if (!descriptor->ReadBinary(SlotObject(slot), stream))
            return false;
    }
    return true;
}

void* CDynamicPropertiesProperty::NewValueArray(uint32_t) const
{
    return nullptr;
}

void CDynamicPropertiesProperty::DeleteValueArray(void*) const
{
}
