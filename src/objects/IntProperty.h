#pragma once
// A signed 32-bit property: text "%d", clamped into [min, max] unless min equals max.
#include "objects/NumericProperty.h"

class CIntProperty : public CNumericProperty<int32_t>
{
public:
    template <class Class, class Member>
    CIntProperty(const char* name, Member Class::*member, uint32_t flags, int32_t defaultValue,
                 SetterOf<Class> setter = nullptr, int32_t min = 0, int32_t max = 0)
        : CIntProperty(name, nullptr, BoundOffset(member), flags, defaultValue, ToSetter(setter), min, max)
    {
    }
    // The units text is shown beside the value ("Pixels").
    template <class Class, class Member>
    static CIntProperty* ConstructWithUnits(const char* name, const char* units, Member Class::*member, uint32_t flags,
                                            int32_t defaultValue, SetterOf<Class> setter = nullptr, int32_t min = 0,
                                            int32_t max = 0)
    {
        return new CIntProperty(name, units, BoundOffset(member), flags, defaultValue, ToSetter(setter), min, max);
    }
    // By offset, for values that are not members of a class (dynamic properties use offset 0).
    CIntProperty(const char* name, const char* units, uint32_t offset, uint32_t flags, int32_t defaultValue,
                 Setter setter, int32_t min, int32_t max);

    CPropertyDescriptor* Clone() const override;

protected:
    CIntProperty(const char* name, const char* units, uint32_t offset, uint32_t flags, int32_t defaultValue,
                 Setter setter, int32_t min, int32_t max, const CUnitConverter<int32_t>* converter);
};
