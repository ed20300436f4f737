#pragma once
// A point of two 32-bit floats: text "%f,%f" (six decimals).
#include "objects/PointProperty.h"

class CFloatPointProperty : public CPointProperty<CFloatPoint>
{
public:
    template <class Class, class Member>
    CFloatPointProperty(const char* name, Member Class::*member, uint32_t flags, const CFloatPoint& defaultPoint = {},
                        std::type_identity_t<void (Class::*)(const CFloatPoint&)> setter = nullptr)
        : CFloatPointProperty(name, PointOffset(member), flags, defaultPoint, ToSetter(setter))
    {
    }
    CFloatPointProperty(const char* name, uint32_t offset, uint32_t flags, const CFloatPoint& defaultPoint,
                        Setter setter);

    CPropertyDescriptor* Clone() const override;
};
