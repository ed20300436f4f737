#include "objects/IntPointProperty.h"

CIntPointProperty::CIntPointProperty(const char* name, uint32_t offset, uint32_t flags, const CIntPoint& defaultPoint,
                                     Setter setter)
    : CPointProperty(name, offset, flags, defaultPoint, setter)
{
}

CPropertyDescriptor* CIntPointProperty::Clone() const
{
    return new CIntPointProperty(*this);
}
