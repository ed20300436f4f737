#include "objects/FloatPointProperty.h"

CFloatPointProperty::CFloatPointProperty(const char* name, uint32_t offset, uint32_t flags,
                                         const CFloatPoint& defaultPoint, Setter setter)
    : CPointProperty(name, offset, flags, defaultPoint, setter)
{
}

CPropertyDescriptor* CFloatPointProperty::Clone() const
{
    return new CFloatPointProperty(*this);
}
