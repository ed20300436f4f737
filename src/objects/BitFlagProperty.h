#pragma once
// One bit (or group of bits) of a 32-bit flags word that several properties share: text "1" when
// any bit of the mask is set, else "0". Only the mask's bits are ever changed.
#include "objects/Object.h"
#include "objects/PropertyDescriptor.h"

#include <type_traits>

class CBitFlagProperty : public CPropertyDescriptor
{
public:
    using Setter = void (CObject::*)(bool);

    template <class Class, class Member>
    CBitFlagProperty(const char* name, Member Class::*member, uint32_t mask, uint32_t flags, bool defaultValue,
                     std::type_identity_t<void (Class::*)(bool)> setter = nullptr)
        : CBitFlagProperty(name, MemberOffset(member), mask, flags, defaultValue, static_cast<Setter>(setter))
    {
        static_assert(sizeof(Member) == 4 && std::is_integral_v<Member>);
    }
    CBitFlagProperty(const char* name, uint32_t offset, uint32_t mask, uint32_t flags, bool defaultValue, Setter setter);

    CPropertyDescriptor* Clone() const override;
    bool IsSimpleValue() const override;
    void CopyValue(CObject* destination, const CObject* source, const CPropertyDescriptor& sourceDescriptor) const override;
    void SetDefault(CObject* object) const override;
    void FormatValue(const CObject* object, CSharedString& out) const override;
    void ParseValue(CObject* object, const char* value, CObjectTextStream& stream) const override;
    bool WriteBinary(const CObject* object, CVirtualFile& stream) const override;
    bool ReadBinary(CObject* object, CVirtualFile& stream) const override;
    uint32_t GetBitMask() const override;

    bool GetValue(const CObject* object) const { return (LoadMember<uint32_t>(object) & m_mask) != 0; }

private:
    void SetBits(CObject* object, bool on) const;

    Setter m_setter;
    uint32_t m_mask;
    uint8_t m_default;
};
