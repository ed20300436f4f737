#pragma once
// A bool held in one byte (0 or 1): text "%u"; any non-zero number reads as true.
#include "objects/Object.h"
#include "objects/PropertyDescriptor.h"

#include <type_traits>

class CBoolProperty : public CPropertyDescriptor
{
public:
    using Setter = void (CObject::*)(bool);

    template <class Class, class Member>
    CBoolProperty(const char* name, Member Class::*member, uint32_t flags, bool defaultValue,
                  std::type_identity_t<void (Class::*)(bool)> setter = nullptr)
        : CBoolProperty(name, MemberOffset(member), flags, defaultValue, static_cast<Setter>(setter))
    {
        static_assert(sizeof(Member) == 1 && (std::is_same_v<Member, bool> || std::is_integral_v<Member>));
    }
    CBoolProperty(const char* name, uint32_t offset, uint32_t flags, bool defaultValue, Setter setter);

    CPropertyDescriptor* Clone() const override;
    bool IsSimpleValue() const override;
    void CopyValue(CObject* destination, const CObject* source, const CPropertyDescriptor& sourceDescriptor) const override;
    void SetDefault(CObject* object) const override;
    void FormatValue(const CObject* object, CSharedString& out) const override;
    void ParseValue(CObject* object, const char* value, CObjectTextStream& stream) const override;
    bool WriteBinary(const CObject* object, CVirtualFile& stream) const override;
    bool ReadBinary(CObject* object, CVirtualFile& stream) const override;

    bool GetValue(const CObject* object) const { return LoadMember<uint8_t>(object) != 0; }

private:
    Setter m_setter;
    uint8_t m_default;
};
