#pragma once
// An unsigned 32-bit property, optionally with names of particular values. Built with min equal
// to max it takes the whole range 0 .. 4294967295 (0 .. 4294967294 when built with a units text).
#include "objects/NumericProperty.h"

class CUIntProperty : public CNumericProperty<uint32_t>
{
public:
    template <class Class, class Member>
    CUIntProperty(const char* name, Member Class::*member, uint32_t flags, uint32_t defaultValue,
                  std::type_identity_t<void (Class::*)(uint32_t)> setter = nullptr, uint32_t min = 0, uint32_t max = 0)
        : CUIntProperty(name, nullptr, MemberOffset(member), flags, defaultValue, ToSetter(setter), min, max)
    {
        static_assert(sizeof(Member) == 4 && (std::is_integral_v<Member> || std::is_enum_v<Member>));
    }
    // The units text is shown beside the value ("Pixels from top").
    template <class Class, class Member>
    static CUIntProperty* ConstructWithUnits(const char* name, const char* units, Member Class::*member,
                                             uint32_t flags, uint32_t defaultValue,
                                             std::type_identity_t<void (Class::*)(uint32_t)> setter = nullptr,
                                             uint32_t min = 0, uint32_t max = 0)
    {
        static_assert(sizeof(Member) == 4 && (std::is_integral_v<Member> || std::is_enum_v<Member>));
        return new CUIntProperty(name, units ? units : "", MemberOffset(member), flags, defaultValue, ToSetter(setter),
                                 min, max);
    }
    // units non-null marks the units variant.
    CUIntProperty(const char* name, const char* units, uint32_t offset, uint32_t flags, uint32_t defaultValue,
                  Setter setter, uint32_t min, uint32_t max);

    CPropertyDescriptor* Clone() const override;
};
