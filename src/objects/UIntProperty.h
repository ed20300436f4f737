#pragma once
// An unsigned 32-bit property, optionally with names of particular values. Built with min equal
// to max it takes the whole range 0 .. 4294967295 (0 .. 4294967294 when built with a units text).
#include "objects/NumericProperty.h"

class CUIntProperty : public CNumericProperty<uint32_t>
{
public:
    template <class Class, class Member>
    CUIntProperty(const char* name, Member Class::*member, uint32_t flags, uint32_t defaultValue,
                  SetterOf<Class> setter = nullptr, uint32_t min = 0, uint32_t max = 0)
        : CUIntProperty(name, nullptr, BoundOffset(member), flags, defaultValue, ToSetter(setter), min, max)
    {
    }
    // The units text is shown beside the value ("Pixels from top").
    template <class Class, class Member>
    static CUIntProperty* ConstructWithUnits(const char* name, const char* units, Member Class::*member,
                                             uint32_t flags, uint32_t defaultValue, SetterOf<Class> setter = nullptr,
                                             uint32_t min = 0, uint32_t max = 0)
    {
        return new CUIntProperty(name, units ? units : "", BoundOffset(member), flags, defaultValue, ToSetter(setter),
                                 min, max);
    }
    // units non-null marks the units variant.
    CUIntProperty(const char* name, const char* units, uint32_t offset, uint32_t flags, uint32_t defaultValue,
                  Setter setter, uint32_t min, uint32_t max);

    CPropertyDescriptor* Clone() const override;
};
