#pragma once
// A point of two signed 32-bit integers: text "%d,%d".
#include "objects/PointProperty.h"

class CIntPointProperty : public CPointProperty<CIntPoint>
{
public:
    template <class Class, class Member>
    CIntPointProperty(const char* name, Member Class::*member, uint32_t flags, const CIntPoint& defaultPoint = {},
                      std::type_identity_t<void (Class::*)(const CIntPoint&)> setter = nullptr)
        : CIntPointProperty(name, PointOffset(member), flags, defaultPoint, ToSetter(setter))
    {
    }
    // The default point given as its two coordinates.
    template <class Class, class Member>
    static CIntPointProperty* ConstructFromValues(const char* name, Member Class::*member, uint32_t flags,
                                                  int32_t defaultX, int32_t defaultY,
                                                  std::type_identity_t<void (Class::*)(const CIntPoint&)> setter = nullptr)
    {
        return new CIntPointProperty(name, PointOffset(member), flags, CIntPoint{defaultX, defaultY}, ToSetter(setter));
    }
    CIntPointProperty(const char* name, uint32_t offset, uint32_t flags, const CIntPoint& defaultPoint, Setter setter);

    CPropertyDescriptor* Clone() const override;
};
