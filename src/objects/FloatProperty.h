#pragma once
// A 32-bit float property: text "%g", optionally with names of particular values.
#include "objects/NumericProperty.h"

class CFloatProperty : public CNumericProperty<float>
{
public:
    template <class Class>
    CFloatProperty(const char* name, float Class::*member, uint32_t flags, float defaultValue,
                   SetterOf<Class> setter = nullptr, float min = 0.0f, float max = 0.0f)
        : CFloatProperty(name, nullptr, MemberOffset(member), flags, defaultValue, ToSetter(setter), min, max)
    {
    }
    // The units text is shown beside the value ("Seconds").
    template <class Class>
    static CFloatProperty* ConstructWithUnits(const char* name, const char* units, float Class::*member, uint32_t flags,
                                              float defaultValue, SetterOf<Class> setter = nullptr, float min = 0.0f,
                                              float max = 0.0f)
    {
        return new CFloatProperty(name, units, MemberOffset(member), flags, defaultValue, ToSetter(setter), min, max);
    }
    CFloatProperty(const char* name, const char* units, uint32_t offset, uint32_t flags, float defaultValue,
                   Setter setter, float min, float max);

    CPropertyDescriptor* Clone() const override;
};
