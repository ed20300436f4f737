#include "objects/EmbeddedObjectProperty.h"

#include "objects/ObjectTextStream.h"

CEmbeddedObjectProperty::CEmbeddedObjectProperty(const char* name, uint32_t offset, uint32_t size, uint32_t flags,
                                                 CClassRecord* record)
    : CPropertyDescriptor(name, nullptr, offset, size, flags)
    , m_record(record)
{
}

CPropertyDescriptor* CEmbeddedObjectProperty::Clone() const
{
    return new CEmbeddedObjectProperty(*this);
}

bool CEmbeddedObjectProperty::IsSimpleValue() const
{
    return false;
}

void CEmbeddedObjectProperty::CopyValue(CObject* destination, const CObject* source,
                                        const CPropertyDescriptor& sourceDescriptor) const
{
    const auto* theirs = static_cast<const CObject*>(AddressAt(source, sourceDescriptor.GetOffset()));
    GetObject(destination)->CopyPropertiesFrom(theirs);
}

void CEmbeddedObjectProperty::SetDefault(CObject* object) const
{
    GetObject(object)->SetPropertiesToDefaults();
}

void CEmbeddedObjectProperty::FormatValue(const CObject*, CSharedString& out) const
{
    out.Clear();
}

void CEmbeddedObjectProperty::ParseValue(CObject* object, const char*, CObjectTextStream& stream) const
{
    if (!GetObject(object)->ReadFromTextStream(stream))
        stream.MarkDamaged();
}

void CEmbeddedObjectProperty::WriteText(const CObject* object, CObjectTextStream& stream) const
{
    GetObject(object)->WriteToTextStream(stream);
}

bool CEmbeddedObjectProperty::WriteBinary(const CObject* object, CVirtualFile& stream) const
{
    return GetObject(object)->WriteBinary(stream);
}

bool CEmbeddedObjectProperty::ReadBinary(CObject* object, CVirtualFile& stream) const
{
    return GetObject(object)->ReadBinary(stream);
}

void CEmbeddedObjectProperty::FixUpAfterLoad(CObject* object) const
{
    GetObject(object)->FixUpAfterLoad();
}

void* CEmbeddedObjectProperty::NewValueArray(uint32_t count) const
{
    return m_record ? m_record->CreateObjectArray(count) : nullptr;
}

void CEmbeddedObjectProperty::DeleteValueArray(void* array) const
{
    if (m_record)
        m_record->DeleteObjectArray(static_cast<CObject*>(array));
}
