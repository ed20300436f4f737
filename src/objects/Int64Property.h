#pragma once
// A signed 64-bit property: decimal text, optionally with names of particular values.
#include "objects/NumericProperty.h"

class CInt64Property : public CNumericProperty<int64_t>
{
public:
    // valueNames (optional) is copied.
    template <class Class>
    CInt64Property(const char* name, int64_t Class::*member, uint32_t flags, int64_t defaultValue, int64_t min = 0,
                   int64_t max = 0, SetterOf<Class> setter = nullptr, const CInt64ValueList* valueNames = nullptr)
        : CInt64Property(name, nullptr, MemberOffset(member), flags, defaultValue, min, max, ToSetter(setter), valueNames)
    {
    }
    CInt64Property(const char* name, const char* units, uint32_t offset, uint32_t flags, int64_t defaultValue,
                   int64_t min, int64_t max, Setter setter, const CInt64ValueList* valueNames);

    CPropertyDescriptor* Clone() const override;
};
