#pragma once
// A signed 32-bit coordinate: the integer property with the coordinate's own identity converter.
#include "objects/IntProperty.h"

class CCoordinateProperty : public CIntProperty
{
public:
    template <class Class, class Member>
    CCoordinateProperty(const char* name, Member Class::*member, uint32_t flags, int32_t defaultValue,
                        SetterOf<Class> setter = nullptr, int32_t min = 0, int32_t max = 0)
        : CCoordinateProperty(name, nullptr, BoundOffset(member), flags, defaultValue, ToSetter(setter), min, max)
    {
    }
    template <class Class, class Member>
    static CCoordinateProperty* ConstructWithUnits(const char* name, const char* units, Member Class::*member,
                                                   uint32_t flags, int32_t defaultValue, SetterOf<Class> setter = nullptr,
                                                   int32_t min = 0, int32_t max = 0)
    {
        return new CCoordinateProperty(name, units, BoundOffset(member), flags, defaultValue, ToSetter(setter), min, max);
    }
    CCoordinateProperty(const char* name, const char* units, uint32_t offset, uint32_t flags, int32_t defaultValue,
                        Setter setter, int32_t min, int32_t max);

    CPropertyDescriptor* Clone() const override;
};
