#include "objects/BoolProperty.h"

#include "objects/NumberText.h"

CBoolProperty::CBoolProperty(const char* name, uint32_t offset, uint32_t flags, bool defaultValue, Setter setter)
    : CPropertyDescriptor(name, nullptr, offset, 1, flags)
    , m_setter(setter)
    , m_default(defaultValue ? 1 : 0)
{
}

CPropertyDescriptor* CBoolProperty::Clone() const
{
    return new CBoolProperty(*this);
}

bool CBoolProperty::IsSimpleValue() const
{
    return true;
}

void CBoolProperty::CopyValue(CObject* destination, const CObject* source, const CPropertyDescriptor& sourceDescriptor) const
{
    uint8_t value = LoadAt<uint8_t>(source, sourceDescriptor.GetOffset());
    StoreMember<uint8_t>(destination, value != 0 ? 1 : 0);
}

void CBoolProperty::SetDefault(CObject* object) const
{
    StoreMember(object, m_default);
}

void CBoolProperty::FormatValue(const CObject* object, CSharedString& out) const
{
    out.Format("%u", static_cast<unsigned>(LoadMember<uint8_t>(object)));
}

void CBoolProperty::ParseValue(CObject* object, const char* value, CObjectTextStream&) const
{
    bool on = ParseLeadingInteger(value) != 0;
    if (m_setter)
        (object->*m_setter)(on);
    else
        StoreMember<uint8_t>(object, on ? 1 : 0);
}

bool CBoolProperty::WriteBinary(const CObject* object, CVirtualFile& stream) const
{
    return WriteLittleEndian(stream, LoadMember<uint8_t>(object), 1);
}

bool CBoolProperty::ReadBinary(CObject* object, CVirtualFile& stream) const
{
    uint64_t value = 0;
    if (!ReadLittleEndian(stream, value, 1))
        return false;
    // Members may be C++ bools, which hold nothing but 0 and 1.
    StoreMember<uint8_t>(object, value != 0 ? 1 : 0);
    return true;
}
