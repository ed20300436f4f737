#include "objects/BitFlagProperty.h"

#include "objects/NumberText.h"

CBitFlagProperty::CBitFlagProperty(const char* name, uint32_t offset, uint32_t mask, uint32_t flags, bool defaultValue,
                                   Setter setter)
    : CPropertyDescriptor(name, nullptr, offset, 4, flags)
    , m_setter(setter)
    , m_mask(mask)
    , m_default(defaultValue ? 1 : 0)
{
}

CPropertyDescriptor* CBitFlagProperty::Clone() const
{
    return new CBitFlagProperty(*this);
}

bool CBitFlagProperty::IsSimpleValue() const
{
    return true;
}

void CBitFlagProperty::SetBits(CObject* object, bool on) const
{
    uint32_t word = LoadMember<uint32_t>(object);
    StoreMember(object, on ? (word | m_mask) : (word & ~m_mask));
}

void CBitFlagProperty::CopyValue(CObject* destination, const CObject* source,
                                 const CPropertyDescriptor& sourceDescriptor) const
{
    uint32_t word = LoadAt<uint32_t>(source, sourceDescriptor.GetOffset());
    SetBits(destination, (word & sourceDescriptor.GetBitMask()) != 0);
}

void CBitFlagProperty::SetDefault(CObject* object) const
{
    SetBits(object, m_default != 0);
}

void CBitFlagProperty::FormatValue(const CObject* object, CSharedString& out) const
{
    out.AssignText(GetValue(object) ? "1" : "0");
}

void CBitFlagProperty::ParseValue(CObject* object, const char* value, CObjectTextStream&) const
{
    bool on = ParseLeadingInteger(value) != 0;
    if (m_setter)
        (object->*m_setter)(on);
    else
        SetBits(object, on);
}

bool CBitFlagProperty::WriteBinary(const CObject* object, CVirtualFile& stream) const
{
    return WriteLittleEndian(stream, GetValue(object) ? 1 : 0, 1);
}

bool CBitFlagProperty::ReadBinary(CObject* object, CVirtualFile& stream) const
{
    uint64_t value = 0;
    if (!ReadLittleEndian(stream, value, 1))
        return false;
    SetBits(object, value != 0);
    return true;
}

uint32_t CBitFlagProperty::GetBitMask() const
{
    return m_mask;
}
